#include "mainwindow.h"

#include "action.h"
#include "actionmanager.h"
#include "actionutilities.h"
#include "boarddocument.h"
#include "boardhint.h"
#include "boardnotice.h"
#include "boardprinter.h"
#include "component.h"
#include "contextbarinterface.h"
#include "contextbarmanager.h"
#include "controllayer.h"
#include "controlsignalsource.h"
#include "handwritingactions.h"
#include "handwritinglanguagemenu.h"
#include "handwritingrecognizer.h"
#include "inkimport.h"
#include "languagemanager.h"
#include "layoutdirectionfollower.h"
#include "orrery.h"
#include "orreryview.h"
#include "pagelistpanel.h"
#include "pagemenu.h"
#include "popuppressrelay.h"
#include "propertyeditormanager.h"
#include "recognizer.h"
#include "recognizermanager.h"
#include "recoveryfile.h"
#include "selectionhider.h"
#include "selectionmanager.h"
#include "tool.h"
#include "toolaction.h"
#include "toolmanager.h"
#include "toolpropertiesdock.h"
#include "userfolder.h"
#include "workspace.h"
#include "zoomcontroller.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>
#include <boost/make_shared.hpp>

namespace {

const char* const c_szGeometryKey = "window/geometry";
const char* const c_szWindowStateKey = "window/state";
// The context bars the user hid from the View menu, by name.
const char* const c_szHiddenBarsKey = "window/hiddenbars";
// Set once the user has written on the board: the hint for newcomers is not shown again.
const char* const c_szHintDoneKey = "board/firststroke";

QString handwritingName()
{
    return CHandwritingRecognizer::recognizerName();
}

// Where Export as PNG proposes to save: the user's pictures folder (the home folder where there is
// none), under a name that carries the date and time, so that one export does not replace another.
QString proposedExportPath(const QDateTime& when)
{
    return QDir(userFolder(QStandardPaths::PicturesLocation))
        .filePath(when.toString(QStringLiteral("'board-'yyyy-MM-dd-HHmm'.png'")));
}

// A tool's label on the tool bar: the label of the action that picks it where there is one (a
// plug-in's tool comes with one), else the tool's own.
QString toolLabel(const QString& strTool)
{
    if (CActionManager* pActions = COrrery::getActionManager())
        for (const QString& strAction : pActions->getActionNames()) {
            auto* pToolAction = qobject_cast<CToolAction*>(pActions->getAction(strAction));
            if (pToolAction && pToolAction->getToolName() == strTool)
                return pToolAction->getLabelText();
        }
    CToolManager* pTools = COrrery::getToolManager();
    CTool* pTool = pTools ? pTools->getToolByName(strTool) : nullptr;
    return pTool ? pTool->getLabel() : strTool;
}

// Ctrl+Y and Ctrl+Shift+Z both redo, whichever the user learnt; the platform's own keys come first.
QList<QKeySequence> redoShortcuts()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL + Qt::Key_Y), QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z)})
        if (!keys.contains(key))
            keys.append(key);
    return keys;
}

} // namespace

CMainWindow::CMainWindow(QWidget* pParent) : QMainWindow(pParent)
{
    setWindowTitle(tr("Whiteboard"));
    resize(1200, 800);

    m_pBoard = new COrreryView(this);
    m_pBoard->showTopic(COrrery::getWorkspace()->getCurrentTopic());
    setCentralWidget(m_pBoard);
    COrrery::setView(m_pBoard);
    m_pDocument = new CBoardDocument(this, m_pBoard, CRecoveryFile::defaultFolder());
    m_pZoom = new CZoomController(m_pBoard, this);
    // The zoom keys work wherever the focus is in the window, the View menu open or not.
    addActions(m_pZoom->actions());
    statusBar()->addPermanentWidget(m_pZoom->createZoomLabel(statusBar()));
    m_pPrinter = new CBoardPrinter(this);

    CLayoutDirectionFollower::install();
    if (CToolManager* pTools = COrrery::getToolManager())
        m_hostTools = pTools->getToolNames();
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    m_pPageMenu = new CPageMenu(this, menuBar()->addMenu(tr("P&age")));
    m_pPageList = new CPageListPanel(this);
    addDockWidget(Qt::LeftDockWidgetArea, m_pPageList);
    buildToolsMenu();
    buildOptionEntries();
    m_pToolProperties = new CToolPropertiesDock(this);
    addDockWidget(Qt::RightDockWidgetArea, m_pToolProperties);
    m_pRecognizerMenu = menuBar()->addMenu(tr("&Recognizer"));
    m_pLanguageMenu = menuBar()->addMenu(tr("&Language"));
    buildLanguageMenu();
    m_pPluginsMenu = menuBar()->addMenu(tr("&Plug-ins"));
    buildToolBar();
    followManagers();

    refreshTools();
    refreshRecognizers();
    restoreLayout();
    showFirstStartHint();
    statusBar()->showMessage(tr("Ready"));
    keepWritingFlowing();
}

