#include "tool.h"

#include "orrery.h"
#include "orreryview.h"
#include "ownedvalue.h"
#include "toolmanager.h"

#include <QGraphicsScene>
#include <QPainter>

CTool::CTool() = default;

CTool::~CTool() = default;

QWidget* CTool::getPropertiesWidget() const
{
    return nullptr;
}

QImage CTool::getIconImage(EIconSize) const
{
    return QImage();
}

QImage CTool::getPreviewImage() const
{
    return QImage();
}

QList<QString> CTool::getToolPropertyNames() const
{
    return m_propertyNames;
}

QList<QString> CTool::getEditableProperties() const
{
    return getToolPropertyNames();
}

QList<QString> CTool::getPersistentProperties() const
{
    return QList<QString>();
}

QVariant CTool::getToolProperty(const QString& strName) const
{
    return m_properties.value(strName);
}

bool CTool::isPenTool() const
{
    return false;
}

bool CTool::onMousePress(QMouseEvent*)
{
    return false;
}

bool CTool::onMouseMove(QMouseEvent*)
{
    return false;
}

bool CTool::onMouseRelease(QMouseEvent*)
{
    return false;
}

bool CTool::onMouseDoubleClick(QMouseEvent*)
{
    return false;
}

void CTool::onFingerPress(const QPoint&, int)
{
}

void CTool::onFingerMove(const QPoint&, int)
{
}

void CTool::onFingerRelease(const QPoint&, int)
{
}

bool CTool::isAboutToHandleEvent(QMouseEvent*)
{
    return false;
}

QCursor CTool::getNormalCursor() const
{
    return QCursor(Qt::ArrowCursor);
}

bool CTool::isDrawing() const
{
    return false;
}

bool CTool::canUsePenType(const QString&) const
{
    return true;
}

QString CTool::getCategory()
{
    return QString();
}

QString CTool::getLabel() const
{
    return getName();
}

void CTool::activate(bool)
{
    m_bActive = true;
    showNormalCursor();
}

void CTool::finishPendingWork()
{
}

void CTool::deactivate(bool)
{
    m_bActive = false;
    // A text box left open for typing would keep the keyboard under the next tool.
    if (COrreryView* pView = view())
        if (QGraphicsScene* pScene = pView->scene())
            pScene->clearFocus();
}

QString CTool::setToolProperty(const QString& strName, const QVariant& value)
{
    const bool bNew = !m_properties.contains(strName);
    const bool bChanged = bNew || m_properties.value(strName) != value;
    if (bNew)
        m_propertyNames.append(strName);
    // A plug-in tool's texts end up in fonts, which Qt caches until the application goes.
    m_properties.insert(strName, ownedValue(value));
    // Every surface that shows this tool's settings must follow, however the value got here.
    if (bChanged)
        if (CToolManager* pManager = COrrery::getToolManager())
            pManager->noteSettingStored(this);
    return strName;
}

void CTool::showNormalCursor()
{
    if (COrreryView* pView = view())
        pView->setCursor(getNormalCursor());
}

void CTool::onExit()
{
}

void CTool::commit(bool)
{
}

COrreryView* CTool::view() const
{
    return COrrery::getView();
}

QImage CTool::drawIcon(EIconSize eSize, const std::function<void(QPainter& painter, double dUnit)>& fnDraw)
{
    const int iSize = eSize == eIconLarge ? 32 : eSize == eIconMedium ? 24 : 16;
    QImage image(iSize, iSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    fnDraw(painter, iSize / 16.0);
    painter.end();
    return image;
}
