#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

// Renders the skin's SVG pictures at the size they are drawn for, sharp at
// the screen's device pixel ratio.
namespace Skin {

// name is the file name without ".svg", e.g. "player".
QPixmap pixmap(const QString &name, QSize logicalSize, qreal devicePixelRatio);

// Shows the picture in the label at the label's device pixel ratio, and
// remembers it so refreshPictures() can render it again.
void showPicture(QLabel *label, const QString &name, QSize logicalSize);

// Renders every remembered picture below `window` again, for a window that
// moved to a screen with another scale factor.
void refreshPictures(QWidget *window);

} // namespace Skin