// Nothing the board says or shows over it should cost the writer a stroke: messages that need no
// answer pass as notices on the board, and a press that closes a popup over the board writes there.
void CMainWindow::keepWritingFlowing()
{
    auto* pNotice = new CBoardNotice(m_pBoard->viewport());
    CActionUtilities::setNoticeHandler(
        [this, pNotice](CActionUtilities::EMessageBoxType, const QString& strText) {
            pNotice->showNotice(strText);
            statusBar()->showMessage(strText, CBoardNotice::c_iShowMs);
        });
    new CPopupPressRelay(m_pBoard->viewport(), this);
}

void CMainWindow::buildFileMenu()
{
    QMenu* pFileMenu = menuBar()->addMenu(tr("&File"));
    m_pDocument->fillFileMenu(pFileMenu);
    pFileMenu->addSeparator();
    pFileMenu->addAction(CLayoutDirectionFollower::anchored(tr("&Export as PNG\u2026")), this,
                         &CMainWindow::slotExportBoard);
    pFileMenu->addAction(m_pPrinter->exportPdfAction());
    pFileMenu->addAction(m_pPrinter->printAction());
    auto* pInkImport = new CInkImport(m_pBoard, this);
    pFileMenu->addAction(CLayoutDirectionFollower::anchored(tr("Import &Handwriting\u2026")), pInkImport,
                         [this, pInkImport] { pInkImport->slotImport(this); });
    pFileMenu->addSeparator();
    pFileMenu->addAction(tr("&Quit"), this, &QWidget::close, QKeySequence::Quit);
}

void CMainWindow::buildEditMenu()
{
    QMenu* pEditMenu = menuBar()->addMenu(tr("&Edit"));
    QUndoStack* pUndoStack = CControlLayer::get()->undoStack();
    QAction* pUndo = pUndoStack->createUndoAction(this, tr("&Undo"));
    pUndo->setShortcut(QKeySequence::Undo);
    QAction* pRedo = pUndoStack->createRedoAction(this, tr("&Redo"));
    pRedo->setShortcuts(redoShortcuts());
    pEditMenu->addAction(pUndo);
    pEditMenu->addAction(pRedo);
    pEditMenu->addSeparator();
    m_pDeleteAction = pEditMenu->addAction(style()->standardIcon(QStyle::SP_TrashIcon), tr("&Delete"), this,
                                           &CMainWindow::deleteSelection, QKeySequence::Delete);
    if (CSelectionManager* pSelection = COrrery::getSelectionManager()) {
        m_pDeleteAction->setEnabled(pSelection->countCurrentlySelected() > 0);
        connect(pSelection, &CSelectionManager::signalSelectionChanged, m_pDeleteAction,
                [this](int iSelected) { m_pDeleteAction->setEnabled(iSelected > 0); });
    }
    pEditMenu->addSeparator();
    auto* pHandwriting = new CHandwritingActions(m_pBoard, this);
    pEditMenu->addActions({pHandwriting->showHandwritingAction(), pHandwriting->showTextAction()});
}

// The Tools menu, where plug-ins put their entries; the host's laser pen is the first of them.
void CMainWindow::buildToolsMenu()
{
    m_pToolsMenu = menuBar()->addMenu(tr("&Tools"));
    COrrery::setMenu(m_pToolsMenu);

    // It picks the host's laser pen tool, which points without writing.
    auto pLaserPen = boost::make_shared<CToolAction>(QStringLiteral("tool.laserpen"), QIcon());
    pLaserPen->setText(tr("Laser Pen"));
    pLaserPen->setToolName(QStringLiteral("laserpen"));
    if (CToolManager* pTools = COrrery::getToolManager())
        if (CTool* pLaser = pTools->getToolByName(QStringLiteral("laserpen")))
            pLaserPen->setIcon(QIcon(QPixmap::fromImage(pLaser->getIconImage(CTool::eIconSmall))));
    if (CActionManager* pActionManager = COrrery::getActionManager())
        if (pActionManager->registerAction(pLaserPen) == CActionManager::eRegistered)
            m_pToolsMenu->addAction(pLaserPen.get());
}

