#include "propertyeditormanager.h"

#include "hostjournal.h"

#include <QWidget>
#include <algorithm>

CPropertyEditorManager::CPropertyEditorManager() = default;

CPropertyEditorManager::~CPropertyEditorManager()
{
    while (!m_prototypes.empty())
        m_prototypes.pop_back();
}

bool CPropertyEditorManager::registerEditor(const boost::shared_ptr<CAbstractPropertyEditor>& pEditor)
{
    const QStringList properties = pEditor ? pEditor->properties() : QStringList();
    bool bAccepted = !properties.isEmpty();
    for (const QString& strProperty : properties)
        bAccepted = bAccepted && !strProperty.isEmpty() && !prototypeFor(strProperty);
    if (bAccepted)
        m_prototypes.push_back(pEditor);
    CHostJournal::record(QStringLiteral("CPropertyEditorManager::registerEditor %1 -> %2")
                             .arg(properties.join(QLatin1Char(',')),
                                  bAccepted ? QStringLiteral("true") : QStringLiteral("false")));
    return bAccepted;
}

boost::shared_ptr<CAbstractPropertyEditor>
CPropertyEditorManager::createEditor(const QString& strProperty,
                                     CAbstractPropertyEditor::EEditorContext eContext)
{
    CAbstractPropertyEditor* pPrototype = prototypeFor(strProperty);
    if (!pPrototype)
        return boost::shared_ptr<CAbstractPropertyEditor>();
    const boost::shared_ptr<CAbstractPropertyEditor> pEditor = pPrototype->clone(this, eContext);
    m_clones.erase(std::remove_if(m_clones.begin(), m_clones.end(),
                                  [](const boost::weak_ptr<CAbstractPropertyEditor>& pClone) {
                                      return pClone.expired();
                                  }),
                   m_clones.end());
    if (pEditor)
        m_clones.push_back(pEditor);
    return pEditor;
}

QStringList CPropertyEditorManager::propertiesShownIn(const QWidget* pArea) const
{
    QStringList shown;
    for (const auto& pClone : m_clones) {
        const boost::shared_ptr<CAbstractPropertyEditor> pEditor = pClone.lock();
        QWidget* pWidget = pEditor && pArea ? pEditor->widget() : nullptr;
        if (pWidget && (pWidget == pArea || pArea->isAncestorOf(pWidget)))
            shown += pEditor->properties();
    }
    return shown;
}

CAbstractPropertyEditor* CPropertyEditorManager::prototypeFor(const QString& strProperty) const
{
    for (const auto& pPrototype : m_prototypes)
        if (pPrototype->properties().contains(strProperty))
            return pPrototype.get();
    return nullptr;
}
