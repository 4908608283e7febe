#pragma once

#include <QColor>
#include <QString>

// The colours and style sheets that fit Qt's widgets to the skin, in one
// place. Each sheet names only its own window's controls, so that boxes and
// dialogs the windows open keep the desktop's look.
namespace SkinStyle {

// The light grey of the playlist's grid, its other-players box and buttons,
// and the About window's link box and texts.
inline constexpr QColor kListGrey { 224, 224, 224 };
// The selected cell of the playlist grid.
inline constexpr QColor kGridSelection = kListGrey;
// Behind the About window's picture, where the skin draws nothing.
inline constexpr QColor kAboutBackdrop { 0x1b, 0x2d, 0x44 };

QString playerWindow();
QString aboutWindow();
QString commandMenus();
QString playlistGrid();
QString otherPlayersBox();
QString randomButton();
QString directoryList();

} // namespace SkinStyle