void CMainWindow::buildOptionEntries()
{
    if (CToolManager* pToolManager = COrrery::getToolManager()) {
        connect(pToolManager, &CToolManager::signalToolActivated, this, &CMainWindow::refreshOptionEntries);
        connect(pToolManager, &CToolManager::signalToolDeactivated, this, &CMainWindow::refreshOptionEntries);
        connect(pToolManager, &CToolManager::signalToolSettingsChanged, this, &CMainWindow::showOptionValues);
    }
    connect(CControlSignalSource::get(), &CControlSignalSource::signalLanguageChanged, this,
            &CMainWindow::refreshOptionEntries);
    refreshOptionEntries();
}

void CMainWindow::refreshOptionEntries()
{
    for (QAction* pEntry : m_optionEntries)
        delete pEntry;
    m_optionEntries.clear();
    CToolManager* pToolManager = COrrery::getToolManager();
    CTool* pTool = pToolManager ? pToolManager->getActiveTool() : nullptr;
    CPropertyEditorManager* pEditors = COrrery::getPropertyEditorManager();
    if (!pTool || !pEditors)
        return;
    const QString strTool = pTool->getName();
    const QList<QString> settings = pTool->getToolPropertyNames();
    for (const auto& pPrototype : pEditors->prototypes()) {
        const QString strProperty = pPrototype->property();
        // An editor of several settings at once is no single switch.
        if (pPrototype->properties().size() != 1 || !settings.contains(strProperty) ||
            pTool->getToolProperty(strProperty).userType() != QMetaType::Bool)
            continue;
        if (m_optionEntries.isEmpty())
            m_optionEntries.append(m_pToolsMenu->addSeparator());
        QAction* pEntry = m_pToolsMenu->addAction(pPrototype->localisedPropertyName());
        pEntry->setCheckable(true);
        pEntry->setData(strProperty);
        // Only the user's choice is sent: showing the tool's value must not write it back.
        connect(pEntry, &QAction::triggered, this, [strTool, strProperty](bool bOn) {
            if (CToolManager* pManager = COrrery::getToolManager())
                pManager->setToolProperty(strTool, strProperty, bOn, true);
        });
        m_optionEntries.append(pEntry);
    }
    showOptionValues(strTool);
}

void CMainWindow::showOptionValues(const QString& strTool)
{
    CToolManager* pToolManager = COrrery::getToolManager();
    CTool* pTool = pToolManager ? pToolManager->getActiveTool() : nullptr;
    if (!pTool || pTool->getName() != strTool)
        return;
    for (QAction* pEntry : m_optionEntries)
        if (!pEntry->isSeparator())
            pEntry->setChecked(pTool->getToolProperty(pEntry->data().toString()).toBool());
}

// Undo, Redo and Delete, then a group that refreshTools() fills with the registered tools.
void CMainWindow::buildToolBar()
{
    m_pToolBar = addToolBar(tr("Tool Bar"));
    m_pToolBar->setObjectName(QStringLiteral("tools"));
    m_pToolBar->setIconSize(QSize(32, 32));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // Tool-bar twins with fixed labels, so the bar does not shift as the undo text changes.
    QUndoStack* pUndoStack = CControlLayer::get()->undoStack();
    m_pUndoButton = m_pToolBar->addAction(tr("Undo"), pUndoStack, &QUndoStack::undo);
    m_pRedoButton = m_pToolBar->addAction(tr("Redo"), pUndoStack, &QUndoStack::redo);
    pickDirectionalIcons();
    m_pUndoButton->setEnabled(pUndoStack->canUndo());
    m_pRedoButton->setEnabled(pUndoStack->canRedo());
    connect(pUndoStack, &QUndoStack::canUndoChanged, m_pUndoButton, &QAction::setEnabled);
    connect(pUndoStack, &QUndoStack::canRedoChanged, m_pRedoButton, &QAction::setEnabled);
    m_pToolBar->addAction(m_pDeleteAction);
    m_pToolBar->addSeparator();
    m_pToolGroup = new QActionGroup(this);
}

void CMainWindow::followManagers()
{
    if (CToolManager* pToolManager = COrrery::getToolManager())
        connect(pToolManager, &CToolManager::signalToolActivated, this, &CMainWindow::slotToolActivated);
    if (CRecognizerManager* pRecognizers = COrrery::getRecognizerManager())
        connect(pRecognizers, &CRecognizerManager::signalActiveRecognizerChanged, this,
                &CMainWindow::refreshRecognizers);

    // Plug-ins may register their bars before or after this point; the manager docks them either way.
    if (CContextbarManager* pContextbars = COrrery::getContextbarManager())
        pContextbars->setHostWindow(this);
    keepHiddenBars();
}

