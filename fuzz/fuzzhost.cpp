#include "fuzzhost.h"

#include "actionutilities.h"
#include "component.h"
#include "controllayer.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "orrery.h"
#include "orreryview.h"
#include "picturecomponent.h"
#include "recognizermanager.h"
#include "scribble.h"
#include "scriptedrecognizer.h"
#include "textcomponent.h"
#include "textpennames.h"
#include "textpenplugin.h"
#include "texttool.h"
#include "toolmanager.h"
#include "tooltextpen.h"
#include "topic.h"
#include "workspace.h"

#include <QApplication>
#include <QGraphicsItem>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QUndoStack>
#include <boost/make_shared.hpp>
#include <cstdlib>

namespace {

// The second kind of text box the pen may write over.
struct COtherTextBox : CTextComponent
{
    QString getType() const override { return QStringLiteral("textpen.component.textbox"); }
};

const QString c_strPen = QString::fromLatin1(textpen::c_szToolName);

CTopic* board()
{
    return COrrery::getWorkspace()->getCurrentTopic();
}

void place(const boost::shared_ptr<CComponent>& pComponent, const QPointF& position, const QString& strText,
           bool bLocked, double dDepth)
{
    pComponent->setPropertyValue(QStringLiteral("position"), position);
    pComponent->setPropertyValue(QStringLiteral("string"), strText);
    pComponent->setPropertyValue(QStringLiteral("alignment"), static_cast<unsigned int>(Qt::AlignLeft));
    pComponent->setPropertyValue(QStringLiteral("locked"), bLocked);
    if (board()->addComponent(pComponent))
        pComponent->getGraphicsItem()->setZValue(dDepth);
}

} // namespace

CFuzzHost& CFuzzHost::get()
{
    static CFuzzHost* s_pHost = new CFuzzHost();
    return *s_pHost;
}

CFuzzHost::CFuzzHost()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int s_iArgc = 1;
    static char s_szName[] = "fuzz";
    static char* s_argv[] = {s_szName, nullptr};
    m_pApp = new QApplication(s_iArgc, s_argv);

    m_pDir = std::make_unique<QTemporaryDir>();
    if (!m_pDir->isValid())
        qFatal("fuzz host: no temporary folder for the settings");
    SHostOptions options;
    options.strSettingsFile = m_pDir->filePath(QStringLiteral("settings.ini"));
    CGUILayer::resetHost(options);
    CActionUtilities::setMessageHandler(
        [this](CActionUtilities::EMessageBoxType, const QString&, QMessageBox::StandardButtons) {
            ++m_iMessages;
            return QMessageBox::Ok;
        });

    m_pView = new COrreryView();
    m_pView->setFixedSize(800, 600);
    COrrery::setView(m_pView);
    // Never shown: painting the board after every run would cost more than the run itself.
    m_pView->showTopic(board());

    const auto pRecognizer = boost::make_shared<CScriptedRecognizer>(QStringLiteral("scripted"));
    m_pRecognizer = pRecognizer.get();
    if (!COrrery::getRecognizerManager()->registerRecognizer(pRecognizer))
        qFatal("fuzz host: the recognizer was refused");
    COrrery::getRecognizerManager()->setActiveRecognizer(QStringLiteral("scripted"));

    m_pPlugin = new CTextPenPlugIn();
    restartTextPen();
    resetBoard();
}

void CFuzzHost::restartTextPen()
{
    CToolManager* pTools = COrrery::getToolManager();
    m_pPlugin->tearDown();
    m_pTool = nullptr;
    pTools->unregisterTool(QStringLiteral("text"));
    QSettings* pSettings = COrrery::getUserSettings();
    pSettings->clear();
    // Writing handed over by hand is never finished by the pause timer behind the run's back.
    pSettings->setValue(QStringLiteral("pen/writingpause"), 60000);
    if (!pTools->registerTool(boost::make_shared<CTextTool>()) || !m_pPlugin->setUp())
        qFatal("fuzz host: the text tool or the text pen could not be set up");
    activatePen();
}

void CFuzzHost::activatePen()
{
    CToolManager* pTools = COrrery::getToolManager();
    m_pTool = dynamic_cast<CToolTextPen*>(pTools->getToolByName(c_strPen));
    if (!m_pTool || !pTools->activate(c_strPen))
        qFatal("fuzz host: the text pen is not there to activate");
}

void CFuzzHost::resetBoard()
{
    // What the host and the recognizer keep a record of would otherwise grow with every run.
    CHostJournal::clear();
    m_pRecognizer->clearReceived();
    CControlLayer::get()->undoStack()->clear();
    for (CComponent* pComponent : board()->components())
        board()->removeComponent(pComponent->getID());
    place(CTextComponent::make(), QPointF(100, 100), QStringLiteral("free"), false, 1.0);
    place(CTextComponent::make(), QPointF(400, 100), QStringLiteral("locked"), true, 1.0);
    // A locked box over a free one, and a free one over a locked one.
    place(CTextComponent::make(), QPointF(100, 300), QStringLiteral("under"), false, 1.0);
    place(CTextComponent::make(), QPointF(110, 305), QStringLiteral("locked over"), true, 2.0);
    place(CTextComponent::make(), QPointF(400, 300), QStringLiteral("locked under"), true, 1.0);
    place(boost::make_shared<COtherTextBox>(), QPointF(410, 305), QStringLiteral("other over"), false, 2.0);
    const boost::shared_ptr<CComponent> pPicture = CPictureComponent::make();
    pPicture->setPropertyValue(QStringLiteral("position"), QPointF(600, 450));
    QImage image(120, 80, QImage::Format_ARGB32);
    image.fill(Qt::darkGray);
    pPicture->setPropertyValue(QStringLiteral("image"), image);
    board()->addComponent(pPicture);
}

void CFuzzHost::settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CFuzzHost::writeOver(const QRect& viewBounds)
{
    // A word-like zig-zag reaching the bounds' edges exactly, and a dot in its middle.
    const auto pScribble = boost::make_shared<CScribble>();
    qint64 iTime = 1000;
    const QRectF bounds(viewBounds);
    pScribble->beginStroke(bounds.topLeft(), iTime);
    for (int i = 1; i <= 6; ++i)
        pScribble->addPoint(
            QPointF(bounds.left() + bounds.width() * i / 6.0, i % 2 ? bounds.bottom() : bounds.top()),
            iTime += 15);
    const QPointF middle = bounds.center();
    pScribble->beginStroke(middle, iTime += 120);
    pScribble->addPoint(middle + QPointF(1.0, 0.0), iTime += 15);
    m_pTool->onPenInput(pScribble);
}
