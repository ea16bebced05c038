#include "boardreader.h"

#include "boardformat.h"
#include "penutil.h"

#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPointF>
#include <QRectF>
#include <QXmlStreamReader>
#include <charconv>
#include <cmath>
#include <zip.h>

Q_LOGGING_CATEGORY(lcBoardReader, "whiteboard.boardfile")

namespace {

QString damaged(const QString& strWhat)
{
    return QStringLiteral("the file is damaged (%1)").arg(strWhat);
}

QString megabytes(qint64 iBytes)
{
    return QStringLiteral("%1 MB").arg((iBytes + 1024 * 1024 - 1) / (1024 * 1024));
}

// An entry name that would land outside a folder the archive were unpacked into.
bool climbsOut(const QString& strName)
{
    if (strName.isEmpty() || strName.startsWith(QLatin1Char('/')) || strName.startsWith(QLatin1Char('\\')) ||
        (strName.size() > 1 && strName.at(1) == QLatin1Char(':')))
        return true;
    const QVector<QStringRef> parts = strName.splitRef(QRegExp(QStringLiteral("[/\\\\]")));
    for (const QStringRef& part : parts)
        if (part == QLatin1String(".."))
            return true;
    return false;
}

// The archive, read with every entry's size checked against what is left of the budget.
class CArchive
{
public:
    ~CArchive()
    {
        if (m_pArchive)
            zip_discard(m_pArchive);
    }

    bool open(const QByteArray& data, QString* pstrError)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* pSource = zip_source_buffer_create(data.constData(), data.size(), 0, &error);
        if (pSource) {
            m_pArchive = zip_open_from_source(pSource, ZIP_RDONLY | ZIP_CHECKCONS, &error);
            if (!m_pArchive)
                zip_source_free(pSource);
        }
        const int iError = zip_error_code_zip(&error);
        const QString strReason = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        if (m_pArchive)
            return true;
        // A file that begins as a ZIP archive yet is none is one cut short or overwritten in part.
        const bool bBeginsAsZip = data.startsWith(QByteArrayLiteral("PK\x03\x04"));
        *pstrError = iError == ZIP_ER_NOZIP && !bBeginsAsZip ? QStringLiteral("it is not a board file")
                                                             : damaged(strReason);
        return false;
    }

    zip_int64_t count() const { return zip_get_num_entries(m_pArchive, 0); }
    QString name(zip_int64_t iIndex) const
    {
        return QString::fromUtf8(zip_get_name(m_pArchive, iIndex, ZIP_FL_ENC_GUESS));
    }
    bool contains(const QString& strName) const
    {
        return zip_name_locate(m_pArchive, strName.toUtf8().constData(), 0) >= 0;
    }

    // The entry's data, at most its declared size, which must fit the budget before it is read.
    bool read(const QString& strName, QByteArray* pData, QString* pstrError)
    {
        const zip_int64_t iIndex = zip_name_locate(m_pArchive, strName.toUtf8().constData(), 0);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (iIndex < 0 || zip_stat_index(m_pArchive, iIndex, 0, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_SIZE)) {
            *pstrError = damaged(QStringLiteral("\"%1\" is missing").arg(strName));
            return false;
        }
        if (stat.size > quint64(boardformat::c_iMaxTotalBytes - m_iBytesRead)) {
            *pstrError =
                QStringLiteral("the file is too large to open (\"%1\" unpacks to %2; %3 is the most)")
                    .arg(strName, megabytes(qint64(qMin<quint64>(stat.size, 1ULL << 50))),
                         megabytes(boardformat::c_iMaxTotalBytes));
            return false;
        }
        m_iBytesRead += qint64(stat.size);
        zip_file_t* pFile = zip_fopen_index(m_pArchive, iIndex, 0);
        if (!pFile) {
            *pstrError = damaged(QString::fromUtf8(zip_strerror(m_pArchive)));
            return false;
        }
        pData->resize(int(stat.size));
        qint64 iDone = 0;
        bool bOk = true;
        while (bOk && iDone < pData->size()) {
            const zip_int64_t iRead =
                zip_fread(pFile, pData->data() + iDone, zip_uint64_t(pData->size() - iDone));
            bOk = iRead > 0;
            iDone += iRead > 0 ? iRead : 0;
        }
        // Reading on to the end makes the checksum be checked, and shows data beyond the declared size.
        char extra = 0;
        bOk = bOk && zip_fread(pFile, &extra, 1) == 0;
        if (!bOk)
            *pstrError = damaged(
                QStringLiteral("\"%1\": %2").arg(strName, QString::fromUtf8(zip_file_strerror(pFile))));
        zip_fclose(pFile);
        return bOk;
    }

private:
    zip_t* m_pArchive = nullptr;
    qint64 m_iBytesRead = 0;
};

