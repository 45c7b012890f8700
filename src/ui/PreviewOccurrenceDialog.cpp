#include "ui/PreviewOccurrenceDialog.h"

#include "document/Document.h"
#include "review/ReviewTextView.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QVBoxLayout>

PreviewOccurrenceDialog::PreviewOccurrenceDialog(const Document &document, qsizetype start,
                                                 qsizetype length, const QString &path,
                                                 QWidget *parent)
    : QDialog(parent), m_view(new ReviewTextView(this))
{
    setObjectName(QStringLiteral("PreviewOccurrenceD"));
    setWindowTitle(QDir::toNativeSeparators(path));
    m_spans.reset(document.formattedRuns(), document.length());
    m_view->setSource(&document, &m_spans);
    m_view->setMode(ReviewTextView::Mode::Occurrence);
    m_view->setSelection(start, start + length);
    m_view->centerOn(start, start + length);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addWidget(buttons);
    resize(720, 420);
}
