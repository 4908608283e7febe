#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// Renders the skin's SVG pictures at the size they are drawn for, sharp at
// the screen's device pixel ratio.
namespace Skin {

// name is the file name without ".svg", e.g. "player".
QPixmap pixmap(const QString &name, QSize logicalSize, qreal devicePixelRatio);

} // namespace Skin
