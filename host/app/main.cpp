// whiteboard: the board with its plug-ins. With a display it opens the board window; without one
// (or with --headless) it loads the plug-ins, sets them up, reports what they registered with the
// host, tears them down and exits. With --replay it writes recorded handwriting on a board without a
// window and reports the text boxes it became (with --save it keeps the board as a board file); with
// --open it opens a board file without a window and reports its text boxes.
#include "actionutilities.h"
#include "boardcommands.h"
#include "boarddocument.h"
#include "enginethreads.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "hosttools.h"
#include "inkreplay.h"
#include "iplugin.h"
#include "logsystem.h"
#include "mainwindow.h"
#include "orrery.h"
#include "orreryview.h"
#include "pluginloader.h"
#include "recognizer.h"
#include "recognizermanager.h"
#include "tool.h"
#include "toolmanager.h"
#include "workspace.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The exit code for a file the replay, or --open, cannot use.
const int c_iUnusableFile = 2;

bool hasOption(int argc, char** argv, const char* szOption)
{
    const QByteArray option(szOption);
    for (int i = 1; i < argc; ++i)
        if (option == argv[i] || QByteArray(argv[i]).startsWith(option + '='))
            return true;
    return false;
}

// A replay, or a board opened from the command line, never needs a window, even where there is a
// display.
bool wantsHeadless(int argc, char** argv)
{
    return hasOption(argc, argv, "--headless") || hasOption(argc, argv, "--replay") ||
           hasOption(argc, argv, "--open") || !hasDisplay();
}

// What the app reports of itself. A replay keeps standard output for its results, so that its lines
// can be read by a program; the report then goes to standard error.
bool s_bReportToError = false;

QTextStream& out()
{
    static QTextStream s_out(stdout);
    static QTextStream s_report(stderr);
    return s_bReportToError ? s_report : s_out;
}

