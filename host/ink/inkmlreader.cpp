#include "inkmlreader.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString c_strX = QStringLiteral("X");
const QString c_strY = QStringLiteral("Y");
const QString c_strT = QStringLiteral("T");

// Where an error is: the file, then the line and the column (both counted from 1, as editors do).
QString place(const QString& strSource, qint64 iLine, qint64 iColumn)
{
    return QStringLiteral("%1:%2:%3").arg(strSource).arg(iLine).arg(iColumn);
}

QString place(const QString& strSource, const QXmlStreamReader& xml)
{
    return place(strSource, xml.lineNumber(), xml.columnNumber() + 1);
}

// An element's identifier: xml:id as InkML has it, or a plain id as some collections write it.
QString elementId(const QXmlStreamAttributes& attributes)
{
    const QStringRef xmlId = attributes.value(QLatin1String("xml:id"));
    return (xmlId.isEmpty() ? attributes.value(QLatin1String("id")) : xmlId).toString();
}

// The channels that InkML defines; a file naming another is not one this reader understands.
bool isKnownChannel(const QString& strName)
{
    static const QStringList c_known = {
        QStringLiteral("X"),  QStringLiteral("Y"),   QStringLiteral("Z"),   QStringLiteral("F"),
        QStringLiteral("S"),  QStringLiteral("OTx"), QStringLiteral("OTy"), QStringLiteral("OA"),
        QStringLiteral("OE"), QStringLiteral("OR"),  QStringLiteral("C"),   QStringLiteral("CR"),
        QStringLiteral("CG"), QStringLiteral("CB"),  QStringLiteral("CC"),  QStringLiteral("CM"),
        QStringLiteral("CY"), QStringLiteral("CK"),  QStringLiteral("W"),   QStringLiteral("T")};
    if (c_known.contains(strName))
        return true;
    // Buttons are numbered: B1, B2, ...
    bool bNumber = false;
    return strName.size() > 1 && strName.startsWith(QLatin1Char('B')) && strName.mid(1).toInt(&bNumber) > 0 &&
           bNumber;
}

bool isKnownChannelType(const QString& strType)
{
    return strType.isEmpty() || strType == QLatin1String("decimal") || strType == QLatin1String("double") ||
           strType == QLatin1String("integer") || strType == QLatin1String("boolean");
}

// Points per inch from a resolution and its units; 0 for units that are no length.
double perInch(double dValue, const QString& strUnits)
{
    const QString strUnit = strUnits.trimmed().toLower();
    if (strUnit.isEmpty() || strUnit == QLatin1String("1/in"))
        return dValue;
    if (strUnit == QLatin1String("1/cm"))
        return dValue * 2.54;
    if (strUnit == QLatin1String("1/mm"))
        return dValue * 25.4;
    if (strUnit == QLatin1String("1/m"))
        return dValue * 0.0254;
    return 0.0;
}

// One trace's text, as the channels of its format give it. Values may be explicit ("!"), first
// differences ("'") or second differences ("\""); a mode once given holds for that channel until
// another is given. "*" repeats a channel's last value, "T" and "F" are 1 and 0.
class CTraceParser
{
public:
    // With bImplicitTime the file declared no format: a third value of a point is its time, and
    // every point of the trace must then have one.
    CTraceParser(const QString& strText, int iChannels, bool bImplicitTime = false)
        : m_text(strText), m_iChannels(iChannels), m_bImplicitTime(bImplicitTime)
    {
    }

