// Numbers as the board file's text keeps them: the shortest text that reads back as the same double,
// as std::to_chars gives it. A board is mostly such numbers (a stroke's points, a tenth of a scene unit
// fine), so these have a quick way of their own that gives the same text.
#pragma once

#include <QByteArray>
#include <charconv>
#include <cmath>

namespace numbertext {

inline void append(QByteArray& text, double d)
{
    // Below 100000 the plain form is never longer than the exponent form, which is what to_chars
    // would choose; a value that is a whole number of tenths there reads back from its tenths.
    if (d > -100000.0 && d < 100000.0) {
        const long long iTenths = std::llround(d * 10.0);
        if (double(iTenths) / 10.0 == d && !(iTenths == 0 && std::signbit(d))) {
            char buffer[16];
            char* pEnd = buffer + sizeof(buffer);
            char* p = pEnd;
            unsigned long long iAbs = iTenths < 0 ? 0ULL - (unsigned long long)iTenths : iTenths;
            if (iAbs % 10 != 0) {
                *--p = char('0' + iAbs % 10);
                *--p = '.';
            }
            iAbs /= 10;
            do {
                *--p = char('0' + iAbs % 10);
                iAbs /= 10;
            } while (iAbs != 0);
            if (iTenths < 0)
                *--p = '-';
            text.append(p, int(pEnd - p));
            return;
        }
    }
    char buffer[32];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof(buffer), d);
    text.append(buffer, int(result.ptr - buffer));
}

} // namespace numbertext
