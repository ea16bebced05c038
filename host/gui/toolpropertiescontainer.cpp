#include "toolpropertiescontainer.h"

#include "abstractpropertyeditor.h"
#include "guilayer.h"
#include "propertyeditormanager.h"
#include "tool.h"
#include "toolmanager.h"
#include "toolpropertiesperspectivemanager.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Every editor shows the tool's values again: one setting can change what another offers (no outline
// leaves no width to choose).
void showValues(const std::vector<boost::shared_ptr<CAbstractPropertyEditor>>& editors)
{
    for (const auto& pEditor : editors)
        for (const QString& strName : pEditor->properties())
            pEditor->setValue(strName, pEditor->getPropertyValue(strName));
}

// An editor, showing the tool's value, for a setting that no editor in the list shown covers yet; the
// list takes in every setting it stands for (one editor may stand for bold, italic and underline).
// Null when the setting is shown already or has no editor with a widget.
boost::shared_ptr<CAbstractPropertyEditor> editorNotShown(CPropertyEditorManager* pEditors,
                                                          const QString& strProperty, QStringList& shown)
{
    if (shown.contains(strProperty))
        return nullptr;
    boost::shared_ptr<CAbstractPropertyEditor> pEditor =
        pEditors->createEditor(strProperty, CAbstractPropertyEditor::eToolContext);
    if (!pEditor || !pEditor->widget())
        return nullptr;
    shown += pEditor->properties();
    showValues({pEditor});
    return pEditor;
}

void addLabelled(QLayout* pLayout, CAbstractPropertyEditor& editor)
{
    // Most editors label themselves; the others get their name above them.
    QWidget* pWidget = editor.widget();
    const bool bNamed = pWidget->findChild<QLabel*>() || pWidget->findChild<QCheckBox*>();
    if (!bNamed)
        pLayout->addWidget(new QLabel(editor.localisedPropertyName()));
    pLayout->addWidget(pWidget);
}

} // namespace

CToolPropertiesContainer::CToolPropertiesContainer(CToolManager* pToolManager, QWidget* pParent)
    : QWidget(pParent), m_pToolManager(pToolManager)
{
    QVBoxLayout* pLayout = new QVBoxLayout(this);
    // Pages have no margins of their own: the area keeps them off the window's edge on either side.
    pLayout->setContentsMargins(6, 4, 6, 4);
    m_pNoSettings = new QLabel(tr("This tool has no settings."), this);
    m_pNoSettings->setWordWrap(true);
    m_pNoSettings->setEnabled(false);
    m_pNoSettings->hide();
    pLayout->addWidget(m_pNoSettings);
    // A page is as tall as it needs; the room below stays empty rather than spread between its rows.
    pLayout->addStretch(1);
    if (!pToolManager)
        return;
    connect(pToolManager, &CToolManager::signalToolDeactivated, this,
            &CToolPropertiesContainer::slotToolDeactivated);
    connect(pToolManager, &CToolManager::signalToolActivated, this,
            &CToolPropertiesContainer::slotToolActivated);
    connect(pToolManager, &CToolManager::signalToolPropertyChanged, this,
            &CToolPropertiesContainer::slotToolPropertyChanged);
    connect(pToolManager, &CToolManager::signalToolSettingsChanged, this,
            &CToolPropertiesContainer::slotToolSettingsChanged);
}

CToolPropertiesContainer::~CToolPropertiesContainer()
{
    // A page disconnects from this container's signals as it goes, which it can do only while the
    // container is still whole.
    clear();
}

void CToolPropertiesContainer::clear()
{
    // The editors let go of their widgets first: the widgets go with the page that holds them.
    for (const auto& pEditor : m_editors)
        pEditor->detatch();
    for (const auto& pEditor : m_moreEditors)
        pEditor->detatch();
    m_editors.clear();
    m_moreEditors.clear();
    delete m_pPage;
    delete m_pMoreOptions;
    m_strTool.clear();
}

void CToolPropertiesContainer::slotToolDeactivated(const QString& strTool)
{
    if (strTool == m_strTool)
        clear();
}

