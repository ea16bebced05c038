// A page of the board: its scene and the components on it, which it owns.
#pragma once

#include <QList>
#include <boost/shared_ptr.hpp>
#include <vector>

class CComponent;
class QGraphicsScene;

class CTopic
{
public:
    CTopic();
    virtual ~CTopic();

    CTopic(const CTopic&) = delete;
    CTopic& operator=(const CTopic&) = delete;

    qint64 getID() const { return m_iID; }
    QGraphicsScene* scene() const { return m_pScene; }

    // Puts the component on the page; iIndex is its place in the page's order, -1 for on top.
    bool addComponent(const boost::shared_ptr<CComponent>& pComponent, int iIndex = -1);
    // Takes it off the page and hands it back; null when it is not on this page.
    boost::shared_ptr<CComponent> removeComponent(qint64 iID);
    CComponent* getComponent(qint64 iID) const;
    boost::shared_ptr<CComponent> getSharedComponent(qint64 iID) const;
    QList<CComponent*> components() const;
    int componentCount() const { return static_cast<int>(m_components.size()); }
    // The index of the component in the page's order, -1 when absent.
    int indexOf(qint64 iID) const;
    // The depth of the top component, -1 on an empty page. The page's order is its drawing order,
    // so this is the last component's depth: no walk over the page, however full it is.
    double topDepth() const;

    // While the page blocks input, tools must not add to it (e.g. during a presentation).
    virtual bool isInputBlocked() const { return m_bInputBlocked; }
    void setInputBlocked(bool bBlocked) { m_bInputBlocked = bBlocked; }

private:
    qint64 m_iID;
    QGraphicsScene* m_pScene;
    std::vector<boost::shared_ptr<CComponent>> m_components;
    bool m_bInputBlocked = false;
};
