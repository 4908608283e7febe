#pragma once

#include <QMetaType>

// The popup menus of the command menu. Main holds Open and Settings as
// submenus; Add and Delete belong to the playlist, Navigation to the web
// service's pages.
enum class PopupMenu { Main, Open, Settings, Add, Delete, Navigation };

// The tabs of the About window that callers ask for.
enum class AboutTab { AsItIs = -1, Introduction = 0, Instructions = 1 };
