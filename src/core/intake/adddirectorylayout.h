#pragma once

#include "core/geometry/layoutrow.h"
#include "core/program/texts.h"

// The add-directory dialog's size and controls, in twips.
namespace AddDirectoryLayout {

inline constexpr int kWidthTwips = 4590;
inline constexpr int kHeightTwips = 3585;

inline constexpr ControlRow kDrives { "Drive1", { 120, 180, 4380, 300 }, {}, {}, u"驱动器" };
inline constexpr ControlRow kDirectories { "Dir1", { 135, 585, 4290, 2400 }, {}, {}, u"目录" };
inline constexpr ControlRow kConfirm { "Command1", { 2025, 3195, 1095, 285 }, {}, Texts::kOk };
inline constexpr ControlRow kCancel { "Command2", { 3330, 3195, 1095, 270 }, {}, Texts::kCancel };

} // namespace AddDirectoryLayout
