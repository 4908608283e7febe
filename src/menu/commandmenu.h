#pragma once

#include "menu/webaddresses.h"

#include <QWidget>

#include <functional>

struct AppContext;
class PlayerWindow;
class QAbstractButton;
class QMenu;
class WindowHub;

// The hidden window "mmenu" that carries every popup menu of the program.
// Its commands forward to the other windows: they press a window's button,
// call the engine, show a window or open a page of the web service.
class CommandMenu : public QWidget
{
    Q_OBJECT
public:
    enum class Menu { mmain, mopen, mxtsz, add, del, dh_main };

    CommandMenu(AppContext &context, WindowHub &hub);

    // Pops the menu up at the mouse pointer; returns when it closes, after the
    // chosen command has run. Dismissing the menu does nothing.
    void popup(Menu menu, QWidget *owner);

    QMenu *menu(Menu menu) const;

private:
    QMenu *createMenu(const QString &name, const QString &caption, QMenu *parentMenu = nullptr);
    void addCommand(
        QMenu *menu, const QString &name, const QString &caption, std::function<void()> action);
    void addPage(QMenu *menu, const QString &name, const QString &caption, WebAddresses::Page page);
    void buildMainMenu();
    void buildListMenus();
    void buildNavigationMenu();

    using PlayerButton = QAbstractButton *(PlayerWindow::*)() const;
    void pressPlayerButton(PlayerButton button);
    void pressPlaylistButton(const QString &name);
    void showStatistics();
    void showPerformanceSettings();

    AppContext &m_context;
    WindowHub &m_hub;
    QMenu *m_menus[6] = {};
};
