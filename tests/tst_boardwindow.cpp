// The whiteboard window with the plug-in loaded as the app loads it: the text pen used from its menu
// entry, the context bar along the bottom edge, the tool-properties area, the interface language, a
// handwriting language loading behind a busy state, Delete, the board saved as a picture, pen input
// and what the window keeps between runs.
#include "abstractpropertyeditor.h"
#include "action.h"
#include "actionmanager.h"
#include "apphost.h"
#include "boardprinter.h"
#include "colorselect.h"
#include "component.h"
#include "contextbarinterface.h"
#include "contextbarmanager.h"
#include "controllayer.h"
#include "controlsignalsource.h"
#include "edittexthelper.h"
#include "handwritingrecognizer.h"
#include "hostpropertyeditor.h"
#include "laserpentool.h"
#include "laserpointeroverlay.h"
#include "linestylewidget.h"
#include "namedtool.h"
#include "normalpentool.h"
#include "pagelistpanel.h"
#include "pagemenu.h"
#include "pencolourwidget.h"
#include "penwidthwidget.h"
#include "recognizermanager.h"
#include "scribble.h"
#include "selectionmanager.h"
#include "selecttool.h"
#include "texttool.h"
#include "toolmanager.h"
#include "toolpropertiescontainer.h"
#include "toolpropertiesdock.h"
#include "topic.h"
#include "workspace.h"
#include "zoomcontroller.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUndoStack>
#include <QtTest>
#include <boost/make_shared.hpp>

namespace {

const QString c_strTextPen = QStringLiteral("textpenplugin.handtext");

// The text boxes on the board whose text is strText.
QList<CComponent*> boxesReading(const QString& strText)
{
    QList<CComponent*> boxes;
    for (CComponent* pComponent : CBoardHost::page()->components())
        if (pComponent->getPropertyValue(QStringLiteral("string")).toString() == strText)
            boxes.append(pComponent);
    return boxes;
}

} // namespace

class tst_BoardWindow : public QObject
{
    Q_OBJECT

    CPluginLoader m_loader;
    CAppHost m_app{m_loader};
    std::unique_ptr<CMainWindow>& m_pWindow = m_app.window();

    static CToolManager* tools() { return COrrery::getToolManager(); }
    static CTopic* page() { return CBoardHost::page(); }
    CToolPropertiesContainer* container() const { return m_pWindow->toolProperties()->container(); }
    static CContextbarInterface* textPenBar()
    {
        return COrrery::getContextbarManager()->getContextbar(
            QStringLiteral("textpenplugin.handtext.contextbar"));
    }
    bool dockedAtBottom(QToolBar* pBar) const
    {
        return pBar->isVisible() && pBar->parentWidget() == m_pWindow.get() &&
               m_pWindow->toolBarArea(pBar) == Qt::BottomToolBarArea;
    }
    // The text pen bar's entry, the last in the View menu as the menu shows it when it opens.
    QAction* barEntry() const
    {
        emit m_pWindow->viewMenu()->aboutToShow();
        return m_pWindow->viewMenu()->actions().last();
    }
    static bool boldShown(QWidget* pSurface)
    {
        const QList<QAbstractButton*> buttons = pSurface->findChildren<QAbstractButton*>();
        return std::any_of(buttons.begin(), buttons.end(),
                           [](QAbstractButton* p) { return p->text() == "B" && p->isChecked(); });
    }
    // One stroke on the board by mouse or by tablet pen; answers whether the board took every event.
    bool draw(const QVector<QPoint>& points, bool bTablet)
    {
        QWidget* pViewport = m_pWindow->board()->viewport();
        bool bAllTaken = true;
        for (int i = 0; i < points.size(); ++i) {
            const int iStage = i == 0 ? 0 : i == points.size() - 1 ? 2 : 1;
            const Qt::MouseButton eButton = iStage == 1 ? Qt::NoButton : Qt::LeftButton;
            const Qt::MouseButtons buttons = iStage == 2 ? Qt::NoButton : Qt::LeftButton;
            const QPointF point = points.at(i), global = pViewport->mapToGlobal(points.at(i));
            if (bTablet) {
                const QEvent::Type aTypes[] = {QEvent::TabletPress, QEvent::TabletMove,
                                               QEvent::TabletRelease};
                QTabletEvent event(aTypes[iStage], point, global, QTabletEvent::Stylus, QTabletEvent::Pen,
                                   0.3, 0, 0, 0, 0, 0, Qt::NoModifier, 1, eButton, buttons);
                // Only an event the board takes on purpose keeps Qt from sending it again as a mouse event.
                event.ignore();
                QApplication::sendEvent(pViewport, &event);
                bAllTaken = bAllTaken && event.isAccepted();
            } else {
                const QEvent::Type aTypes[] = {QEvent::MouseButtonPress, QEvent::MouseMove,
                                               QEvent::MouseButtonRelease};
                QMouseEvent event(aTypes[iStage], point, global, eButton, buttons, Qt::NoModifier);
                QApplication::sendEvent(pViewport, &event);
            }
        }
        return bAllTaken;
    }

private slots:
    void init()
    {
        m_app.start({boost::make_shared<CSelectTool>(), boost::make_shared<CNormalPenTool>(),
                     boost::make_shared<CTextTool>()});
        QVERIFY(tools()->activate(QStringLiteral("select")));
    }
    void cleanup() { m_app.stop(); }

    // The tool bar offers the host's tools and the plug-in's; the text pen brings its bar along.
    void theTextPenBarShowsOnlyWhileTheTextPenIsSelected_data()
    {
        QTest::addColumn<QString>("strOther");
        QTest::newRow("select") << QStringLiteral("select");
        QTest::newRow("pen") << QStringLiteral("pen");
        QTest::newRow("text") << QStringLiteral("text");
    }
    void theTextPenBarShowsOnlyWhileTheTextPenIsSelected()
    {
        QFETCH(QString, strOther);
        QStringList labels;
        QAction* pTextPen = nullptr;
        for (QAction* pAction : m_pWindow->toolBar()->actions()) {
            labels += pAction->isSeparator() ? QStringList() : QStringList(pAction->text());
            pTextPen = pAction->data().toString() == c_strTextPen ? pAction : pTextPen;
        }
        QCOMPARE(labels, QStringList({"Undo", "Redo", "&Delete", "Select", "Pen", "Text", "Text-Pen"}));
        QVERIFY(textPenBar() && !textPenBar()->isVisible());
        QVERIFY(tools()->activate(strOther));
        QVERIFY(textPenBar() && !textPenBar()->isVisible());
        // The text pen takes its text settings from the host's text tool when it is picked.
        QVERIFY(tools()->setToolProperty(QStringLiteral("text"), QStringLiteral("bold"), true, false));
        QTest::mouseClick(m_pWindow->toolBar()->widgetForAction(pTextPen), Qt::LeftButton);
        QVERIFY(pTextPen->isChecked() && dockedAtBottom(textPenBar()));
        // Initialised once the plug-in's editors are there: font family, text colour, weight and style.
        QCOMPARE(textPenBar()->actions().size(), 3);
        QVERIFY(boldShown(textPenBar()));
        // Picking the text pen again leaves the bar where it is.
        QVERIFY(tools()->activate(c_strTextPen));
        QVERIFY(dockedAtBottom(textPenBar()));
        QVERIFY(tools()->activate(strOther));
        QVERIFY(!textPenBar()->isVisible() && !textPenBar()->isToolSelected());
    }

