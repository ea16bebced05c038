// The text pen's whole life, again and again in one process: the plug-in loaded by the app's loader
// into a fresh host with its window, set up, picked from its menu entry, a thousand pieces of writing
// (new boxes, overwritten boxes, taps and writing nothing is read from), then deactivated, closed, torn
// down and unloaded. After each cycle as many QObjects live as before it, and the undo stack holds
// exactly the steps made and takes the page back and forth between its first and last content.
#include "apphost.h"
#include "component.h"
#include "controllayer.h"
#include "selectionmanager.h"
#include "textcomponent.h"
#include "toolmanager.h"

#include <QScopeGuard>
#include <QUndoStack>
#include <QtTest>
#include <atomic>

// Qt's table of hooks for debugging tools (qhooks_p.h): a version, its size, Qt's version, then the
// callbacks run in every QObject's constructor and destructor.
extern "C" Q_CORE_EXPORT quintptr qtHookData[];

namespace {

const QString c_strTextPen = QStringLiteral("textpenplugin.handtext");
const QString c_strRecognitionError = QStringLiteral("Error in text recognition");
constexpr int c_iHookDataSize = 1;
constexpr int c_iAddQObjectHook = 3;
constexpr int c_iRemoveQObjectHook = 4;
constexpr int c_iPiecesPerCycle = 1000;
// The kinds of piece, in the order they repeat.
enum EPiece
{
    eNewBox,
    eOverwrite,
    eTap,
    eNothingRead,
    ePieceKinds
};

typedef void (*FObjectHook)(QObject*);
std::atomic<long> g_iLiveObjects{0};
FObjectHook g_pfnNextAdd = nullptr;
FObjectHook g_pfnNextRemove = nullptr;
bool g_bCounting = false;

void countAdded(QObject* pObject)
{
    ++g_iLiveObjects;
    if (g_pfnNextAdd)
        g_pfnNextAdd(pObject);
}

void countRemoved(QObject* pObject)
{
    --g_iLiveObjects;
    if (g_pfnNextRemove)
        g_pfnNextRemove(pObject);
}

// Counts every QObject made and destroyed from now on; false when this Qt has no such hooks.
bool installObjectCounter()
{
    if (qtHookData[c_iHookDataSize] <= quintptr(c_iRemoveQObjectHook))
        return false;
    g_pfnNextAdd = reinterpret_cast<FObjectHook>(qtHookData[c_iAddQObjectHook]);
    g_pfnNextRemove = reinterpret_cast<FObjectHook>(qtHookData[c_iRemoveQObjectHook]);
    qtHookData[c_iAddQObjectHook] = reinterpret_cast<quintptr>(&countAdded);
    qtHookData[c_iRemoveQObjectHook] = reinterpret_cast<quintptr>(&countRemoved);
    return true;
}

// Everything a user could see of the page: each component's type and properties, back to front.
QVector<QPair<QString, QVariantMap>> pageContent()
{
    QVector<QPair<QString, QVariantMap>> content;
    for (CComponent* pComponent : CBoardHost::page()->components()) {
        QVariantMap properties;
        for (const QString& strName : pComponent->getPropertyNames())
            properties.insert(strName, pComponent->getPropertyValue(strName));
        content.append({pComponent->getType(), properties});
    }
    return content;
}

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT

private:
    CAppHost* m_pApp = nullptr;

    COrreryView* view() const { return m_pApp->window()->board(); }
    static CTopic* page() { return CBoardHost::page(); }
    static QUndoStack* undoStack() { return CControlLayer::get()->undoStack(); }

    // Where the component shows on the board's viewport now; the view moves the page as it grows.
    QRect onView(CComponent* pComponent) const
    {
        return view()->mapFromScene(pComponent->getGraphicsItem()->sceneBoundingRect()).boundingRect();
    }

    // One piece of writing of the given kind; pLast is the box the last new-box piece made.
    void writePiece(int iPiece, CScriptedRecognizer& recognizer, CComponent*& pLast, int& iCommands)
    {
        const EPiece eKind = EPiece(iPiece % ePieceKinds);
        const int iBoxesBefore = page()->componentCount();
        const int iMessagesBefore = m_pApp->messages().size();
        // New boxes go down a grid of places on the board.
        const int iPlace = iPiece / ePieceKinds;
        const QRect newPlace(40 + (iPlace % 4) * 260, 30 + (iPlace / 4 % 6) * 110, 180, 50);
        const QString strReading = QStringLiteral("w%1").arg(iPiece);
        QVERIFY(COrrery::getToolManager()->setToolProperty(c_strTextPen, QStringLiteral("overwritetextbox"),
                                                           eKind == eOverwrite, false));
        switch (eKind) {
        case eNewBox:
            recognizer.enqueue({strReading, strReading + QStringLiteral("x")});
            QVERIFY(m_pApp->penInput(newPlace));
            QCOMPARE(page()->componentCount(), iBoxesBefore + 1);
            pLast = page()->components().last();
            QCOMPARE(pLast->getPropertyValue(QStringLiteral("string")).toString(), strReading);
            ++iCommands;
            break;
        case eOverwrite: {
            QVERIFY(pLast);
            const QRect box = onView(pLast);
            recognizer.enqueue({strReading});
            QVERIFY(m_pApp->penInput(QRect(box.left() + 10, box.top() + 10, 120, 40)));
            QCOMPARE(page()->componentCount(), iBoxesBefore);
            QCOMPARE(pLast->getPropertyValue(QStringLiteral("string")).toString(), strReading);
            ++iCommands;
            break;
        }
        case eTap:
            QVERIFY(pLast);
            QVERIFY(m_pApp->penInput(QRect(onView(pLast).center(), QSize(1, 1)), true));
            QCOMPARE(page()->componentCount(), iBoxesBefore);
            QVERIFY(COrrery::getSelectionManager()->selectedComponents().contains(pLast));
            break;
        case eNothingRead:
            recognizer.enqueue(QStringList());
            QVERIFY(m_pApp->penInput(newPlace.translated(0, 60)));
            QCOMPARE(page()->componentCount(), iBoxesBefore);
            QCOMPARE(m_pApp->messages().mid(iMessagesBefore), QStringList(c_strRecognitionError));
            break;
        case ePieceKinds:
            break;
        }
        QCOMPARE(undoStack()->count(), iCommands);
        QCOMPARE(CBoardHost::inkShown(view()), 0);
    }

