#include "ui/skin/skinnedboxes.h"

#include "ui/skin/skin.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

namespace {

void drawCentred(QWidget *widget, QRect area, Skin::Picture picture)
{
    QPainter painter(widget);
    const QRect target
        = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, Skin::size(picture), area);
    painter.drawPixmap(target.topLeft(), Skin::pixmap(picture, widget->devicePixelRatioF()));
}

} // namespace

void SkinCheckBox::paintEvent(QPaintEvent *event)
{
    QCheckBox::paintEvent(event);
    if (!isChecked())
        return;
    QStyleOptionButton option;
    initStyleOption(&option);
    drawCentred(this, style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this),
        Skin::Picture::Check);
}

void SkinComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    drawCentred(this,
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this),
        Skin::Picture::ArrowDown);
}
