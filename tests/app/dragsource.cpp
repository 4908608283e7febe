// A drag source for the end-to-end tests: another program from which files
// and text are dragged onto Tunvia's drop window, as from a file manager.
//
//   tunvia_dragsource [--text TEXT] [PATH ...]
//
// Shows a window titled "dragsource"; a left-button press on it starts a drag
// carrying the text (text/plain) and the paths (text/uri-list). When the drag
// ends it prints what the target answered ("copy", "move", "link" or
// "ignore"), and "finished" once the target reports that it has taken the
// data (the drop's transaction ends). It keeps running, as a real source
// does: the target reads the dropped data from it after the drop.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextStream>
#include <QUrl>
#include <QWidget>

namespace {

QString actionName(Qt::DropAction action)
{
    switch (action) {
    case Qt::CopyAction:
        return QStringLiteral("copy");
    case Qt::MoveAction:
        return QStringLiteral("move");
    case Qt::LinkAction:
        return QStringLiteral("link");
    default:
        return QStringLiteral("ignore");
    }
}

class DragSource : public QWidget
{
public:
    DragSource(QString text, QList<QUrl> files)
        : m_text(std::move(text))
        , m_files(std::move(files))
    {
        setWindowTitle(QStringLiteral("dragsource"));
        setFixedSize(120, 80);
        setStyleSheet(QStringLiteral("background: #4f82bb;"));
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto *data = new QMimeData;
        if (!m_files.isEmpty())
            data->setUrls(m_files);
        if (!m_text.isEmpty())
            data->setText(m_text);
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        // The platform deletes the drag when the target has finished the drop.
        QObject::connect(
            drag, &QObject::destroyed, [] { QTextStream(stdout) << "finished" << Qt::endl; });
        // Offer a move too, as file managers do: the target must choose copy.
        const Qt::DropAction result = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
        QTextStream(stdout) << actionName(result) << Qt::endl;
    }

private:
    QString m_text;
    QList<QUrl> m_files;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString text;
    if (arguments.size() >= 2 && arguments.first() == u"--text") {
        text = arguments.at(1);
        arguments = arguments.mid(2);
    }
    QList<QUrl> files;
    for (const QString &path : std::as_const(arguments))
        files.append(QUrl::fromLocalFile(path));
    DragSource window(text, files);
    window.move(100, 300);
    window.show();
    return QApplication::exec();
}
