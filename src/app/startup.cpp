#include "app/startup.h"

#include "app/windowset.h"
#include "core/playlist/listprefetch.h"
#include "ui/common/appcontext.h"
#include "ui/common/prompts.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistwindow.h"

Startup::Startup(AppContext &context, WindowSet &hub)
    : m_context(context)
    , m_hub(hub)
{
}

void Startup::run()
{
    PlayerWindow *player = m_hub.createPlayerWindow();
    // Loading the playlist places it against the player's right edge; both
    // windows are designed at the screen's top-left corner, so the tops agree.
    PlaylistWindow *playlist = m_hub.playlist();
    player->show();
    playlist->show();
    // A saved list still to be read is read now: read beside the building of
    // the windows it held them back. It starts before the engine, as no
    // thread can start while libmpv's libraries load.
    if (m_context.prefetchedList)
        m_context.prefetchedList->start();
    // The engine starts last, while the windows are already on the screen.
    m_hub.startEngine();
}

void Startup::finish(AppContext &context)
{
    context.state.lockMode = LockMode::Locked;
}

void Startup::fail()
{
    // The player window went with the engine; the message is all the user sees.
    if (PlaylistWindow *playlist = m_hub.existingPlaylist())
        playlist->hide();
    const QString text = QStringLiteral("您的系统没有安装RealPlay，或者是有文件注册不成功。")
        + u'\r' + QStringLiteral("请您安装新版的RealPlay，安装完成后再运行此软件。") + u'\r'
        + QStringLiteral("各大软件站均有下载。");
    m_context.prompts.message(nullptr, text, QStringLiteral("不能运行喔……"),
        Prompts::Icon::Information, Prompts::Buttons::Ok);
}
