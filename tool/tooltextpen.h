// The text pen: a pen tool whose finished writing becomes a text box on the board, in the text
// settings it shares with the host's text tool.
#pragma once

#include "pentool.h"

#include <QFont>
#include <QRect>
#include <QRectF>
#include <QStringList>

class CComponent;
class QCursor;

class Q_DECL_EXPORT CToolTextPen : public CPenTool
{
    Q_OBJECT

    friend class CTextPenPlugIn;

public:
    ~CToolTextPen() override;

    QString getName() const override;
    QImage getIconImage(CTool::EIconSize eSize) const override;
    QList<QString> getToolPropertyNames() const override;
    QList<QString> getPersistentProperties() const override;
    QVariant getToolProperty(const QString& strName) const override;
    bool onMousePress(QMouseEvent* pEvent) override;
    bool onMouseMove(QMouseEvent* pEvent) override;
    bool onMouseRelease(QMouseEvent* pEvent) override;
    QCursor getNormalCursor() const override;
    bool canUsePenType(const QString& strPenType) const override;
    QString getCategory() override;
    QString setToolProperty(const QString& strName, const QVariant& value) override;
    void onExit() override;

    void onTap(const CMouseEventPoint& point) override;
    void onPenInput(boost::shared_ptr<CScribble> pScribble) override;

protected:
    void activate(bool bFlag) override;
    void deactivate(bool bFlag) override;
    void showNormalCursor() override;

signals:
    void siganlTextPenActivated();

private slots:
    void slotProfileLoaded();

private:
    CToolTextPen();

    QStringList getPossibleTextMatches(const QVector<QVector<QPointF>>& strokes);
    QStringList resolveMatches(const QVector<QVector<QPointF>>& strokes);
    QString chooseCandidate(const QStringList& candidates, const QPoint& position);

    CComponent* createOrUpdateTextComponent(boost::shared_ptr<CScribble> pScribble, const QString& strText);
    CComponent* componentToUpdate(QRectF sceneRect);
    bool updateComponentString(CComponent* pComponent, const QString& strText);
    boost::shared_ptr<CComponent> makeTextComponent(QRect viewRect, const QString& strText);
    void setupTextComponentProperties(CComponent* pComponent, double dFontSize, const QString& strText);
    QFont createTempFontForTool(double dPointSize);

    void syncPropertiesWithTextTool();
    void syncPropertiesToTextTool(const QList<QString>& names);

    QCursor* m_pDotCursor;
    bool m_bWriting;
};