    // Each point's values in channel order; false with the reason in strError.
    bool parse(QVector<QVector<double>>& points, int iPointBudget, QString& strError)
    {
        QVector<int> modes(m_iChannels, 0);
        QVector<double> last(m_iChannels, 0.0);
        QVector<double> velocity(m_iChannels, 0.0);
        QVector<double> values;
        int iPoint = 0;
        while (true) {
            skipSpace();
            if (atEnd() && values.isEmpty())
                break;
            if (atEnd() || peek() == QLatin1Char(',')) {
                if (values.size() < 2 || values.size() > m_iChannels) {
                    strError = QStringLiteral("point %1 has %2 values for %3")
                                   .arg(iPoint + 1)
                                   .arg(values.size())
                                   .arg(channelsText());
                    return false;
                }
                if (m_bImplicitTime && !points.isEmpty() && (values.size() > 2) != m_bTimed) {
                    strError = QStringLiteral("point %1 has %2 values, the points before it %3")
                                   .arg(iPoint + 1)
                                   .arg(values.size())
                                   .arg(m_bTimed ? 3 : 2);
                    return false;
                }
                m_bTimed = values.size() > 2;
                if (points.size() >= iPointBudget) {
                    strError =
                        QStringLiteral("more than %1 points in the file").arg(CInkMLReader::c_iMaxPoints);
                    return false;
                }
                values.resize(m_iChannels);
                points.append(values);
                values.clear();
                ++iPoint;
                if (atEnd())
                    break;
                ++m_iPos;
                continue;
            }
            const int iChannel = values.size();
            if (iChannel >= m_iChannels) {
                strError =
                    QStringLiteral("point %1 has more values than %2").arg(iPoint + 1).arg(channelsText());
                return false;
            }
            const QChar prefix = peek();
            if (prefix == QLatin1Char('!') || prefix == QLatin1Char('\'') || prefix == QLatin1Char('"')) {
                modes[iChannel] = prefix == QLatin1Char('!') ? 0 : (prefix == QLatin1Char('\'') ? 1 : 2);
                ++m_iPos;
                skipSpace();
            }
            double dValue = 0.0;
            if (!atEnd() && peek() == QLatin1Char('*')) {
                ++m_iPos;
                values.append(last[iChannel]);
                continue;
            }
            if (!atEnd() && (peek() == QLatin1Char('T') || peek() == QLatin1Char('F'))) {
                dValue = peek() == QLatin1Char('T') ? 1.0 : 0.0;
                ++m_iPos;
            } else if (!readNumber(dValue)) {
                strError = QStringLiteral("point %1 has no number where channel %2 is expected")
                               .arg(iPoint + 1)
                               .arg(iChannel + 1);
                return false;
            }
            double dResult = dValue;
            if (modes[iChannel] == 1) {
                velocity[iChannel] = dValue;
                dResult = last[iChannel] + dValue;
            } else if (modes[iChannel] == 2) {
                velocity[iChannel] += dValue;
                dResult = last[iChannel] + velocity[iChannel];
            } else {
                velocity[iChannel] = dValue - last[iChannel];
            }
            if (!std::isfinite(dResult) || std::fabs(dResult) > 1.0e12) {
                strError = QStringLiteral("point %1 has a number out of range").arg(iPoint + 1);
                return false;
            }
            last[iChannel] = dResult;
            values.append(dResult);
        }
        return true;
    }

    // Where the parser stopped in the text; after a failure, where the fault is.
    int position() const { return m_iPos; }
    // Whether the points had a third value where the file declared no format.
    bool hasImplicitTime() const { return m_bImplicitTime && m_bTimed; }

private:
    QString channelsText() const
    {
        return m_bImplicitTime ? QStringLiteral("X, Y and time (the file declares no trace format)")
                               : QStringLiteral("the %1 channels").arg(m_iChannels);
    }
    bool atEnd() const { return m_iPos >= m_text.size(); }
    QChar peek() const { return m_text.at(m_iPos); }
    void skipSpace()
    {
        while (!atEnd() && peek().isSpace())
            ++m_iPos;
    }
    // A decimal number; a sign may follow the previous number without a space ("3-4").
    bool readNumber(double& dValue)
    {
        const int iStart = m_iPos;
        if (!atEnd() && (peek() == QLatin1Char('-') || peek() == QLatin1Char('+')))
            ++m_iPos;
        bool bDigits = false;
        while (!atEnd() && peek().isDigit()) {
            ++m_iPos;
            bDigits = true;
        }
        if (!atEnd() && peek() == QLatin1Char('.')) {
            ++m_iPos;
            while (!atEnd() && peek().isDigit()) {
                ++m_iPos;
                bDigits = true;
            }
        }
        if (!bDigits)
            return false;
        if (!atEnd() && (peek() == QLatin1Char('e') || peek() == QLatin1Char('E'))) {
            const int iMark = m_iPos++;
            if (!atEnd() && (peek() == QLatin1Char('-') || peek() == QLatin1Char('+')))
                ++m_iPos;
            if (atEnd() || !peek().isDigit())
                m_iPos = iMark;
            while (!atEnd() && peek().isDigit())
                ++m_iPos;
        }
        bool bOk = false;
        dValue = m_text.midRef(iStart, m_iPos - iStart).toDouble(&bOk);
        return bOk;
    }

