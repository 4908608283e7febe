#include "player/playercommands.h"

#include "app/addressprompt.h"
#include "app/appcontext.h"
#include "app/filefilter.h"
#include "app/launcher.h"
#include "app/prompts.h"
#include "app/spaces.h"
#include "app/windowhub.h"
#include "engine/mediaengine.h"
#include "menu/webaddresses.h"

#include <QWidget>

PlayerCommands::PlayerCommands(AppContext &context, WindowHub &hub, QWidget *window)
    : QObject(window)
    , m_context(context)
    , m_hub(hub)
    , m_window(window)
{
}

void PlayerCommands::openFile()
{
    const QString path = m_context.prompts.openFile(m_window, mediaFileFilter(), QString());
    if (path.isEmpty())
        return;
    // The path goes to the engine as the dialog gave it, nothing escaped.
    play(QStringLiteral("file://") + path);
}

void PlayerCommands::openAddress()
{
    const QString answer
        = m_context.prompts.input(m_window, AddressPrompt::text(m_context.hosts.service),
            AddressPrompt::title(), AddressPrompt::defaultAnswer());
    if (AddressPrompt::accepts(answer))
        play(answer);
}

void PlayerCommands::search(const QString &text, const QString &category)
{
    if (trimSpaces(text).isEmpty()) {
        m_context.prompts.message(m_window, QStringLiteral(u"请输入您要查询的内容"),
            QStringLiteral(u"不能查询"), Prompts::Icon::None, Prompts::Buttons::Ok);
        return;
    }
    const WebAddresses addresses(m_context.hosts);
    // A browser that cannot be started is not reported.
    m_context.launcher.openUrl(addresses.songSearch(WebAddresses::searchCategory(category), text));
}

void PlayerCommands::play(const QString &source)
{
    MediaEngine *engine = m_hub.engine();
    if (!engine)
        return;
    engine->ClipSource(source);
    engine->StartPlayback();
}
