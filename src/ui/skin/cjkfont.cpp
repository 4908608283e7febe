#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QFont>

#include <future>
#include <mutex>

#ifdef TUNVIA_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

std::once_flag readingStarted;
// Waited for at exit too, by its destructor.
std::future<void> reading;

} // namespace

static QString songFamily()
{
    return QStringLiteral("宋体");
}

void installSongFont()
{
    // Two readers would each read it all: the font database waits instead.
    if (reading.valid())
        reading.wait();
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

void startReadingFontConfiguration()
{
#ifdef TUNVIA_HAVE_FONTCONFIG
    // Qt's font database calls FcInit() too, which then finds the
    // configuration loaded.
    std::call_once(
        readingStarted, [] { reading = std::async(std::launch::async, [] { FcInit(); }); });
#endif
}
