// Line styles of outlines and their Qt pen styles.
#pragma once

#include <QMetaType>
#include <Qt>

namespace PenUtil {

// Stored styles may carry codes the enumeration does not name (a newer host's, a hand-edited file);
// the fixed underlying type makes every int a value of the type, so such codes can be held and then
// sorted out, where without it they would lie beyond the enumeration's range.
enum ELineStyle : int
{
    eLineStyleNone = 0,
    eLineStyleSolid = 1,
    eLineStyleDash = 2,
    eLineStyleDot = 3,
    eLineStyleDashDot = 4,
    eLineStyleDashDotDot = 5
};

// Codes outside the enumeration draw solid.
Qt::PenStyle toQtPenStyle(int iLineStyle);

} // namespace PenUtil

Q_DECLARE_METATYPE(PenUtil::ELineStyle)
