#pragma once

#include "options/StoredForm.h"
#include "options/StoredProp.h"

#include <QList>
#include <QSize>
#include <QString>

class ProfileFile;
class QWidget;

// The settings storage of one form (its section of the settings file): the window placement and
// the stored items, found on the form by object name. Check boxes and radio buttons store
// "Checked", a group of radio buttons "ItemIndex" (the checked one among its radio buttons),
// edit boxes "Text", labels "Caption" and spin boxes "Value".
class FormStorage final : public StoredForm {
public:
    enum class Kind {
        MainWindow, // resizable; its minimized or maximized state is restored
        Dialog, // fixed size; always restored in the normal state
    };

    FormStorage(QWidget *form, const QString &section, const QList<StoredProp> &items, Kind kind);

    QWidget *form() const { return m_form; }
    QString section() const { return m_section; }

    void save(ProfileFile &file) const;
    void restore(const ProfileFile &file);

    // The size of the primary screen, which names the placement keys of that resolution.
    static QSize screenSize();

    WindowPlacement placement() const override;
    bool resizable() const override;
    void setNormalRect(const WindowPlacement::Rect &rect) override;
    void setShowCmd(WindowPlacement::ShowCmd showCmd) override;
    std::optional<QString> storedValue(const StoredProp &item) const override;
    void setStoredValue(const StoredProp &item, const QString &value) override;

private:
    QWidget *m_form;
    QString m_section;
    QList<StoredProp> m_items;
    Kind m_kind;
};
