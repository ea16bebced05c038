// The board's text box, type "text": a text item that draws its outline and fill from its properties
// ("pencolor", "linewidth", "linestyle", "fillcolor"), shows its "string" in the block's character
// format, and follows "position", "alignment", the font properties and "locked". Its item is scaled so
// that a point size shows as large as it does anywhere else on the screen at the default zoom.
#pragma once

#include "component.h"

#include <QGraphicsTextItem>
#include <QMarginsF>
#include <QPen>

class CTextComponent : public QGraphicsTextItem, public CComponent
{
    Q_OBJECT

public:
    CTextComponent();
    ~CTextComponent() override;

    static boost::shared_ptr<CComponent> make();

    QString getType() const override;
    QGraphicsItem* getGraphicsItem() override;

    QRectF boundingRect() const override;
    void paint(QPainter* pPainter, const QStyleOptionGraphicsItem* pOption, QWidget* pWidget) override;

    // Ends text editing and writes what was typed back into "string". A box left without text goes
    // from the page: at once with bDropNow, else once control is back in the event loop, since the
    // caller may be this box's own event or a command being run.
    void finishEditing(bool bDropNow = false);
    // The caret's width in the box's own units.
    void setCaretWidth(int iWidth);

    // How tall the letters of strText would stand in this box's font, in scene units: the ink of the
    // glyphs alone, without the room a line keeps above and below them; of a text of several lines,
    // the tallest line.
    double letterHeight(const QString& strText) const;

protected:
    void propertyChanged(const QString& strName, const QVariant& value) override;
    // Takes all the properties in, then fits and measures the text once.
    void propertiesChanged(const QStringList& names) override;
    void focusOutEvent(QFocusEvent* pEvent) override;

private:
    QObject* textControl() const;
    void setString(const QString& strText);
    void applyFont();
    QRectF frameRect() const;
    void fitWidthToText();
    void dropIfLeftEmpty();
    // With bLaidOut, the document's own layout is complete and is measured as it is.
    void updateOverhang(bool bLaidOut = false);

    bool m_bUpdatingString = false;
    // The outline of the frame properties; its width is part of the bounding rectangle.
    QPen m_outlinePen{Qt::NoPen};
    bool m_bFittingWidth = false;
    // While several properties are taken in at once: the width and the ink wait for the last.
    bool m_bTakingProperties = false;
    // The text width this box gave itself to show its alignment; -1 when it set none.
    double m_dFittedWidth = -1.0;
    // How far the letters' ink, with the inner half of the outline around it, reaches past the
    // laid-out text on each side (slanted or heavy letters lean out of their advance, a thick outline
    // out of the document's margin); the frame takes it in, so that the outline cuts no letter.
    QMarginsF m_overhang;
};
