#include "controllayer.h"

#include "addpagecommand.h"
#include "component.h"
#include "deletecommand.h"
#include "deletepagecommand.h"
#include "handwritingkeeper.h"
#include "insertcommand.h"
#include "menuchoicewatch.h"
#include "movepagecommand.h"
#include "orrery.h"
#include "topic.h"
#include "updatepropertycommand.h"
#include "workclock.h"
#include "workspace.h"

#include <QCoreApplication>
#include <QUndoStack>
#include <memory>

namespace {

std::unique_ptr<CControlLayer>& instance()
{
    static std::unique_ptr<CControlLayer> s_pLayer;
    return s_pLayer;
}

CTopic* currentTopic()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    return pWorkspace ? pWorkspace->getCurrentTopic() : nullptr;
}

// The commands that do the work, with the batches around them taken away.
QList<const QUndoCommand*> leaves(const QUndoCommand* pCommand)
{
    if (pCommand->childCount() == 0)
        return {pCommand};
    QList<const QUndoCommand*> result;
    for (int i = 0; i < pCommand->childCount(); ++i)
        result += leaves(pCommand->child(i));
    return result;
}

// The boxes whose text the step put there: inserted, or given a new "string".
QList<qint64> writtenComponents(const QUndoCommand* pStep)
{
    QList<qint64> ids;
    for (const QUndoCommand* pLeaf : leaves(pStep)) {
        if (const auto* pInsert = dynamic_cast<const CInsertCommand*>(pLeaf))
            ids.append(pInsert->componentID());
        const auto* pUpdate = dynamic_cast<const CUpdatePropertyCommand*>(pLeaf);
        if (pUpdate && pUpdate->property() == QLatin1String("string"))
            ids.append(pUpdate->componentID());
    }
    return ids;
}

// The box whose text the commands put anew, with its alignment at most; -1 when they do anything else.
qint64 rewrittenComponent(const QList<const QUndoCommand*>& commands)
{
    qint64 iComponent = -1;
    bool bString = false;
    for (const QUndoCommand* pCommand : commands) {
        const auto* pUpdate = dynamic_cast<const CUpdatePropertyCommand*>(pCommand);
        if (!pUpdate || (iComponent >= 0 && pUpdate->componentID() != iComponent))
            return -1;
        iComponent = pUpdate->componentID();
        bString = bString || pUpdate->property() == QLatin1String("string");
        if (pUpdate->property() != QLatin1String("string") &&
            pUpdate->property() != QLatin1String("alignment") &&
            pUpdate->property() != QLatin1String(CHandwritingKeeper::c_szHandwriting))
            return -1;
    }
    return bString ? iComponent : -1;
}

// Whether every command of the step sets a property of that component and nothing else.
bool onlySetsPropertiesOf(const QUndoCommand* pStep, qint64 iComponentID)
{
    for (const QUndoCommand* pLeaf : leaves(pStep)) {
        const auto* pUpdate = dynamic_cast<const CUpdatePropertyCommand*>(pLeaf);
        if (!pUpdate || pUpdate->componentID() != iComponentID)
            return false;
    }
    return true;
}

bool insertsOnly(const QUndoCommand* pStep, qint64 iComponentID)
{
    const QList<const QUndoCommand*> commands = leaves(pStep);
    const auto* pInsert = dynamic_cast<const CInsertCommand*>(commands.first());
    return commands.size() == 1 && pInsert && pInsert->componentID() == iComponentID;
}

} // namespace

CControlLayer::CControlLayer() : m_pUndoStack(new QUndoStack()), m_pMenuChoices(new CMenuChoiceWatch())
{
}

CControlLayer::~CControlLayer()
{
    delete m_pUndoStack;
}

CControlLayer* CControlLayer::get()
{
    std::unique_ptr<CControlLayer>& pLayer = instance();
    if (!pLayer)
        pLayer.reset(new CControlLayer());
    return pLayer.get();
}

void CControlLayer::reset()
{
    instance().reset();
}

CToolManager* CControlLayer::getToolManager() const
{
    return COrrery::getToolManager();
}

CSelectionManager* CControlLayer::getSelectionManager() const
{
    return COrrery::getSelectionManager();
}

bool CControlLayer::invokeInsertCommand(const boost::shared_ptr<CComponent>& pComponent, qint64 iTopicID,
                                        int iIndex)
{
    CWorkClock::CScope scope(CWorkClock::eCommand);
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    CTopic* pTopic = pWorkspace && !isStepRunning() ? pWorkspace->getTopic(iTopicID) : nullptr;
    if (!pComponent || !pComponent->getGraphicsItem() || !pTopic || pTopic->indexOf(pComponent->getID()) >= 0)
        return false;
    CHandwritingKeeper::keepForInsert(*pComponent);
    // The command names the page itself: an undo after a change of page must still reach it.
    m_pUndoStack->push(new CInsertCommand(pComponent, pTopic->getID(), iIndex));
    return pTopic->indexOf(pComponent->getID()) >= 0;
}