class CBoardXmlReader
{
public:
    CBoardXmlReader(const QByteArray& xml, CArchive& archive, const CBoardReader::FPageRead& pageRead)
        : m_xml(xml), m_archive(archive), m_pageRead(pageRead)
    {
    }

    bool read(CBoardFile::SBoard* pBoard)
    {
        if (!nextElement(0) || m_xml.name() != QLatin1String("board"))
            return fail(QStringLiteral("it is not a board file"));
        bool bOk = false;
        const int iVersion = m_xml.attributes().value(QLatin1String("version")).toInt(&bOk);
        if (!bOk || iVersion < 1)
            return fail(damaged(QStringLiteral("it has no format version")));
        if (iVersion > CBoardFile::c_iVersion)
            return fail(
                QStringLiteral("it was saved by a newer version of the program (board format %1; this "
                               "version reads format %2)")
                    .arg(iVersion)
                    .arg(CBoardFile::c_iVersion));
        int iCurrent = 0;
        const QStringRef current = m_xml.attributes().value(QLatin1String("current"));
        if (!current.isEmpty() && !toInt(current, &iCurrent))
            return false;

        CBoardFile::SBoard board;
        while (nextElement(1)) {
            if (m_xml.name() != QLatin1String("page")) {
                if (!skip(1))
                    return false;
                continue;
            }
            if (board.pages.size() >= boardformat::c_iMaxPages)
                return fail(
                    QStringLiteral("it has too many pages (%1 is the most)").arg(boardformat::c_iMaxPages));
            board.pages.append(CBoardFile::SPage());
            if (!readPage(&board.pages.last()))
                return false;
            if (m_pageRead)
                m_pageRead(board.pages.last());
        }
        if (!m_strError.isEmpty())
            return false;
        board.iCurrentPage = iCurrent >= 0 && iCurrent < board.pages.size() ? iCurrent : 0;
        *pBoard = board;
        return true;
    }

    QString error() const { return m_strError; }

private:
    enum EValue
    {
        eValueRead,
        eValueSkipped,
        eValueFailed
    };

    bool fail(const QString& strReason)
    {
        if (m_strError.isEmpty())
            m_strError = strReason;
        return false;
    }

