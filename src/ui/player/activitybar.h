#pragma once

#include "ui/skin/skin.h"

#include <QPixmap>
#include <QProgressBar>

#include <array>

// The player's activity bar, which steps three times a second while something
// plays. Each of its looks is drawn once, by the style, over the part of the
// window's backdrop it covers; a step then paints that one picture, and
// nothing beneath the bar is painted again.
class ActivityBar : public QProgressBar
{
    Q_OBJECT
public:
    // `backdrop` is the picture the parent paints at its top-left corner.
    ActivityBar(Skin::Picture backdrop, QWidget *parent);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    static constexpr int kLooks = 16;
    QPixmap drawLook();
    void forgetLooks();

    Skin::Picture m_backdrop;
    std::array<QPixmap, kLooks> m_looks;
    qreal m_lookRatio = 0; // the device pixel ratio the looks were drawn at
};
