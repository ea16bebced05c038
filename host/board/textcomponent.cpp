#include "textcomponent.h"

#include "boardunits.h"
#include "controllayer.h"
#include "orrery.h"
#include "penbase.h"
#include "penfactory.h"
#include "penutil.h"
#include "toolpropertynames.h"
#include "topic.h"
#include "workspace.h"

#include <QAbstractTextDocumentLayout>
#include <QFocusEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <QTimer>
#include <algorithm>
#include <boost/make_shared.hpp>
#include <cmath>

namespace {

const QString c_strString = QStringLiteral("string");

bool isFontProperty(const QString& strName)
{
    static const QStringList s_names =
        QStringList() << QLatin1String(toolproperty::c_szFontFamily)
                      << QLatin1String(toolproperty::c_szFontSize) << QLatin1String(toolproperty::c_szBold)
                      << QLatin1String(toolproperty::c_szItalic) << QLatin1String(toolproperty::c_szUnderline)
                      << QLatin1String(toolproperty::c_szFontColor);
    return s_names.contains(strName);
}

bool isFrameProperty(const QString& strName)
{
    return strName == QLatin1String(toolproperty::c_szPenColor) ||
           strName == QLatin1String(toolproperty::c_szLineWidth) ||
           strName == QLatin1String(toolproperty::c_szLineStyle) ||
           strName == QLatin1String(toolproperty::c_szFillColor);
}

QColor colorOf(const QVariant& value)
{
    if (value.userType() == QMetaType::QColor)
        return value.value<QColor>();
    return CPenBase::decodeColor(value.toString());
}

QPen outlinePen(const CComponent& component, double dItemScale)
{
    const QVariant penValue = component.getPropertyValue(QLatin1String(toolproperty::c_szPenColor));
    boost::shared_ptr<CPenBase> pPen;
    if (penValue.userType() == QMetaType::QColor)
        pPen = boost::make_shared<CPenBase>(QStringLiteral("normal"), penValue.value<QColor>());
    else
        pPen = CPenFactory::createPen(penValue.toString());
    if (!pPen || !pPen->getColor().isValid())
        return QPen(Qt::NoPen);

    const QVariant widthValue = component.getPropertyValue(QLatin1String(toolproperty::c_szLineWidth));
    const double dWidth = widthValue.isValid() ? widthValue.toDouble() : 1.0;
    // A zero-width QPen would be cosmetic (one pixel at any zoom): zero means no outline here.
    if (dWidth <= 0.0)
        return QPen(Qt::NoPen);
    const QVariant styleValue = component.getPropertyValue(QLatin1String(toolproperty::c_szLineStyle));
    // The width is in scene units; the item paints in its own, which its scale enlarges.
    return pPen->toQPen(dWidth / dItemScale,
                        styleValue.isValid() ? styleValue.toInt() : int(PenUtil::eLineStyleSolid));
}

} // namespace

CTextComponent::CTextComponent()
{
    setFlags(QGraphicsItem::ItemIsSelectable | QGraphicsItem::ItemIsMovable);
    setScale(boardunits::c_dUnitsPerPixel);
    connect(document(), &QTextDocument::contentsChanged, this, &CTextComponent::fitWidthToText);
    // The layout announces every change of what it shows, a change of font without one of size too.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::update, this,
            [this] { updateOverhang(); });
    // Typing must not scroll the board under the teacher's hand: the text item would make every view
    // follow the caret, which throws the whole board sideways as a line grows past the view's edge.
    // The connection is Qt's own, to a private slot, and so is only reachable by its name.
    if (QObject* pControl = textControl())
        disconnect(pControl, SIGNAL(visibilityRequest(QRectF)), this, SLOT(_q_ensureVisible(QRectF)));
}

QObject* CTextComponent::textControl() const
{
    // The item keeps the control that edits its document as its child; it is made with the document.
    for (QObject* pChild : children())
        if (pChild->inherits("QWidgetTextControl"))
            return pChild;
    return nullptr;
}

void CTextComponent::setCaretWidth(int iWidth)
{
    if (QObject* pControl = textControl())
        pControl->setProperty("cursorWidth", iWidth);
}

CTextComponent::~CTextComponent() = default;

boost::shared_ptr<CComponent> CTextComponent::make()
{
    return boost::make_shared<CTextComponent>();
}

