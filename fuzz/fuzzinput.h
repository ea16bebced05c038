// The fuzzer's bytes read front to back as small values; past the end every read gives zero, so any
// input, however short, is a whole case.
#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

class CFuzzInput
{
public:
    CFuzzInput(const uint8_t* pData, size_t iSize) : m_pData(pData), m_iSize(iSize) {}

    bool atEnd() const { return m_iPos >= m_iSize; }
    uint8_t byte() { return atEnd() ? 0 : m_pData[m_iPos++]; }
    uint16_t word() { return uint16_t(byte() | (byte() << 8)); }
    int16_t signedWord() { return int16_t(word()); }
    uint32_t dword() { return uint32_t(word()) | (uint32_t(word()) << 16); }
    double real()
    {
        uint64_t iBits = uint64_t(dword()) | (uint64_t(dword()) << 32);
        double dValue;
        static_assert(sizeof(dValue) == sizeof(iBits), "a double is 64 bits");
        std::memcpy(&dValue, &iBits, sizeof(dValue));
        return dValue;
    }
    // Up to iMax bytes as they are.
    QByteArray bytes(int iMax)
    {
        const int iCount = int(std::min<size_t>(size_t(iMax), m_iSize - std::min(m_iPos, m_iSize)));
        const QByteArray result(reinterpret_cast<const char*>(m_pData + m_iPos), iCount);
        m_iPos += size_t(iCount);
        return result;
    }
    // A string of any content: raw UTF-16 code units (lone surrogates, line feeds and NULs included),
    // Latin-1 bytes, one code unit repeated up to 4 095 times (longer
    // only slows the text layout down), or nothing.
    QString string()
    {
        switch (byte() % 4) {
        case 0: {
            const int iUnits = byte();
            QString strText;
            strText.reserve(iUnits);
            for (int i = 0; i < iUnits && !atEnd(); ++i)
                strText.append(QChar(word()));
            return strText;
        }
        case 1:
            return QString::fromLatin1(bytes(byte()));
        case 2: {
            const QChar unit(word());
            const int iTimes = int(word() & 0x0fff);
            return QString(iTimes, unit);
        }
        default:
            return QString();
        }
    }

private:
    const uint8_t* m_pData;
    size_t m_iSize;
    size_t m_iPos = 0;
};
