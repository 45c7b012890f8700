#include "ui/WidgetPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace {

// The program's message boxes carry its title, as every box of the program always has.
const QString Title = u"Zelt"_s;

QString captionOr(const QString &caption)
{
    return caption.isEmpty() ? Title : caption;
}

// Extensions count in any case (page.Htm is an HTML file). Qt's own file dialog compares its
// patterns without regard to case; the desktop's dialogs on Linux may not, so there Qt's is
// used.
QFileDialog::Options dialogOptions()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return {};
#else
    return QFileDialog::DontUseNativeDialog;
#endif
}

// A short text makes a narrow box, whose title bar then cuts its caption ("Подт…ение"): the
// box is made wide enough for the caption and the title bar's buttons.
void fitCaption(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    constexpr int TitleBarButtons = 140;
    const int width
        = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleBarButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int run(QMessageBox &box)
{
    fitCaption(box);
    return box.exec();
}

} // namespace

bool WidgetPrompter::askYesNo(QWidget *parent, const QString &text, const QString &caption,
                              bool questionIcon)
{
    QMessageBox box(questionIcon ? QMessageBox::Question : QMessageBox::NoIcon, captionOr(caption),
                    text, QMessageBox::Yes | QMessageBox::No, parent);
    return run(box) == QMessageBox::Yes;
}

void WidgetPrompter::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, Title, text, QMessageBox::Ok, parent);
    run(box);
}

void WidgetPrompter::showError(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, Title, text, QMessageBox::Ok, parent);
    run(box);
}

BackupHost::Answer WidgetPrompter::askAbortRetryIgnore(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, Title, text,
                    QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, parent);
    switch (run(box)) {
    case QMessageBox::Retry:
        return BackupHost::Answer::Retry;
    case QMessageBox::Ignore:
        return BackupHost::Answer::Ignore;
    default:
        return BackupHost::Answer::Abort;
    }
}

QStringList WidgetPrompter::openFileNames(QWidget *parent, const QString &folder,
                                          const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, QString(), folder, filter, nullptr,
                                         dialogOptions());
}

QString WidgetPrompter::openFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter, nullptr,
                                        dialogOptions());
}

QString WidgetPrompter::saveFileName(QWidget *parent, const QString &folder, const QString &filter,
                                     int &filterIndex)
{
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setOptions(dialogOptions());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks about replacing a file itself where it must.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = dialog.nameFilters();
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(filterIndex - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().constFirst();
}

bool WidgetPrompter::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