QString CTextComponent::getType() const
{
    return QStringLiteral("text");
}

QGraphicsItem* CTextComponent::getGraphicsItem()
{
    return this;
}

QRectF CTextComponent::boundingRect() const
{
    const double dHalf = m_outlinePen.style() == Qt::NoPen ? 0.0 : m_outlinePen.widthF() / 2.0;
    return frameRect().adjusted(-dHalf, -dHalf, dHalf, dHalf);
}

void CTextComponent::paint(QPainter* pPainter, const QStyleOptionGraphicsItem* pOption, QWidget* pWidget)
{
    const QRectF rect = frameRect();
    const QColor fill = colorOf(getPropertyValue(QLatin1String(toolproperty::c_szFillColor)));
    if (fill.isValid() && fill.alpha() > 0)
        pPainter->fillRect(rect, fill);
    if (m_outlinePen.style() != Qt::NoPen) {
        pPainter->save();
        pPainter->setPen(m_outlinePen);
        pPainter->setBrush(Qt::NoBrush);
        pPainter->drawRect(rect);
        pPainter->restore();
    }
    QGraphicsTextItem::paint(pPainter, pOption, pWidget);
}

void CTextComponent::finishEditing(bool bDropNow)
{
    if (m_bUpdatingString)
        return;
    // Dropping the interaction takes the focus away, and the focus-out comes back here.
    m_bUpdatingString = true;
    setTextInteractionFlags(Qt::NoTextInteraction);
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    m_bUpdatingString = false;

    const QString strText = toPlainText();
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    CTopic* pTopic = pWorkspace ? pWorkspace->getCurrentTopic() : nullptr;
    const bool bOnPage = pTopic && pTopic->getComponent(getID()) == this;
    // A box left without text shows only its frame, which nobody wants on the board.
    if (bOnPage && strText.trimmed().isEmpty()) {
        if (bDropNow)
            dropIfLeftEmpty();
        else
            QTimer::singleShot(0, this, [this] { dropIfLeftEmpty(); });
        return;
    }
    if (strText == getPropertyValue(c_strString).toString())
        return;
    // Typing is undoable only as a command; a box off the current page (or a board being torn
    // down) has no command layer to go through, yet the property must still match what it shows.
    if (bOnPage && CControlLayer::get()->invokeUpdatePropertyCommand(getID(), c_strString, strText, false))
        return;
    setPropertyValue(c_strString, strText);
}

void CTextComponent::dropIfLeftEmpty()
{
    // Opened again, or given text, since the editing ended: the box is wanted. A locked one stays
    // as it was locked.
    if (textInteractionFlags() != Qt::NoTextInteraction || !toPlainText().trimmed().isEmpty() ||
        getPropertyValue(QStringLiteral("locked")).toBool())
        return;
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    CTopic* pTopic = pWorkspace ? pWorkspace->getCurrentTopic() : nullptr;
    // Held until the end: taking the box off the page may release it, and this is running in it.
    const boost::shared_ptr<CComponent> pKeep =
        pTopic ? pTopic->getSharedComponent(getID()) : boost::shared_ptr<CComponent>();
    if (pKeep.get() != this)
        return;
    // A box that never had text leaves no trace. One whose text was typed away goes as one step,
    // and undoing it must show that text again.
    const QString strText = getPropertyValue(c_strString).toString();
    if (strText.isEmpty() && CControlLayer::get()->withdrawInsertion(getID()))
        return;
    setString(strText);
    if (!CControlLayer::get()->invokeDeleteCommand({getID()}))
        setString(QString());
}

double CTextComponent::letterHeight(const QString& strText) const
{
    // The box's text takes the block's character format (see setString), whose font is laid out at
    // the screen's resolution, as the metrics measure it.
    const QFontMetricsF metrics(QTextCursor(document()).blockCharFormat().font());
    double dTallest = 0.0;
    for (const QString& strLine : strText.split(QLatin1Char('\n')))
        dTallest = std::max(dTallest, metrics.tightBoundingRect(strLine).height());
    return dTallest * scale();
}