void CMainWindow::keepHiddenBars()
{
    CContextbarManager* pContextbars = COrrery::getContextbarManager();
    QSettings* pSettings = COrrery::getUserSettings();
    if (!pContextbars || !pSettings)
        return;
    pContextbars->setHiddenByUser(pSettings->value(QLatin1String(c_szHiddenBarsKey)).toStringList());
    // Written at once: the choice holds even when the app does not close as it should.
    connect(pContextbars, &CContextbarManager::signalHiddenByUserChanged, this, [](const QStringList& names) {
        if (QSettings* pUserSettings = COrrery::getUserSettings())
            pUserSettings->setValue(QLatin1String(c_szHiddenBarsKey), names);
    });
}

// Where the user left the window, its tool bar and its docks; context bars come and go with their
// tools and are not restored.
void CMainWindow::restoreLayout()
{
    if (QSettings* pSettings = COrrery::getUserSettings()) {
        restoreGeometry(pSettings->value(QLatin1String(c_szGeometryKey)).toByteArray());
        restoreState(pSettings->value(QLatin1String(c_szWindowStateKey)).toByteArray());
    }
}

CMainWindow::~CMainWindow()
{
    CContextbarManager* pContextbars = COrrery::getContextbarManager();
    if (pContextbars && pContextbars->hostWindow() == this)
        pContextbars->setHostWindow(nullptr);
    COrrery::setMenu(nullptr);
    COrrery::setView(nullptr);
    CActionUtilities::setNoticeHandler(nullptr);
}

void CMainWindow::refreshTools()
{
    CToolManager* pToolManager = COrrery::getToolManager();
    if (!pToolManager)
        return;
    for (QAction* pAction : m_pToolGroup->actions()) {
        m_pToolGroup->removeAction(pAction);
        delete pAction;
    }
    for (const QString& strTool : pToolManager->getToolNames()) {
        CTool* pTool = pToolManager->getToolByName(strTool);
        QAction* pAction = new QAction(QIcon(QPixmap::fromImage(pTool->getIconImage(CTool::eIconLarge))),
                                       toolLabel(strTool), m_pToolGroup);
        pAction->setCheckable(true);
        pAction->setData(strTool);
        pAction->setChecked(pToolManager->getActiveTool() == pTool);
        connect(pAction, &QAction::triggered, this, [strTool] {
            if (CToolManager* pManager = COrrery::getToolManager())
                pManager->activate(strTool);
        });
        m_pToolBar->addAction(pAction);
    }
    if (m_pHint)
        m_pHint->setHint(hintText());
}

void CMainWindow::refreshRecognizers()
{
    CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
    m_pRecognizerMenu->clear();
    if (!pRecognizers)
        return;
    QActionGroup* pGroup = new QActionGroup(m_pRecognizerMenu);
    for (const QString& strName : pRecognizers->getRecognizerNames()) {
        QAction* pAction = m_pRecognizerMenu->addAction(
            CLayoutDirectionFollower::anchored(pRecognizers->getRecognizer(strName)->getDisplayName()));
        pAction->setCheckable(true);
        pAction->setActionGroup(pGroup);
        pAction->setChecked(pRecognizers->getActiveRecognizer() == pRecognizers->getRecognizer(strName));
        connect(pAction, &QAction::triggered, this, [strName] {
            if (CRecognizerManager* pManager = COrrery::getRecognizerManager())
                pManager->setActiveRecognizer(strName);
        });
    }

    auto* pHandwriting =
        dynamic_cast<CHandwritingRecognizer*>(pRecognizers->getRecognizer(handwritingName()));
    if (!pHandwriting)
        return;
    m_pRecognizerMenu->addSeparator();
    if (!m_pHandwritingLanguages) {
        m_pHandwritingLanguages = new CHandwritingLanguageMenu(pHandwriting, this);
        // The recognizer's entry names the language it reads.
        connect(pHandwriting, &CHandwritingRecognizer::signalLanguageLoaded, this,
                &CMainWindow::refreshRecognizers);
    }
    m_pHandwritingLanguages->fill(m_pRecognizerMenu->addMenu(tr("Handwriting &Language")));
}

QString CMainWindow::savedRecognitionLanguage()
{
    return CHandwritingLanguageMenu::savedLanguage();
}

