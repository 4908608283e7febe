#pragma once

#include "core/geometry/layoutrow.h"

#include <QString>

class QWidget;

// Gives the control its row's object name, its place (when the row has one),
// its tool tip and its accessible name.
void placeControl(QWidget *control, const ControlRow &row);

// The row's caption as the widgets take it.
inline QString captionOf(const ControlRow &row)
{
    return row.caption.toString();
}