void CTextComponent::propertyChanged(const QString& strName, const QVariant& value)
{
    if (strName == c_strString) {
        setString(value.toString());
    } else if (strName == QLatin1String(toolproperty::c_szAlignment)) {
        // No value is what undoing the first alignment of a box gives back: the box's default.
        Qt::Alignment eAlignment = Qt::AlignLeft;
        if (value.userType() == qMetaTypeId<Qt::Alignment>()) {
            eAlignment = value.value<Qt::Alignment>();
        } else if (value.isValid()) {
            bool bOk = false;
            eAlignment = Qt::Alignment(value.toInt(&bOk));
            if (!bOk)
                return;
        }
        QTextOption option = document()->defaultTextOption();
        option.setAlignment(eAlignment);
        document()->setDefaultTextOption(option);
        // A block with an alignment of its own (set through its block format) ignores the default.
        QTextBlockFormat format;
        format.setAlignment(eAlignment);
        QTextCursor cursor(document());
        cursor.select(QTextCursor::Document);
        cursor.mergeBlockFormat(format);
        fitWidthToText();
    } else if (isFontProperty(strName)) {
        applyFont();
    } else if (isFrameProperty(strName)) {
        // The scene must hear of a change of the bounding rectangle before it happens, so the
        // outline that sets it is kept here and changed only after the warning.
        prepareGeometryChange();
        m_outlinePen = outlinePen(*this, scale());
        updateOverhang();
        update();
    } else if (strName == QLatin1String("locked")) {
        const bool bLocked = value.toBool();
        setFlag(QGraphicsItem::ItemIsMovable, !bLocked);
        if (bLocked && textInteractionFlags() != Qt::NoTextInteraction)
            finishEditing();
    } else {
        CComponent::propertyChanged(strName, value);
    }
}

void CTextComponent::propertiesChanged(const QStringList& names)
{
    m_bTakingProperties = true;
    // One edit of the document: it is laid out once, at the end, rather than after each change.
    QTextCursor edit(document());
    edit.beginEditBlock();
    // The font and the alignment first, on the text there is: the text then comes in with the
    // block's format, as it would have had they been set before it. Each font property sets the
    // whole font, so once is enough.
    bool bFont = false;
    for (const QString& strName : names)
        bFont = bFont || isFontProperty(strName);
    if (bFont)
        applyFont();
    const QString strAlignment = QLatin1String(toolproperty::c_szAlignment);
    if (names.contains(strAlignment))
        propertyChanged(strAlignment, getPropertyValue(strAlignment));
    for (const QString& strName : names)
        if (!isFontProperty(strName) && strName != strAlignment)
            propertyChanged(strName, getPropertyValue(strName));
    edit.endEditBlock();
    m_bTakingProperties = false;
    fitWidthToText();
    document()->documentLayout()->documentSize();
    updateOverhang(true);
}

void CTextComponent::focusOutEvent(QFocusEvent* pEvent)
{
    QGraphicsTextItem::focusOutEvent(pEvent);
    // A context menu takes the focus only for a moment; the user is still typing in the box.
    if (pEvent->reason() != Qt::PopupFocusReason)
        finishEditing();
}

void CTextComponent::setString(const QString& strText)
{
    // Rewriting identical text would flatten any formatting inside it for nothing.
    if (m_bUpdatingString || strText == toPlainText())
        return;
    m_bUpdatingString = true;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    // The block's character format is what the box was set up with (font, size, colour); the
    // text must come in with it, which replacing the plain text would throw away.
    cursor.insertText(strText, cursor.blockCharFormat());
    m_bUpdatingString = false;
}

void CTextComponent::applyFont()
{
    QTextCharFormat format;
    const QVariant family = getPropertyValue(QLatin1String(toolproperty::c_szFontFamily));
    if (family.isValid() && !family.toString().isEmpty())
        format.setFontFamily(family.toString());
    const QVariant size = getPropertyValue(QLatin1String(toolproperty::c_szFontSize));
    if (size.isValid() && size.toDouble() > 0.0)
        format.setFontPointSize(size.toDouble());
    const QVariant bold = getPropertyValue(QLatin1String(toolproperty::c_szBold));
    if (bold.isValid())
        format.setFontWeight(bold.toBool() ? QFont::Bold : QFont::Normal);
    const QVariant italic = getPropertyValue(QLatin1String(toolproperty::c_szItalic));
    if (italic.isValid())
        format.setFontItalic(italic.toBool());
    const QVariant underline = getPropertyValue(QLatin1String(toolproperty::c_szUnderline));
    if (underline.isValid())
        format.setFontUnderline(underline.toBool());
    const QColor color = colorOf(getPropertyValue(QLatin1String(toolproperty::c_szFontColor)));
    if (color.isValid())
        format.setForeground(color);

    // The text there now takes the character format; text typed later takes the block's.
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
    cursor.mergeBlockCharFormat(format);
}

