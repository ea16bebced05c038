// whiteboard: the board with its plug-ins. With a display it opens the board window; without one
// (or with --headless) it loads the plug-ins, sets them up, reports what they registered with the
// host, tears them down and exits.
#include "actionutilities.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "iplugin.h"
#include "logsystem.h"
#include "mainwindow.h"
#include "normalpentool.h"
#include "orrery.h"
#include "placeholderrecognizer.h"
#include "pluginloader.h"
#include "recognizer.h"
#include "recognizermanager.h"
#include "selecttool.h"
#include "tesseractrecognizer.h"
#include "texttool.h"
#include "toolmanager.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <boost/make_shared.hpp>
#include <cstdio>

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool wantsHeadless(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--headless") == 0)
            return true;
    return !hasDisplay();
}

QTextStream& out()
{
    static QTextStream s_out(stdout);
    return s_out;
}

QTextStream& err()
{
    static QTextStream s_err(stderr);
    return s_err;
}

// The registrations and withdrawals among what the host was asked.
void printRegistrations(const QStringList& entries)
{
    QStringList registrations;
    for (const QString& strEntry : entries)
        if (strEntry.contains(QLatin1String("::register")) ||
            strEntry.contains(QLatin1String("::unregister")) ||
            strEntry.contains(QLatin1String("addActionToMenuNextTo")))
            registrations.append(strEntry);
    if (registrations.isEmpty())
        out() << "    (nothing)\n";
    for (const QString& strEntry : registrations)
        out() << "    " << strEntry << '\n';
}

// The host's own tools and recognizers, there before any plug-in is loaded.
void installHostTools()
{
    CToolManager* pToolManager = COrrery::getToolManager();
    pToolManager->registerTool(boost::make_shared<CSelectTool>());
    pToolManager->registerTool(boost::make_shared<CNormalPenTool>());
    pToolManager->registerTool(boost::make_shared<CTextTool>());
    CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
    QString strProblem;
    auto pHandwriting =
        boost::make_shared<CTesseractRecognizer>(CMainWindow::savedRecognitionLanguage(), &strProblem);
    if (!strProblem.isEmpty())
        CActionUtilities::messageBox(CActionUtilities::eMessageBoxWarning, nullptr, strProblem,
                                     QMessageBox::Ok, QMessageBox::Ok);
    const bool bReady = pHandwriting->isReady();
    pRecognizers->registerRecognizer(pHandwriting);
    pRecognizers->registerRecognizer(boost::make_shared<CPlaceholderRecognizer>());
    pRecognizers->setActiveRecognizer(bReady ? pHandwriting->getName() : QStringLiteral("placeholder"));
}

// Tracing is configured before any plug-in is loaded, so that its first calls are already traced.
void setUpLogging(const QString& strLogFile)
{
    CLogSystem* pLog = CLogSystem::theRootInstance;
    pLog->setLevel(CLogSystem::configuredLevel(
        COrrery::getUserSettings()->value(QStringLiteral("log/level")).toString()));
    QString strPath = strLogFile;
    if (strPath.isEmpty()) {
        const QString strDir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        QDir().mkpath(strDir);
        strPath = QDir(strDir).filePath(QStringLiteral("whiteboard.log"));
    }
    if (pLog->sink().setFile(strPath))
        out() << "Log file: " << QDir::toNativeSeparators(strPath) << " (level "
              << QString::fromStdString(pLog->getLevel()) << ")\n";
    else
        err() << "whiteboard: cannot write the log file " << QDir::toNativeSeparators(strPath)
              << "; logging to memory only\n";
    out().flush();
}

} // namespace

