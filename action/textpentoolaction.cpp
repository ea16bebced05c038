#include "textpentoolaction.h"

#include "orrery.h"
#include "orreryview.h"
#include "recognizermanager.h"
#include "textpennames.h"
#include "topic.h"
#include "trace.h"
#include "workspace.h"

namespace {

bool hasActiveRecognizer()
{
    const CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
    return pRecognizers && pRecognizers->getActiveRecognizer();
}

} // namespace

CTextPenToolAction::CTextPenToolAction(QObject* pParent)
    : CToolAction(QString::fromLatin1(textpen::c_szActionName),
                  QIcon(QStringLiteral(":/textpenplugin.text_pen.png")), pParent)
{
    TRACE_ENTER("CTextPenToolAction::CTextPenToolAction");
    setToolName(QString::fromLatin1(textpen::c_szToolName));
    TRACE_EXIT("CTextPenToolAction::CTextPenToolAction");
}

CTextPenToolAction::~CTextPenToolAction() = default;

void CTextPenToolAction::connectSignals() const
{
    TRACE_ENTER("CTextPenToolAction::connectSignals");
    CToolAction::connectSignals();
    TRACE_EXIT("CTextPenToolAction::connectSignals");
}

void CTextPenToolAction::disconnectSignals() const
{
    TRACE_ENTER("CTextPenToolAction::disconnectSignals");
    CToolAction::disconnectSignals();
    TRACE_EXIT("CTextPenToolAction::disconnectSignals");
}

bool CTextPenToolAction::isAvailable()
{
    TRACE_ENTER("CTextPenToolAction::isAvailable");
    if (!hasActiveRecognizer()) {
        TRACE_EXIT("CTextPenToolAction::isAvailable");
        return false;
    }
    // Without a page there is nowhere to put the text, which is no different from a blocked page.
    const CWorkspace* pWorkspace = COrrery::getWorkspace();
    const CTopic* pTopic = pWorkspace ? pWorkspace->getCurrentTopic() : nullptr;
    const bool bAvailable = pTopic && !pTopic->isInputBlocked();
    TRACE_EXIT("CTextPenToolAction::isAvailable");
    return bAvailable;
}

QString CTextPenToolAction::getLabelText()
{
    TRACE_ENTER("CTextPenToolAction::getLabelText");
    const QString strLabel = tr("Text-Pen");
    TRACE_EXIT("CTextPenToolAction::getLabelText");
    return strLabel;
}

bool CTextPenToolAction::isEnabledImpl()
{
    TRACE_ENTER("CTextPenToolAction::isEnabledImpl");
    if (!hasActiveRecognizer()) {
        TRACE_EXIT("CTextPenToolAction::isEnabledImpl");
        return false;
    }
    const COrreryView* pView = COrrery::getView();
    const bool bEnabled = !(pView && pView->liveDesktopMode());
    TRACE_EXIT("CTextPenToolAction::isEnabledImpl");
    return bEnabled;
}

void CTextPenToolAction::exec(bool bChecked)
{
    TRACE_ENTER("CTextPenToolAction::exec");
    // The menu may still offer the entry after the page began to block input, which no refresh
    // announces; Qt has already moved the check mark then, and only the active tool may carry it.
    if (isAvailable())
        CToolAction::exec(bChecked);
    else
        setChecked(isCheckedImpl());
    TRACE_EXIT("CTextPenToolAction::exec");
}