    // The next child element of the element at iDepth; false at its end or on an error (then noted).
    bool nextElement(int iDepth)
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                if (iDepth + 1 > boardformat::c_iMaxDepth)
                    return fail(QStringLiteral("it is nested too deeply (%1 levels is the most)")
                                    .arg(boardformat::c_iMaxDepth));
                return true;
            case QXmlStreamReader::EndElement:
                return false;
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                return fail(damaged(QStringLiteral("board.xml declares entities")));
            default:
                break;
            }
        }
        return fail(
            damaged(QStringLiteral("board.xml, line %1: %2")
                        .arg(m_xml.lineNumber())
                        .arg(m_xml.hasError() ? m_xml.errorString() : QStringLiteral("it ends early"))));
    }

    // Passes over the element just started (at iDepth), counting its nesting.
    bool skip(int iDepth)
    {
        qCWarning(lcBoardReader) << "Skipped the unknown element" << m_xml.name();
        while (nextElement(iDepth + 1))
            if (!skip(iDepth + 1))
                return false;
        return m_strError.isEmpty();
    }

    bool readPage(CBoardFile::SPage* pPage)
    {
        while (nextElement(2)) {
            if (m_xml.name() != QLatin1String("component")) {
                if (!skip(2))
                    return false;
                continue;
            }
            if (++m_iComponents > boardformat::c_iMaxComponents)
                return fail(QStringLiteral("it has too many components (%1 is the most)")
                                .arg(boardformat::c_iMaxComponents));
            CBoardFile::SComponent component;
            component.strType = m_xml.attributes().value(QLatin1String("type")).toString();
            while (nextElement(3)) {
                const QString strName = m_xml.attributes().value(QLatin1String("name")).toString();
                if (m_xml.name() != QLatin1String("property") || strName.isEmpty()) {
                    if (!skip(3))
                        return false;
                    continue;
                }
                QVariant value;
                EValue eValue = eValueSkipped;
                if (nextElement(4)) {
                    eValue = readValue(5, &value);
                    if (eValue == eValueFailed)
                        return false;
                    // One value a property; anything after it is passed over.
                    while (nextElement(4))
                        if (!skip(5))
                            return false;
                }
                if (!m_strError.isEmpty())
                    return false;
                if (eValue == eValueRead)
                    component.properties.append({strName, value});
            }
            if (!m_strError.isEmpty())
                return false;
            pPage->components.append(component);
        }
        return m_strError.isEmpty();
    }

    bool countValue()
    {
        return ++m_iValues <= boardformat::c_iMaxValues ||
               fail(QStringLiteral("it holds too many values (%1 is the most)")
                        .arg(boardformat::c_iMaxValues));
    }

    bool badNumber(const QStringRef& text)
    {
        QString strShown = text.left(24).toString().simplified();
        if (text.size() > 24)
            strShown += QStringLiteral("...");
        return fail(damaged(QStringLiteral("\"%1\" is not a number").arg(strShown)));
    }

    bool toInt(const QStringRef& text, int* piValue)
    {
        bool bOk = false;
        *piValue = text.trimmed().toInt(&bOk);
        return bOk || badNumber(text);
    }

    bool toNumbers(const QString& strText, int iCount, double* pdValues, bool bFinite)
    {
        const QVector<QStringRef> parts = strText.splitRef(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() != iCount)
            return badNumber(QStringRef(&strText));
        for (int i = 0; i < iCount; ++i) {
            bool bOk = false;
            pdValues[i] = parts.at(i).toDouble(&bOk);
            if (!bOk || (bFinite && !std::isfinite(pdValues[i])))
                return badNumber(parts.at(i));
        }
        return true;
    }

    EValue readPoints(const QString& strText, QVariant* pValue)
    {
        const qint64 iCount = strText.count(QLatin1Char(','));
        if (m_iPoints + iCount > boardformat::c_iMaxPoints) {
            fail(QStringLiteral("it has too many points (%1 is the most)").arg(boardformat::c_iMaxPoints));
            return eValueFailed;
        }
        m_iPoints += iCount;
        QVariantList points;
        points.reserve(int(iCount));
        // Parsed as bytes: a letter outside Latin-1 becomes '?', which is no number either.
        const QByteArray text = strText.toLatin1();
        const char* p = text.constData();
        const char* const pEnd = p + text.size();
        const auto isSpace = [](char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; };
        while (p < pEnd) {
            if (isSpace(*p)) {
                ++p;
                continue;
            }
            const char* const pToken = p;
            double dX = 0.0, dY = 0.0;
            const std::from_chars_result x = std::from_chars(p, pEnd, dX);
            bool bOk = x.ec == std::errc() && x.ptr < pEnd && *x.ptr == ',';
            const std::from_chars_result y = bOk ? std::from_chars(x.ptr + 1, pEnd, dY)
                                                 : std::from_chars_result{pEnd, std::errc::invalid_argument};
            bOk = bOk && y.ec == std::errc() && (y.ptr == pEnd || isSpace(*y.ptr)) && std::isfinite(dX) &&
                  std::isfinite(dY);
            if (!bOk) {
                const char* pTokenEnd = pToken;
                while (pTokenEnd < pEnd && !isSpace(*pTokenEnd))
                    ++pTokenEnd;
                const QString strToken = QString::fromLatin1(pToken, int(pTokenEnd - pToken));
                badNumber(QStringRef(&strToken));
                return eValueFailed;
            }
            points.append(QPointF(dX, dY));
            p = y.ptr;
        }
        *pValue = points;
        return eValueRead;
    }

    EValue readImage(QVariant* pValue)
    {
        const QString strRef = m_xml.attributes().value(QLatin1String("ref")).toString();
        bool bFormat = false;
        const int iFormat = m_xml.attributes().value(QLatin1String("format")).toInt(&bFormat);
        m_xml.readElementText();
        if (m_xml.hasError()) {
            fail(damaged(
                QStringLiteral("board.xml, line %1: %2").arg(m_xml.lineNumber()).arg(m_xml.errorString())));
            return eValueFailed;
        }
        if (strRef.isEmpty()) {
            *pValue = QImage();
            return eValueRead;
        }
        if (climbsOut(strRef)) {
            fail(QStringLiteral("it names a place outside the board (\"%1\")").arg(strRef.left(80)));
            return eValueFailed;
        }
        QImage image = m_images.value(strRef);
        if (image.isNull()) {
            QByteArray png;
            if (!m_archive.read(strRef, &png, &m_strError))
                return eValueFailed;
            QBuffer buffer(&png);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, "png");
            const QSize size = reader.size();
            if (!size.isValid() || size.isEmpty()) {
                fail(damaged(QStringLiteral("the picture \"%1\" cannot be read").arg(strRef)));
                return eValueFailed;
            }
            m_iPixels += qint64(size.width()) * size.height();
            if (m_iPixels > boardformat::c_iMaxPicturePixels) {
                fail(QStringLiteral("its pictures are too large (%1 million pixels is the most)")
                         .arg(boardformat::c_iMaxPicturePixels / (1024 * 1024)));
                return eValueFailed;
            }
            if (!reader.read(&image)) {
                fail(damaged(QStringLiteral("the picture \"%1\" cannot be read").arg(strRef)));
                return eValueFailed;
            }
            if (bFormat && iFormat > QImage::Format_Invalid && iFormat < QImage::NImageFormats &&
                image.format() != QImage::Format(iFormat))
                image = image.convertToFormat(QImage::Format(iFormat));
            m_images.insert(strRef, image);
        }
        *pValue = image;
        return eValueRead;
    }

    // The value element just started, at iDepth.
    EValue readValue(int iDepth, QVariant* pValue)
    {
        if (!countValue())
            return eValueFailed;
        const QStringRef name = m_xml.name();
        if (name == QLatin1String("list") || name == QLatin1String("stringlist") ||
            name == QLatin1String("map") || name == QLatin1String("hash"))
            return readContainer(iDepth, pValue);
        if (name == QLatin1String("image"))
            return readImage(pValue);

        const QString strType = name.toString();
        const bool bString = strType == QLatin1String("string");
        const bool bEncoded = bString && m_xml.attributes().hasAttribute(QLatin1String("encoding"));
        const QString strStreamed = strType == QLatin1String("data")
                                        ? m_xml.attributes().value(QLatin1String("type")).toString()
                                        : QString();
        const QString strText = m_xml.readElementText();
        if (m_xml.hasError()) {
            fail(damaged(
                QStringLiteral("board.xml, line %1: %2").arg(m_xml.lineNumber()).arg(m_xml.errorString())));
            return eValueFailed;
        }
        const QStringRef text(&strText);
        bool bOk = true;
        double values[4] = {0.0, 0.0, 0.0, 0.0};
        if (strType == QLatin1String("null")) {
            *pValue = QVariant();
        } else if (bString) {
            if (!bEncoded) {
                *pValue = strText;
            } else {
                const QByteArray utf16 = QByteArray::fromBase64(strText.toLatin1());
                *pValue = QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.constData()),
                                             utf16.size() / 2);
            }
        } else if (strType == QLatin1String("bool")) {
            bOk = strText == QLatin1String("true") || strText == QLatin1String("false");
            *pValue = strText == QLatin1String("true");
        } else if (strType == QLatin1String("int")) {
            *pValue = text.toInt(&bOk);
        } else if (strType == QLatin1String("uint")) {
            *pValue = text.toUInt(&bOk);
        } else if (strType == QLatin1String("long")) {
            *pValue = text.toLongLong(&bOk);
        } else if (strType == QLatin1String("ulong")) {
            *pValue = text.toULongLong(&bOk);
        } else if (strType == QLatin1String("double")) {
            *pValue = text.toDouble(&bOk);
        } else if (strType == QLatin1String("float")) {
            *pValue = text.toFloat(&bOk);
        } else if (strType == QLatin1String("color")) {
            const QColor color(strText);
            bOk = strText.isEmpty() || color.isValid();
            *pValue = color;
        } else if (strType == QLatin1String("font")) {
            QFont font;
            bOk = font.fromString(strText);
            *pValue = font;
        } else if (strType == QLatin1String("point") || strType == QLatin1String("pointf")) {
            if (!toNumbers(strText, 2, values, true))
                return eValueFailed;
            const QPointF point(values[0], values[1]);
            *pValue = strType == QLatin1String("point") ? QVariant(point.toPoint()) : QVariant(point);
        } else if (strType == QLatin1String("size") || strType == QLatin1String("sizef")) {
            if (!toNumbers(strText, 2, values, true))
                return eValueFailed;
            const QSizeF size(values[0], values[1]);
            *pValue = strType == QLatin1String("size") ? QVariant(size.toSize()) : QVariant(size);
        } else if (strType == QLatin1String("rect") || strType == QLatin1String("rectf")) {
            if (!toNumbers(strText, 4, values, true))
                return eValueFailed;
            const QRectF rect(values[0], values[1], values[2], values[3]);
            *pValue = strType == QLatin1String("rect") ? QVariant(rect.toRect()) : QVariant(rect);
        } else if (strType == QLatin1String("points")) {
            return readPoints(strText, pValue);
        } else if (strType == QLatin1String("bytes")) {
            *pValue = QByteArray::fromBase64(strText.toLatin1());
        } else if (strType == QLatin1String("alignment")) {
            *pValue = QVariant::fromValue(Qt::Alignment(text.toInt(&bOk)));
        } else if (strType == QLatin1String("linestyle")) {
            *pValue = QVariant::fromValue(PenUtil::ELineStyle(text.toInt(&bOk)));
        } else if (strType == QLatin1String("data")) {
            return readStreamed(strStreamed, strText, pValue);
        } else {
            qCWarning(lcBoardReader) << "Skipped a value of the unknown type" << strType;
            return eValueSkipped;
        }
        if (!bOk) {
            badNumber(text);
            return eValueFailed;
        }
        return eValueRead;
    }

    EValue readStreamed(const QString& strTypeName, const QString& strText, QVariant* pValue)
    {
        const int iType = QMetaType::type(strTypeName.toLatin1().constData());
        if (iType == QMetaType::UnknownType || !boardformat::isStreamedType(iType)) {
            qCWarning(lcBoardReader) << "Skipped a value of the unknown type" << strTypeName;
            return eValueSkipped;
        }
        const QByteArray bytes = QByteArray::fromBase64(strText.toLatin1());
        QDataStream stream(bytes);
        QVariant value(iType, nullptr);
        if (!QMetaType::load(stream, iType, value.data()) || stream.status() != QDataStream::Ok) {
            qCWarning(lcBoardReader) << "Skipped a value of type" << strTypeName << "that does not read back";
            return eValueSkipped;
        }
        *pValue = value;
        return eValueRead;
    }

    EValue readContainer(int iDepth, QVariant* pValue)
    {
        const QString strType = m_xml.name().toString();
        const bool bKeyed = strType == QLatin1String("map") || strType == QLatin1String("hash");
        QVariantList list;
        QStringList strings;
        QVariantMap map;
        QVariantHash hash;
        while (nextElement(iDepth)) {
            const QStringRef key = m_xml.attributes().value(QLatin1String("key"));
            if (bKeyed && !m_xml.attributes().hasAttribute(QLatin1String("key"))) {
                fail(damaged(QStringLiteral("a map entry has no key")));
                return eValueFailed;
            }
            const QString strKey = key.toString();
            QVariant item;
            const EValue eItem = readValue(iDepth + 1, &item);
            if (eItem == eValueFailed)
                return eValueFailed;
            if (eItem == eValueSkipped)
                continue;
            if (strType == QLatin1String("map"))
                map.insert(strKey, item);
            else if (strType == QLatin1String("hash"))
                hash.insert(strKey, item);
            else if (strType == QLatin1String("stringlist"))
                strings.append(item.toString());
            else
                list.append(item);
        }
        if (!m_strError.isEmpty())
            return eValueFailed;
        if (strType == QLatin1String("map"))
            *pValue = map;
        else if (strType == QLatin1String("hash"))
            *pValue = hash;
        else if (strType == QLatin1String("stringlist"))
            *pValue = strings;
        else
            *pValue = list;
        return eValueRead;
    }

    QXmlStreamReader m_xml;
    CArchive& m_archive;
    const CBoardReader::FPageRead& m_pageRead;
    QString m_strError;
    qint64 m_iComponents = 0;
    qint64 m_iPoints = 0;
    qint64 m_iValues = 0;
    qint64 m_iPixels = 0;
    QHash<QString, QImage> m_images;
};

