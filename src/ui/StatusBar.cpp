#include "ui/StatusBar.h"

#include <QAbstractButton>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

#include <cmath>

StatusBar::StatusBar(QWidget *parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    m_paintPending.setSingleShot(true);
    connect(&m_paintPending, &QTimer::timeout, this, &StatusBar::paintNow);
}

int StatusBar::panelWidth(int panel) const
{
    return PanelWidths[panel];
}

QRect StatusBar::panelRect(int panel) const
{
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += panelWidth(i);
    // Panels are separated by two pixels, as the classic status bar draws them.
    return {left, 2, panelWidth(panel) - 2, height() - 2};
}

QColor StatusBar::barColour(const QPalette &palette)
{
    constexpr int LightWindow = 128;
    return palette.color(QPalette::Window).lightness() >= LightWindow
        ? BarColour
        : palette.color(QPalette::Highlight);
}

QSize StatusBar::sizeHint() const
{
    return {panelWidth(0) + panelWidth(1) + panelWidth(2), fontMetrics().height() + 8};
}

QSize StatusBar::minimumSizeHint() const
{
    return {0, sizeHint().height()};
}

void StatusBar::setPanelText(int panel, const QString &text)
{
    m_texts[panel] = text;
    update();
}

void StatusBar::ProgressStart(int fileCount)
{
    const int w0 = panelWidth(0);
    const int w1 = panelWidth(1);
    m_fullRight = w0 + w1 - 2;
    m_progressRect = QRect(QPoint(w0 + 3, 3), QPoint(w0 + 3, height() - 2));
    m_progressRect.setRight(w0 + 3 - 1); // empty: right edge (exclusive) at the left edge
    m_progressUnit = double(m_fullRight - (w0 + 3)) / std::max(fileCount, 1);
    m_progressDone = 0;
    m_progressActive = true;
}

void StatusBar::ProgressStep(const QString &fileName)
{
    ++m_progressDone;
    m_texts[0] = fileName;
    // Rounding half to even, as the floating-point unit does by default.
    const int width = int(std::nearbyint(m_progressDone * m_progressUnit));
    m_progressRect.setWidth(width);
    // Painting faster than the screen shows it would only slow the run down: within one frame
    // the step is painted with the next event handling, from the state above.
    if (!m_sincePaint.isValid() || m_sincePaint.elapsed() >= FrameMs)
        paintNow();
    else if (!m_paintPending.isActive())
        m_paintPending.start(FrameMs);
}

void StatusBar::paintNow()
{
    m_paintPending.stop();
    repaint();
    m_sincePaint.start();
}

void StatusBar::ProgressEnd()
{
    m_texts[0].clear();
    m_progressActive = false;
    m_progressRect = QRect();
    m_progressDone = 0;
    paintNow();
    m_sincePaint.invalidate();
}

void StatusBar::setStopButton(QAbstractButton *button)
{
    m_stop = button;
    placeStopButton();
}

void StatusBar::setRunning(bool running)
{
    if (!m_stop)
        return;
    placeStopButton();
    m_stop->setVisible(running);
}

void StatusBar::placeStopButton()
{
    if (m_stop)
        m_stop->setGeometry(panelRect(2).adjusted(1, 1, -1, -1));
}

void StatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    placeStopButton();
}

void StatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int panel = 0; panel < 3; ++panel)
        qDrawShadePanel(&painter, panelRect(panel), palette(), true, 1);
    const QRect text0 = panelRect(0).adjusted(4, 0, -4, 0);
    painter.drawText(text0, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(m_texts[0], Qt::ElideMiddle, text0.width()));
    painter.drawText(panelRect(1), Qt::AlignCenter, m_texts[1]);
    if (m_progressActive && m_progressRect.width() > 0)
        painter.fillRect(m_progressRect, barColour(palette()));
}
