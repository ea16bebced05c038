// The base of every tool that the tool manager drives: identified by its name, with a store of
// named property values, the mouse events of the board while it is active, and a cursor.
#pragma once

#include <QCursor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

#include "iviewinputhandler.h"

class COrreryView;
class QMouseEvent;
class QPainter;
class QPoint;
class QWidget;

class CTool : public IViewInputHandler
{
    friend class CToolManager;

public:
    enum EIconSize
    {
        eIconSmall = 0,  // 16 x 16
        eIconMedium = 1, // 24 x 24
        eIconLarge = 2   // 32 x 32
    };

    CTool();
    ~CTool() override;

    CTool(const CTool&) = delete;
    CTool& operator=(const CTool&) = delete;

    virtual QString getName() const = 0;
    virtual QWidget* getPropertiesWidget() const;
    virtual QImage getIconImage(EIconSize eSize) const;
    virtual QImage getPreviewImage() const;
    // The names in the store, in the order they were first written.
    virtual QList<QString> getToolPropertyNames() const;
    // The properties the tool manager saves in the user settings under this tool.
    virtual QList<QString> getPersistentProperties() const;
    // The settings a page of the tool-properties area offers for the tool: all of them unless the tool
    // keeps some for other places.
    virtual QList<QString> getEditableProperties() const;
    // The stored value; an invalid variant for a name never written.
    virtual QVariant getToolProperty(const QString& strName) const;
    virtual bool isPenTool() const;
    bool onMousePress(QMouseEvent* pEvent) override;
    bool onMouseMove(QMouseEvent* pEvent) override;
    bool onMouseRelease(QMouseEvent* pEvent) override;
    bool onMouseDoubleClick(QMouseEvent* pEvent) override;
    virtual void onFingerPress(const QPoint& point, int iFinger);
    virtual void onFingerMove(const QPoint& point, int iFinger);
    virtual void onFingerRelease(const QPoint& point, int iFinger);
    virtual bool isAboutToHandleEvent(QMouseEvent* pEvent);
    virtual QCursor getNormalCursor() const;
    virtual bool isDrawing() const;
    virtual bool canUsePenType(const QString& strPenType) const;
    virtual QString getCategory();
    // What the user reads for the tool where no action of its own labels it: its name unless a tool
    // says otherwise.
    virtual QString getLabel() const;
    // Another tool is about to take the board: whatever this one holds unfinished (a pen's writing
    // that waits for its pause) is finished now, while it is still the active tool, so that changing
    // tools never throws work away. The default holds nothing.
    virtual void finishPendingWork();

protected:
    virtual void activate(bool bFlag);
    virtual void deactivate(bool bFlag);

public:
    // Stores the value and answers the name of the property that changed.
    virtual QString setToolProperty(const QString& strName, const QVariant& value);

protected:
    virtual void showNormalCursor();

public:
    virtual void onExit();

protected:
    virtual void commit(bool bFlag);

    // A transparent icon of the size's pixels, drawn on a 16-unit grid: fnDraw gets an antialiased
    // painter and the pixels of one unit.
    static QImage drawIcon(EIconSize eSize,
                           const std::function<void(QPainter& painter, double dUnit)>& fnDraw);

public:
    bool isActive() const { return m_bActive; }
    // The board view the tool works on; null when the host shows no board.
    COrreryView* view() const;

private:
    QList<QString> m_propertyNames;
    QHash<QString, QVariant> m_properties;
    bool m_bActive = false;
};