void CToolPropertiesContainer::slotToolActivated(const QString& strTool)
{
    clear();
    m_strTool = strTool;
    // The perspectives live in the GUI layer, which a host shut-down replaces: asked for each time.
    const CToolPropertiesPerspectiveManager* pPerspectives = CGUILayer::get()->getToolPerspectiveManager();
    m_pPage = pPerspectives ? pPerspectives->createPerspective(strTool, this) : nullptr;
    if (!m_pPage)
        m_pPage = buildGenericPage(strTool);
    if (m_pPage) {
        static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_pPage);
        m_pPage->show();
    }
    m_pMoreOptions = buildMoreOptions(strTool);
    // Right under the page.
    if (m_pMoreOptions)
        static_cast<QVBoxLayout*>(layout())->insertWidget(m_pPage ? 1 : 0, m_pMoreOptions);
    m_pNoSettings->setVisible(!m_pPage && !m_pMoreOptions);
    emit signalToolChanged(strTool);
}

int CToolPropertiesContainer::widestPageWidth() const
{
    int iWidest = 0;
    if (!m_pToolManager)
        return iWidest;
    for (const QString& strTool : m_pToolManager->getToolNames()) {
        // A container of its own, which only this function knows of: pages fill themselves as in use.
        CToolPropertiesContainer probe(m_pToolManager);
        probe.setFont(font());
        probe.slotToolActivated(strTool);
        probe.ensurePolished();
        iWidest = qMax(iWidest, probe.minimumSizeHint().width());
    }
    return iWidest;
}

void CToolPropertiesContainer::slotToolPropertyChanged(const QString& strTool, const QString& strProperty,
                                                       const QVariant& value)
{
    emit signalToolPropertyChanged(strTool, strProperty, value);
    if (strTool != m_strTool)
        return;
    emit signalToolPropertyChanged(strProperty, value);
}

void CToolPropertiesContainer::slotToolSettingsChanged(const QString& strTool)
{
    if (strTool != m_strTool)
        return;
    showValues(m_editors);
    showValues(m_moreEditors);
    // A tool's own page follows its tool when the tool is announced to it again, as on activation.
    emit signalToolChanged(strTool);
}

QWidget* CToolPropertiesContainer::buildGenericPage(const QString& strTool)
{
    CTool* pTool = m_pToolManager ? m_pToolManager->getToolByName(strTool) : nullptr;
    CPropertyEditorManager* pEditors = CGUILayer::get()->getPropertyEditorManager();
    if (!pTool || !pEditors)
        return nullptr;

    QWidget* pPage = new QWidget(this);
    QVBoxLayout* pLayout = new QVBoxLayout(pPage);
    QStringList shown;
    for (const QString& strProperty : pTool->getEditableProperties()) {
        const boost::shared_ptr<CAbstractPropertyEditor> pEditor =
            editorNotShown(pEditors, strProperty, shown);
        if (!pEditor)
            continue;
        addLabelled(pLayout, *pEditor);
        m_editors.push_back(pEditor);
    }
    if (m_editors.empty()) {
        delete pPage;
        return nullptr;
    }
    pLayout->addStretch(1);
    return pPage;
}

QWidget* CToolPropertiesContainer::buildMoreOptions(const QString& strTool)
{
    CTool* pTool = m_pToolManager ? m_pToolManager->getToolByName(strTool) : nullptr;
    CPropertyEditorManager* pEditors = CGUILayer::get()->getPropertyEditorManager();
    if (!pTool || !pEditors)
        return nullptr;
    const QList<QString> settings = pTool->getEditableProperties();
    QStringList shown = m_pPage ? pEditors->propertiesShownIn(m_pPage) : QStringList();
    // A copy: making an editor may register others.
    const std::vector<boost::shared_ptr<CAbstractPropertyEditor>> prototypes = pEditors->prototypes();
    QGroupBox* pSection = nullptr;
    for (const auto& pPrototype : prototypes) {
        const QString strProperty = pPrototype->property();
        if (!settings.contains(strProperty))
            continue;
        const boost::shared_ptr<CAbstractPropertyEditor> pEditor =
            editorNotShown(pEditors, strProperty, shown);
        if (!pEditor)
            continue;
        if (!pSection) {
            pSection = new QGroupBox(tr("More options"), this);
            new QVBoxLayout(pSection);
        }
        addLabelled(pSection->layout(), *pEditor);
        m_moreEditors.push_back(pEditor);
    }
    return pSection;
}