    // The whole cycle; the object count is checked by the caller once the cycle's objects are gone.
    void runCycle(int iCycle)
    {
        CPluginLoader loader;
        CAppHost app(loader);
        m_pApp = &app;
        // Whatever fails, the host goes before the plug-in's code does.
        auto tearDown = qScopeGuard([&] {
            m_pApp = nullptr;
            app.stop();
            loader.unloadAll();
        });
        app.start();
        if (QTest::currentTestFailed())
            return;
        CScriptedRecognizer* pRecognizer = app.recognizer();

        // The page starts with a locked box that nothing written may change.
        const boost::shared_ptr<CComponent> pLocked = CTextComponent::make();
        pLocked->setPropertyValue(QStringLiteral("position"), QPointF(-2000, -2000));
        pLocked->setPropertyValue(QStringLiteral("string"), QStringLiteral("cycle %1").arg(iCycle));
        pLocked->setPropertyValue(QStringLiteral("locked"), true);
        QVERIFY(page()->addComponent(pLocked));
        const auto start = pageContent();

        QAction* pEntry = app.textPenEntry();
        QVERIFY(pEntry);
        pEntry->trigger();
        QCOMPARE(COrrery::getToolManager()->getActiveTool()->getName(), c_strTextPen);

        CComponent* pLast = nullptr;
        int iCommands = 0;
        for (int iPiece = 0; iPiece < c_iPiecesPerCycle; ++iPiece) {
            writePiece(iPiece, *pRecognizer, pLast, iCommands);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("cycle %1, piece %2").arg(iCycle).arg(iPiece)));
        }
        QCOMPARE(pRecognizer->received().size(), c_iPiecesPerCycle / ePieceKinds * 3);
        QCOMPARE(iCommands, c_iPiecesPerCycle / 2);
        QCOMPARE(m_pApp->messages().size(), c_iPiecesPerCycle / ePieceKinds);

        // Undo takes the page back to where it started, step by step; redo brings all of it back.
        const auto end = pageContent();
        QCOMPARE(end.size(), start.size() + c_iPiecesPerCycle / ePieceKinds);
        int iUndone = 0;
        for (; undoStack()->canUndo(); ++iUndone)
            undoStack()->undo();
        QCOMPARE(iUndone, iCommands);
        QVERIFY(pageContent() == start);
        int iRedone = 0;
        for (; undoStack()->canRedo(); ++iRedone)
            undoStack()->redo();
        QCOMPARE(iRedone, iCommands);
        QVERIFY(pageContent() == end);

        COrrery::getToolManager()->deactivate();
        COrrery::getToolManager()->onExit();
    }

private slots:
    void initTestCase() { QVERIFY(g_bCounting); }

    // Cycle 0 lets Qt make what it keeps for the rest of the process (styles, fonts, the offscreen
    // screen's objects); every later cycle must leave exactly what was there before it.
    void eachCycleLeavesNothingBehind()
    {
        bool bOk = false;
        const int iCycles = qEnvironmentVariableIntValue("TEXTPEN_SOAK_CYCLES", &bOk);
        const int iCount = bOk && iCycles > 0 ? iCycles : 50;
        long iBaseline = 0;
        for (int iCycle = 0; iCycle <= iCount; ++iCycle) {
            runCycle(iCycle);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("in cycle %1").arg(iCycle)));
            // Objects whose deletion was put off go now, as in the event loop.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const long iLive = g_iLiveObjects.load();
            if (iCycle == 0)
                iBaseline = iLive;
            QVERIFY2(iLive == iBaseline,
                     qPrintable(QStringLiteral("cycle %1 left %2 QObjects, %3 were there before it")
                                    .arg(iCycle)
                                    .arg(iLive)
                                    .arg(iBaseline)));
        }
    }
};

// No plug-in is loaded outside the cycles; each cycle's loader unloads it again.
int main(int argc, char** argv)
{
    // Before the application, so that the counts are of every QObject in the process.
    g_bCounting = installObjectCounter();
    QApplication app(argc, argv);
    tst_Soak test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soak.moc"
