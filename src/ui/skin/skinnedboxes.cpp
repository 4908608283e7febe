#include "ui/skin/skinnedboxes.h"

#include "ui/skin/skin.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

namespace {

void drawCentred(QWidget *widget, QRect area, const QString &picture, QSize size)
{
    QPainter painter(widget);
    const QRect target = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area);
    painter.drawPixmap(target.topLeft(), Skin::pixmap(picture, size, widget->devicePixelRatioF()));
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
        QStringLiteral("check"), QSize(11, 11));
}

void SkinComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    drawCentred(this,
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this),
        QStringLiteral("arrow-down"), QSize(8, 5));
}
