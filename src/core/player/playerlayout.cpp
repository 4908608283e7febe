#include "core/player/playerlayout.h"

namespace PlayerLayout {

QVector<QPoint> outline()
{
    return { { 6, 0 }, { 0, 7 }, { 0, 18 }, { 7, 24 }, { 7, 169 }, { 13, 178 }, { 433, 178 },
        { 442, 168 }, { 442, 0 }, { 39, 0 }, { 6, 0 } };
}

} // namespace PlayerLayout
