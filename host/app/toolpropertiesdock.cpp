#include "toolpropertiesdock.h"

#include "abstractpropertyeditor.h"
#include "orrery.h"
#include "propertyeditormanager.h"
#include "tool.h"
#include "toolmanager.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

CToolPropertiesDock::CToolPropertiesDock(QWidget* pParent) : QDockWidget(tr("Tool Properties"), pParent)
{
    setObjectName(QStringLiteral("toolproperties"));
    if (CToolManager* pToolManager = COrrery::getToolManager()) {
        connect(pToolManager, &CToolManager::signalToolActivated, this,
                &CToolPropertiesDock::slotToolActivated);
        connect(pToolManager, &CToolManager::signalToolPropertyChanged, this,
                &CToolPropertiesDock::slotToolPropertyChanged);
    }
}

CToolPropertiesDock::~CToolPropertiesDock()
{
    clear();
}

void CToolPropertiesDock::clear()
{
    // The editors let go of their widgets first: the widgets go with the page that holds them.
    for (const auto& pEditor : m_editors)
        pEditor->detatch();
    m_editors.clear();
    delete widget();
    setWidget(nullptr);
}

void CToolPropertiesDock::slotToolActivated(const QString& strTool)
{
    clear();
    m_strTool = strTool;
    CToolManager* pToolManager = COrrery::getToolManager();
    CPropertyEditorManager* pEditors = COrrery::getPropertyEditorManager();
    CTool* pTool = pToolManager ? pToolManager->getToolByName(strTool) : nullptr;
    if (!pTool || !pEditors)
        return;

    QWidget* pPage = new QWidget;
    QVBoxLayout* pLayout = new QVBoxLayout(pPage);
    QStringList shown;
    for (const QString& strProperty : pTool->getToolPropertyNames()) {
        if (shown.contains(strProperty))
            continue;
        const boost::shared_ptr<CAbstractPropertyEditor> pEditor =
            pEditors->createEditor(strProperty, CAbstractPropertyEditor::EEditorContext(1));
        if (!pEditor || !pEditor->widget())
            continue;
        // One editor may stand for several settings (bold, italic and underline).
        shown += pEditor->properties();
        for (const QString& strName : pEditor->properties())
            pEditor->setValue(strName, pEditor->getPropertyValue(strName));
        // Most editors label themselves here; the others get their name above them.
        QWidget* pWidget = pEditor->widget();
        const bool bNamed = pWidget->findChild<QLabel*>() || pWidget->findChild<QCheckBox*>();
        if (!bNamed)
            pLayout->addWidget(new QLabel(pEditor->localisedPropertyName()));
        pLayout->addWidget(pWidget);
        m_editors.push_back(pEditor);
    }
    if (m_editors.empty()) {
        delete pPage;
        return;
    }
    pLayout->addStretch(1);
    setWidget(pPage);
}

void CToolPropertiesDock::slotToolPropertyChanged(const QString& strTool, const QString&, const QVariant&)
{
    if (strTool != m_strTool)
        return;
    // One setting can change what another editor offers (no outline leaves no width to choose), so
    // every editor is brought up to date.
    for (const auto& pEditor : m_editors)
        for (const QString& strName : pEditor->properties())
            pEditor->setValue(strName, pEditor->getPropertyValue(strName));
}
