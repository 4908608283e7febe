#include "ui/menu/commandmenu.h"

#include "core/program/launcher.h"
#include "core/program/texts.h"
#include "ui/common/appcontext.h"
#include "ui/skin/cjkfont.h"
#include "ui/skin/skinstyle.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

namespace {

int indexOf(PopupMenu menu)
{
    return static_cast<int>(menu);
}

} // namespace

CommandMenu::CommandMenu(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("mmenu"));
    setWindowTitle(QStringLiteral("mmenu"));
    buildMainMenu();
    buildListMenus();
    buildNavigationMenu();
}

void CommandMenu::popup(PopupMenu which, QWidget *owner)
{
    QMenu *shown = menu(which);
    // The asking window owns the popup, so the window manager keeps it above
    // that window even when the window stays on top.
    shown->winId();
    if (owner && owner->window()->windowHandle() && shown->windowHandle())
        shown->windowHandle()->setTransientParent(owner->window()->windowHandle());
    shown->exec(QCursor::pos());
}

QMenu *CommandMenu::menu(PopupMenu which) const
{
    return m_menus[indexOf(which)];
}

QMenu *CommandMenu::createMenu(const QString &name, const QString &caption, QMenu *parentMenu)
{
    auto *created = new QMenu(caption, parentMenu ? static_cast<QWidget *>(parentMenu) : this);
    created->setObjectName(name);
    // Dark like the skins, in the Song face at 9 pt.
    created->setStyleSheet(SkinStyle::commandMenus());
    created->setFont(songFont());
    created->installEventFilter(this);
    if (parentMenu)
        parentMenu->addMenu(created)->setObjectName(name);
    return created;
}

bool CommandMenu::eventFilter(QObject *watched, QEvent *event)
{
    const bool click = event->type() == QEvent::MouseButtonPress
        || event->type() == QEvent::MouseButtonRelease
        || event->type() == QEvent::MouseButtonDblClick;
    if (!click)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    auto *menu = static_cast<QWidget *>(watched);
    // Other buttons do nothing on an item; outside the menu they still close it.
    return mouse->button() != Qt::LeftButton && menu->rect().contains(mouse->position().toPoint());
}

QAction *CommandMenu::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

void CommandMenu::addCommand(
    QMenu *menu, const QString &name, const QString &caption, void (CommandMenu::*request)())
{
    connect(addItem(menu, name, caption), &QAction::triggered, this, request);
}

void CommandMenu::addPage(
    QMenu *menu, const QString &name, const QString &caption, WebAddresses::Page page)
{
    connect(addItem(menu, name, caption), &QAction::triggered, this, [this, page] {
        // The menu reports nothing when no browser can be started.
        m_context.launcher.openUrl(WebAddresses(m_context.hosts).page(page));
    });
}

void CommandMenu::buildMainMenu()
{
    QMenu *main = createMenu(QStringLiteral("mmain"), QStringLiteral("mmain"));
    QMenu *open = createMenu(QStringLiteral("mopen"), Texts::kOpenMusic.toString(), main);
    addCommand(open, QStringLiteral("mopenfile"), QStringLiteral("打开一个文件"),
        &CommandMenu::openFileRequested);
    addCommand(open, QStringLiteral("mopenurl"), QStringLiteral("打开一个网址"),
        &CommandMenu::openAddressRequested);
    addCommand(main, QStringLiteral("mopelist"), Texts::kShowPlaylist.toString(),
        &CommandMenu::playlistRequested);
    QMenu *settings = createMenu(QStringLiteral("mxtsz"), Texts::kSystemSettings.toString(), main);
    addCommand(settings, QStringLiteral("stjxx"), Texts::kStatistics.toString(),
        &CommandMenu::statisticsRequested);
    addCommand(settings, QStringLiteral("sxtcs"), QStringLiteral("性能/连接"),
        &CommandMenu::performanceSettingsRequested);
    addCommand(main, QStringLiteral("about_x"), Texts::kAboutTunvia.toString(),
        &CommandMenu::aboutRequested);
    m_menus[indexOf(PopupMenu::Main)] = main;
    m_menus[indexOf(PopupMenu::Open)] = open;
    m_menus[indexOf(PopupMenu::Settings)] = settings;
}

void CommandMenu::buildListMenus()
{
    QMenu *add = createMenu(QStringLiteral("add"), QStringLiteral("add"));
    addCommand(
        add, QStringLiteral("addfile"), Texts::kAddFile.toString(), &CommandMenu::addFileRequested);
    addCommand(add, QStringLiteral("addurl"), Texts::kAddAddress.toString(),
        &CommandMenu::addAddressRequested);
    addCommand(add, QStringLiteral("adddir"), QStringLiteral("增加一个目录"),
        &CommandMenu::addDirectoryRequested);
    QMenu *del = createMenu(QStringLiteral("del"), QStringLiteral("del"));
    addCommand(del, QStringLiteral("delone"), Texts::kDeleteCurrent.toString(),
        &CommandMenu::deleteCurrentRequested);
    addCommand(del, QStringLiteral("delall"), Texts::kDeleteAll.toString(),
        &CommandMenu::deleteAllRequested);
    m_menus[indexOf(PopupMenu::Add)] = add;
    m_menus[indexOf(PopupMenu::Delete)] = del;
}

void CommandMenu::buildNavigationMenu()
{
    using Page = WebAddresses::Page;
    QMenu *navigation = createMenu(QStringLiteral("dh_main"), QStringLiteral("daohang"));
    addPage(
        navigation, QStringLiteral("dh_zxdg"), QStringLiteral("点歌送友"), Page::SongDedication);
    addPage(navigation, QStringLiteral("dh_xxda"), QStringLiteral("星星挡案"), Page::StarArchive);
    addPage(navigation, QStringLiteral("dh_zxyy"), QStringLiteral("在线音乐"), Page::OnlineMusic);
    addPage(navigation, QStringLiteral("dg_zxdy"), QStringLiteral("在线电影"), Page::OnlineFilms);
    addPage(navigation, QStringLiteral("dg_mtvxs"), QStringLiteral("MTV欣赏"), Page::MusicVideos);
    addPage(
        navigation, QStringLiteral("dg_zxdh"), QStringLiteral("在线动画"), Page::OnlineCartoons);
    addPage(navigation, QStringLiteral("dg_zxds"), QStringLiteral("在线电视"), Page::OnlineTv);
    m_menus[indexOf(PopupMenu::Navigation)] = navigation;
}
