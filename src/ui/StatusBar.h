#pragma once

#include <QElapsedTimer>
#include <QRect>
#include <QStatusBar>
#include <QString>
#include <QTimer>

class QAbstractButton;

// The main window's status bar SBar: three panels (the file in hand; the progress bar; a stop
// button during a run) and the progress of a run over FileList.
//
// The bar is painted from its state (ProgressRect, ProgressUnit, ProgressDone) whenever the
// status bar paints, so a repaint between two steps never wipes it; ProgressEnd clears the state.
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    // Panel widths in device-independent pixels (Qt scales them to the screen).
    static constexpr int PanelWidths[3] = {170, 200, 50};
    // The classic navy, on a light window colour; a dark theme's bar takes its highlight.
    static inline const QColor BarColour{0, 0, 128};
    static QColor barColour(const QPalette &palette);

    explicit StatusBar(QWidget *parent = nullptr);

    void ProgressStart(int fileCount);
    void ProgressStep(const QString &fileName);
    void ProgressEnd();

    // The part of panel 1 painted so far; its right and bottom edges are exclusive.
    QRect ProgressRect() const { return m_progressRect; }
    double ProgressUnit() const { return m_progressUnit; }
    int ProgressDone() const { return m_progressDone; }
    // The full extent of the bar, fixed at ProgressStart.
    int fullRight() const { return m_fullRight; }

    int panelWidth(int panel) const;
    QString panelText(int panel) const { return m_texts[panel]; }
    void setPanelText(int panel, const QString &text);

    // The button shown in panel 2 during a run.
    void setStopButton(QAbstractButton *button);
    void setRunning(bool running);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QRect panelRect(int panel) const;
    void paintNow();
    void placeStopButton();

    QString m_texts[3];
    QRect m_progressRect;
    double m_progressUnit = 0;
    int m_progressDone = 0;
    int m_fullRight = 0;
    bool m_progressActive = false;
    QAbstractButton *m_stop = nullptr;
    QElapsedTimer m_sincePaint;
    QTimer m_paintPending;
    static constexpr int FrameMs = 16;
};
