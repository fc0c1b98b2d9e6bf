#pragma once
// The menu bar and the two pop-up menus, built from the command table: every item points at its
// action, so it follows the action's caption, picture, tick and enabled state.
class QMenu;
class QMenuBar;
class QWidget;
class TcommandTable;

struct TmainMenus {
    QMenuBar *mmMain = nullptr;      // handed to the main window, which owns it
    QMenu *pmViewTypes = nullptr;    // the view-mode drop-down of the toolbar's view button
    QMenu *pmToolBar = nullptr;      // the toolbar's context menu
};

// The menus are children of owner (the main window).
TmainMenus BuildMainMenus(TcommandTable &commands, QWidget *owner);
