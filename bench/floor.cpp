// The floor for start-up and idle memory: the least a Qt Widgets program does
// to put two frameless, shaped windows on the screen, each painting a gradient
// and one Chinese text. Tunvia's own figures are compared with this one's.
#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QWidget>

namespace {

class PaintedWindow : public QWidget
{
public:
    PaintedWindow(const QString &text, QSize size)
        : m_text(text)
    {
        setWindowFlags(Qt::FramelessWindowHint);
        resize(size);
        const int w = size.width(), h = size.height();
        setMask(QRegion(QPolygon({ { 8, 0 }, { w - 8, 0 }, { w, 8 }, { w, h - 8 }, { w - 8, h },
            { 8, h }, { 0, h - 8 }, { 0, 8 } })));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, QColor(0x2b, 0x4a, 0x78));
        fill.setColorAt(1, QColor(0x10, 0x1c, 0x33));
        painter.fillRect(rect(), fill);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, m_text);
    }

private:
    QString m_text;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setFamilies({ QStringLiteral("DejaVu Sans"), QStringLiteral("AR PL UMing CN") });
    font.setPointSize(9);
    QApplication::setFont(font);
    PaintedWindow player(QStringLiteral(u"正在播放"), QSize(275, 116));
    PaintedWindow list(QStringLiteral(u"播放列表"), QSize(275, 116));
    player.move(0, 0);
    list.move(275, 0);
    player.show();
    list.show();
    return QApplication::exec();
}
