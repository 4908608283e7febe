#pragma once

#include <QString>

// The style sheet that fits the player's real widgets to its skin.
namespace PlayerStyle {
QString styleSheet();
}
