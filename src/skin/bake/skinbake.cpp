// Draws one SVG picture of the skin at scale factors 1 and 2 while the
// program is built, so that the windows show finished pictures at start
// instead of parsing and drawing SVG, and its text, every time.
//
//   tunvia_skinbake PICTURE.svg OUTPUT_STEM
//
// writes OUTPUT_STEM.pixels and OUTPUT_STEM@2x.pixels: the width and height
// as two 32-bit numbers, then the rows of premultiplied ARGB32 pixels, all in
// the byte order of the machine that builds (and runs) the program. The
// windows take these without an image decoder; the resource compiler
// compresses them.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool writePixels(const QImage &image, const QString &stem)
{
    QFile file(stem + QStringLiteral(".pixels"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const quint32 size[2] = { quint32(image.width()), quint32(image.height()) };
    bool written = file.write(reinterpret_cast<const char *>(size), sizeof size) == sizeof size;
    for (int y = 0; written && y < image.height(); ++y) {
        const qint64 rowBytes = qint64(image.width()) * 4;
        written = file.write(reinterpret_cast<const char *>(image.constScanLine(y)), rowBytes)
            == rowBytes;
    }
    return written && file.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: tunvia_skinbake PICTURE.svg OUTPUT_STEM\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "tunvia_skinbake: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    for (const int scale : { 1, 2 }) {
        QImage image(renderer.defaultSize() * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString stem = arguments.at(2) + (scale == 1 ? QString() : QStringLiteral("@2x"));
        if (!writePixels(image, stem)) {
            std::fprintf(stderr, "tunvia_skinbake: cannot write %s\n", qPrintable(stem));
            return 1;
        }
    }
    return 0;
}