void CMainWindow::chooseRecognitionLanguage(const QString& strCode)
{
    if (m_pHandwritingLanguages)
        m_pHandwritingLanguages->choose(strCode);
}

void CMainWindow::buildLanguageMenu()
{
    // Each language under its own name, so that a user who cannot read the current one finds theirs.
    const struct
    {
        const char* szLocale;
        const char* szName;
    } c_aLanguages[] = {
        {"en_GB", "English"}, {"de_DE", "Deutsch"}, {"he_IL", "\u05E2\u05D1\u05E8\u05D9\u05EA"}};
    QActionGroup* pGroup = new QActionGroup(m_pLanguageMenu);
    for (const auto& language : c_aLanguages) {
        const QString strLocale = QString::fromLatin1(language.szLocale);
        QAction* pAction = m_pLanguageMenu->addAction(QString::fromUtf8(language.szName));
        pAction->setCheckable(true);
        pAction->setData(strLocale);
        pAction->setActionGroup(pGroup);
        connect(pAction, &QAction::triggered, this, [this, strLocale] { chooseLanguage(strLocale); });
    }
    // The language manager announces only changes: the direction kept from the last run is set here.
    const CLanguageManager languageManager;
    QApplication::setLayoutDirection(languageManager.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    refreshLanguageMenu();
}

void CMainWindow::refreshLanguageMenu()
{
    // Before any choice the locale is the system's, which may be none of those offered or another
    // country's form of one: the entry of its language is ticked then, English where there is none.
    const QLocale locale(CLanguageManager().currentLocale());
    QAction* pTicked = nullptr;
    for (QAction* pAction : m_pLanguageMenu->actions()) {
        const QLocale offered(pAction->data().toString());
        if (pAction->data().toString() == locale.name() ||
            (!pTicked && offered.language() == locale.language()))
            pTicked = pAction;
    }
    if (!pTicked && !m_pLanguageMenu->actions().isEmpty())
        pTicked = m_pLanguageMenu->actions().first();
    for (QAction* pAction : m_pLanguageMenu->actions())
        pAction->setChecked(pAction == pTicked);
}

void CMainWindow::chooseLanguage(const QString& strLocale)
{
    CLanguageManager().setLanguage(strLocale);
    refreshLanguageMenu();
}

void CMainWindow::deleteSelection()
{
    QList<qint64> ids;
    for (CComponent* pComponent : COrrery::getSelectionManager()->selectedComponents())
        ids.append(pComponent->getID());
    if (!ids.isEmpty())
        CControlLayer::get()->invokeDeleteCommand(ids);
}

bool CMainWindow::exportBoard(const QString& strPath) const
{
    QGraphicsScene* pScene = m_pBoard->scene();
    if (!pScene)
        return false;
    const QRectF page = pScene->sceneRect();
    // The picture is the page as the board shows it, not one pixel per scene unit.
    const double dScale = m_pBoard->transform().m11();
    QImage image((page.size() * dScale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        const CSelectionHider hideSelection(pScene);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        pScene->render(&painter, QRectF(QPointF(0, 0), image.size()), page);
    }
    return image.save(strPath, "PNG");
}

void CMainWindow::slotExportBoard()
{
    QString strPath = QFileDialog::getSaveFileName(this, tr("Export as PNG"),
                                                   proposedExportPath(QDateTime::currentDateTime()),
                                                   tr("PNG pictures (*.png)"));
    if (strPath.isEmpty())
        return;
    if (!strPath.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        strPath += QLatin1String(".png");
    if (exportBoard(strPath))
        statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(strPath)), 5000);
    else
        CActionUtilities::messageBox(
            CActionUtilities::eMessageBoxWarning, this,
            tr("The board could not be saved as %1.").arg(QDir::toNativeSeparators(strPath)), QMessageBox::Ok,
            QMessageBox::Ok);
}

void CMainWindow::slotToolActivated(const QString& strTool)
{
    for (QAction* pAction : m_pToolGroup->actions())
        pAction->setChecked(pAction->data().toString() == strTool);
    statusBar()->showMessage(tr("Tool: %1").arg(toolLabel(strTool)), 5000);
}

void CMainWindow::addPluginReport(const QString& strLine, bool bLoaded)
{
    QAction* pEntry = m_pPluginsMenu->addAction(CLayoutDirectionFollower::anchored(strLine));
    pEntry->setEnabled(bLoaded);
    statusBar()->showMessage(strLine, 10000);
}

void CMainWindow::buildViewMenu()
{
    m_pViewMenu = menuBar()->addMenu(tr("&View"));
    connect(m_pViewMenu, &QMenu::aboutToShow, this, &CMainWindow::refreshViewMenu);
}

void CMainWindow::refreshViewMenu()
{
    m_pViewMenu->clear();
    m_pViewMenu->addMenu(m_pZoom->menu());
    m_pViewMenu->addSeparator();
    m_pViewMenu->addAction(m_pToolBar->toggleViewAction());
    m_pViewMenu->addAction(m_pToolProperties->toggleViewAction());
    m_pViewMenu->addAction(m_pPageList->toggleViewAction());
    CContextbarManager* pContextbars = COrrery::getContextbarManager();
    if (!pContextbars)
        return;
    m_pViewMenu->addSeparator();
    for (const QString& strName : pContextbars->getContextbarNames()) {
        CContextbarInterface* pBar = pContextbars->getContextbar(strName);
        QAction* pEntry = m_pViewMenu->addAction(CLayoutDirectionFollower::anchored(pBar->getDisplayName()));
        pEntry->setCheckable(true);
        // Ticked by the user's choice, which holds while the bar's tool is not in use.
        pEntry->setChecked(!pContextbars->isHiddenByUser(strName));
        // A bar belongs to its tool: it can be brought back while the tool is in use, not before.
        pEntry->setEnabled(pContextbars->isShownByHost(strName) && pBar->isToolSelected() &&
                           pBar->parentWidget() == this);
        connect(pEntry, &QAction::toggled, pContextbars,
                [pContextbars, strName](bool bShown) { pContextbars->setHiddenByUser(strName, !bShown); });
    }
}

void CMainWindow::pickDirectionalIcons()
{
    // The style answers for the application's direction at the time it is asked. The direction kept
    // from the last run is set before the buttons exist.
    if (!m_pUndoButton)
        return;
    m_pUndoButton->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_pRedoButton->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
}

void CMainWindow::showFirstStartHint()
{
    QSettings* pSettings = COrrery::getUserSettings();
    if (pSettings && pSettings->value(QLatin1String(c_szHintDoneKey)).toBool())
        return;
    m_pHint = new CBoardHint(m_pBoard, hintText());
    connect(m_pHint, &CBoardHint::signalWritten, this, [] {
        if (QSettings* pUserSettings = COrrery::getUserSettings())
            pUserSettings->setValue(QLatin1String(c_szHintDoneKey), true);
    });
}

QString CMainWindow::hintText() const
{
    // A pen that a plug-in brought is the one that turns writing into text.
    if (CToolManager* pTools = COrrery::getToolManager())
        for (const QString& strTool : pTools->getToolNames())
            if (!m_hostTools.contains(strTool) && pTools->getToolByName(strTool)->isPenTool())
                return tr("Pick %1 and write with the pen: your writing becomes text.")
                    .arg(toolLabel(strTool));
    return tr("Pick a pen on the tool bar and write on the board.");
}

void CMainWindow::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::LayoutDirectionChange) {
        pickDirectionalIcons();
        mirrorDocks();
    }
    QMainWindow::changeEvent(pEvent);
}