int main(int argc, char** argv)
{
    CTesseractRecognizer::limitEngineThreads(argv);
    const bool bHeadless = wantsHeadless(argc, argv);
    if (bHeadless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("whiteboard"));
    QApplication::setOrganizationName(QStringLiteral("whiteboard"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("An interactive whiteboard with plug-ins."));
    parser.addHelpOption();
    const QCommandLineOption headlessOption(
        QStringLiteral("headless"),
        QStringLiteral("Load, set up and tear down the plug-ins without a window."));
    const QCommandLineOption pluginsOption(
        QStringLiteral("plugins"), QStringLiteral("Where the plug-ins are."), QStringLiteral("dir"),
        QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("plugins")));
    const QCommandLineOption logOption(QStringLiteral("log"), QStringLiteral("The log file."),
                                       QStringLiteral("file"));
    parser.addOptions({headlessOption, pluginsOption, logOption});
    parser.process(app);

    CGUILayer::resetHost();
    setUpLogging(parser.value(logOption));
    if (bHeadless) {
        // Nobody can answer a modal box here: messages go to the console instead.
        CActionUtilities::setMessageHandler(
            [](CActionUtilities::EMessageBoxType, const QString& strText, QMessageBox::StandardButtons) {
                err() << "whiteboard: " << strText << '\n';
                err().flush();
                return QMessageBox::Ok;
            });
    }

    installHostTools();
    if (CRecognizer* pRecognizer = COrrery::getRecognizerManager()->getActiveRecognizer())
        out() << "Recognizer: " << pRecognizer->getDisplayName() << '\n';
    std::unique_ptr<CMainWindow> pWindow;
    if (!bHeadless)
        pWindow = std::make_unique<CMainWindow>();

    CPluginLoader loader;
    const QString strPluginDir = parser.value(pluginsOption);
    const QStringList libraries = CPluginLoader::findLibraries(strPluginDir);
    if (libraries.isEmpty())
        err() << "whiteboard: no plug-ins in " << QDir::toNativeSeparators(strPluginDir) << '\n';

    int iRefused = 0;
    for (const QString& strPath : libraries) {
        IPlugin* pPlugin = loader.load(strPath);
        if (!pPlugin) {
            ++iRefused;
            err() << "whiteboard: " << loader.errorString() << '\n';
            if (pWindow)
                pWindow->addPluginReport(loader.errorString(), false);
            continue;
        }
        QString strInitError;
        if (!pPlugin->initialize(&strInitError)) {
            ++iRefused;
            err() << "whiteboard: plug-in " << strPath << " failed to initialise: " << strInitError << '\n';
            loader.unload(pPlugin);
            continue;
        }
        const int iBefore = CHostJournal::entries().size();
        const bool bSetUp = pPlugin->setUp();
        out() << "Loaded " << pPlugin->getPluginName() << " (ID " << pPlugin->getID() << ") from "
              << QDir::toNativeSeparators(strPath) << '\n';
        out() << "  set-up returned " << (bSetUp ? "true" : "false") << " and registered:\n";
        printRegistrations(CHostJournal::entries().mid(iBefore));
        if (pWindow)
            pWindow->addPluginReport(
                QStringLiteral("%1 (%2)").arg(pPlugin->getPluginName(), pPlugin->getID()), true);
    }
    out().flush();
    err().flush();

    int iResult = iRefused == 0 && !libraries.isEmpty() ? 0 : 1;
    if (pWindow) {
        pWindow->refreshTools();
        COrrery::getToolManager()->activate(QStringLiteral("select"));
        pWindow->show();
        iResult = app.exec();
    } else {
        COrrery::getToolManager()->onExit();
    }

    for (IPlugin* pPlugin : loader.plugins()) {
        const int iBefore = CHostJournal::entries().size();
        pPlugin->tearDown();
        if (bHeadless) {
            out() << "Tore down " << pPlugin->getPluginName() << ", which withdrew:\n";
            printRegistrations(CHostJournal::entries().mid(iBefore));
        }
    }
    // The window goes before the host, the host before the plug-in code that its managers still hold.
    pWindow.reset();
    CGUILayer::shutdownHost();
    loader.unloadAll();
    return iResult;
}