bool CControlLayer::invokeUpdatePropertyCommand(qint64 iComponentID, const QString& strProperty,
                                                const QVariant& value, bool bMergeWithPrevious)
{
    CWorkClock::CScope scope(CWorkClock::eCommand);
    CTopic* pTopic = currentTopic();
    CComponent* pComponent = pTopic ? pTopic->getComponent(iComponentID) : nullptr;
    if (!pComponent || strProperty.isEmpty() || isStepRunning())
        return false;
    const QVariant writing = strProperty == QLatin1String("string")
                                 ? CHandwritingKeeper::writingForNewText(*pComponent)
                                 : QVariant();
    if (!writing.isValid()) {
        m_pUndoStack->push(new CUpdatePropertyCommand(iComponentID, strProperty, value, bMergeWithPrevious));
        return true;
    }
    // The writing goes with the text it became: undo takes both back, the box's earlier writing too.
    beginBatch();
    m_pUndoStack->push(new CUpdatePropertyCommand(iComponentID, strProperty, value, false));
    m_pUndoStack->push(new CUpdatePropertyCommand(
        iComponentID, QLatin1String(CHandwritingKeeper::c_szHandwriting), writing, false));
    endBatch();
    return true;
}

bool CControlLayer::invokeDeleteCommand(const QList<qint64>& componentIDs)
{
    CTopic* pTopic = currentTopic();
    if (!pTopic || isStepRunning())
        return false;
    QList<qint64> present;
    for (qint64 iID : componentIDs)
        if (pTopic->indexOf(iID) >= 0 && !present.contains(iID))
            present.append(iID);
    // An empty step would make the user press undo once for nothing.
    if (present.isEmpty())
        return false;
    m_pUndoStack->push(new CDeleteCommand(present));
    return true;
}

bool CControlLayer::withdrawInsertion(qint64 iComponentID)
{
    CTopic* pTopic = currentTopic();
    if (m_iBatchDepth > 0 || isStepRunning() || !pTopic || pTopic->indexOf(iComponentID) < 0)
        return false;
    int iInsert = m_pUndoStack->index() - 1;
    while (iInsert >= 0 && !insertsOnly(m_pUndoStack->command(iInsert), iComponentID)) {
        if (!onlySetsPropertiesOf(m_pUndoStack->command(iInsert), iComponentID))
            return false;
        --iInsert;
    }
    if (iInsert < 0)
        return false;
    // An obsolete command is dropped by the stack on undo without being run; the stack hands its
    // commands out read-only, but they are the ones this layer pushed.
    while (m_pUndoStack->index() > iInsert) {
        const_cast<QUndoCommand*>(m_pUndoStack->command(m_pUndoStack->index() - 1))->setObsolete(true);
        m_pUndoStack->undo();
    }
    pTopic->removeComponent(iComponentID);
    return true;
}

bool CControlLayer::invokeMoveCommand(const QList<CMoveCommand::SMove>& moves)
{
    CTopic* pTopic = currentTopic();
    if (!pTopic || isStepRunning())
        return false;
    QList<CMoveCommand::SMove> real;
    for (const CMoveCommand::SMove& move : moves)
        if (move.from != move.to && pTopic->getComponent(move.iComponentID))
            real.append(move);
    // A click without a drag moves nothing and leaves no step behind.
    if (real.isEmpty())
        return false;
    m_pUndoStack->push(new CMoveCommand(real));
    return true;
}

bool CControlLayer::invokeAddPageCommand()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    if (!pWorkspace || isStepRunning())
        return false;
    // What is unfinished on the page shown now belongs there, and is finished before the step
    // begins: while it runs, nothing else can become a step.
    pWorkspace->leaveCurrentTopic();
    m_pUndoStack->push(new CAddPageCommand(pWorkspace->indexOf(pWorkspace->getCurrentTopic()) + 1));
    return true;
}

bool CControlLayer::invokeDeletePageCommand(int iIndex)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    if (!pWorkspace || isStepRunning() || pWorkspace->topicCount() < 2)
        return false;
    CTopic* pTopic = iIndex == -1 ? pWorkspace->getCurrentTopic() : pWorkspace->topicAt(iIndex);
    if (!pTopic)
        return false;
    const qint64 iTopicID = pTopic->getID();
    if (pTopic == pWorkspace->getCurrentTopic())
        pWorkspace->leaveCurrentTopic();
    // Finishing may have changed the pages.
    if (pWorkspace->topicCount() < 2 || !pWorkspace->getTopic(iTopicID))
        return false;
    m_pUndoStack->push(new CDeletePageCommand(iTopicID));
    return true;
}

