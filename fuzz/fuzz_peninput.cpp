// The recognizer's readings as the text pen gets them: any number of readings of any content (line
// feeds, nothing, tens of thousands of characters, lone surrogates) for writing placed anywhere, over
// free and locked text boxes, with overwriting on or off. The pen must put the first reading on the
// board whole or make nothing, and ask the user nothing but the recognition error.
#include "component.h"
#include "controllayer.h"
#include "fuzzhost.h"
#include "fuzzinput.h"
#include "mouseeventpoint.h"
#include "orrery.h"
#include "orreryview.h"
#include "scriptedrecognizer.h"
#include "toolmanager.h"
#include "tooltextpen.h"
#include "topic.h"
#include "workspace.h"

#include <QUndoStack>
#include <cstdio>
#include <cstdlib>

namespace {

// Runs between two resets of the board, so that its boxes and undo steps stay few.
const int c_iRunsPerBoard = 32;

void failure(const char* szWhat)
{
    fprintf(stderr, "fuzz_peninput: %s\n", szWhat);
    abort();
}

// Does any box on the board read exactly strText?
bool onBoard(const QString& strText)
{
    for (const CComponent* pComponent : COrrery::getWorkspace()->getCurrentTopic()->components())
        if (pComponent->getPropertyValue(QStringLiteral("string")).toString() == strText)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*piArgc*/, char*** /*pArgv*/)
{
    CFuzzHost::get();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t iSize)
{
    static int s_iRuns = 0;
    CFuzzHost& host = CFuzzHost::get();
    if (++s_iRuns % c_iRunsPerBoard == 0)
        host.resetBoard();
    CToolManager* pTools = COrrery::getToolManager();
    const QString strPen = host.tool()->getName();
    QUndoStack* pUndo = CControlLayer::get()->undoStack();

    // A few pieces of writing in a row, each maybe after a tap and followed by undo and redo.
    CFuzzInput input(pData, iSize);
    for (int iPiece = 0; iPiece < 4 && (iPiece == 0 || !input.atEnd()); ++iPiece) {
        const uint8_t iFlags = input.byte();
        pTools->setToolProperty(strPen, QStringLiteral("overwritetextbox"), bool(iFlags & 1), false);
        // The menu of readings waits for a choice; nobody is there to make one.
        pTools->setToolProperty(strPen, QStringLiteral("showcandidates"), false, false);

        QStringList readings;
        const int iReadings = input.byte() % 9;
        for (int i = 0; i < iReadings; ++i)
            readings.append(input.string());
        host.recognizer()->enqueue(readings);

        // Mostly over the standing boxes, sometimes far off the board or of no size.
        QRect bounds(input.byte() * 4 - 100, input.byte() * 3 - 100, input.byte() * 2, input.byte());
        if (iFlags & 4)
            bounds = QRect(input.signedWord() * 1000, input.signedWord() * 1000, input.word() * 100,
                           input.word() * 100);
        // A tap first opens a free box there for typing, or selects what is there.
        if (iFlags & 16) {
            const QPoint tap = bounds.center();
            host.tool()->onTap(CMouseEventPoint(tap, host.view()->mapToScene(tap)));
        }

        const int iStepsBefore = pUndo->count();
        const int iMessagesBefore = host.messageCount();
        host.writeOver(bounds);

        if (readings.isEmpty()) {
            if (host.messageCount() != iMessagesBefore + 1)
                failure("nothing read, yet the user was not told");
            if (pUndo->count() != iStepsBefore)
                failure("nothing read, yet the board changed");
        } else {
            if (host.messageCount() != iMessagesBefore)
                failure("a reading was taken, yet the user was told of an error");
            if (!onBoard(readings.first()))
                failure("the first reading is on no box");
        }
        if (iFlags & 2 && pUndo->canUndo())
            pUndo->undo();
        if (iFlags & 8 && pUndo->canRedo())
            pUndo->redo();
    }
    host.settle();
    return 0;
}
