#pragma once

#include "run/PreviewLines.h"

#include <QAbstractItemModel>

class PreviewList;

// The preview as a tree: its files, each with its occurrences. A row's text is made when the
// row is shown, from the file (PreviewLines); nothing is kept per row beyond the preview's
// list. Every row has a tick box; a file's box ticks all its occurrences. While the preview
// runs, the files listed so far are added in batches (showFiles).
class PreviewModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // An occurrence's parts for painting: {position, before, found, replacement, after}.
    static constexpr int PartsRole = Qt::UserRole + 1;
    // Whether the row is an occurrence whose file changed since the preview.
    static constexpr int ChangedRole = Qt::UserRole + 2;

    explicit PreviewModel(PreviewList &list, QObject *parent = nullptr);

    // The list was filled or emptied anew: every file in it is shown.
    void reload();
    // Shows the list's first `count` files, adding those not shown yet; a file shown gets no
    // more occurrences.
    void showFiles(qsizetype count);
    // The replacements listed changed (running numbers follow the ticks).
    void replacementsChanged();
    // The occurrence of `index` (-1 for a file's row).
    qsizetype occurrenceOf(const QModelIndex &index) const;
    qsizetype fileOf(const QModelIndex &index) const;
    PreviewLines &lines() { return m_lines; }
    // What an occurrence's row says when its file changed since the preview.
    void setChangedNote(const QString &note) { m_changedNote = note; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // A tick changed (by the user, through setData).
    void ticksChanged();

private:
    QVariant fileData(qsizetype file, int role) const;
    QVariant occurrenceData(qsizetype occurrence, int role) const;

    PreviewList &m_list;
    // Reading rows keeps the last file read; reading is no change of the model.
    mutable PreviewLines m_lines;
    QString m_changedNote;
    int m_shown = 0; // the files shown: the list's first ones
};
