#include "penutil.h"

namespace PenUtil {

Qt::PenStyle toQtPenStyle(int iLineStyle)
{
    switch (iLineStyle) {
    case eLineStyleNone:
        return Qt::NoPen;
    case eLineStyleDash:
        return Qt::DashLine;
    case eLineStyleDot:
        return Qt::DotLine;
    case eLineStyleDashDot:
        return Qt::DashDotLine;
    case eLineStyleDashDotDot:
        return Qt::DashDotDotLine;
    default:
        // Codes from newer boards must still draw something the user can see and change.
        return Qt::SolidLine;
    }
}

} // namespace PenUtil
