#pragma once

#include <QLabel>

// A label that keeps its whole text and shortens it with "..." in the middle only when it is
// painted, so a long folder is still remembered whole.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
