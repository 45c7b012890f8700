#pragma once

#include <QObject>
#include <QString>

class MessageCatalogue;
class OptionState;
class PatternEditor;
class Prompter;
class ReviewDialog;
class ReviewSession;
class QWidget;
namespace Ui {
class MainF;
}

// The commands of the two pattern pages, which act on CurrentEditor: clear it, paste from the
// clipboard, paste a block chosen in a file, paste a whole file.
class PatternCommands : public QObject {
    Q_OBJECT
public:
    PatternCommands(Ui::MainF &ui, const MessageCatalogue &messages, const OptionState &options,
                    ReviewSession &review, Prompter &prompter, QWidget *window);

    void setReviewDialog(ReviewDialog *dialog) { m_reviewDialog = dialog; }

    PatternEditor *CurrentEditor() const { return m_current; }
    void setCurrentEditor(PatternEditor *editor) { m_current = editor; }

    void ClearCurrentREExecute();
    void InsertToCurrentREExecute();
    void PasteFromClipboardExecute();
    void PasteFromFileExecute();
    void PasteFileExecute();

    // While a run is active a block cannot be chosen in a file: the review dialog is the run's.
    void setRunActive(bool active);

private:
    QString chooseFile();
    void refuse(int messageId, const QString &path);

    Ui::MainF &m_ui;
    const MessageCatalogue &m_messages;
    const OptionState &m_options;
    ReviewSession &m_review;
    Prompter &m_prompter;
    QWidget *m_window;
    ReviewDialog *m_reviewDialog = nullptr;
    PatternEditor *m_current = nullptr;
    QString m_folder; // where the next file dialog opens
};
