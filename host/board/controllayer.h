// The host's command layer: every change of the board that the user can undo goes through here as a
// command on the undo stack.
#pragma once

#include "movecommand.h"

#include <QString>
#include <QVariant>
#include <boost/shared_ptr.hpp>
#include <functional>
#include <memory>

class CComponent;
class CMenuChoiceWatch;
class CSelectionManager;
class CToolManager;
class CTopic;
class QUndoCommand;
class QUndoStack;

class CControlLayer
{
public:
    static CControlLayer* get();

    // Puts the component on the page iTopicID (-1: the current page) at iIndex (-1: on top). A text
    // box put there, or given a new "string", while a pen hands its writing on keeps that writing
    // (CHandwritingKeeper), in the same step.
    bool invokeInsertCommand(const boost::shared_ptr<CComponent>& pComponent, qint64 iTopicID, int iIndex);
    // Sets a property of the component with that id on the current page. With bMergeWithPrevious, a
    // change of the same property of the same component right after this one folds into it.
    bool invokeUpdatePropertyCommand(qint64 iComponentID, const QString& strProperty, const QVariant& value,
                                     bool bMergeWithPrevious);
    // Takes the components off the current page, as one step.
    bool invokeDeleteCommand(const QList<qint64>& componentIDs);
    // Takes the component with that id off the current page as though it had never been put there:
    // the step that inserted it, and the later steps that only changed its settings, leave the stack.
    // False, and nothing changed, when other steps came since or a batch is open.
    bool withdrawInsertion(qint64 iComponentID);
    // Records components already moved by the user (the view drags them), as one step.
    bool invokeMoveCommand(const QList<CMoveCommand::SMove>& moves);

    // Puts a new empty page after the current one and shows it, as one step.
    bool invokeAddPageCommand();
    // Takes the page at iIndex (-1: the current one) off the board with everything on it, as one
    // step; the board's last page stays.
    bool invokeDeletePageCommand(int iIndex = -1);
    // Moves the page at iFrom to iTo in the board's order and shows it, as one step.
    bool invokeMovePageCommand(int iFrom, int iTo);

    // Runs a change of the board's pages made while a step is done, undone or redone. The stack is
    // busy with that step: nothing the change sets off (a box that finishes its editing, writing that
    // is handed on) may become a step of its own meanwhile, and the commands of this layer refuse.
    void whileStepRuns(const std::function<void()>& fnChange);
    bool isStepRunning() const { return m_iStepRunning > 0; }
    // Shows the page with that id, for a step undone or redone on it, so that the user sees what
    // changed; the page, null when the board no longer has it.
    CTopic* showTopicOfStep(qint64 iTopicID);

    // The commands issued between the outermost begin and its end form one step, named at its end
    // for what they did together, or strName where the outermost begin gives one. CBatchModeScope
    // opens and closes them.
    void beginBatch(const QString& strName = QString());
    void endBatch();

    // The tool manager lives in the core's registry; commands and surfaces reach it from here too.
    CToolManager* getToolManager() const;
    // The selection the commands of editors work on; null while the host has none.
    CSelectionManager* getSelectionManager() const;

    QUndoStack* undoStack() const { return m_pUndoStack; }

    static void reset();
    ~CControlLayer();

private:
    CControlLayer();
    QString batchName(const QUndoCommand* pBatch) const;

    QUndoStack* m_pUndoStack;
    std::unique_ptr<CMenuChoiceWatch> m_pMenuChoices;
    int m_iBatchDepth = 0;
    int m_iStepRunning = 0;
    // Batches begun while a step runs, which open nothing on the stack.
    int m_iBatchesRefused = 0;
    // The outermost batch began right after the user picked an entry from a menu.
    bool m_bBatchChosenFromMenu = false;
    QString m_strBatchName;
};
