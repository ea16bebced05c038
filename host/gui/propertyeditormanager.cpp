#include "propertyeditormanager.h"

#include "hostjournal.h"

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
    return pPrototype ? pPrototype->clone(this, eContext) : boost::shared_ptr<CAbstractPropertyEditor>();
}

CAbstractPropertyEditor* CPropertyEditorManager::prototypeFor(const QString& strProperty) const
{
    for (const auto& pPrototype : m_prototypes)
        if (pPrototype->properties().contains(strProperty))
            return pPrototype.get();
    return nullptr;
}
