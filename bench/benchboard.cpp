#include "benchboard.h"

#include "guilayer.h"
#include "inkreplay.h"
#include "iplugin.h"
#include "orrery.h"
#include "orreryview.h"
#include "pentool.h"
#include "pluginloader.h"
#include "recognizermanager.h"
#include "toolmanager.h"
#include "topic.h"
#include "workspace.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <boost/make_shared.hpp>

const QString CBenchBoard::c_strTextPen = QStringLiteral("textpenplugin.handtext");

CBenchBoard::CBenchBoard() = default;

CBenchBoard::~CBenchBoard()
{
    stop();
}

bool CBenchBoard::start(const boost::shared_ptr<CRecognizer>& pRecognizer, QString* pstrError)
{
    stop();
    SHostOptions options;
    options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
    QFile::remove(options.strSettingsFile);
    CGUILayer::resetHost(options);
    // Writing is handed on by the measurement, never by the pause timer.
    COrrery::getUserSettings()->setValue(QStringLiteral("pen/writingpause"), 60000);

    if (!m_pPlugin) {
        m_pPlugin = m_loader.load(CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR)).value(0));
        if (!m_pPlugin) {
            *pstrError = m_loader.errorString();
            return false;
        }
    }
    if (!m_pPlugin->setUp()) {
        *pstrError = QStringLiteral("the plug-in's set-up failed");
        return false;
    }
    m_pInner = pRecognizer;
    m_pClock = boost::make_shared<CTimedRecognizer>(m_pInner.get());
    CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
    pRecognizers->registerRecognizer(m_pClock);
    pRecognizers->setActiveRecognizer(m_pClock->getName());
    if (!COrrery::getToolManager()->activate(c_strTextPen)) {
        *pstrError = QStringLiteral("the text pen is not there");
        return false;
    }
    m_pView = std::make_unique<COrreryView>();
    COrrery::setView(m_pView.get());
    m_pView->showTopic(COrrery::getWorkspace()->getCurrentTopic());
    m_pView->resize(1280, 800);
    m_pView->show();
    QApplication::processEvents();
    return true;
}

void CBenchBoard::stop()
{
    if (!m_pView)
        return;
    m_pPlugin->tearDown();
    COrrery::setView(nullptr);
    m_pView.reset();
    CGUILayer::shutdownHost();
    m_pClock.reset();
    m_pInner.reset();
}

CTopic* CBenchBoard::topic() const
{
    return m_pView ? m_pView->topic() : nullptr;
}

CPenTool* CBenchBoard::pen() const
{
    CToolManager* pTools = COrrery::getToolManager();
    return pTools ? dynamic_cast<CPenTool*>(pTools->getActiveTool()) : nullptr;
}

bool CBenchBoard::setPenProperty(const QString& strName, const QVariant& value)
{
    return COrrery::getToolManager()->setToolProperty(c_strTextPen, strName, value, false);
}

void CBenchBoard::write(const QVector<QVector<QPointF>>& strokes)
{
    CInkReplay::drawStrokes(m_pView.get(), strokes);
}

qint64 CBenchBoard::penUp()
{
    CPenTool* pPen = pen();
    QElapsedTimer timer;
    timer.start();
    if (pPen)
        pPen->finishWriting();
    return timer.nsecsElapsed();
}
