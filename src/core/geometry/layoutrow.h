#pragma once

#include "core/geometry/twips.h"

#include <QStringView>

// One control of a skinned window as its layout gives it: the skin's name for
// it (its objectName), its place in twips, its tool tip, its caption and the
// name assistive technology reads where neither of those says what it is.
// Windows build their controls from tables of these rows.
struct ControlRow
{
    const char *name;
    TwipsRect twips;
    QStringView toolTip = {};
    QStringView caption = {};
    QStringView accessibleName = {};
};

// What a screen reader calls the control: its own name, else its tool tip,
// else its caption.
constexpr QStringView spokenName(const ControlRow &row)
{
    if (!row.accessibleName.isEmpty())
        return row.accessibleName;
    return row.toolTip.isEmpty() ? row.caption : row.toolTip;
}

// A hot spot: a control whose click asks for a command of its window.
template<typename Command> struct HotSpotRow
{
    ControlRow control;
    Command command;
};
