#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QFont>

static QString songFamily()
{
    return QStringLiteral("宋体");
}

void installSongFont()
{
    // Latin letters from a plain sans face, Chinese from a Song (Ming) face: the
    // Song faces' own Latin letters look typewritten beside the Chinese. The
    // simplified-Chinese Song face comes first: a quarter of the UMing
    // collection's size, it keeps about 2 MB less of the font in memory;
    // UMing then draws what it lacks.
    const QStringList faces = { QStringLiteral("DejaVu Sans"), QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Serif CJK SC") };
    QFont::insertSubstitutions(songFamily(), faces);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), faces);
    QApplication::setFont(songFont());
}

QFont songFont()
{
    return QFont(songFamily(), 9);
}
