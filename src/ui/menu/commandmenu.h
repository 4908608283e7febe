#pragma once

#include "core/web/webaddresses.h"
#include "ui/menu/popupmenu.h"

#include <QWidget>

struct AppContext;
class QMenu;

// The hidden window "mmenu" that carries every popup menu of the program.
// It opens the web service's pages itself; every other command it emits as a
// request for whichever window carries it out.
class CommandMenu : public QWidget
{
    Q_OBJECT
public:
    explicit CommandMenu(AppContext &context);

    // Pops the menu up at the mouse pointer; returns when it closes, after the
    // chosen command has run. Dismissing the menu does nothing.
    void popup(PopupMenu menu, QWidget *owner);

    QMenu *menu(PopupMenu menu) const;

protected:
    // Items are chosen with the left button (or the keyboard) only.
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    void openFileRequested();
    void openAddressRequested();
    void playlistRequested();
    void statisticsRequested();
    void performanceSettingsRequested();
    void aboutRequested();
    void addFileRequested();
    void addAddressRequested();
    void addDirectoryRequested();
    void deleteCurrentRequested();
    void deleteAllRequested();

private:
    QMenu *createMenu(const QString &name, const QString &caption, QMenu *parentMenu = nullptr);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    void addCommand(
        QMenu *menu, const QString &name, const QString &caption, void (CommandMenu::*request)());
    void addPage(QMenu *menu, const QString &name, const QString &caption, WebAddresses::Page page);
    void buildMainMenu();
    void buildListMenus();
    void buildNavigationMenu();

    AppContext &m_context;
    QMenu *m_menus[6] = {};
};
