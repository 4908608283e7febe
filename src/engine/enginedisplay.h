#pragma once

#include "engine/playbackstatus.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

// The engine's display area on the player window: the clip's video when it
// has some, otherwise a small status panel (state, title, times). It paints
// only when something it shows has changed.
class EngineDisplay : public QWidget
{
    Q_OBJECT
public:
    explicit EngineDisplay(QWidget *parent = nullptr);

    QSize sizeHint() const override { return { 258, 52 }; }
    const PlaybackStatus &status() const { return m_status; }
    bool showsVideo() const;
    QSize videoSize() const { return m_announced; }

public Q_SLOTS:
    void showStatus(const PlaybackStatus &status);
    void showFrame(const QImage &frame);

Q_SIGNALS:
    // The size in device pixels that video should be drawn at; empty while
    // nobody can see the display (hidden, minimized, or outside its window
    // when the window is rolled up), so the engine stops drawing frames.
    void videoSizeChanged(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the panel shows apart from the time and the progress; drawn once
    // into m_panel and kept while it stays the same, as the time changes
    // every second and the rest seldom.
    struct PanelLook
    {
        QSize size;
        qreal pixelRatio = 1;
        QFont font;
        QString state;
        bool error = false;
        QString title;
        int timeWidth = 0;
        bool operator==(const PanelLook &other) const = default;
    };

    void paintPanel(QPainter &painter);
    void drawPanelLook(const PanelLook &look);
    void paintProgress(QPainter &painter);
    void announceSize();
    bool canBeSeen() const;
    void watchWindow();

    PlaybackStatus m_status;
    QImage m_frame;
    PanelLook m_panelLook;
    QPixmap m_panel;
    QSize m_announced;
    QPointer<QWidget> m_window; // the top-level whose size and state are watched
};
