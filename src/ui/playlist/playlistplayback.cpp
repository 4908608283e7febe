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

PlaylistPlayback::PlaylistPlayback(
    AppContext &context, PlaylistModel &model, QWidget *window, Play play)
    : m_context(context)
    , m_model(model)
    , m_window(window)
    , m_play(std::move(play))
{
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
    const QString text = trimSpaces(m_model.cellText(row, PlaylistModel::TextColumn));
    QString source = text;
    if (m_loopList) {
        const QStringList texts = LoopList::rotated(m_model.texts(), row - 1);
        // When the loop list cannot be written the item still plays, alone.
        if (LoopList::write(loopListPath(), texts))
            source = FileLocation::fromPath(loopListPath());
        else if (!SafeSave::mayReplace(loopListPath()))
            reportUnsafeLoopList();
    }
    m_play(source);
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
    const int count = m_model.itemCount();
    if (count == 0)
        return;
    if (count < RandomOrder::kMinimumItems) {
        m_context.prompts.message(m_window, RandomOrder::tooFewText(count), QStringLiteral("！！"),
            Prompts::Icon::None, Prompts::Buttons::Ok);
        return;
    }
    const RandomOrder::Draw draw = RandomOrder::draw(m_model.texts(), m_pick);
    m_model.setCurrentCell(draw.rows.last(), PlaylistModel::TextColumn);
    if (!LoopList::write(loopListPath(), draw.lines)) {
        m_context.prompts.message(m_window,
            QStringLiteral("无法写入随机播放列表文件：") + loopListPath(), QStringLiteral("！！"),
            Prompts::Icon::Warning, Prompts::Buttons::Ok);
        return;
    }
    const Prompts::Answer answer = m_context.prompts.message(m_window, draw.preview,
        QStringLiteral("您看这顺序怎样？"), Prompts::Icon::None, Prompts::Buttons::YesNo);
    if (answer == Prompts::Answer::Yes)
        m_play(loopListPath());
}
