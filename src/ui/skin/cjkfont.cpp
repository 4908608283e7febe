#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QFont>

void installSongFont()
{
    const QStringList faces = { QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Serif CJK SC") };
    QFont::insertSubstitutions(QStringLiteral("宋体"), faces);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), faces);
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    QApplication::setFont(font);
}