void CTextComponent::fitWidthToText()
{
    // Without a text width every line starts at the left whatever its alignment. The box takes the
    // width of its longest line so the others align within it, unless it was given a width of its
    // own, which it keeps.
    const bool bOwnWidth = textWidth() >= 0.0 && !qFuzzyCompare(textWidth(), m_dFittedWidth);
    if (m_bFittingWidth || m_bTakingProperties || bOwnWidth)
        return;
    const Qt::Alignment eHorizontal = document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask;
    const bool bNeedsWidth = (eHorizontal & (Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify)) != 0;
    // Each change of width lays the whole text out again; a box aligned left needs none of it.
    if (!bNeedsWidth && m_dFittedWidth < 0.0)
        return;
    m_bFittingWidth = true;
    setTextWidth(-1.0);
    // Whole pixels: a width cut to the exact fraction may wrap the longest line.
    m_dFittedWidth = bNeedsWidth ? std::ceil(document()->size().width()) : -1.0;
    if (bNeedsWidth)
        setTextWidth(m_dFittedWidth);
    m_bFittingWidth = false;
}

void CTextComponent::updateOverhang(bool bLaidOut)
{
    if (m_bTakingProperties)
        return;
    const QRectF textRect = QGraphicsTextItem::boundingRect();
    // The ink is measured on a layout of its own unless the document's is known to be whole: it may
    // be half redone when it announces a change.
    const double dLineWidth = textWidth() >= 0.0 ? textWidth() - 2.0 * document()->documentMargin() : 1.0e6;
    QRectF ink;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        QTextLayout ownLayout;
        const QTextLayout* pLayout = block.layout();
        QPointF origin = pLayout->position();
        if (!bLaidOut) {
            ownLayout.setText(block.text());
            ownLayout.setFont(block.charFormat().font());
            ownLayout.setFormats(block.textFormats());
            ownLayout.setTextOption(document()->defaultTextOption());
            ownLayout.beginLayout();
            double dY = 0.0;
            for (QTextLine line = ownLayout.createLine(); line.isValid(); line = ownLayout.createLine()) {
                line.setLineWidth(dLineWidth);
                line.setPosition(QPointF(0.0, dY));
                dY += line.height();
            }
            ownLayout.endLayout();
            pLayout = &ownLayout;
            origin = document()->documentLayout()->blockBoundingRect(block).topLeft();
        }
        for (const QGlyphRun& run : pLayout->glyphRuns()) {
            // A run's own rectangle is the advance the text takes, not the ink of its glyphs.
            const QRawFont font = run.rawFont();
            const QVector<quint32> glyphs = run.glyphIndexes();
            const QVector<QPointF> positions = run.positions();
            for (int i = 0; i < glyphs.size() && i < positions.size(); ++i)
                ink |= font.boundingRect(glyphs[i]).translated(positions[i] + origin);
        }
    }
    // The outline is drawn on the frame, half of it inwards: that half must clear the letters too,
    // with a little white between them so that none seems to touch it.
    const double dClearance = 2.0 + (m_outlinePen.style() == Qt::NoPen ? 0.0 : m_outlinePen.widthF() / 2.0);
    if (!ink.isEmpty())
        ink.adjust(-dClearance, -dClearance, dClearance, dClearance);
    const QMarginsF overhang = ink.isEmpty() ? QMarginsF()
                                             : QMarginsF(std::max(0.0, textRect.left() - ink.left()),
                                                         std::max(0.0, textRect.top() - ink.top()),
                                                         std::max(0.0, ink.right() - textRect.right()),
                                                         std::max(0.0, ink.bottom() - textRect.bottom()));
    if (overhang == m_overhang)
        return;
    prepareGeometryChange();
    m_overhang = overhang;
    update();
}

QRectF CTextComponent::frameRect() const
{
    return QGraphicsTextItem::boundingRect().marginsAdded(m_overhang);
}
