#pragma once

#include "core/geometry/twips.h"

#include <QStringView>

// One control of a skinned window as its layout gives it: the skin's name for
// it (its objectName), its place in twips, its tool tip and its caption.
// Windows build their controls from tables of these rows.
struct ControlRow
{
    const char *name;
    TwipsRect twips;
    QStringView toolTip = {};
    QStringView caption = {};
};

// A hot spot: a control whose click asks for a command of its window.
template<typename Command> struct HotSpotRow
{
    ControlRow control;
    Command command;
};
