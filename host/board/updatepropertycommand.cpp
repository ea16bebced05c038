#include "updatepropertycommand.h"

#include "component.h"
#include "controllayer.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

#include <QCoreApplication>

namespace {

// Any fixed number serves: QUndoStack only asks mergeWith when both ids are equal and not -1.
const int c_iMergeableID = 0x50524f50;

CComponent* findComponent(qint64 iTopicID, qint64 iID)
{
    CTopic* pTopic = CControlLayer::get()->showTopicOfStep(iTopicID);
    return pTopic ? pTopic->getComponent(iID) : nullptr;
}

qint64 currentTopicID()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    return pWorkspace && pWorkspace->getCurrentTopic() ? pWorkspace->getCurrentTopic()->getID() : -1;
}

} // namespace

CUpdatePropertyCommand::CUpdatePropertyCommand(qint64 iComponentID, const QString& strProperty,
                                               const QVariant& value, bool bMergeable)
    : m_iTopicID(currentTopicID()), m_iComponentID(iComponentID), m_strProperty(strProperty), m_value(value),
      m_bMergeable(bMergeable)
{
    // Only typing rewrites a box's text through a single command; the pen writes it in a batch.
    setText(strProperty == QLatin1String("string")
                ? QCoreApplication::translate("CUpdatePropertyCommand", "Edit text")
                : QCoreApplication::translate("CUpdatePropertyCommand", "Change %1")
                      .arg(propertyLabel(strProperty)));
}

QString CUpdatePropertyCommand::propertyLabel(const QString& strProperty)
{
    static const struct
    {
        const char* szProperty;
        const char* szLabel;
    } c_aLabels[] = {{"fontfamily", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "font")},
                     {"fontsize", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "font size")},
                     {"fontcolor", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "font colour")},
                     {"bold", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "bold")},
                     {"italic", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "italic")},
                     {"underline", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "underline")},
                     {"alignment", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "alignment")},
                     {"pencolor", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "line colour")},
                     {"fillcolor", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "fill colour")},
                     {"linestyle", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "line style")},
                     {"linewidth", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "line width")},
                     {"position", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "position")},
                     {"locked", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "lock")},
                     {"string", QT_TRANSLATE_NOOP("CUpdatePropertyCommand", "text")}};
    for (const auto& label : c_aLabels)
        if (strProperty == QLatin1String(label.szProperty))
            return QCoreApplication::translate("CUpdatePropertyCommand", label.szLabel);
    return strProperty;
}

void CUpdatePropertyCommand::redo()
{
    CComponent* pComponent = findComponent(m_iTopicID, m_iComponentID);
    if (!pComponent)
        return;
    if (m_bFirstRedo) {
        m_previous = pComponent->getPropertyValue(m_strProperty);
        m_bFirstRedo = false;
    }
    pComponent->setPropertyValue(m_strProperty, m_value);
}

void CUpdatePropertyCommand::undo()
{
    if (CComponent* pComponent = findComponent(m_iTopicID, m_iComponentID))
        pComponent->setPropertyValue(m_strProperty, m_previous);
}

int CUpdatePropertyCommand::id() const
{
    return m_bMergeable ? c_iMergeableID : -1;
}

bool CUpdatePropertyCommand::mergeWith(const QUndoCommand* pOther)
{
    const CUpdatePropertyCommand* pUpdate = dynamic_cast<const CUpdatePropertyCommand*>(pOther);
    if (!pUpdate || !pUpdate->m_bMergeable || pUpdate->m_iComponentID != m_iComponentID ||
        pUpdate->m_strProperty != m_strProperty)
        return false;
    m_value = pUpdate->m_value;
    // Changes that end where they started leave nothing to undo; the stack drops the step.
    setObsolete(m_value == m_previous);
    return true;
}
