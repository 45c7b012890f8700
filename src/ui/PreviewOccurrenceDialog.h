#pragma once

#include "review/FormatSpans.h"

#include <QDialog>

class Document;
class ReviewTextView;

// One occurrence of a preview shown in its file, as the review shows occurrences, read-only.
class PreviewOccurrenceDialog : public QDialog {
    Q_OBJECT
public:
    // `document` (the file as the preview read it) must outlive the dialog.
    PreviewOccurrenceDialog(const Document &document, qsizetype start, qsizetype length,
                            const QString &path, QWidget *parent = nullptr);

    ReviewTextView *view() const { return m_view; }

private:
    FormatSpans m_spans;
    ReviewTextView *m_view = nullptr;
};
