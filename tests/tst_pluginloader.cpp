// The host's loader: a library built for another host is refused, with a message that names the
// library and the field, before its instance is ever asked for; a good one is loaded, and unloading
// deletes its instance before the library goes.
#include "guilayer.h"
#include "iplugin.h"
#include "pluginloader.h"

#include <QDir>
#include <QLibrary>
#include <QtTest>

namespace {

QString testPlugin(const QString& strName)
{
    return QDir(QStringLiteral(TEST_PLUGIN_DIR)).filePath(strName + QStringLiteral(".so"));
}

} // namespace

class tst_PluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        qunsetenv("TESTPLUGIN_INSTANCE_ASKED");
        qunsetenv("TESTPLUGIN_DESTROYED");
        CGUILayer::resetHost();
    }
    void cleanupTestCase() { CGUILayer::shutdownHost(); }

    void aLibraryThatIsNoPlugInOfThisHostIsRefused_data()
    {
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("reason");
        // Refused before its instance is asked for.
        QTest::newRow("newer minor version") << "tp_newer_minor"
                                             << "field 'version' is 4.6.0, newer than the host's 4.5.2";
        QTest::newRow("newer patch version") << "tp_newer_patch"
                                             << "field 'version' is 4.5.3, newer than the host's 4.5.2";
        QTest::newRow("older major version")
            << "tp_older_major"
            << "field 'version' is 3.3.0, another major version than the host's 4.5.2";
        QTest::newRow("malformed version") << "tp_bad_version"
                                           << "field 'version' is '4.five.2', not a version number";
        QTest::newRow("debug build") << "tp_debug"
                                     << "field 'debug' is 'true', the host's is 'false'";
        QTest::newRow("other build key") << "tp_build_key"
                                         << "field 'buildkey' is 'Windows msvc debug full-config', the "
                                            "host's is 'Windows msvc release full-config'";
        QTest::newRow("no verification text") << "tp_no_verification"
                                              << "it does not export qt_plugin_query_verification_data";
        // Refused only once asked for its instance, which is not left behind when its library goes.
        QTest::newRow("no instance entry point") << "tp_no_instance"
                                                 << "it does not export qt_plugin_instance";
        QTest::newRow("instance is no IPlugin")
            << "tp_not_iplugin"
            << "its instance (CNotAPlugIn) is not a plug-in of interface pallion.cpluginex/1.3";
        QTest::newRow("missing file") << "tp_does_not_exist"
                                      << "the library cannot be loaded";
    }
    void aLibraryThatIsNoPlugInOfThisHostIsRefused()
    {
        QFETCH(QString, library);
        QFETCH(QString, reason);
        const QString strPath = testPlugin(library);
        CPluginLoader loader;
        QCOMPARE(loader.load(strPath), nullptr);
        QVERIFY2(
            loader.errorString().startsWith(QStringLiteral("Plug-in %1 refused: %2").arg(strPath, reason)),
            qPrintable(loader.errorString()));
        const bool bInstanceMade = library == QLatin1String("tp_not_iplugin");
        QCOMPARE(!qEnvironmentVariableIsEmpty("TESTPLUGIN_INSTANCE_ASKED"), bInstanceMade);
        QCOMPARE(!qEnvironmentVariableIsEmpty("TESTPLUGIN_DESTROYED"), bInstanceMade);
        QVERIFY(loader.plugins().empty());
        QVERIFY(!QLibrary(strPath).isLoaded());
    }

    void aMatchingOrOlderLibraryIsLoadedAndUnloadedWhole_data()
    {
        QTest::addColumn<QString>("library");
        QTest::newRow("same version") << "tp_good";
        QTest::newRow("older minor version") << "tp_older_minor";
    }
    void aMatchingOrOlderLibraryIsLoadedAndUnloadedWhole()
    {
        QFETCH(QString, library);
        const QString strPath = testPlugin(library);
        CPluginLoader loader;
        IPlugin* pPlugin = loader.load(strPath);
        QVERIFY2(pPlugin, qPrintable(loader.errorString()));
        QCOMPARE(pPlugin->getID(), library);
        QCOMPARE(loader.libraryPath(pPlugin), strPath);
        QVERIFY(QLibrary(strPath).isLoaded());

        loader.unload(pPlugin);
        QCOMPARE(qgetenv("TESTPLUGIN_DESTROYED"), library.toLatin1());
        QVERIFY(loader.plugins().empty());
        QVERIFY(!QLibrary(strPath).isLoaded());
    }

    void theTextPenPlugInIsAcceptedFromTheAppsPlugInDirectory()
    {
        const QStringList libraries = CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR));
        QCOMPARE(libraries.size(), 1);
        CPluginLoader loader;
        IPlugin* pPlugin = loader.load(libraries.first());
        QVERIFY2(pPlugin, qPrintable(loader.errorString()));
        QCOMPARE(pPlugin->getID(), QStringLiteral("veltra.textpenplugin-1.0"));
        QCOMPARE(pPlugin->getPluginName(), QStringLiteral("textpenplugin"));
        QVERIFY(pPlugin->setUp());
        // Its images come and go with the library.
        QVERIFY(QFile::exists(QStringLiteral(":/textpenplugin.text_pen.png")));
        pPlugin->tearDown();
        CGUILayer::shutdownHost(); // nothing the plug-in registered may outlive its code
        loader.unloadAll();
        QVERIFY(!QLibrary(libraries.first()).isLoaded());
        QVERIFY(!QFile::exists(QStringLiteral(":/textpenplugin.text_pen.png")));
    }

    void onlyLibrariesAreFound()
    {
        QTemporaryDir dir;
        for (const char* szName : {"a.so", "b.so.1", "notes.txt", "c.so.txt"}) {
            QFile file(dir.filePath(QLatin1String(szName)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(CPluginLoader::findLibraries(dir.path()), QStringList()
                                                               << dir.filePath(QStringLiteral("a.so"))
                                                               << dir.filePath(QStringLiteral("b.so.1")));
    }
};

QTEST_MAIN(tst_PluginLoader)
#include "tst_pluginloader.moc"
