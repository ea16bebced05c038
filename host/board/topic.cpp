#include "topic.h"

#include "boardunits.h"
#include "component.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <algorithm>
#include <limits>

namespace {

qint64 nextTopicID()
{
    static qint64 s_iNext = 1;
    return s_iNext++;
}

} // namespace

CTopic::CTopic()
    : m_iID(nextTopicID()),
      // A full-HD screen's worth of board at the default zoom.
      m_pScene(new QGraphicsScene(0.0, 0.0, 1920.0 * boardunits::c_dUnitsPerPixel,
                                  1080.0 * boardunits::c_dUnitsPerPixel))
{
    m_pScene->setBackgroundBrush(Qt::white);
}

CTopic::~CTopic()
{
    // The components own their items; a scene deletes whatever it still holds, so every item
    // must be out of it before it goes, or the item would be deleted twice.
    for (const boost::shared_ptr<CComponent>& pComponent : m_components) {
        QGraphicsItem* pItem = pComponent->getGraphicsItem();
        if (pItem && pItem->scene() == m_pScene)
            m_pScene->removeItem(pItem);
    }
    delete m_pScene;
}

bool CTopic::addComponent(const boost::shared_ptr<CComponent>& pComponent, int iIndex)
{
    if (!pComponent || !pComponent->getGraphicsItem() || indexOf(pComponent->getID()) >= 0)
        return false;
    QGraphicsItem* pItem = pComponent->getGraphicsItem();
    const int iCount = componentCount();

    if (iIndex < 0 || iIndex >= iCount) {
        pItem->setZValue(topDepth() + 1.0);
        m_pScene->addItem(pItem);
        m_components.push_back(pComponent);
        return true;
    }

    // The depth must fall between the neighbours' so the page's order is also the drawing order.
    // An item coming back (undo of a delete) usually still has a depth that fits; it keeps it.
    const double dBelow = iIndex > 0 ? m_components[iIndex - 1]->getGraphicsItem()->zValue()
                                     : std::numeric_limits<double>::lowest();
    const double dAbove = m_components[iIndex]->getGraphicsItem()->zValue();
    double dZ = pItem->zValue();
    if (!(dZ > dBelow && dZ < dAbove)) {
        dZ = iIndex > 0 ? dBelow + (dAbove - dBelow) / 2.0 : dAbove - 1.0;
        if (!(dZ > dBelow && dZ < dAbove)) {
            // Halving has run out of precision: spread the items below the insertion point one
            // apart again, keeping the top items where they are.
            for (int i = iIndex - 1; i >= 0; --i)
                m_components[i]->getGraphicsItem()->setZValue(dAbove - 1.0 - (iIndex - i));
            dZ = dAbove - 1.0;
        }
    }
    pItem->setZValue(dZ);
    m_pScene->addItem(pItem);
    m_components.insert(m_components.begin() + iIndex, pComponent);
    return true;
}

boost::shared_ptr<CComponent> CTopic::removeComponent(qint64 iID)
{
    const int iIndex = indexOf(iID);
    if (iIndex < 0)
        return boost::shared_ptr<CComponent>();
    boost::shared_ptr<CComponent> pComponent = m_components[iIndex];
    // Off the list first: taking the item out of the scene may end its text editing, which looks
    // the component up on the page and must no longer find it.
    m_components.erase(m_components.begin() + iIndex);
    QGraphicsItem* pItem = pComponent->getGraphicsItem();
    if (pItem && pItem->scene() == m_pScene)
        m_pScene->removeItem(pItem);
    return pComponent;
}

double CTopic::topDepth() const
{
    return m_components.empty() ? -1.0 : m_components.back()->getGraphicsItem()->zValue();
}

CComponent* CTopic::getComponent(qint64 iID) const
{
    return getSharedComponent(iID).get();
}

boost::shared_ptr<CComponent> CTopic::getSharedComponent(qint64 iID) const
{
    const int iIndex = indexOf(iID);
    return iIndex < 0 ? boost::shared_ptr<CComponent>() : m_components[iIndex];
}

QList<CComponent*> CTopic::components() const
{
    QList<CComponent*> result;
    result.reserve(componentCount());
    for (const boost::shared_ptr<CComponent>& pComponent : m_components)
        result.append(pComponent.get());
    return result;
}

int CTopic::indexOf(qint64 iID) const
{
    for (int i = 0; i < componentCount(); ++i)
        if (m_components[i]->getID() == iID)
            return i;
    return -1;
}
