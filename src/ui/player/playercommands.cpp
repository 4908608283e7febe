#include "ui/player/playercommands.h"

#include "core/media/filefilter.h"
#include "core/media/filelocation.h"
#include "core/program/launcher.h"
#include "core/text/spaces.h"
#include "core/web/addressprompt.h"
#include "core/web/webaddresses.h"
#include "ui/common/appcontext.h"
#include "ui/common/prompts.h"

#include <QWidget>

PlayerCommands::PlayerCommands(AppContext &context, QWidget *window, Play play)
    : QObject(window)
    , m_context(context)
    , m_window(window)
    , m_play(std::move(play))
{
}

void PlayerCommands::openFile()
{
    const QString path = m_context.prompts.openFile(m_window, mediaFileFilter(), QString());
    if (path.isEmpty())
        return;
    // The path goes to the engine as the dialog gave it, nothing escaped.
    m_play(FileLocation::fromPath(path));
}

void PlayerCommands::openAddress()
{
    const QString answer
        = m_context.prompts.input(m_window, AddressPrompt::text(m_context.hosts.service),
            AddressPrompt::title(), AddressPrompt::defaultAnswer());
    if (AddressPrompt::accepts(answer))
        m_play(answer);
}

void PlayerCommands::search(const QString &text, const QString &category)
{
    if (trimSpaces(text).isEmpty()) {
        m_context.prompts.message(m_window, QStringLiteral("请输入您要查询的内容"),
            QStringLiteral("不能查询"), Prompts::Icon::None, Prompts::Buttons::Ok);
        return;
    }
    const WebAddresses addresses(m_context.hosts);
    // A browser that cannot be started is not reported.
    m_context.launcher.openUrl(addresses.songSearch(WebAddresses::searchCategory(category), text));
}