    const QString& m_text;
    const int m_iChannels;
    const bool m_bImplicitTime;
    bool m_bTimed = false;
    int m_iPos = 0;
};

} // namespace

// One pass over an InkML document into a reader's traces, groups and resolutions. It stops at the
// first fault and keeps that fault's place and reason.
class CInkMLReader::CDocumentReader
{
public:
    CDocumentReader(CInkMLReader& reader, const QByteArray& data, const QString& strSourceName);

    // False with "file:line:column: reason" in error().
    bool read();
    QString error() const { return m_strError; }

private:
    bool readElements();
    void endElement();
    bool startElement();
    bool readChannel(const QXmlStreamAttributes& attributes);
    bool readResolution(const QXmlStreamAttributes& attributes);
    void openGroup(const QXmlStreamAttributes& attributes);
    void readAnnotation(const QXmlStreamAttributes& attributes);
    void readTraceView(const QXmlStreamAttributes& attributes);
    bool readTrace(const QXmlStreamAttributes& attributes);
    bool resolveTraceViews();

    QString elementPlace() const;
    QString textPlace(const QString& strText, int iAt, qint64 iTextLine, qint64 iTextColumn) const;
    bool failAt(const QString& strPlace, const QString& strMessage);
    // At the element being looked at.
    bool fail(const QString& strMessage) { return failAt(m_strElementPlace, strMessage); }
    // Where the reader is: at a fault in the XML, or at the end of the document.
    bool failHere(const QString& strMessage) { return failAt(place(m_strSource, m_xml), strMessage); }

    // A traceView of a group; resolved once every trace is known, since a view may come before the
    // trace it names.
    struct SView
    {
        int iGroup = 0;
        QString strRef;
        QString strPlace;
    };

    CInkMLReader& m_reader;
    const QByteArray& m_data;
    const QString& m_strSource;
    QXmlStreamReader m_xml;
    // Where each line starts, to place an element at the '<' of its start tag.
    QVector<int> m_lineStarts = {0};
    QStringList m_channels = {c_strX, c_strY};
    // No format was declared: the default X and Y, and time where a point has a third value.
    bool m_bFormatDeclared = false;
    QStringList m_pendingChannels;
    double m_dTimeScale = 1.0;
    double m_dPendingTimeScale = 1.0;
    bool m_bInk = false;
    int m_iPoints = 0;
    // Open trace groups, innermost last, as indexes into the reader's groups.
    QVector<int> m_openGroups;
    QVector<SView> m_views;
    QString m_strElementPlace;
    QString m_strError;
};

CInkMLReader::CDocumentReader::CDocumentReader(CInkMLReader& reader, const QByteArray& data,
                                               const QString& strSourceName)
    : m_reader(reader), m_data(data), m_strSource(strSourceName), m_xml(data)
{
    for (int i = 0; i < data.size(); ++i)
        if (data.at(i) == '\n')
            m_lineStarts.append(i + 1);
}

bool CInkMLReader::CDocumentReader::read()
{
    if (m_data.trimmed().isEmpty())
        return failAt(place(m_strSource, 1, 1), QStringLiteral("the file is empty"));
    if (!readElements())
        return false;
    if (m_xml.hasError())
        return failHere(m_xml.errorString());
    if (!m_bInk)
        return failHere(QStringLiteral("the file is empty"));
    if (!resolveTraceViews())
        return false;
    if (m_reader.m_traces.isEmpty())
        return failHere(QStringLiteral("the file has no traces"));
    return true;
}

