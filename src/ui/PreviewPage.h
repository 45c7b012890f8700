#pragma once

#include "run/PreviewRun.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class PreviewModel;
class QModelIndex;
class QTreeView;
class QuorvexCore;
namespace Ui {
class TPreviewTS;
}

// The preview page: the current job run dry, its occurrences by file, each with a tick box
// (Space toggles the current row; a file's box ticks all its rows), Apply to replace exactly
// the ticked ones and Close. Enter or a double click shows the occurrence in its file,
// read-only. With running numbers in the replacement the rows show the numbers applying will
// give, renumbered shortly after the ticks change. The rows come while the preview runs, the
// files listed so far added in batches, and can be ticked at once; Apply waits for the end.
class PreviewPage : public QWidget {
    Q_OBJECT
public:
    PreviewPage(QuorvexCore &core, RunHost &host, QWidget *parent = nullptr);
    ~PreviewPage() override;

    // Runs the preview of `request`; false when the run did not start (a message said why).
    bool start(const RunRequest &request);
    QString title() const;
    QTreeView *view() const;
    PreviewRun &run() { return m_run; }
    PreviewModel &model() { return *m_model; }

    void apply();
    // How often rows are added while the preview runs (0: whenever the run lets events
    // through); batches come less often as the rows grow.
    void setRowsInterval(int ms) { m_rowsMs = ms; }

signals:
    // Applying is over and its report complete.
    void applied();
    void closeRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void openOccurrence(const QModelIndex &index);
    void ticksChanged();
    void renumber();
    void updateSummary();
    // Adds the rows of the files listed so far but the last, which may still grow.
    void showRowsSoFar();
    void showFiles(qsizetype count);

    std::unique_ptr<Ui::TPreviewTS> m_ui;
    QuorvexCore &m_core;
    PreviewRun m_run;
    PreviewModel *m_model = nullptr;
    QTimer m_renumber;
    QTimer m_rows; // adds rows while the preview runs
    int m_rowsMs;
    bool m_running = false;
};
