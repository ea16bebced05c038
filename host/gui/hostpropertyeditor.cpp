#include "hostpropertyeditor.h"

#include "fillcolourpropertyeditor.h"
#include "fonttoolpropertyeditor.h"
#include "linestylepropertyeditor.h"
#include "pencolourpropertyeditor.h"
#include "penwidthpropertyeditor.h"
#include "propertyeditormanager.h"
#include "textcolourpropertyeditor.h"
#include "weightandstylepropertyeditor.h"

#include <boost/make_shared.hpp>

CHostPropertyEditor::CHostPropertyEditor(const QStringList& properties, const char* szLabel,
                                         FMakeEditor pfnMake)
    : CAbstractPropertyEditor(properties, QStringLiteral("CPropertyEditorManager"), QLatin1String(szLabel)),
      m_pfnMake(pfnMake)
{
}

boost::shared_ptr<CAbstractPropertyEditor> CHostPropertyEditor::clone(CPropertyEditorManager* pManager,
                                                                      EEditorContext eContext)
{
    const boost::shared_ptr<CAbstractPropertyEditor> pEditor(m_pfnMake());
    pEditor->initialise(pManager, eContext);
    return pEditor;
}

CHostPropertyEditor::~CHostPropertyEditor()
{
    delete m_pWidget;
}

void CHostPropertyEditor::detatch()
{
    // The widget now belongs to the surface that shows it.
    CAbstractPropertyEditor::detatch();
    m_pWidget = nullptr;
}

void CHostPropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    Q_UNUSED(value);
    if (!m_pWidget || !properties().contains(strName))
        return;
    // The value is read afresh: a surface may hand on a value that another setting has since changed.
    const QSignalBlocker blocker(m_pWidget);
    showValue(strName, getPropertyValue(strName));
    m_pWidget->setEnabled(determineEnabledStatusFromComponents());
}

void CHostPropertyEditor::derivedInitialise()
{
    m_pWidget = makeWidget();
    m_pWidget->setAccessibleName(localisedPropertyName());
}

void CHostPropertyEditor::registerAll(CPropertyEditorManager* pManager)
{
    if (!pManager)
        return;
    pManager->registerEditor(boost::make_shared<CPenColourPropertyEditor>());
    pManager->registerEditor(boost::make_shared<CPenWidthPropertyEditor>());
    pManager->registerEditor(boost::make_shared<CFontToolPropertyEditor>());
    pManager->registerEditor(boost::make_shared<CTextColourPropertyEditor>());
    pManager->registerEditor(boost::make_shared<CWeightAndStylePropertyEditor>());
    pManager->registerEditor(boost::make_shared<CLineStylePropertyEditor>());
    pManager->registerEditor(boost::make_shared<CFillColourPropertyEditor>());
}