bool CInkMLReader::CDocumentReader::readElements()
{
    // The reader is at its end after a fault in the XML too; read() tells that fault.
    while (!m_xml.atEnd()) {
        m_xml.readNext();
        if (m_xml.isEndElement())
            endElement();
        else if (m_xml.isStartElement() && !startElement())
            return false;
    }
    return true;
}

void CInkMLReader::CDocumentReader::endElement()
{
    const QStringRef name = m_xml.name();
    if (name == QLatin1String("traceFormat")) {
        if (!m_pendingChannels.isEmpty()) {
            m_bFormatDeclared = true;
            m_channels = m_pendingChannels;
            m_dTimeScale = m_dPendingTimeScale;
        }
    } else if (name == QLatin1String("traceGroup") && !m_openGroups.isEmpty()) {
        m_openGroups.removeLast();
    }
}

bool CInkMLReader::CDocumentReader::startElement()
{
    m_strElementPlace = elementPlace();
    const QStringRef name = m_xml.name();
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!m_bInk) {
        if (name != QLatin1String("ink"))
            return fail(QStringLiteral("the document is not InkML (its root is <%1>)").arg(name.toString()));
        m_bInk = true;
    } else if (name == QLatin1String("traceFormat")) {
        m_pendingChannels.clear();
        m_dPendingTimeScale = 1.0;
    } else if (name == QLatin1String("channel")) {
        return readChannel(attributes);
    } else if (name == QLatin1String("channelProperty")) {
        return readResolution(attributes);
    } else if (name == QLatin1String("traceGroup")) {
        openGroup(attributes);
    } else if (name == QLatin1String("annotation")) {
        readAnnotation(attributes);
    } else if (name == QLatin1String("traceView")) {
        readTraceView(attributes);
    } else if (name == QLatin1String("trace")) {
        return readTrace(attributes);
    }
    return true;
}

bool CInkMLReader::CDocumentReader::readChannel(const QXmlStreamAttributes& attributes)
{
    const QString strName = attributes.value(QLatin1String("name")).toString();
    if (strName.isEmpty())
        return fail(QStringLiteral("a channel has no name"));
    if (!isKnownChannel(strName))
        return fail(QStringLiteral("the channel '%1' is none that InkML knows").arg(strName));
    if (m_pendingChannels.contains(strName))
        return fail(QStringLiteral("the channel '%1' is given twice").arg(strName));
    const QString strType = attributes.value(QLatin1String("type")).toString();
    if (!isKnownChannelType(strType))
        return fail(QStringLiteral("the channel '%1' has the unknown type '%2'").arg(strName, strType));
    if (strName == c_strT && attributes.value(QLatin1String("units")) == QLatin1String("s"))
        m_dPendingTimeScale = 1000.0;
    m_pendingChannels.append(strName);
    return true;
}

bool CInkMLReader::CDocumentReader::readResolution(const QXmlStreamAttributes& attributes)
{
    if (attributes.value(QLatin1String("name")) != QLatin1String("resolution"))
        return true;
    bool bOk = false;
    const double dValue = attributes.value(QLatin1String("value")).toDouble(&bOk);
    if (!bOk || !(dValue > 0.0) || !std::isfinite(dValue))
        return fail(QStringLiteral("a resolution is not a positive number"));
    const double dPerInch = perInch(dValue, attributes.value(QLatin1String("units")).toString());
    const QStringRef channel = attributes.value(QLatin1String("channel"));
    if (channel == c_strX)
        m_reader.m_dResolutionX = dPerInch;
    else if (channel == c_strY)
        m_reader.m_dResolutionY = dPerInch;
    return true;
}

void CInkMLReader::CDocumentReader::openGroup(const QXmlStreamAttributes& attributes)
{
    SGroup group;
    group.strId = elementId(attributes);
    m_reader.m_groups.append(group);
    m_openGroups.append(m_reader.m_groups.size() - 1);
}

void CInkMLReader::CDocumentReader::readAnnotation(const QXmlStreamAttributes& attributes)
{
    if (attributes.value(QLatin1String("type")) != QLatin1String("truth"))
        return;
    // Outside any group the truth is what the whole file says, as in a file of one formula.
    QString& strTruth =
        m_openGroups.isEmpty() ? m_reader.m_strTruth : m_reader.m_groups[m_openGroups.last()].strTruth;
    strTruth = m_xml.readElementText().trimmed();
}

