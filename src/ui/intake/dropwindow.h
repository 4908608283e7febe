#pragma once

#include "core/playlist/playlistitem.h"

#include <QList>
#include <QWidget>

class Prompts;
class QLabel;
class QScreen;
class QTimer;

// "拖放口": a small picture that floats above the other windows and takes
// files and text dropped on it for the playlist. While the pointer rests on
// it the marker blinks; a left-button press moves it. It never plays
// anything and never shows the playlist. A drop that gives nothing for a
// reason the user cannot see (text of several lines) is explained in a box.
class DropWindow : public QWidget
{
    Q_OBJECT
public:
    explicit DropWindow(Prompts &prompts, QWidget *parent = nullptr);

    // Top right corner of the screen: the screen's width less 1300 twips,
    // 500 twips down.
    void placeAtScreenCorner(const QScreen *screen);
    // Shows the window and keeps it above the others.
    void showOnTop();

    bool isBlinking() const;
    QLabel *marker() const { return m_marker; }

Q_SIGNALS:
    void itemsDropped(const QList<PlaylistItem> &items);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void toggleMarker();
    void becomeIdle();
    void explainRefusedText();

    Prompts &m_prompts;
    QLabel *m_marker; // Image2
    QTimer *m_blinkTimer; // Timer1
};