void CMainWindow::mirrorDocks()
{
    // The window's own layout follows the direction, but dock areas keep their sides: a panel at the
    // trailing edge must move to the other side for the whole window to read the other way.
    for (QDockWidget* pDock : findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (pDock->isFloating())
            continue;
        const Qt::DockWidgetArea eArea = dockWidgetArea(pDock);
        if (eArea == Qt::LeftDockWidgetArea || eArea == Qt::RightDockWidgetArea)
            addDockWidget(eArea == Qt::LeftDockWidgetArea ? Qt::RightDockWidgetArea : Qt::LeftDockWidgetArea,
                          pDock);
    }
}

void CMainWindow::closeEvent(QCloseEvent* pEvent)
{
    if (!m_pDocument->maybeSave()) {
        pEvent->ignore();
        return;
    }
    m_pDocument->close();
    // Tools hand their settings on and the host saves them while everything is still there.
    if (CToolManager* pToolManager = COrrery::getToolManager())
        pToolManager->onExit();
    if (QSettings* pSettings = COrrery::getUserSettings()) {
        pSettings->setValue(QLatin1String(c_szGeometryKey), saveGeometry());
        pSettings->setValue(QLatin1String(c_szWindowStateKey), saveState());
        pSettings->sync();
    }
    QMainWindow::closeEvent(pEvent);
}
