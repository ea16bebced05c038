// Measures a switch of the handwriting language as the board makes it: how long the request keeps the
// caller (the GUI thread), how long until the new language is in use, and how long the language that
// was in use takes to go when the recognizer goes. Ends with one line per language that scripts read:
//   language=de request_ms=M loaded_ms=M teardown_ms=M (medians of --runs)
#include "benchstart.h"
#include "orderstatistics.h"
#include "tesseractrecognizer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <cstdio>
#include <memory>

namespace {

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

} // namespace

int main(int argc, char** argv)
{
    startMeasuring(argv);
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times switches of the handwriting language."));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Switches per language."),
                                        QStringLiteral("n"), QStringLiteral("5"));
    parser.addOption(runsOption);
    parser.addPositionalArgument(QStringLiteral("languages"), QStringLiteral("Codes (en de by default)."));
    parser.process(app);
    QStringList languages = parser.positionalArguments();
    if (languages.isEmpty())
        languages = QStringList{QStringLiteral("en"), QStringLiteral("de")};
    const int iRuns = std::max(1, parser.value(runsOption).toInt());

    for (const QString& strCode : qAsConst(languages)) {
        QVector<double> requestMs, loadedMs, teardownMs;
        for (int iRun = 0; iRun < iRuns; ++iRun) {
            auto pRecognizer = std::make_unique<CTesseractRecognizer>();
            QSignalSpy loaded(pRecognizer.get(), &CTesseractRecognizer::signalLanguageLoaded);
            QElapsedTimer timer;
            timer.start();
            pRecognizer->requestLanguage(strCode);
            requestMs.append(msSince(timer));
            if (!loaded.wait(60000) || pRecognizer->language() != strCode) {
                std::fprintf(stderr, "languageload: %s did not load\n", qPrintable(strCode));
                return 1;
            }
            loadedMs.append(msSince(timer));
            timer.restart();
            pRecognizer.reset();
            teardownMs.append(msSince(timer));
        }
        std::printf("language=%s request_ms=%.2f loaded_ms=%.0f teardown_ms=%.0f\n", qPrintable(strCode),
                    median(requestMs), median(loadedMs), median(teardownMs));
    }
    return 0;
}