QString tooLarge()
{
    return QStringLiteral("the file is too large to open (%1 is the most)")
        .arg(megabytes(boardformat::c_iMaxTotalBytes));
}

} // namespace

bool CBoardReader::read(const QString& strPath, CBoardFile::SBoard* pBoard, QString* pstrError,
                        const FPageRead& pageRead)
{
    QFile file(strPath);
    QString strError;
    if (!file.open(QIODevice::ReadOnly))
        strError = file.errorString();
    else if (file.size() > boardformat::c_iMaxTotalBytes)
        strError = tooLarge();
    else
        return decode(file.readAll(), pBoard, pstrError, pageRead);
    if (pstrError)
        *pstrError = strError;
    return false;
}

bool CBoardReader::decode(const QByteArray& data, CBoardFile::SBoard* pBoard, QString* pstrError,
                          const FPageRead& pageRead)
{
    QString strError;
    const auto fail = [&](const QString& strReason) {
        if (pstrError)
            *pstrError = strReason;
        return false;
    };
    if (data.isEmpty())
        return fail(QStringLiteral("the file is empty"));
    if (data.size() > boardformat::c_iMaxTotalBytes)
        return fail(tooLarge());
    CArchive archive;
    if (!archive.open(data, &strError))
        return fail(strError);
    if (archive.count() > boardformat::c_iMaxEntries)
        return fail(damaged(QStringLiteral("it holds too many entries")));
    for (zip_int64_t i = 0; i < archive.count(); ++i) {
        const QString strName = archive.name(i);
        if (climbsOut(strName))
            return fail(QStringLiteral("it names a place outside the board (\"%1\")").arg(strName.left(80)));
    }

    QByteArray mimeType;
    const QString strMimeEntry = QLatin1String(boardformat::c_szMimeEntry);
    if (!archive.contains(strMimeEntry) || !archive.read(strMimeEntry, &mimeType, &strError) ||
        mimeType.trimmed() != boardformat::c_szMimeType)
        return fail(QStringLiteral("it is not a board file"));

    QByteArray xml;
    if (!archive.read(QLatin1String(boardformat::c_szBoardEntry), &xml, &strError))
        return fail(strError);
    CBoardXmlReader reader(xml, archive, pageRead);
    CBoardFile::SBoard board;
    if (!reader.read(&board))
        return fail(reader.error());
    if (pBoard)
        *pBoard = board;
    return true;
}
