#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

// The skin's pictures, drawn as SVG and rendered at the size the windows show
// them, sharp at the screen's device pixel ratio.
namespace Skin {

enum class Picture {
    Player,
    Playlist,
    Logo,
    GridHeader,
    TitleStrip,
    FileIcon,
    AddressIcon,
    LockLocked,
    LockSeparate,
    Check,
    ArrowDown,
    DropWindow,
    DropMarker,
    AboutBackground,
    AboutPicture,
    AboutInstructions,
    LinkPointer,
    ProgramIcon,
};

inline constexpr Picture kPictures[] = { Picture::Player, Picture::Playlist, Picture::Logo,
    Picture::GridHeader, Picture::TitleStrip, Picture::FileIcon, Picture::AddressIcon,
    Picture::LockLocked, Picture::LockSeparate, Picture::Check, Picture::ArrowDown,
    Picture::DropWindow, Picture::DropMarker, Picture::AboutBackground, Picture::AboutPicture,
    Picture::AboutInstructions, Picture::LinkPointer, Picture::ProgramIcon };

// The drawing's file name without ".svg", e.g. "player".
QString fileName(Picture picture);
// The size, in logical pixels, at which the windows show the picture.
QSize size(Picture picture);

QPixmap pixmap(Picture picture, qreal devicePixelRatio);

// Shows the picture in the label at the label's device pixel ratio, and
// remembers it so refreshPictures() can render it again.
void showPicture(QLabel *label, Picture picture);

// Renders every remembered picture below `window` again, for a window that
// moved to a screen with another scale factor.
void refreshPictures(QWidget *window);

} // namespace Skin