    // The bar belongs to the plug-in, the page to the window: whichever goes first, the window leaves
    // the bar alone and the page goes before the tool it shows.
    void closingDownInEitherOrder_data()
    {
        QTest::addColumn<bool>("bPluginFirst");
        QTest::newRow("plug-in, then window") << true;
        QTest::newRow("window, then plug-in") << false;
    }
    void closingDownInEitherOrder()
    {
        QFETCH(bool, bPluginFirst);
        QVERIFY(tools()->activate(c_strTextPen));
        QPointer<QWidget> pBar(textPenBar()), pPage(container()->page());
        QVERIFY(pBar && pPage);
        if (bPluginFirst) {
            m_app.tearDownPlugin();
            QVERIFY(!pBar && !pPage);
            QVERIFY(m_pWindow->findChildren<CContextbarInterface*>().isEmpty());
        }
        m_pWindow.reset();
        QVERIFY(!pPage);
        QCOMPARE(!pBar, bPluginFirst);
        if (pBar)
            QVERIFY(!pBar->parentWidget() && pBar->isHidden());
        m_app.tearDownPlugin();
        QVERIFY(!pBar);
    }

    // The text pen's own page is built under the container and filled once it exists.
    void theTextPenGetsItsOwnPageFilledFromTheTool()
    {
        QSignalSpy changed(container(), &CToolPropertiesContainer::signalToolChanged);
        QVERIFY(tools()->setToolProperty(QStringLiteral("text"), QStringLiteral("bold"), true, false));
        QVERIFY(tools()->activate(c_strTextPen));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first(), QVariantList{c_strTextPen});
        QWidget* pPage = container()->page();
        // Its own page, not the generic one of an editor per setting.
        QVERIFY(pPage && pPage->parentWidget() == container() && container()->editors().empty());
        QVERIFY(boldShown(pPage));
    }

    // A tool without a page of its own gets one editor per setting that an editor is registered for.
    void anotherToolGetsTheGenericPage()
    {
        auto pMarker = boost::make_shared<CNamedTool>(QStringLiteral("marker"));
        pMarker->setToolProperty(QStringLiteral("showcandidates"), true);
        pMarker->setToolProperty(QStringLiteral("overwritetextbox"), false);
        pMarker->setToolProperty(QStringLiteral("size"), 3);
        QVERIFY(tools()->registerTool(pMarker));
        QVERIFY(tools()->activate(c_strTextPen));
        QPointer<QWidget> pTextPenPage(container()->page());
        QVERIFY(tools()->activate(QStringLiteral("marker")));
        QVERIFY(!pTextPenPage && container()->page());
        QCOMPARE(int(container()->editors().size()), 2);
        QCOMPARE(container()->editors().front()->property(), QStringLiteral("showcandidates"));
        QVERIFY(container()->page()->isAncestorOf(container()->editors().back()->widget()));
        // A tool without any leaves the area empty.
        QVERIFY(tools()->activate(QStringLiteral("select")) && !container()->page());
    }

    // The pen and the text tool offer their own settings on the generic page, the text tool its
    // outline and fill too; a colour picked there becomes the tool's.
    void theHostToolsOfferTheirSettings_data()
    {
        QTest::addColumn<QString>("strTool");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("strColour");
        QTest::addColumn<QVariant>("red");
        QTest::newRow("pen") << QStringLiteral("pen") << QStringList{"pencolor", "linewidth"}
                             << QStringLiteral("pencolor") << QVariant(QStringLiteral("normal;#FFFF0000"));
        QTest::newRow("text") << QStringLiteral("text")
                              << QStringList{"fontfamily", "fontsize", "fontcolor", "bold",      "italic",
                                             "underline",  "pencolor", "linewidth", "linestyle", "fillcolor"}
                              << QStringLiteral("fontcolor") << QVariant(QColor(Qt::red));
    }
    void theHostToolsOfferTheirSettings()
    {
        QFETCH(QString, strTool);
        QFETCH(QStringList, shown);
        QFETCH(QString, strColour);
        QFETCH(QVariant, red);
        CHostPropertyEditor::registerAll(COrrery::getPropertyEditorManager());
        // An outline may be switched off even while it is drawn; a pen's ink may not.
        QVERIFY(tools()->setToolProperty(strTool, "pencolor", "normal;#FF000000", false));
        QVERIFY(tools()->activate(strTool));
        auto* pOutline = container()->page()->findChild<CPencolourWidget*>();
        QCOMPARE(pOutline->shadeButton("null;") != nullptr, strTool == "text");
        QStringList edited;
        for (const auto& pEditor : container()->editors())
            edited += pEditor->properties();
        QCOMPARE(edited, shown);
        if (auto* pBox = container()->page()->findChild<CColorSelect*>())
            pickFromList(pBox, pBox->findData(QStringLiteral("#FFFF0000")));
        else if (auto* pShades = container()->page()->findChild<CPencolourWidget*>())
            pShades->shadeButton(red.toString())->click();
        QCOMPARE(tools()->getToolByName(strTool)->getToolProperty(strColour), red);
    }

    // Every change of a setting is passed on; the short form only for the tool whose page is shown.
    void settingChangesReachThePage_data()
    {
        QTest::addColumn<QString>("strTool");
        QTest::addColumn<QString>("strProperty");
        QTest::addColumn<bool>("bShownTool");
        QTest::newRow("the text pen") << c_strTextPen << QStringLiteral("textpen.italic") << true;
        QTest::newRow("another tool") << QStringLiteral("text") << QStringLiteral("underline") << false;
    }
    void settingChangesReachThePage()
    {
        QFETCH(QString, strTool);
        QFETCH(QString, strProperty);
        QFETCH(bool, bShownTool);
        QVERIFY(tools()->activate(c_strTextPen));
        QSignalSpy full(container(), qOverload<const QString&, const QString&, const QVariant&>(
                                         &CToolPropertiesContainer::signalToolPropertyChanged));
        QSignalSpy shortForm(container(), qOverload<const QString&, const QVariant&>(
                                              &CToolPropertiesContainer::signalToolPropertyChanged));
        QVERIFY(tools()->setToolProperty(strTool, strProperty, true, false));
        // The text pen hands its text settings on to the text tool, which reports a change of its own.
        QVERIFY(full.contains(QVariantList({strTool, strProperty, true})));
        const QList<QVariantList> expected = {{strProperty, true}};
        QCOMPARE(QList<QVariantList>(shortForm), bShownTool ? expected : QList<QVariantList>());
    }

    // The choice is announced, lays the application out in the language's direction and is there
    // again when the window next opens.
    void theLanguageMenuSwitchesTheInterface_data()
    {
        QTest::addColumn<QString>("strLocale");
        QTest::addColumn<bool>("bRightToLeft");
        QTest::newRow("Hebrew") << QStringLiteral("he_IL") << true;
        QTest::newRow("German") << QStringLiteral("de_DE") << false;
        QTest::newRow("English") << QStringLiteral("en_GB") << false;
    }
    void theLanguageMenuSwitchesTheInterface()
    {
        QFETCH(QString, strLocale);
        QFETCH(bool, bRightToLeft);
        const Qt::LayoutDirection eExpected = bRightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
        const Qt::LayoutDirection eOther = bRightToLeft ? Qt::LeftToRight : Qt::RightToLeft;
        m_pWindow->chooseLanguage(bRightToLeft ? QStringLiteral("de_DE") : QStringLiteral("he_IL"));
        QCOMPARE(QApplication::layoutDirection(), eOther);
        QVERIFY(tools()->activate(c_strTextPen));
        QSignalSpy announced(CControlSignalSource::get(), &CControlSignalSource::signalLanguageChanged);
        const QList<QAction*> entries = m_pWindow->languageMenu()->actions();
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](QAction* p) { return p->data().toString() == strLocale; });
        QVERIFY(it != entries.end() && !(*it)->isChecked());
        (*it)->trigger();
        const QList<QVariantList> expected = {{strLocale, bRightToLeft}};
        QCOMPARE(QList<QVariantList>(announced), expected);
        QCOMPARE(m_pWindow->layoutDirection(), eExpected);
        QVERIFY((*it)->isChecked());
        // The page follows at once: labels and check box at the leading edge, the Undo arrow pointing back.
        for (const QLabel* pLabel : container()->page()->findChildren<QLabel*>())
            QCOMPARE(
                QStyle::visualAlignment(pLabel->text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight,
                                        pLabel->alignment()) &
                    (Qt::AlignLeft | Qt::AlignRight),
                Qt::Alignment(bRightToLeft ? Qt::AlignRight : Qt::AlignLeft));
        QCOMPARE(container()->page()->findChild<QCheckBox*>()->layoutDirection(), eExpected);
        QCOMPARE(m_pWindow->toolBar()->actions().first()->icon().pixmap(16).toImage(),
                 m_pWindow->style()->standardIcon(QStyle::SP_ArrowBack).pixmap(16).toImage());

        QApplication::setLayoutDirection(eOther);
        m_pWindow = std::make_unique<CMainWindow>();
        QCOMPARE(QApplication::layoutDirection(), eExpected);
        QStringList checked;
        for (const QAction* pAction : m_pWindow->languageMenu()->actions())
            checked += pAction->isChecked() ? QStringList(pAction->data().toString()) : QStringList();
        QCOMPARE(checked, QStringList{strLocale});
    }

    // The window goes on while a handwriting language loads, and shows that it loads.
    void aHandwritingLanguageLoadsWhileTheWindowAnswers()
    {
        auto pHandwriting = boost::make_shared<CHandwritingRecognizer>();
        QVERIFY(COrrery::getRecognizerManager()->registerRecognizer(pHandwriting));
        m_pWindow->refreshRecognizers();
        auto languages = [this] {
            for (const QAction* pMenu : m_pWindow->menuBar()->actions())
                if (pMenu->text() == QLatin1String("&Recognizer"))
                    return pMenu->menu()->actions().last()->menu()->actions();
            return QList<QAction*>();
        };
        QSignalSpy loaded(pHandwriting.get(), &CHandwritingRecognizer::signalLanguageLoaded);
        m_pWindow->chooseRecognitionLanguage(QStringLiteral("de"));
        const QLabel* pLoading = nullptr;
        for (const QLabel* pLabel : m_pWindow->statusBar()->findChildren<QLabel*>())
            pLoading = pLabel->text().contains(QLatin1String("Loading Deutsch")) ? pLabel : pLoading;
        QVERIFY(pLoading && pLoading->isVisible());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        QCOMPARE(languages().size(), 5);
        for (const QAction* pEntry : languages())
            QVERIFY(!pEntry->isEnabled() && pEntry->isChecked() == (pEntry->data() == "de"));
        QVERIFY(loaded.wait(60000));
        QVERIFY(!pLoading->isVisible() && !QApplication::overrideCursor());
        for (const QAction* pEntry : languages())
            QVERIFY(pEntry->isEnabled() && pEntry->isChecked() == (pEntry->data() == "de"));
        QCOMPARE(COrrery::getUserSettings()->value(QStringLiteral("recognizer/language")), QVariant("de"));
    }

    // Every dock and bar is in the View menu under its name, and a panel the user closed comes back.
    void theViewMenuNamesEveryPanelAndBar()
    {
        QVERIFY(tools()->activate(c_strTextPen));
        emit m_pWindow->viewMenu()->aboutToShow();
        QMap<QString, QAction*> entries;
        for (QAction* pEntry : m_pWindow->viewMenu()->actions())
            entries.insert(pEntry->text(), pEntry);
        QList<QWidget*> panels = {m_pWindow->toolProperties(), m_pWindow->pageList()};
        for (QToolBar* pBar : m_pWindow->findChildren<QToolBar*>())
            panels.append(pBar);
        QCOMPARE(panels.size(), 4);
        for (const QWidget* pPanel : panels)
            QVERIFY2(!pPanel->objectName().isEmpty() && entries.contains(pPanel->windowTitle()) &&
                         !pPanel->windowTitle().isEmpty(),
                     qPrintable(pPanel->objectName()));
        m_pWindow->toolProperties()->close();
        entries.value(m_pWindow->toolProperties()->windowTitle())->trigger();
        QVERIFY(m_pWindow->toolProperties()->isVisible());
    }

    // Page Up and Page Down turn the pages, except in a box being typed into, and never scroll the
    // board; the status bar and the Pages list follow the page shown.
    void thePageKeysTurnThePages_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("typing");
        QTest::addColumn<int>("to");
        QTest::newRow("next") << 0 << int(Qt::Key_PageDown) << false << 1;
        QTest::newRow("previous") << 2 << int(Qt::Key_PageUp) << false << 1;
        QTest::newRow("none before the first") << 0 << int(Qt::Key_PageUp) << false << 0;
        QTest::newRow("none after the last") << 2 << int(Qt::Key_PageDown) << false << 2;
        QTest::newRow("the caret's while typing") << 1 << int(Qt::Key_PageDown) << true << 1;
    }
    void thePageKeysTurnThePages()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(bool, typing);
        QFETCH(int, to);
        CWorkspace* pWorkspace = COrrery::getWorkspace();
        pWorkspace->addTopic();
        pWorkspace->addTopic();
        pWorkspace->setCurrentTopic(pWorkspace->topicAt(from));
        QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
        const boost::shared_ptr<CComponent> pBox = CComponent::create("text");
        if (typing)
            QVERIFY(CControlLayer::get()->invokeInsertCommand(pBox, -1, -1) &&
                    CEditTextHelper().startEditText(pBox.get()));
        else
            m_pWindow->board()->setFocus();
        const int iScrolled = m_pWindow->board()->verticalScrollBar()->value();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(m_pWindow->board()->verticalScrollBar()->value(), iScrolled);
        QCOMPARE(pWorkspace->indexOf(page()), to);
        QCOMPARE(m_pWindow->board()->topic(), page());
        QCOMPARE(pBox->getGraphicsItem()->hasFocus(), typing);
        QCOMPARE(m_pWindow->pageMenu()->positionText(), QString("Page %1 of 3").arg(to + 1));
        QTRY_COMPARE(m_pWindow->pageList()->list()->currentRow(), to);
    }

    // The Pages list shows every page; a click shows one, a drop moves one as a step, and a change
    // draws the picture of its page again, not those of the others. A board opened anew replaces all.
    void thePagesListShowsAndMovesPages()
    {
        CPageListPanel* pPanel = m_pWindow->pageList();
        QListWidget* pList = pPanel->list();
        CWorkspace* pWorkspace = COrrery::getWorkspace();
        QVERIFY(CControlLayer::get()->invokeAddPageCommand() && CControlLayer::get()->invokeAddPageCommand());
        // Once the new pages have settled.
        QCoreApplication::processEvents();
        pPanel->refreshNow();
        QCOMPARE(pList->count(), 3);
        QCOMPARE(pList->currentRow(), 2);
        const qint64 iFirst = pWorkspace->topicAt(0)->getID(), iLast = pWorkspace->topicAt(2)->getID();
        const int iFirstDrawn = pPanel->drawCount(iFirst), iLastDrawn = pPanel->drawCount(iLast);
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                          pList->visualItemRect(pList->item(0)).center());
        QCOMPARE(page()->getID(), iFirst);
        QVERIFY(CControlLayer::get()->invokeInsertCommand(CComponent::create("text"), -1, -1));
        QTRY_COMPARE(pPanel->drawCount(iFirst), iFirstDrawn + 1);
        QCOMPARE(pPanel->drawCount(iLast), iLastDrawn);
        QVERIFY(pList->model()->moveRow(QModelIndex(), 0, QModelIndex(), 3));
        QCOMPARE(CControlLayer::get()->undoStack()->undoText(), QString("Move Page"));
        QCOMPARE(pWorkspace->topicAt(2)->getID(), iFirst);
        QTRY_COMPARE(pList->item(2)->data(Qt::UserRole).toLongLong(), iFirst);
        QCOMPARE(pList->currentRow(), 2);
        // A board opened anew: the board and the list show its page, nothing of the old ones, which
        // are taken apart once the new board is on the screen.
        const QPointer<QGraphicsScene> pOldScene = page()->scene();
        pWorkspace->replaceTopics({});
        QCOMPARE(m_pWindow->board()->topic(), page());
        QVERIFY(pOldScene);
        QTRY_COMPARE(pList->count(), 1);
        QCOMPARE(pList->item(0)->data(Qt::UserRole).toLongLong(), page()->getID());
        QTRY_VERIFY(!pOldScene);
    }

    // A bar hidden from the View menu stays hidden through tool changes and a restart until ticked again.
    void aBarTheUserHidStaysHidden()
    {
        QVERIFY(tools()->activate(c_strTextPen));
        barEntry()->trigger();
        for (bool bRestart : {false, true}) {
            if (bRestart && m_pWindow->close()) {
                m_app.stop();
                m_app.start({boost::make_shared<CSelectTool>()}, true);
            }
            QVERIFY(tools()->activate("select") && tools()->activate(c_strTextPen));
            QVERIFY(!textPenBar()->isVisible() && barEntry()->isEnabled() && !barEntry()->isChecked());
        }
        barEntry()->trigger();
        QVERIFY(dockedAtBottom(textPenBar()) && tools()->activate("select"));
        QVERIFY(!barEntry()->isEnabled() && barEntry()->isChecked());
    }

    // The board does not shift as tools are picked, nor does the window grow; editors come after it.
    void theToolPropertiesKeepTheirWidth()
    {
        CHostPropertyEditor::registerAll(COrrery::getPropertyEditorManager());
        QVERIFY(tools()->activate(c_strTextPen));
        for (const QSize& size : {QSize(1400, 900), QSize(800, 560)}) {
            m_pWindow->resize(size);
            QTest::qWait(50);
            QSet<int> widths;
            for (const QString& strTool : tools()->getToolNames()) {
                QVERIFY(tools()->activate(strTool));
                QCoreApplication::processEvents();
                widths.insert(m_pWindow->toolProperties()->width());
            }
            QVERIFY(widths.size() == 1 && m_pWindow->size() == size);
        }
    }

    // The laser pen picked from its menu entry shows a dot where the pen goes and leaves the board as
    // it was, without an undo step.
    void theLaserPenPointsWithoutWriting()
    {
        QVERIFY(tools()->registerTool(boost::make_shared<CLaserPenTool>()));
        QVERIFY(tools()->activate(QStringLiteral("pen")));
        COrrery::getActionManager()->getAction(QStringLiteral("tool.laserpen"))->trigger();
        auto* pLaser = dynamic_cast<CLaserPenTool*>(tools()->getActiveTool());
        QVERIFY(pLaser);
        const int iSteps = CControlLayer::get()->undoStack()->count();
        draw({{100, 100}, {200, 150}, {300, 100}}, false);
        QCOMPARE(page()->componentCount(), 0);
        QCOMPARE(CControlLayer::get()->undoStack()->count(), iSteps);
        QVERIFY(pLaser->pointer() && pLaser->pointer()->isShowing());
        QVERIFY(tools()->activate(QStringLiteral("pen")) && !pLaser->pointer());
    }

    // Export as PNG proposes the user's pictures folder and a name with the date and time.
    void theExportProposesADatedNameInThePicturesFolder()
    {
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Pictures")));
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        QString strFolder, strName;
        QTimer::singleShot(0, [&] {
            if (auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                strFolder = pDialog->directory().absolutePath();
                strName = QFileInfo(pDialog->selectedFiles().value(0)).fileName();
                pDialog->reject();
            }
        });
        for (QAction* pEntry : m_pWindow->menuBar()->actions().first()->menu()->actions())
            if (pEntry->text().contains(QStringLiteral("Export as PNG")))
                pEntry->trigger();
        qputenv("HOME", oldHome);
        QCOMPARE(strFolder, QDir(home.path()).filePath(QStringLiteral("Pictures")));
        QVERIFY2(QRegularExpression(QStringLiteral("^board-\\d{4}-\\d\\d-\\d\\d-\\d{4}\\.png$"))
                     .match(strName)
                     .hasMatch(),
                 qPrintable(strName));
    }

    // The pen's stroke becomes the same ink as the mouse's, whatever its pressure.
    // At any zoom the ink lands under the pen, as wide on the board as ever.
    void aTabletPenDrawsAsTheMouseDoes_data()
    {
        QTest::addColumn<bool>("bTablet");
        QTest::addColumn<double>("dZoom");
        QTest::newRow("mouse") << false << 1.0;
        QTest::newRow("tablet pen") << true << 1.0;
        QTest::newRow("mouse at 50 %") << false << 0.5;
        QTest::newRow("tablet pen at 200 %") << true << 2.0;
    }
    void aTabletPenDrawsAsTheMouseDoes()
    {
        QFETCH(bool, bTablet);
        QFETCH(double, dZoom);
        m_pWindow->zoomController()->zoomAbout(dZoom, QPointF(400, 300));
        QVERIFY(tools()->activate(QStringLiteral("pen")));
        const QVector<QPoint> points = {{100, 100}, {150, 120}, {200, 100}};
        QVERIFY(draw(points, bTablet));
        QCOMPARE(page()->componentCount(), 1);
        QVariantList stroke;
        for (const QPoint& point : points)
            stroke.append(m_pWindow->board()->mapToScene(point));
        QCOMPARE(page()->components().first()->getPropertyValue("strokes"), QVariant(QVariantList{stroke}));
        QCOMPARE(page()->components().first()->getPropertyValue("linewidth").toDouble(),
                 3.0 * COrrery::getLPToDPRatio());
    }

    // The zoom keys go through the usual steps and stop at 25 and 400 %; Fit Page shows the whole page.
    void theZoomStepsWithinItsLimits_data()
    {
        QTest::addColumn<double>("dFrom");
        QTest::addColumn<QKeySequence>("keys"); // none: View > Zoom > Fit Page
        QTest::addColumn<double>("dTo");        // 0: as large as the whole page fits
        QTest::newRow("Ctrl++ from 100 %") << 1.0 << QKeySequence("Ctrl++") << 1.25;
        QTest::newRow("Ctrl+- from 100 %") << 1.0 << QKeySequence("Ctrl+-") << 0.75;
        QTest::newRow("Ctrl+- from 50 %") << 0.5 << QKeySequence("Ctrl+-") << 1 / 3.0;
        QTest::newRow("Ctrl+= between steps") << 0.9 << QKeySequence("Ctrl+=") << 1.0;
        QTest::newRow("Ctrl++ at 400 %") << 4.0 << QKeySequence("Ctrl++") << 4.0;
        QTest::newRow("Ctrl+- at 25 %") << 0.25 << QKeySequence("Ctrl+-") << 0.25;
        QTest::newRow("Ctrl+0 from 300 %") << 3.0 << QKeySequence("Ctrl+0") << 1.0;
        QTest::newRow("Fit Page from 400 %") << 4.0 << QKeySequence() << 0.0;
    }
    void theZoomStepsWithinItsLimits()
    {
        QFETCH(double, dFrom);
        QFETCH(QKeySequence, keys);
        QFETCH(double, dTo);
        COrreryView* pBoard = m_pWindow->board();
        pBoard->setZoom(dFrom);
        // The window lays itself out once it shows; Fit Page fits the board as it is then.
        QCoreApplication::processEvents();
        QSignalSpy zoomed(pBoard, &COrreryView::signalZoomChanged);
        emit m_pWindow->viewMenu()->aboutToShow();
        if (keys.isEmpty())
            m_pWindow->viewMenu()->actions().first()->menu()->actions().last()->trigger();
        else
            QTest::keySequence(m_pWindow.get(), keys);
        if (dTo == 0.0) {
            // As large as the view takes the whole page, once the scroll bars have gone.
            QTRY_VERIFY(!pBoard->horizontalScrollBar()->isVisible() &&
                        !pBoard->verticalScrollBar()->isVisible());
            const QRectF shown = pBoard->mapFromScene(page()->scene()->sceneRect()).boundingRect();
            QVERIFY(std::max(shown.width() / pBoard->viewport()->width(),
                             shown.height() / pBoard->viewport()->height()) > 0.99);
            dTo = pBoard->zoom();
        }
        QCOMPARE(pBoard->zoom(), dTo);
        QCOMPARE(zoomed.count(), dFrom == dTo ? 0 : 1);
        QCOMPARE(m_pWindow->statusBar()->findChild<QLabel*>("zoom")->text(),
                 QString::number(qRound(dTo * 100)) + " %");
    }

    // Ctrl with the wheel zooms about the pointer, keeping the board point under it; alone it scrolls.
    void theWheelZoomsWithCtrlAndScrollsWithout_data()
    {
        QTest::addColumn<bool>("bCtrl");
        QTest::addColumn<int>("iEighths");
        QTest::addColumn<double>("dZoom");
        QTest::newRow("Ctrl, one notch up") << true << 120 << 1.2;
        QTest::newRow("Ctrl, nearly 125 %: lands on it") << true << 145 << 1.25;
        QTest::newRow("Ctrl, far down: the limit") << true << -2400 << 0.25;
        QTest::newRow("no Ctrl, down") << false << -120 << 1.0;
    }
    void theWheelZoomsWithCtrlAndScrollsWithout()
    {
        QFETCH(bool, bCtrl);
        QFETCH(int, iEighths);
        QFETCH(double, dZoom);
        COrreryView* pBoard = m_pWindow->board();
        const QPoint pointer(300, 200);
        pBoard->centerOn(page()->scene()->sceneRect().center());
        const QPointF boardPoint = pBoard->mapToScene(pointer);
        const int iScrolled = pBoard->verticalScrollBar()->value();
        QWheelEvent wheel(pointer, pBoard->viewport()->mapToGlobal(pointer), QPoint(), QPoint(0, iEighths),
                          Qt::NoButton, bCtrl ? Qt::ControlModifier : Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(pBoard->viewport(), &wheel);
        QCOMPARE(pBoard->zoom(), dZoom);
        if (bCtrl)
            QVERIFY((pBoard->mapFromScene(boardPoint) - pointer).manhattanLength() <= 2 || dZoom == 0.25);
        else
            QVERIFY(pBoard->verticalScrollBar()->value() > iScrolled);
    }

    // Every page, or the printer's range of them, in order, one sheet each, with its text as text.
    void thePagesArePrintedAndExportedAsPdf_data()
    {
        QTest::addColumn<int>("range"); // AllPages: Export as PDF
        QTest::addColumn<int>("iFrom");
        QTest::addColumn<int>("iTo");
        QTest::addColumn<QStringList>("texts"); // of the sheets
        QTest::newRow("export") << int(QPrinter::AllPages) << 0 << 0 << QStringList{"one", "two", "three"};
        QTest::newRow("pages 2 to 9") << int(QPrinter::PageRange) << 2 << 9 << QStringList{"two", "three"};
        QTest::newRow("print the current page") << int(QPrinter::CurrentPage) << 0 << 0 << QStringList{"two"};
    }
    void thePagesArePrintedAndExportedAsPdf()
    {
        QFETCH(int, range);
        QFETCH(int, iFrom);
        QFETCH(int, iTo);
        QFETCH(QStringList, texts);
        CWorkspace& board = *COrrery::getWorkspace();
        for (const QString& strText : QStringList{"one", "two", "three"}) {
            CTopic* pPage = strText == "one" ? board.topicAt(0) : board.addTopic();
            const boost::shared_ptr<CComponent> pBox = CComponent::create(QStringLiteral("text"));
            pBox->setPropertyValue(QStringLiteral("string"), strText);
            QVERIFY(pPage->addComponent(pBox));
        }
        board.setCurrentTopic(board.topicAt(1));
        QTemporaryDir dir;
        const QString strPath = dir.filePath(QStringLiteral("board.pdf"));
        QPrinter printer;
        printer.setOutputFileName(strPath);
        printer.setPrintRange(QPrinter::PrintRange(range));
        printer.setFromTo(iFrom, iTo);
        QVERIFY(range == QPrinter::AllPages ? CBoardPrinter::exportPdf(board, strPath, nullptr)
                                            : CBoardPrinter::print(board, printer));
        QFile file(strPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("/Type /Page\n"), texts.size());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed to read the text back");
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {strPath, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished());
        QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput())
                     .split('\f', Qt::SkipEmptyParts)
                     .replaceInStrings(QRegularExpression("\\s"), ""),
                 texts);
    }

    // The Delete button takes the selection off the board in one step that Undo brings back in place.
    void theDeleteButtonRemovesTheSelection()
    {
        QVERIFY(tools()->activate(QStringLiteral("pen")));
        for (int iY : {100, 250, 400})
            draw({{100, iY}, {200, iY + 50}}, false);
        QWidget* pButton = m_pWindow->toolBar()->widgetForAction(m_pWindow->deleteAction());
        QVERIFY(pButton && !pButton->isEnabled());
        const QList<CComponent*> before = page()->components();
        CSelectionManager* pSelection = COrrery::getSelectionManager();
        pSelection->select(before.value(0));
        QVERIFY(pButton->isEnabled());
        pSelection->clearSelection();
        QVERIFY(!pButton->isEnabled());
        pSelection->select(before.value(0));
        pSelection->select(before.value(2), true);
        QUndoStack* pUndo = CControlLayer::get()->undoStack();
        const int iSteps = pUndo->count();
        QTest::mouseClick(pButton, Qt::LeftButton);
        QCOMPARE(page()->components(), QList<CComponent*>{before.value(1)});
        QCOMPARE(pUndo->count(), iSteps + 1);
        pUndo->undo();
        QCOMPARE(page()->components(), before);
    }

    // Select picks by a click or by a band over the empty board; a drag moves what is picked as one step
    // that undo takes back and either redo key brings again; Delete takes it off and greys.
    void theSelectToolPicksMovesAndDeletes_data()
    {
        QTest::addColumn<bool>("bBand");
        QTest::addColumn<QKeySequence>("redo");
        QTest::newRow("a click, Ctrl+Y") << false << QKeySequence(QStringLiteral("Ctrl+Y"));
        QTest::newRow("a band over two, Ctrl+Shift+Z")
            << true << QKeySequence(QStringLiteral("Ctrl+Shift+Z"));
    }
    void theSelectToolPicksMovesAndDeletes()
    {
        QFETCH(bool, bBand);
        QFETCH(QKeySequence, redo);
        QList<QPointF> before;
        for (int iBox = 0; iBox < 3; ++iBox) {
            const boost::shared_ptr<CComponent> pBox = CComponent::create(QStringLiteral("text"));
            pBox->setPropertyValue(QStringLiteral("string"), QStringLiteral("box"));
            before.append(m_pWindow->board()->mapToScene(QPoint(100 + 200 * iBox, 100)));
            pBox->setPropertyValue(QStringLiteral("position"), before.last());
            QVERIFY(CControlLayer::get()->invokeInsertCommand(pBox, -1, -1));
        }
        QAction* pDelete = m_pWindow->deleteAction();
        draw({{110, 108}, {110, 108}}, false);
        QVERIFY(pDelete->isEnabled());
        draw({{700, 400}, {700, 400}}, false);
        QVERIFY(!pDelete->isEnabled());
        draw(bBand ? QVector<QPoint>{{60, 60}, {200, 200}, {360, 200}, {360, 200}}
                   : QVector<QPoint>{{110, 108}, {110, 108}},
             false);
        const int iPicked = bBand ? 2 : 1;
        QCOMPARE(COrrery::getSelectionManager()->countCurrentlySelected(), iPicked);
        draw({{110, 108}, {130, 118}, {150, 128}, {150, 128}}, false);
        const auto positions = [this] {
            QList<QPointF> points;
            for (CComponent* pBox : page()->components())
                points.append(pBox->getPropertyValue(QStringLiteral("position")).toPointF());
            return points;
        };
        QList<QPointF> moved = before;
        for (int i = 0; i < iPicked; ++i)
            moved[i] +=
                m_pWindow->board()->mapToScene(QPoint(40, 20)) - m_pWindow->board()->mapToScene(QPoint());
        QCOMPARE(positions(), moved);
        QUndoStack* pUndo = CControlLayer::get()->undoStack();
        QCOMPARE(pUndo->undoText(), QStringLiteral("Move"));
        pUndo->undo();
        QCOMPARE(positions(), before);
        QTest::keySequence(m_pWindow.get(), redo);
        QCOMPARE(positions(), moved);
        QTest::keyClick(m_pWindow.get(), Qt::Key_Delete);
        QCOMPARE(page()->componentCount(), 3 - iPicked);
        QVERIFY(!pDelete->isEnabled());
    }

    // A box written with the text pen offers its writing on a right-click with Select, and the Edit menu
    // offers the writing or the text, each only where it applies.
    void theWritingOfABoxIsOfferedWhereTheBoxIs()
    {
        m_app.recognizer()->setStandingAnswer({QStringLiteral("hello")});
        QVERIFY(tools()->activate(c_strTextPen));
        QVERIFY(m_app.penInput(QRect(100, 100, 180, 50)));
        QVERIFY(tools()->activate(QStringLiteral("select")));
        QAction *pShowWriting = nullptr, *pShowText = nullptr;
        for (QAction* pAction : m_pWindow->menuBar()->actions().value(1)->menu()->actions()) {
            pShowWriting = pAction->text() == QStringLiteral("Show &handwriting") ? pAction : pShowWriting;
            pShowText = pAction->text() == QStringLiteral("Show te&xt") ? pAction : pShowText;
        }
        QVERIFY(pShowWriting && pShowText && !pShowWriting->isEnabled() && !pShowText->isEnabled());
        QTimer::singleShot(0, [] {
            if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                pMenu->setActiveAction(pMenu->actions().value(0));
                QTest::keyClick(pMenu, Qt::Key_Return);
            }
        });
        QWidget* pViewport = m_pWindow->board()->viewport();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(115, 115),
                                pViewport->mapToGlobal(QPoint(115, 115)));
        QApplication::sendEvent(pViewport, &click);
        CComponent* pInk = page()->components().value(0);
        QCOMPARE(pInk->getType(), QStringLiteral("ink"));
        QVERIFY(pShowText->isEnabled() && !pShowWriting->isEnabled());
        pShowText->trigger();
        QCOMPARE(page()->components().value(0)->getType(), QStringLiteral("text"));
        QVERIFY(pShowWriting->isEnabled() && !pShowText->isEnabled());
        CControlLayer::get()->undoStack()->undo();
        QCOMPARE(page()->components(), QList<CComponent*>{pInk});
    }

    // The whole page as large as the board shows it, with what is drawn on it where it was drawn.
    void theBoardIsExportedAsAPicture()
    {
        QVERIFY(tools()->activate(QStringLiteral("pen")));
        draw({{100, 100}, {300, 100}}, false);
        QTemporaryDir dir;
        const QString strPath = dir.filePath(QStringLiteral("board.png"));
        QVERIFY(m_pWindow->exportBoard(strPath));
        QImage picture;
        QVERIFY(picture.load(strPath, "PNG"));
        const QTransform shown = m_pWindow->board()->transform();
        QCOMPARE(picture.size(), shown.mapRect(page()->scene()->sceneRect()).size().toSize());
        const QPoint onStroke = shown.map(m_pWindow->board()->mapToScene(QPoint(200, 100))).toPoint();
        QVERIFY(qGray(picture.pixel(onStroke)) < 128);
        QCOMPARE(picture.pixel(onStroke + QPoint(0, 40)), qRgb(255, 255, 255));
        QVERIFY(!m_pWindow->exportBoard(dir.filePath(QStringLiteral("missing/board.png"))));
    }

    // Both surfaces show a change of the text pen before the event loop runs again, whoever made it; an
    // outline makes its style and width choosable on the page.
    void bothSurfacesShowAChangeAtOnce_data()
    {
        QTest::addColumn<QString>("strFrom");
        QTest::addColumn<bool>("bOutline");
        QTest::newRow("text colour on the page") << "page" << false;
        QTest::newRow("text colour on the bar") << "bar" << false;
        QTest::newRow("text colour by the tool") << "tool" << false;
        QTest::newRow("outline on the page") << "page" << true;
    }
    void bothSurfacesShowAChangeAtOnce()
    {
        QFETCH(QString, strFrom);
        QFETCH(bool, bOutline);
        QVERIFY(tools()->activate(c_strTextPen));
        QWidget* pFrom = strFrom == "bar" ? textPenBar() : container()->page();
        if (strFrom == "tool")
            tools()->getActiveTool()->setToolProperty("textpen.fontcolor", QColor(Qt::red));
        else if (bOutline)
            pFrom->findChild<CPencolourWidget*>()->shadeButton("normal;#FF0000FF")->click();
        else
            pickFromList(pFrom->findChild<CColorSelect*>(),
                         pFrom->findChild<CColorSelect*>()->findData("#FFFF0000"));
        for (QWidget* pSurface : {container()->page(), static_cast<QWidget*>(textPenBar())})
            QCOMPARE(pSurface->findChild<CColorSelect*>()->currentColor(),
                     bOutline ? QColor(Qt::black) : QColor(Qt::red));
        QCOMPARE(container()->page()->findChild<CLineStyleWidget*>()->count() > 1, bOutline);
        QCOMPARE(container()->page()->findChild<CPenWidthWidget*>()->isEnabled(), bOutline);
    }

    // Both options are in the Tools menu and in the area, the one the page leaves out in a section of
    // its own, under their editors' labels; menu and area follow each other through the tool.
    void theOptionsAreInTheMenuAndTheArea_data()
    {
        QTest::addColumn<QString>("strLabel");
        QTest::newRow("Overwrite text") << "Overwrite text";
        QTest::newRow("Show alternatives") << "Show alternatives";
    }
    void theOptionsAreInTheMenuAndTheArea()
    {
        QFETCH(QString, strLabel);
        QVERIFY(tools()->activate(c_strTextPen));
        QAction* pEntry = nullptr;
        for (QAction* pAction : m_pWindow->toolsMenu()->actions())
            pEntry = pAction->text() == strLabel && pAction->isCheckable() ? pAction : pEntry;
        QCheckBox* pBox = (strLabel == "Overwrite text" ? container()->moreOptions() : container()->page())
                              ->findChild<QCheckBox*>();
        QVERIFY(pEntry && pBox && !pEntry->isChecked() && !pBox->isChecked());
        const QString strProperty = strLabel == "Overwrite text" ? "overwritetextbox" : "showcandidates";
        pEntry->trigger();
        QVERIFY(pBox->isChecked() && tools()->getActiveTool()->getToolProperty(strProperty).toBool());
        pBox->click();
        QVERIFY(!pEntry->isChecked() && !tools()->getActiveTool()->getToolProperty(strProperty).toBool());
    }

    // Closing keeps where the user put the window and its docks, and the tools' settings.
    void theWindowOpensAsItWasClosed()
    {
        m_pWindow->resize(900, 640);
        m_pWindow->addDockWidget(Qt::LeftDockWidgetArea, m_pWindow->toolProperties());
        QVERIFY(tools()->setToolProperty(c_strTextPen, QStringLiteral("showcandidates"), true, false));
        QVERIFY(m_pWindow->close());
        QVERIFY(COrrery::getUserSettings()->value("tools/" + c_strTextPen + "/showcandidates").toBool());
        m_pWindow = std::make_unique<CMainWindow>();
        QCOMPARE(m_pWindow->dockWidgetArea(m_pWindow->toolProperties()), Qt::LeftDockWidgetArea);
        QCOMPARE(m_pWindow->size(), QSize(900, 640));
    }

    // After a restart both tools have what they had at quit, options included.
    void theToolsKeepTheirSettingsAcrossARestart()
    {
        // The text pen's setting, the text tool's name for it (none for an option), a value not the default.
        const QList<std::tuple<QString, QString, QVariant>> chosen = {
            {"textpen.fontfamily", "fontfamily", "Courier"},
            {"textpen.fontcolor", "fontcolor", QColor(Qt::red)},
            {"textpen.bold", "bold", true},
            {"textpen.underline", "underline", true},
            {"textpen.linecolor", "pencolor", "normal;#FF0000FF"},
            {"textpen.fillcolor", "fillcolor", QColor(255, 255, 0, 128)},
            {"overwritetextbox", "", true},
            {"showcandidates", "", true}};
        QVERIFY(tools()->activate(c_strTextPen));
        for (const auto& [strName, strText, value] : chosen)
            QVERIFY(tools()->setToolProperty(c_strTextPen, strName, value, false));
        QVERIFY(m_pWindow->close());
        m_app.stop();
        m_app.start({boost::make_shared<CSelectTool>(), boost::make_shared<CTextTool>()}, true);
        for (const auto& [strName, strText, value] : chosen) {
            QCOMPARE(tools()->getToolByName(c_strTextPen)->getToolProperty(strName), value);
            QVERIFY(strText.isEmpty() || tools()->getToolByName("text")->getToolProperty(strText) == value);
        }
    }

    // Neither a message nor the menu of readings stops the writer: the one passes as a notice, the
    // other closes under the next stroke, which the board keeps.
    void theNextStrokeCountsAfterAMessageOrTheMenu_data()
    {
        QTest::addColumn<QStringList>("readings");
        QTest::newRow("an underline read as nothing") << QStringList();
        QTest::newRow("a word with readings offered") << QStringList{"one", "two"};
    }
    void theNextStrokeCountsAfterAMessageOrTheMenu()
    {
        QFETCH(QStringList, readings);
        const CActionUtilities::FMessageHandler pfnAnswer = CActionUtilities::setMessageHandler(nullptr);
        const auto restore = qScopeGuard([&pfnAnswer] { CActionUtilities::setMessageHandler(pfnAnswer); });
        QVERIFY(tools()->activate(c_strTextPen));
        QVERIFY(tools()->setToolProperty(c_strTextPen, QStringLiteral("showcandidates"), true, false));
        m_app.recognizer()->setStandingAnswer(readings);
        QWidget* pViewport = m_pWindow->board()->viewport();
        const QPoint next(420, 320);
        int iModal = 0;
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            if (QWidget* pModal = QApplication::activeModalWidget())
                iModal += pModal->close() ? 1 : 0;
            if (qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                QTest::mousePress(m_pWindow->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                                  pViewport->mapTo(m_pWindow.get(), next));
        });
        user.start(20);
        auto* pPen = dynamic_cast<CPenTool*>(tools()->getActiveTool());
        drawStroke(pViewport, {{100, 200}, {300, 204}});
        pPen->finishWriting();
        user.stop();
        if (readings.isEmpty())
            QTest::mousePress(pViewport, Qt::LeftButton, Qt::NoModifier, next);
        QTRY_VERIFY(pPen->isDrawing());
        QTest::mouseRelease(pViewport, Qt::LeftButton, Qt::NoModifier, next + QPoint(90, 0));

        QCOMPARE(iModal, 0);
        const CScribble* pNext = pPen->currentScribble();
        QVERIFY(pNext && pNext->strokeCount() == 1);
        QCOMPARE(pNext->strokes().first().first(), QPointF(next));
        QCOMPARE(boxesReading(QStringLiteral("one")).size(), readings.size() / 2);
        const QList<QLabel*> labels = pViewport->findChildren<QLabel*>();
        QCOMPARE(std::count_if(
                     labels.begin(), labels.end(),
                     [](QLabel* p) { return p->isVisible() && p->text() == "Error in text recognition"; }),
                 long(readings.isEmpty()));
    }

    // The whole way a teacher uses the text pen: picked from its menu entry beside the laser pen, words
    // written with the mouse, and a colour picked in its context bar that the next text box is written in.
    void aColourPickedInTheContextBarWritesTheNextTextBox()
    {
        CMainWindow* pWindow = m_pWindow.get();
        CScriptedRecognizer* pRecognizer = m_app.recognizer();
        pWindow->resize(1200, 800);

        // The entry sits right after the laser pen, with the pen's icon, greyed out while nothing can
        // read the writing.
        QAction* pEntry = m_app.textPenEntry();
        QVERIFY(pEntry && pEntry->isEnabled());
        const QList<QAction*> entries = pWindow->toolsMenu()->actions();
        QCOMPARE(entries.value(entries.indexOf(pEntry) - 1)->objectName(), QStringLiteral("tool.laserpen"));
        QCOMPARE(pEntry->icon().pixmap(32, 32).toImage(),
                 QImage(QStringLiteral(":/textpenplugin.text_pen.png"))
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied));
        COrrery::getRecognizerManager()->setActiveRecognizer(QString());
        QVERIFY(pEntry->isVisible() && !pEntry->isEnabled());
        COrrery::getRecognizerManager()->setActiveRecognizer(pRecognizer->getName());
        pEntry->trigger();
        QCOMPARE(COrrery::getToolManager()->getActiveTool()->getName(), c_strTextPen);

        CContextbarInterface* pBar = textPenBar();
        QTRY_VERIFY(dockedAtBottom(pBar));

        pRecognizer->enqueue({QStringLiteral("hello"), QStringLiteral("hallo")});
        QVERIFY(m_app.penInput(QRect(100, 100, 180, 50)));
        const QList<CComponent*> first = boxesReading(QStringLiteral("hello"));
        QCOMPARE(first.size(), 1);
        QCOMPARE(first.first()->getPropertyValue(QStringLiteral("fontcolor")).value<QColor>(),
                 QColor(Qt::black));
        // The pen saw the strokes drawn on the viewport.
        QCOMPARE(pRecognizer->received().size(), 1);
        QCOMPARE(pRecognizer->received().first().size(), 3);

        const QList<CColorSelect*> colourBoxes = pBar->findChildren<CColorSelect*>();
        QCOMPARE(colourBoxes.size(), 1);
        CColorSelect* pTextColour = colourBoxes.first();
        QVERIFY(pTextColour->isVisible());
        pickFromList(pTextColour, pTextColour->findData(QStringLiteral("#FFFF0000")));
        QCOMPARE(
            COrrery::getToolManager()->getActiveTool()->getToolProperty(QStringLiteral("textpen.fontcolor")),
            QVariant(QColor(Qt::red)));

        pRecognizer->enqueue({QStringLiteral("world")});
        QVERIFY(m_app.penInput(QRect(100, 300, 180, 50)));
        const QList<CComponent*> second = boxesReading(QStringLiteral("world"));
        QCOMPARE(second.size(), 1);
        QCOMPARE(second.first()->getPropertyValue(QStringLiteral("fontcolor")).value<QColor>(),
                 QColor(Qt::red));
        // The colour is the pen's, not a change to what was already written.
        QCOMPARE(first.first()->getPropertyValue(QStringLiteral("fontcolor")).value<QColor>(),
                 QColor(Qt::black));

        // Each box is its own step back.
        QUndoStack* pUndo = CControlLayer::get()->undoStack();
        pUndo->undo();
        QVERIFY(boxesReading(QStringLiteral("world")).isEmpty());
        QCOMPARE(boxesReading(QStringLiteral("hello")).size(), 1);
    }
};

QTEST_MAIN(tst_BoardWindow)
#include "tst_boardwindow.moc"