QTextStream& results()
{
    static QTextStream s_results(stdout);
    return s_results;
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

// What the command line asks for.
struct SOptions
{
    bool bHeadless = false;
    bool bReplay = false;
    bool bJson = false;
    // --out was given, rather than its default taken.
    bool bOut = false;
    // The replay's --scale and --zoom as given; empty when not given.
    QString strReplayScale;
    QString strReplayZoom;
    QString strPluginDir;
    QString strLogFile;
    QString strReplayFile;
    QString strBoardFile;
    // The board file that --save writes after the replay, and the one --open reads.
    QString strSaveFile;
    QString strOpenFile;
};

SOptions parseOptions(const QApplication& app, bool bHeadless)
{
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
    const QCommandLineOption replayOption(
        QStringLiteral("replay"),
        QStringLiteral("Write the handwriting of a W3C InkML file with the text pen, without a window."),
        QStringLiteral("file"));
    const QCommandLineOption outOption(QStringLiteral("out"),
                                       QStringLiteral("Where the replay, or --open, saves the board as PNG."),
                                       QStringLiteral("file"), QStringLiteral("replay-board.png"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Report each replayed piece as a JSON line."));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QStringLiteral("Replay the writing this many times as large as at its declared size on a board."),
        QStringLiteral("factor"));
    const QCommandLineOption zoomOption(
        QStringLiteral("zoom"),
        QStringLiteral(
            "Replay on a board shown this many times as large, the writing as large on the screen."),
        QStringLiteral("factor"));
    const QCommandLineOption saveOption(QStringLiteral("save"),
                                        QStringLiteral("Where the replay saves the board as a board file."),
                                        QStringLiteral("board"));
    const QCommandLineOption openOption(
        QStringLiteral("open"),
        QStringLiteral(
            "Open a board file without a window, report its text boxes and, with --out, save it as "
            "PNG."),
        QStringLiteral("board"));
    parser.addOptions({headlessOption, pluginsOption, logOption, replayOption, outOption, jsonOption,
                       scaleOption, zoomOption, saveOption, openOption});
    parser.process(app);

    SOptions options;
    options.bHeadless = bHeadless;
    options.bReplay = parser.isSet(replayOption);
    options.bJson = parser.isSet(jsonOption);
    options.bOut = parser.isSet(outOption);
    options.strSaveFile = parser.value(saveOption);
    options.strOpenFile = parser.value(openOption);
    options.strPluginDir = parser.value(pluginsOption);
    options.strLogFile = parser.value(logOption);
    options.strReplayFile = parser.value(replayOption);
    options.strBoardFile = parser.value(outOption);
    options.strReplayScale = parser.value(scaleOption);
    options.strReplayZoom = parser.value(zoomOption);
    return options;
}

// Reads the file to replay at the scale and zoom asked for; false, having said why, when one is unusable.
bool loadReplay(CInkReplay& replay, const SOptions& options)
{
    bool bScale = true;
    const double dFactor = options.strReplayScale.isEmpty() ? 1.0 : options.strReplayScale.toDouble(&bScale);
    if (!bScale || !replay.setScale(dFactor)) {
        err() << "whiteboard: --scale " << options.strReplayScale << ": not a factor above 0\n";
        return false;
    }
    bool bZoom = true;
    const double dZoom = options.strReplayZoom.isEmpty() ? 1.0 : options.strReplayZoom.toDouble(&bZoom);
    if (!bZoom || !replay.setZoom(dZoom)) {
        err() << "whiteboard: --zoom " << options.strReplayZoom << ": not a factor above 0\n";
        return false;
    }
    if (replay.load(options.strReplayFile))
        return true;
    err() << "whiteboard: " << replay.errorString() << '\n';
    return false;
}

// Nobody can answer a modal box without a window: messages go to the console instead.
void sendMessagesToConsole()
{
    CActionUtilities::setMessageHandler(
        [](CActionUtilities::EMessageBoxType, const QString& strText, QMessageBox::StandardButtons) {
            err() << "whiteboard: " << strText << '\n';
            err().flush();
            return QMessageBox::Ok;
        });
}

// Initialises and sets up the plug-in just loaded and reports what it registered; false when it
// refused to initialise, in which case it is unloaded again.
bool setUpPlugin(CPluginLoader& loader, IPlugin* pPlugin, const QString& strPath, CMainWindow* pWindow)
{
    QString strInitError;
    if (!pPlugin->initialize(&strInitError)) {
        err() << "whiteboard: plug-in " << strPath << " failed to initialise: " << strInitError << '\n';
        loader.unload(pPlugin);
        return false;
    }
    const int iBefore = CHostJournal::entries().size();
    const bool bSetUp = pPlugin->setUp();
    out() << "Loaded " << pPlugin->getPluginName() << " (ID " << pPlugin->getID() << ") from "
          << QDir::toNativeSeparators(strPath) << '\n';
    out() << "  set-up returned " << (bSetUp ? "true" : "false") << " and registered:\n";
    printRegistrations(CHostJournal::entries().mid(iBefore));
    if (pWindow)
        pWindow->addPluginReport(QStringLiteral("%1 (%2)").arg(pPlugin->getPluginName(), pPlugin->getID()),
                                 true);
    return true;
}

// Loads and sets up every plug-in in strDir; 0 when there was at least one and none was refused.
int loadPlugins(CPluginLoader& loader, const QString& strDir, CMainWindow* pWindow)
{
    const QStringList libraries = CPluginLoader::findLibraries(strDir);
    if (libraries.isEmpty())
        err() << "whiteboard: no plug-ins in " << QDir::toNativeSeparators(strDir) << '\n';

    int iRefused = 0;
    for (const QString& strPath : libraries) {
        IPlugin* pPlugin = loader.load(strPath);
        if (!pPlugin) {
            ++iRefused;
            err() << "whiteboard: " << loader.errorString() << '\n';
            if (pWindow)
                pWindow->addPluginReport(loader.errorString(), false);
        } else if (!setUpPlugin(loader, pPlugin, strPath, pWindow)) {
            ++iRefused;
        }
    }
    out().flush();
    err().flush();
    return iRefused == 0 && !libraries.isEmpty() ? 0 : 1;
}

// The first pen tool that is not one of the host's own: the one that writes the replayed handwriting.
QString pluginPenTool(const QStringList& hostTools)
{
    CToolManager* pTools = COrrery::getToolManager();
    for (const QString& strTool : pTools->getToolNames())
        if (!hostTools.contains(strTool) && pTools->getToolByName(strTool)->isPenTool())
            return strTool;
    return QString();
}

// Writes the handwriting of the file, read and checked before, with the plug-ins' pen on a board
// without a window, reports what each piece became and saves the board.
int replayOnBoard(CInkReplay& replay, const QString& strPen, const SOptions& options)
{
    const bool bJson = options.bJson;
    const QString& strBoardFile = options.strBoardFile;
    if (strPen.isEmpty() || !COrrery::getToolManager()->activate(strPen)) {
        err() << "whiteboard: no plug-in's pen tool is there to replay with\n";
        return 1;
    }
    COrreryView view;
    COrrery::setView(&view);
    view.showTopic(COrrery::getWorkspace()->getCurrentTopic());
    view.show();
    QVector<SReplayedWriting> writings;
    const bool bReplayed = replay.replay(&view, writings);
    int iResult = 0;
    if (!bReplayed) {
        err() << "whiteboard: cannot replay: " << replay.errorString() << '\n';
        iResult = 1;
    }
    for (const SReplayedWriting& writing : writings)
        results() << (bJson
                          ? QString::fromUtf8(QJsonDocument(writing.toJson()).toJson(QJsonDocument::Compact))
                          : writing.toText())
                  << '\n';
    results().flush();
    QString strProblem;
    if (bReplayed && !CInkReplay::saveBoard(&view, strBoardFile, &strProblem)) {
        err() << "whiteboard: " << strProblem << '\n';
        iResult = 1;
    } else if (bReplayed) {
        out() << "Saved the board as " << QDir::toNativeSeparators(QFileInfo(strBoardFile).absoluteFilePath())
              << '\n';
    }
    if (bReplayed && !options.strSaveFile.isEmpty() &&
        !CBoardCommands::save(options.strSaveFile, &strProblem)) {
        err() << "whiteboard: " << strProblem << '\n';
        iResult = 1;
    }
    COrrery::setView(nullptr);
    return iResult;
}

// Reports the text boxes of the board file read before, and draws it where --out says.
int reportBoard(const CBoardFile::SBoard& board, const SOptions& options)
{
    QString strProblem;
    if (CBoardCommands::report(board, options.bJson, options.bOut ? options.strBoardFile : QString(),
                               results(), &strProblem))
        return 0;
    err() << "whiteboard: " << strProblem << '\n';
    return 1;
}

// Shows the board with the plug-ins' tools until the user closes it.
int runWindow(QApplication& app, CMainWindow& window)
{
    window.refreshTools();
    COrrery::getToolManager()->activate(QStringLiteral("select"));
    window.show();
    // Asked once the window is there to show the board it restores.
    QTimer::singleShot(0, window.document(), &CBoardDocument::offerRecovery);
    return app.exec();
}

// Tears the plug-ins down (reporting what they withdrew when headless), then the window and the host,
// which may still hold objects whose code lies in the plug-ins.
void tearDown(CPluginLoader& loader, std::unique_ptr<CMainWindow> pWindow, bool bHeadless)
{
    for (IPlugin* pPlugin : loader.plugins()) {
        const int iBefore = CHostJournal::entries().size();
        pPlugin->tearDown();
        if (bHeadless) {
            out() << "Tore down " << pPlugin->getPluginName() << ", which withdrew:\n";
            printRegistrations(CHostJournal::entries().mid(iBefore));
        }
    }
    pWindow.reset();
    CGUILayer::shutdownHost();
}

} // namespace

int main(int argc, char** argv)
{
    limitEngineThreads(argv);
    const bool bHeadless = wantsHeadless(argc, argv);
    if (bHeadless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("whiteboard"));
    QApplication::setOrganizationName(QStringLiteral("whiteboard"));
    const SOptions options = parseOptions(app, bHeadless);
    const bool bOpen = !options.strOpenFile.isEmpty();
    s_bReportToError = options.bReplay || bOpen;

    CGUILayer::resetHost();
    // The whole file is read and checked before anything is set up, so that a file that cannot be
    // used leaves no board and no results behind.
    CInkReplay replay;
    CBoardFile::SBoard board;
    QString strProblem;
    if ((options.bReplay && !loadReplay(replay, options)) ||
        (bOpen && !CBoardCommands::read(options.strOpenFile, &board, &strProblem))) {
        if (!strProblem.isEmpty())
            err() << "whiteboard: " << strProblem << '\n';
        err().flush();
        CGUILayer::shutdownHost();
        return c_iUnusableFile;
    }

    setUpLogging(options.strLogFile);
    if (bHeadless)
        sendMessagesToConsole();
    CHostTools::install(bHeadless);
    if (CRecognizer* pRecognizer = COrrery::getRecognizerManager()->getActiveRecognizer())
        out() << "Recognizer: " << pRecognizer->getDisplayName() << '\n';
    const QStringList hostTools = COrrery::getToolManager()->getToolNames();
    std::unique_ptr<CMainWindow> pWindow;
    if (!bHeadless)
        pWindow = std::make_unique<CMainWindow>();

    CPluginLoader loader;
    int iResult = loadPlugins(loader, options.strPluginDir, pWindow.get());
    CHostTools::loadProfile();
    if (options.bReplay)
        iResult = replayOnBoard(replay, pluginPenTool(hostTools), options);
    else if (bOpen)
        iResult = reportBoard(board, options);
    else if (pWindow)
        iResult = runWindow(app, *pWindow);
    if (options.bReplay || bOpen || !pWindow)
        COrrery::getToolManager()->onExit();
    tearDown(loader, std::move(pWindow), bHeadless);
    return iResult;
}
