#include "menu/commandmenu.h"

#include "app/appcontext.h"
#include "app/launcher.h"
#include "app/windowhub.h"
#include "engine/mediaengine.h"
#include "player/playerwindow.h"
#include "playlist/playlistwindow.h"

#include <QAbstractButton>
#include <QCursor>
#include <QMenu>
#include <QWindow>

namespace {

// Dark like the skins, in the Song face at 9 pt.
const QString kMenuStyle = QStringLiteral(
    "QMenu { background: #20262e; color: #e8ecf0; border: 1px solid #5a6878; padding: 2px; }"
    "QMenu::item { padding: 3px 22px 3px 14px; }"
    "QMenu::item:selected { background: #3d6590; color: #ffffff; }"
    "QMenu::right-arrow { width: 8px; }");

int indexOf(CommandMenu::Menu menu)
{
    return static_cast<int>(menu);
}

} // namespace

CommandMenu::CommandMenu(AppContext &context, WindowHub &hub)
    : m_context(context)
    , m_hub(hub)
{
    setObjectName(QStringLiteral("mmenu"));
    setWindowTitle(QStringLiteral("mmenu"));
    buildMainMenu();
    buildListMenus();
    buildNavigationMenu();
}

void CommandMenu::popup(Menu which, QWidget *owner)
{
    QMenu *shown = menu(which);
    // The asking window owns the popup, so the window manager keeps it above
    // that window even when the window stays on top.
    shown->winId();
    if (owner && owner->window()->windowHandle() && shown->windowHandle())
        shown->windowHandle()->setTransientParent(owner->window()->windowHandle());
    shown->exec(QCursor::pos());
}

QMenu *CommandMenu::menu(Menu which) const
{
    return m_menus[indexOf(which)];
}

QMenu *CommandMenu::createMenu(const QString &name, const QString &caption, QMenu *parentMenu)
{
    auto *created = new QMenu(caption, parentMenu ? static_cast<QWidget *>(parentMenu) : this);
    created->setObjectName(name);
    created->setStyleSheet(kMenuStyle);
    created->setFont(QFont(QStringLiteral(u"宋体"), 9));
    if (parentMenu)
        parentMenu->addMenu(created)->setObjectName(name);
    return created;
}

void CommandMenu::addCommand(
    QMenu *menu, const QString &name, const QString &caption, std::function<void()> action)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [action = std::move(action)] { action(); });
}

void CommandMenu::addPage(
    QMenu *menu, const QString &name, const QString &caption, WebAddresses::Page page)
{
    addCommand(menu, name, caption, [this, page] {
        // The menu reports nothing when no browser can be started.
        m_context.launcher.openUrl(WebAddresses(m_context.hosts).page(page));
    });
}

void CommandMenu::buildMainMenu()
{
    QMenu *main = createMenu(QStringLiteral("mmain"), QStringLiteral("mmain"));
    QMenu *open = createMenu(QStringLiteral("mopen"), QStringLiteral(u"打开音乐"), main);
    addCommand(open, QStringLiteral("mopenfile"), QStringLiteral(u"打开一个文件"),
        [this] { pressPlayerButton(&PlayerWindow::command2); });
    addCommand(open, QStringLiteral("mopenurl"), QStringLiteral(u"打开一个网址"),
        [this] { pressPlayerButton(&PlayerWindow::command3); });
    addCommand(main, QStringLiteral("mopelist"), QStringLiteral(u"显示播放列表"),
        [this] { m_hub.showPlaylistDocked(); });
    QMenu *settings = createMenu(QStringLiteral("mxtsz"), QStringLiteral(u"系统设置"), main);
    addCommand(settings, QStringLiteral("stjxx"), QStringLiteral(u"统计信息"),
        [this] { showStatistics(); });
    addCommand(settings, QStringLiteral("sxtcs"), QStringLiteral(u"性能/连接"),
        [this] { showPerformanceSettings(); });
    addCommand(
        main, QStringLiteral("about_x"), QStringLiteral(u"关于Tunvia"), [this] { m_hub.showAbout(); });
    m_menus[indexOf(Menu::mmain)] = main;
    m_menus[indexOf(Menu::mopen)] = open;
    m_menus[indexOf(Menu::mxtsz)] = settings;
}

void CommandMenu::buildListMenus()
{
    QMenu *add = createMenu(QStringLiteral("add"), QStringLiteral("add"));
    addCommand(add, QStringLiteral("addfile"), QStringLiteral(u"增加一个文件"),
        [this] { pressPlaylistButton(QStringLiteral("Command6")); });
    addCommand(add, QStringLiteral("addurl"), QStringLiteral(u"增加一个网址"),
        [this] { pressPlaylistButton(QStringLiteral("Command5")); });
    addCommand(add, QStringLiteral("adddir"), QStringLiteral(u"增加一个目录"),
        [this] { m_hub.showAddDirectory(); });
    QMenu *del = createMenu(QStringLiteral("del"), QStringLiteral("del"));
    addCommand(del, QStringLiteral("delone"), QStringLiteral(u"删除这条"),
        [this] { pressPlaylistButton(QStringLiteral("Command8")); });
    addCommand(del, QStringLiteral("delall"), QStringLiteral(u"删除所有"),
        [this] { pressPlaylistButton(QStringLiteral("Command7")); });
    m_menus[indexOf(Menu::add)] = add;
    m_menus[indexOf(Menu::del)] = del;
}

void CommandMenu::buildNavigationMenu()
{
    using Page = WebAddresses::Page;
    QMenu *navigation = createMenu(QStringLiteral("dh_main"), QStringLiteral("daohang"));
    addPage(navigation, QStringLiteral("dh_zxdg"), QStringLiteral(u"点歌送友"), Page::dh_zxdg);
    addPage(navigation, QStringLiteral("dh_xxda"), QStringLiteral(u"星星挡案"), Page::dh_xxda);
    addPage(navigation, QStringLiteral("dh_zxyy"), QStringLiteral(u"在线音乐"), Page::dh_zxyy);
    addPage(navigation, QStringLiteral("dg_zxdy"), QStringLiteral(u"在线电影"), Page::dg_zxdy);
    addPage(navigation, QStringLiteral("dg_mtvxs"), QStringLiteral(u"MTV欣赏"), Page::dg_mtvxs);
    addPage(navigation, QStringLiteral("dg_zxdh"), QStringLiteral(u"在线动画"), Page::dg_zxdh);
    addPage(navigation, QStringLiteral("dg_zxds"), QStringLiteral(u"在线电视"), Page::dg_zxds);
    m_menus[indexOf(Menu::dh_main)] = navigation;
}

// A forwarded command is exactly a click on the button that implements it;
// the window is created first when it does not exist.
void CommandMenu::pressPlayerButton(PlayerButton button)
{
    if (PlayerWindow *player = m_hub.playmain())
        if (QAbstractButton *pressed = (player->*button)())
            pressed->click();
}

void CommandMenu::pressPlaylistButton(const QString &name)
{
    if (auto *button = m_hub.playlist()->findChild<QAbstractButton *>(name))
        button->click();
}

void CommandMenu::showStatistics()
{
    if (MediaEngine *engine = m_hub.engine())
        engine->ShowStatisticsView(true);
}

void CommandMenu::showPerformanceSettings()
{
    if (MediaEngine *engine = m_hub.engine())
        engine->ShowPerformanceSettings();
}