bool CControlLayer::invokeMovePageCommand(int iFrom, int iTo)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    if (!pWorkspace || isStepRunning() || iFrom == iTo || !pWorkspace->topicAt(iFrom) ||
        !pWorkspace->topicAt(iTo))
        return false;
    if (pWorkspace->topicAt(iFrom) != pWorkspace->getCurrentTopic())
        pWorkspace->leaveCurrentTopic();
    m_pUndoStack->push(new CMovePageCommand(iFrom, iTo));
    return true;
}

void CControlLayer::whileStepRuns(const std::function<void()>& fnChange)
{
    ++m_iStepRunning;
    fnChange();
    --m_iStepRunning;
}

CTopic* CControlLayer::showTopicOfStep(qint64 iTopicID)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    CTopic* pTopic = pWorkspace && iTopicID >= 0 ? pWorkspace->getTopic(iTopicID) : nullptr;
    if (pTopic && pTopic != pWorkspace->getCurrentTopic())
        whileStepRuns([&] { pWorkspace->setCurrentTopic(pTopic); });
    return pTopic;
}

void CControlLayer::beginBatch(const QString& strName)
{
    // A batch opened while a step runs would put a step inside the one the stack is running.
    if (isStepRunning() || m_iBatchesRefused > 0) {
        ++m_iBatchesRefused;
        return;
    }
    if (m_iBatchDepth++ == 0) {
        m_bBatchChosenFromMenu = m_pMenuChoices->takeChoice();
        m_strBatchName = strName;
    }
    m_pUndoStack->beginMacro(QString());
}

void CControlLayer::endBatch()
{
    if (m_iBatchesRefused > 0) {
        --m_iBatchesRefused;
        return;
    }
    if (m_iBatchDepth == 0)
        return;
    if (--m_iBatchDepth == 0 && m_pUndoStack->count() > 0) {
        // The outermost batch is the stack's last command until it ends. The stack hands it out
        // read-only, but it is the command this layer began, and its name is only known now.
        auto* pBatch = const_cast<QUndoCommand*>(m_pUndoStack->command(m_pUndoStack->count() - 1));
        pBatch->setText(m_strBatchName.isEmpty() ? batchName(pBatch) : m_strBatchName);
    }
    m_pUndoStack->endMacro();
}

QString CControlLayer::batchName(const QUndoCommand* pBatch) const
{
    const QList<const QUndoCommand*> commands = leaves(pBatch);
    if (commands.isEmpty() || commands.first() == pBatch)
        return QCoreApplication::translate("CControlLayer", "Change");
    const qint64 iRewritten = rewrittenComponent(commands);
    if (iRewritten >= 0) {
        // A box's text put anew is the pen writing over it, or the user picking another reading of
        // what was just written. Picking comes from a menu, but so may other things, and the pen's
        // menu may be dismissed and the box written over later: a pick is a menu entry chosen as the
        // user's last act (nothing pressed since), for the very box the step before wrote.
        const int iPrevious = m_pUndoStack->index() - 1;
        const bool bAfterWritingIt =
            iPrevious >= 0 && writtenComponents(m_pUndoStack->command(iPrevious)).contains(iRewritten);
        return m_bBatchChosenFromMenu && bAfterWritingIt
                   ? QCoreApplication::translate("CControlLayer", "Choose alternative")
                   : QCoreApplication::translate("CControlLayer", "Replace text");
    }
    QStringList names;
    bool bAllUpdates = true;
    for (const QUndoCommand* pCommand : commands) {
        if (!names.contains(pCommand->text()))
            names.append(pCommand->text());
        const auto* pUpdate = dynamic_cast<const CUpdatePropertyCommand*>(pCommand);
        bAllUpdates = bAllUpdates && pUpdate;
    }
    if (names.size() == 1)
        return names.first();
    if (!bAllUpdates)
        return commands.first()->text();
    // Several settings changed at once (bold and italic by one button): all of them are named.
    QStringList labels;
    for (const QUndoCommand* pCommand : commands) {
        const QString strLabel = CUpdatePropertyCommand::propertyLabel(
            static_cast<const CUpdatePropertyCommand*>(pCommand)->property());
        if (!labels.contains(strLabel))
            labels.append(strLabel);
    }
    return QCoreApplication::translate("CUpdatePropertyCommand", "Change %1")
        .arg(labels.join(QStringLiteral(", ")));
}