void CInkMLReader::CDocumentReader::readTraceView(const QXmlStreamAttributes& attributes)
{
    if (m_openGroups.isEmpty())
        return;
    SView view;
    view.iGroup = m_openGroups.last();
    view.strRef = attributes.value(QLatin1String("traceDataRef")).toString();
    view.strPlace = m_strElementPlace;
    m_views.append(view);
}

bool CInkMLReader::CDocumentReader::readTrace(const QXmlStreamAttributes& attributes)
{
    const int iX = m_channels.indexOf(c_strX);
    const int iY = m_channels.indexOf(c_strY);
    const bool bImplicitTime = !m_bFormatDeclared;
    const int iT = bImplicitTime ? 2 : m_channels.indexOf(c_strT);
    if (iX < 0 || iY < 0)
        return fail(QStringLiteral("the trace format has no X and Y channels"));
    STrace trace;
    trace.strId = elementId(attributes);
    const QString strTraceName =
        trace.strId.isEmpty() ? QString::number(m_reader.m_traces.size() + 1) : trace.strId;
    const qint64 iTextLine = m_xml.lineNumber();
    const qint64 iTextColumn = m_xml.columnNumber();
    const QString strText = m_xml.readElementText(QXmlStreamReader::SkipChildElements);
    if (m_xml.hasError())
        return true;
    QVector<QVector<double>> values;
    QString strError;
    CTraceParser parser(strText, bImplicitTime ? 3 : m_channels.size(), bImplicitTime);
    if (!parser.parse(values, c_iMaxPoints - m_iPoints, strError))
        return failAt(textPlace(strText, std::min(parser.position(), strText.size()), iTextLine, iTextColumn),
                      QStringLiteral("trace %1: %2").arg(strTraceName, strError));
    if (values.isEmpty())
        return fail(QStringLiteral("trace %1 has no points").arg(strTraceName));
    m_iPoints += values.size();
    trace.points.reserve(values.size());
    for (const QVector<double>& point : values)
        trace.points.append(QPointF(point[iX], point[iY]));
    if (bImplicitTime ? parser.hasImplicitTime() : iT >= 0) {
        trace.bTimed = true;
        trace.dStartMs = values.first()[iT] * m_dTimeScale;
        trace.dEndMs = values.last()[iT] * m_dTimeScale;
    }
    m_reader.m_traces.append(trace);
    if (!m_openGroups.isEmpty())
        m_reader.m_groups[m_openGroups.last()].traces.append(m_reader.m_traces.size() - 1);
    return true;
}

bool CInkMLReader::CDocumentReader::resolveTraceViews()
{
    QHash<QString, int> traceById;
    for (int i = 0; i < m_reader.m_traces.size(); ++i)
        if (!m_reader.m_traces[i].strId.isEmpty())
            traceById.insert(m_reader.m_traces[i].strId, i);
    for (const SView& view : qAsConst(m_views)) {
        QString strRef = view.strRef;
        if (strRef.startsWith(QLatin1Char('#')))
            strRef.remove(0, 1);
        const auto found = traceById.constFind(strRef);
        if (found == traceById.constEnd())
            return failAt(view.strPlace,
                          QStringLiteral("a traceView names the trace '%1', which the file does not have")
                              .arg(view.strRef));
        m_reader.m_groups[view.iGroup].traces.append(found.value());
    }
    return true;
}

// The reader stands just past the start tag's '>', and no '<' can come in between.
QString CInkMLReader::CDocumentReader::elementPlace() const
{
    const qint64 iLine = std::clamp<qint64>(m_xml.lineNumber(), 1, m_lineStarts.size());
    const int iEnd = std::min<qint64>(m_lineStarts[iLine - 1] + m_xml.columnNumber(), m_data.size());
    const int iStart = std::max(0, static_cast<int>(m_data.lastIndexOf('<', iEnd - 1)));
    const int iStartLine = static_cast<int>(
        std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), iStart) - m_lineStarts.begin());
    return place(m_strSource, iStartLine, iStart - m_lineStarts[iStartLine - 1] + 1);
}

