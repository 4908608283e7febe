#include "ui/playlist/playlistplayback.h"

#include "core/media/filelocation.h"
#include "core/playlist/looplist.h"
#include "core/playlist/playlistlayout.h"
#include "core/playlist/playlistmodel.h"
#include "core/program/launcher.h"
#include "core/text/safesave.h"
#include "core/text/spaces.h"
#include "ui/common/appcontext.h"
#include "ui/common/prompts.h"

#include <QtConcurrent/QtConcurrentRun>

PlaylistPlayback::PlaylistPlayback(
    AppContext &context, PlaylistModel &model, QWidget *window, Play play)
    : m_context(context)
    , m_model(model)
    , m_window(window)
    , m_play(std::move(play))
{
    // A draw made from a list that changed meanwhile is drawn again.
    const auto changed = [this] { m_listChanged = true; };
    connect(&model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(&model, &QAbstractItemModel::modelReset, this, changed);
    connect(&model, &QAbstractItemModel::layoutChanged, this, changed);
}

PlaylistPlayback::~PlaylistPlayback()
{
    cancel();
}

void PlaylistPlayback::cancel()
{
    // The watchers stay, unheard: their follow-ups check the request.
    nextRequest();
}

bool PlaylistPlayback::writeLoopList(const std::shared_ptr<LoopFile> &file, quint64 request,
    const QString &path, const QStringList &lines)
{
    const std::lock_guard lock(file->writing);
    return file->latest == request && LoopList::write(path, lines);
}

QString PlaylistPlayback::loopListPath() const
{
    return m_context.folder.file(QString::fromUtf16(LoopList::kFileName));
}

void PlaylistPlayback::playCurrent(const QString &chosenEntry)
{
    const int row = m_model.currentRow();
    if (row < 1 || row > m_model.itemCount())
        return;
    if (chosenEntry.isEmpty() || chosenEntry == QLatin1String("Tunvia"))
        playInEngine(row);
    else
        startExternal(chosenEntry, m_model.cellText(row, PlaylistModel::TextColumn));
}

void PlaylistPlayback::playInEngine(int row)
{
    const quint64 request = nextRequest();
    const QString text = trimSpaces(m_model.cellText(row, PlaylistModel::TextColumn));
    if (!m_loopList) {
        m_play(text);
        return;
    }
    auto *writing = new QFutureWatcher<bool>(this);
    connect(writing, &QFutureWatcherBase::finished, this, [this, writing, request, text] {
        writing->deleteLater();
        playLooping(request, text, writing->result());
    });
    writing->setFuture(QtConcurrent::run(
        [file = m_loopFile, request, path = loopListPath(), items = m_model.items(), row] {
            const QStringList texts = LoopList::rotated(PlaylistModel::textsOf(items), row - 1);
            return writeLoopList(file, request, path, texts);
        }));
}

void PlaylistPlayback::playLooping(quint64 request, const QString &text, bool written)
{
    if (!isLatest(request))
        return;
    // When the loop list cannot be written the item still plays, alone.
    if (!written && !SafeSave::mayReplace(loopListPath()))
        reportUnsafeLoopList();
    if (isLatest(request))
        m_play(written ? FileLocation::fromPath(loopListPath()) : text);
}

void PlaylistPlayback::reportUnsafeLoopList()
{
    if (m_toldUnsafeLoopList)
        return;
    m_toldUnsafeLoopList = true;
    m_context.prompts.message(m_window,
        QStringLiteral("循环播放列表文件 %1 是一个链接，而这个链接、它指向的文件或它所在的"
                       "文件夹并不只属于您。为安全起见，不会通过它写入列表，只播放选定的项目。")
            .arg(loopListPath()),
        QStringLiteral("循环播放"), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistPlayback::startExternal(const QString &entry, const QString &itemText)
{
    for (const ExternalPlayers::Player &player : std::as_const(m_players)) {
        if (player.name != entry)
            continue;
        // The location is one argument, spaces and all.
        if (!m_context.launcher.startProgram(
                player.program, { ExternalPlayers::location(itemText) })) {
            m_context.prompts.message(m_window,
                QStringLiteral("无法启动播放器“%1”（%2），它可能已被删除。")
                    .arg(entry, player.program),
                PlaylistLayout::kOtherPlayers.accessibleName.toString(), Prompts::Icon::Warning,
                Prompts::Buttons::Ok);
        }
        return;
    }
}

void PlaylistPlayback::randomOrder()
{
    if (m_drawing)
        return;
    const int count = m_model.itemCount();
    if (count == 0)
        return;
    if (count < RandomOrder::kMinimumItems) {
        m_context.prompts.message(m_window, RandomOrder::tooFewText(count), QStringLiteral("！！"),
            Prompts::Icon::None, Prompts::Buttons::Ok);
        return;
    }
    const quint64 request = nextRequest();
    m_drawing = true;
    m_listChanged = false;
    auto *drawing = new QFutureWatcher<Drawn>(this);
    connect(drawing, &QFutureWatcherBase::finished, this, [this, drawing, request] {
        drawing->deleteLater();
        m_drawing = false;
        showDraw(request, drawing->result());
    });
    drawing->setFuture(QtConcurrent::run([file = m_loopFile, request, path = loopListPath(),
                                             items = m_model.items(), pick = m_pick] {
        Drawn drawn { RandomOrder::draw(PlaylistModel::textsOf(items), pick), false };
        drawn.written = writeLoopList(file, request, path, drawn.draw.lines);
        return drawn;
    }));
}

void PlaylistPlayback::showDraw(quint64 request, const Drawn &drawn)
{
    if (!isLatest(request))
        return; // the window closed, or something else was asked to play
    if (m_listChanged) {
        randomOrder();
        return;
    }
    m_model.setCurrentCell(drawn.draw.rows.last(), PlaylistModel::TextColumn);
    if (!drawn.written) {
        m_context.prompts.message(m_window,
            QStringLiteral("无法写入随机播放列表文件：") + loopListPath(), QStringLiteral("！！"),
            Prompts::Icon::Warning, Prompts::Buttons::Ok);
        return;
    }
    const Prompts::Answer answer = m_context.prompts.message(m_window, drawn.draw.preview,
        QStringLiteral("您看这顺序怎样？"), Prompts::Icon::None, Prompts::Buttons::YesNo);
    // Nothing plays when the box went unanswered or the window closed under it.
    if (answer == Prompts::Answer::Yes && isLatest(request))
        m_play(loopListPath());
}
