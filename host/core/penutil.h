// Line styles of outlines and their Qt pen styles.
#pragma once

#include <QMetaType>
#include <Qt>

namespace PenUtil {

enum ELineStyle
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