// A trace's text starts right after its start tag; a fault in it is placed at its own character.
QString CInkMLReader::CDocumentReader::textPlace(const QString& strText, int iAt, qint64 iTextLine,
                                                 qint64 iTextColumn) const
{
    const int iLineStart = strText.lastIndexOf(QLatin1Char('\n'), iAt - 1);
    const qint64 iLine = iTextLine + strText.leftRef(iAt).count(QLatin1Char('\n'));
    const qint64 iColumn = iLineStart < 0 ? iTextColumn + iAt + 1 : iAt - iLineStart;
    return place(m_strSource, iLine, iColumn);
}

bool CInkMLReader::CDocumentReader::failAt(const QString& strPlace, const QString& strMessage)
{
    m_strError = QStringLiteral("%1: %2").arg(strPlace, strMessage);
    return false;
}

bool CInkMLReader::readFile(const QString& strPath)
{
    clear();
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: cannot be read: %2").arg(strPath, file.errorString()));
    if (file.size() > c_iMaxFileBytes)
        return fail(QStringLiteral("%1: %2 bytes is more than the %3 bytes read at most")
                        .arg(place(strPath, 1, 1))
                        .arg(file.size())
                        .arg(c_iMaxFileBytes));
    return readData(file.readAll(), strPath);
}

bool CInkMLReader::readData(const QByteArray& data, const QString& strSourceName)
{
    clear();
    CDocumentReader document(*this, data, strSourceName);
    return document.read() || fail(document.error());
}

QVector<SInkWriting> CInkMLReader::writings(double dPauseMs) const
{
    double dOrigin = std::numeric_limits<double>::max();
    for (const STrace& trace : m_traces)
        if (trace.bTimed)
            dOrigin = std::min(dOrigin, trace.dStartMs);
    auto add = [&](SInkWriting& writing, const STrace& trace) {
        writing.strokes.append(trace.points);
        if (trace.bTimed)
            writing.strokeStartMs.append(trace.dStartMs - dOrigin);
    };

    // A group that holds only groups (a segmentation of a formula into its symbols) is no piece
    // itself: the innermost groups that hold traces are.
    QVector<SInkWriting> result;
    QVector<bool> grouped(m_traces.size(), false);
    for (const SGroup& group : m_groups) {
        if (group.traces.isEmpty())
            continue;
        SInkWriting writing;
        writing.strId = group.strId.isEmpty() ? QString::number(result.size() + 1) : group.strId;
        writing.strTruth = group.strTruth;
        for (int iTrace : group.traces) {
            add(writing, m_traces[iTrace]);
            grouped[iTrace] = true;
        }
        result.append(writing);
    }

    // Traces that no group holds are not lost: they are split into runs at their pauses.
    const int iGroupedPieces = result.size();
    const STrace* pPrevious = nullptr;
    for (int i = 0; i < m_traces.size(); ++i) {
        if (grouped[i])
            continue;
        const STrace& trace = m_traces[i];
        const bool bTimed = pPrevious && pPrevious->bTimed && trace.bTimed;
        if (!pPrevious || (bTimed && trace.dStartMs - pPrevious->dEndMs >= dPauseMs)) {
            result.append(SInkWriting());
            result.last().strId = QString::number(result.size());
        }
        add(result.last(), trace);
        pPrevious = &trace;
    }
    if (iGroupedPieces == 0 && result.size() == 1)
        result.first().strTruth = m_strTruth;
    for (SInkWriting& writing : result)
        if (writing.strokeStartMs.size() != writing.strokes.size())
            writing.strokeStartMs.clear();
    return result;
}

void CInkMLReader::clear()
{
    m_traces.clear();
    m_groups.clear();
    m_strTruth.clear();
    m_dResolutionX = 0.0;
    m_dResolutionY = 0.0;
    m_strError.clear();
}

bool CInkMLReader::fail(const QString& strError)
{
    clear();
    m_strError = strError;
    return false;
}
