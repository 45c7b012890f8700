#pragma once

#include <QAccessibleWidget>

class ReviewTextView;

// What a screen reader reads of the review dialog's document: its text, the caret and the
// selection (the occurrence in hand), read straight from the document as the view paints it.
class ReviewTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReviewTextAccessible(ReviewTextView *view);

    // Makes Qt use this interface for every ReviewTextView.
    static void install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    ReviewTextView *view() const;
};
