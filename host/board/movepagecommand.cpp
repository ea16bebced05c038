#include "movepagecommand.h"

#include "controllayer.h"
#include "orrery.h"
#include "workspace.h"

#include <QCoreApplication>

CMovePageCommand::CMovePageCommand(int iFrom, int iTo) : m_iFrom(iFrom), m_iTo(iTo)
{
    setText(QCoreApplication::translate("CMovePageCommand", "Move Page"));
}

void CMovePageCommand::redo()
{
    move(m_iFrom, m_iTo);
}

void CMovePageCommand::undo()
{
    move(m_iTo, m_iFrom);
}

void CMovePageCommand::move(int iFrom, int iTo)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    if (!pWorkspace)
        return;
    CControlLayer::get()->whileStepRuns([&] {
        if (pWorkspace->moveTopic(iFrom, iTo))
            pWorkspace->setCurrentTopic(pWorkspace->topicAt(iTo));
    });
}
