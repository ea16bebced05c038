#include "abstractpropertyeditor.h"

#include "batchmodescope.h"
#include "coloraction.h"
#include "component.h"
#include "controllayer.h"
#include "controlsignalsource.h"
#include "hostjournal.h"
#include "orrery.h"
#include "penbase.h"
#include "selectionmanager.h"
#include "tool.h"
#include "toolmanager.h"

#include <QColor>
#include <QCoreApplication>
#include <memory>

namespace {

CTool* activeTool()
{
    CToolManager* pManager = COrrery::getToolManager();
    return pManager ? pManager->getActiveTool() : nullptr;
}

bool isLocked(const CComponent* pComponent)
{
    return pComponent->getPropertyValue(QStringLiteral("locked")).toBool();
}

// Colours in the journal as the host writes them everywhere else, with their alpha.
QString journalText(const QVariant& value)
{
    if (value.userType() == QMetaType::QColor)
        return CPenBase::encodeColor(value.value<QColor>());
    return value.isValid() ? value.toString() : QStringLiteral("(invalid)");
}

} // namespace

CAbstractPropertyEditor::CAbstractPropertyEditor(const QStringList& properties,
                                                 const QString& strTranslationContext,
                                                 const QString& strLabel)
    : m_properties(properties), m_strTranslationContext(strTranslationContext), m_strLabel(strLabel)
{
}

CAbstractPropertyEditor::~CAbstractPropertyEditor() = default;

QString CAbstractPropertyEditor::property() const
{
    return m_properties.value(0);
}

QString CAbstractPropertyEditor::localisedPropertyName() const
{
    return QCoreApplication::translate(m_strTranslationContext.toUtf8().constData(),
                                       m_strLabel.toUtf8().constData());
}

void CAbstractPropertyEditor::initialise(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    m_pManager = pManager;
    m_eContext = eContext;
    derivedInitialise();
    // An editor, or its widget, that relabels or mirrors itself for another language does so through a
    // slot that it leaves to the host to connect; one that connected itself is not told twice.
    QObject* aReceivers[] = {this, widget()};
    for (QObject* pReceiver : aReceivers)
        if (pReceiver && pReceiver->metaObject()->indexOfSlot("slotLanguageChanged(QString,bool)") >= 0)
            connect(CControlSignalSource::get(), SIGNAL(signalLanguageChanged(QString, bool)), pReceiver,
                    SLOT(slotLanguageChanged(QString, bool)), Qt::UniqueConnection);
}

void CAbstractPropertyEditor::detatch()
{
    setParent(nullptr);
}

QStringList CAbstractPropertyEditor::relatedProperties()
{
    return QStringList();
}

QString CAbstractPropertyEditor::getLabel()
{
    return localisedPropertyName();
}

QVariant CAbstractPropertyEditor::getPropertyValue(const QString& strName) const
{
    const QList<CComponent*> components = componentsToEdit();
    if (components.isEmpty()) {
        const CTool* pTool = activeTool();
        return pTool ? pTool->getToolProperty(strName) : QVariant();
    }
    const QVariant common = components.first()->getPropertyValue(strName);
    for (const CComponent* pComponent : components)
        if (pComponent->getPropertyValue(strName) != common)
            return QVariant();
    return common;
}

bool CAbstractPropertyEditor::determineEnabledStatusFromComponents() const
{
    const QList<CComponent*> components = componentsToEdit();
    if (components.isEmpty())
        return activeTool() != nullptr;
    for (const CComponent* pComponent : components)
        if (!isLocked(pComponent))
            return true;
    return false;
}

bool CAbstractPropertyEditor::applyPropertyValue(const QVariant& value, EUpdatePolicy ePolicy,
                                                 EValueUpdatePolicy eValuePolicy)
{
    return apply(QStringLiteral("applyPropertyValue"), {qMakePair(property(), value)}, ePolicy, eValuePolicy);
}

bool CAbstractPropertyEditor::applyPropertyValue(const QString& strName, const QVariant& value,
                                                 EUpdatePolicy ePolicy, EValueUpdatePolicy eValuePolicy)
{
    return apply(QStringLiteral("applyPropertyValue"), {qMakePair(strName, value)}, ePolicy, eValuePolicy);
}

bool CAbstractPropertyEditor::applyPropertyValues(const QVector<QPair<QString, QVariant>>& values,
                                                  EUpdatePolicy ePolicy, EValueUpdatePolicy eValuePolicy)
{
    return apply(QStringLiteral("applyPropertyValues"), values, ePolicy, eValuePolicy);
}

QList<CComponent*> CAbstractPropertyEditor::componentsToEdit() const
{
    if (!(m_eContext & eSelectionContext))
        return QList<CComponent*>();
    const CSelectionManager* pSelection = COrrery::getSelectionManager();
    return pSelection ? pSelection->selectedComponents() : QList<CComponent*>();
}

bool CAbstractPropertyEditor::apply(const QString& strVariant,
                                    const QVector<QPair<QString, QVariant>>& values, EUpdatePolicy ePolicy,
                                    EValueUpdatePolicy eValuePolicy)
{
    QStringList assignments;
    for (const QPair<QString, QVariant>& value : values)
        assignments.append(value.first + QLatin1Char('=') + journalText(value.second));
    CHostJournal::record(QStringLiteral("CAbstractPropertyEditor::%1 %2 (%3, %4)")
                             .arg(strVariant, assignments.join(QStringLiteral(", ")))
                             .arg(int(ePolicy))
                             .arg(int(eValuePolicy)));
    if (values.isEmpty())
        return false;

    bool bApplied = false;
    CToolManager* pManager = COrrery::getToolManager();
    if (CTool* pTool = activeTool()) {
        const QString strTool = pTool->getName();
        for (const QPair<QString, QVariant>& value : values)
            pManager->setToolProperty(strTool, value.first, value.second, false);
        pManager->saveToolSettings();
        bApplied = true;
    }

    QList<CComponent*> components;
    for (CComponent* pComponent : componentsToEdit())
        if (!isLocked(pComponent))
            components.append(pComponent);
    if (!components.isEmpty()) {
        // One change of the user is one undo step, however many components and properties it touches.
        std::unique_ptr<CBatchModeScope> pBatch;
        if (components.size() * values.size() > 1)
            pBatch = std::make_unique<CBatchModeScope>(-1);
        CControlLayer* pControl = CControlLayer::get();
        for (CComponent* pComponent : components)
            for (const QPair<QString, QVariant>& value : values)
                bApplied =
                    pControl->invokeUpdatePropertyCommand(pComponent->getID(), value.first, value.second,
                                                          eValuePolicy == eValueMergeWithPrevious) ||
                    bApplied;
    }

    if (bApplied && ePolicy == eUpdateColourActions)
        CColorAction::updateAllColorActions();
    return bApplied;
}
