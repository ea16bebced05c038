// What the text pen plug-in costs the host at start and at the end: loading its library with the
// app's loader and setting it up, then tearing it down and unloading it, each the first time in a
// process as in the app; and the memory it adds, as the peak resident size (VmHWM) of a process that
// loads and sets it up against one that starts the same host without it. Every figure comes from its
// own child process; the medians end in one line that scripts read:
//   runs=N load_setup_ms=M load_ms=M setup_ms=M teardown_unload_ms=M teardown_ms=M unload_ms=M
//   host_hwm_kb=K with_plugin_hwm_kb=K added_kb=K host_rss_kb=K added_rss_kb=K
// The peak of a host is reached while its recognizer loads its model, before any plug-in: what a
// plug-in adds below that peak shows only in the resident size at the end (added_rss_kb).
#include "benchstart.h"
#include "guilayer.h"
#include "hosttools.h"
#include "iplugin.h"
#include "orderstatistics.h"
#include "pluginloader.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

const QString c_strTimes = QStringLiteral("times");
const QString c_strHost = QStringLiteral("host");
const QString c_strWithPlugin = QStringLiteral("with-plugin");

QTextStream& out()
{
    static QTextStream s_out(stdout);
    return s_out;
}

// A size of this process from its status, in kB: "VmHWM" the peak resident size so far, "VmRSS" the
// resident size now.
qint64 statusKb(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

// A host as the headless app starts it: its own tools and recognizers, settings of its own.
void startHost(const QTemporaryDir& dir)
{
    SHostOptions options;
    options.strSettingsFile = dir.filePath(QStringLiteral("settings.ini"));
    CGUILayer::resetHost(options);
    CHostTools::install(true);
    QApplication::processEvents();
}

// One child's measurement, printed as "key=value" words.
int measure(const QString& strWhat, int argc, char** argv)
{
    auto pApp = std::make_unique<QApplication>(argc, argv);
    CPluginLoader loader;
    QTemporaryDir dir;
    startHost(dir);
    if (strWhat == c_strHost) {
        out() << "hwm_kb=" << statusKb("VmHWM") << " rss_kb=" << statusKb("VmRSS") << '\n';
        CGUILayer::shutdownHost();
        return 0;
    }

    const QString strLibrary = CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR)).value(0);
    QElapsedTimer timer;
    timer.start();
    IPlugin* pPlugin = loader.load(strLibrary);
    QString strError;
    if (!pPlugin || !pPlugin->initialize(&strError)) {
        std::fprintf(stderr, "pluginload: %s%s\n", qPrintable(loader.errorString()), qPrintable(strError));
        return 1;
    }
    const double dLoadMs = msSince(timer);
    timer.restart();
    if (!pPlugin->setUp()) {
        std::fprintf(stderr, "pluginload: the plug-in's set-up failed\n");
        return 1;
    }
    const double dSetUpMs = msSince(timer);
    QApplication::processEvents();
    if (strWhat == c_strWithPlugin) {
        out() << "hwm_kb=" << statusKb("VmHWM") << " rss_kb=" << statusKb("VmRSS") << '\n';
        pPlugin->tearDown();
        CGUILayer::shutdownHost();
        pApp.reset();
        return 0;
    }

    timer.restart();
    pPlugin->tearDown();
    const double dTearDownMs = msSince(timer);
    // The library is unloaded, and so timed, only once the application has gone.
    CGUILayer::shutdownHost();
    pApp.reset();
    timer.restart();
    loader.unloadAll();
    const double dUnloadMs = msSince(timer);
    out() << "load_ms=" << dLoadMs << " setup_ms=" << dSetUpMs << " teardown_ms=" << dTearDownMs
          << " unload_ms=" << dUnloadMs << '\n';
    return 0;
}

// The words of one child's line, or an empty map when the child failed.
QMap<QString, double> runChild(const QString& strWhat)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), strWhat});
    QMap<QString, double> values;
    if (!child.waitForFinished(120000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return values;
    for (const QByteArray& word : child.readAllStandardOutput().simplified().split(' ')) {
        const int iEquals = word.indexOf('=');
        if (iEquals > 0)
            values.insert(QString::fromLatin1(word.left(iEquals)), word.mid(iEquals + 1).toDouble());
    }
    return values;
}

int report(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the plug-in's load, set-up, tear-down and unload."));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Child processes per figure."),
                                        QStringLiteral("n"), QStringLiteral("11"));
    parser.addOption(runsOption);
    parser.process(app);
    const int iRuns = std::max(1, parser.value(runsOption).toInt());

    QMap<QString, QVector<double>> figures;
    for (int i = 0; i < iRuns; ++i) {
        // The three kinds take turns, so that a change in the machine's load falls on all of them.
        for (const QString& strWhat : {c_strTimes, c_strHost, c_strWithPlugin}) {
            const QMap<QString, double> values = runChild(strWhat);
            if (values.isEmpty()) {
                std::fprintf(stderr, "pluginload: a child process (%s) failed\n", qPrintable(strWhat));
                return 1;
            }
            for (auto it = values.begin(); it != values.end(); ++it)
                figures[strWhat + QLatin1Char('.') + it.key()].append(it.value());
        }
    }
    QVector<double> loadSetUp, tearDownUnload, added, addedResident;
    for (int i = 0; i < iRuns; ++i) {
        loadSetUp.append(figures[c_strTimes + ".load_ms"][i] + figures[c_strTimes + ".setup_ms"][i]);
        tearDownUnload.append(figures[c_strTimes + ".teardown_ms"][i] +
                              figures[c_strTimes + ".unload_ms"][i]);
        added.append(figures[c_strWithPlugin + ".hwm_kb"][i] - figures[c_strHost + ".hwm_kb"][i]);
        addedResident.append(figures[c_strWithPlugin + ".rss_kb"][i] - figures[c_strHost + ".rss_kb"][i]);
    }
    auto ms = [](double d) { return QString::number(d, 'f', 2); };
    out() << "runs=" << iRuns << " load_setup_ms=" << ms(median(loadSetUp))
          << " load_ms=" << ms(median(figures[c_strTimes + ".load_ms"]))
          << " setup_ms=" << ms(median(figures[c_strTimes + ".setup_ms"]))
          << " teardown_unload_ms=" << ms(median(tearDownUnload))
          << " teardown_ms=" << ms(median(figures[c_strTimes + ".teardown_ms"]))
          << " unload_ms=" << ms(median(figures[c_strTimes + ".unload_ms"]))
          << " host_hwm_kb=" << median(figures[c_strHost + ".hwm_kb"])
          << " with_plugin_hwm_kb=" << median(figures[c_strWithPlugin + ".hwm_kb"])
          << " added_kb=" << median(added) << " host_rss_kb=" << median(figures[c_strHost + ".rss_kb"])
          << " added_rss_kb=" << median(addedResident) << '\n';
    out().flush();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    startMeasuring(argv);
    if (argc == 3 && QByteArray(argv[1]) == "--child") {
        return measure(QString::fromLatin1(argv[2]), argc, argv);
    }
    return report(argc, argv);
}
