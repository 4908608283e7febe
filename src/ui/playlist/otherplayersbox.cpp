#include "ui/playlist/otherplayersbox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

OtherPlayersBox::OtherPlayersBox(QWidget *parent)
    : QComboBox(parent)
{
}

void OtherPlayersBox::setHint(const QString &hint)
{
    setPlaceholderText(hint);
    setToolTip(hint);
}

void OtherPlayersBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0 && !placeholderText().isEmpty()) {
        const QRect field = style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        option.palette.setBrush(QPalette::ButtonText, option.palette.placeholderText());
        option.currentText
            = option.fontMetrics.elidedText(placeholderText(), Qt::ElideRight, field.width());
    }
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
