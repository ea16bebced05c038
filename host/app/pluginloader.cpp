#include "pluginloader.h"

#include "iplugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMap>

namespace {

typedef const char* (*FVerificationData)();
typedef QObject* (*FInstance)();

QString versionText(int iVersion)
{
    return QStringLiteral("%1.%2.%3").arg(iVersion >> 16).arg((iVersion >> 8) & 0xff).arg(iVersion & 0xff);
}

// "4.5.2" as 0x040502; -1 when it is not three numbers in 0..255.
int parseVersion(const QString& strVersion)
{
    const QStringList parts = strVersion.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return -1;
    int iVersion = 0;
    for (const QString& strPart : parts) {
        bool bOk = false;
        const int iPart = strPart.toInt(&bOk);
        if (!bOk || iPart < 0 || iPart > 255)
            return -1;
        iVersion = (iVersion << 8) | iPart;
    }
    return iVersion;
}

} // namespace

CPluginLoader::CPluginLoader() = default;

CPluginLoader::~CPluginLoader()
{
    if (!QCoreApplication::instance()) {
        unloadAll();
        return;
    }
    // A QLibrary dropped without unload() leaves its library in memory until the process ends.
    while (!m_loaded.empty()) {
        delete m_loaded.back().pPlugin;
        m_loaded.pop_back();
    }
}

QString CPluginLoader::checkVerification(const char* szVerification)
{
    if (!szVerification || !*szVerification)
        return QStringLiteral("its verification text is empty");

    QMap<QString, QString> fields;
    const QStringList lines = QString::fromLatin1(szVerification).split(QLatin1Char('\n'));
    for (const QString& strLine : lines) {
        const int iEquals = strLine.indexOf(QLatin1Char('='));
        if (iEquals > 0)
            fields.insert(strLine.left(iEquals), strLine.mid(iEquals + 1));
    }
    for (const char* szField : {"pattern", "version", "debug", "buildkey"})
        if (!fields.contains(QLatin1String(szField)))
            return QStringLiteral("field '%1' is missing from its verification text")
                .arg(QLatin1String(szField));

    const QString strPattern = fields.value(QStringLiteral("pattern"));
    if (strPattern != QLatin1String("QT_PLUGIN_VERIFICATION_DATA"))
        return QStringLiteral("field 'pattern' is '%1', not 'QT_PLUGIN_VERIFICATION_DATA'").arg(strPattern);

    const QString strVersion = fields.value(QStringLiteral("version"));
    const int iVersion = parseVersion(strVersion);
    const QString strHostVersion = versionText(c_iHostVersion);
    if (iVersion < 0)
        return QStringLiteral("field 'version' is '%1', not a version number").arg(strVersion);
    if ((iVersion >> 16) != (c_iHostVersion >> 16))
        return QStringLiteral("field 'version' is %1, another major version than the host's %2")
            .arg(strVersion, strHostVersion);
    if (iVersion > c_iHostVersion)
        return QStringLiteral("field 'version' is %1, newer than the host's %2")
            .arg(strVersion, strHostVersion);

    const QString strDebug = fields.value(QStringLiteral("debug"));
    const QString strHostDebug = c_bHostDebug ? QStringLiteral("true") : QStringLiteral("false");
    if (strDebug != strHostDebug)
        return QStringLiteral("field 'debug' is '%1', the host's is '%2'").arg(strDebug, strHostDebug);

    const QString strBuildKey = fields.value(QStringLiteral("buildkey"));
    if (strBuildKey != QLatin1String(c_szHostBuildKey))
        return QStringLiteral("field 'buildkey' is '%1', the host's is '%2'")
            .arg(strBuildKey, QLatin1String(c_szHostBuildKey));
    return QString();
}

IPlugin* CPluginLoader::load(const QString& strPath)
{
    m_strError.clear();
    auto pLibrary = std::make_unique<QLibrary>(strPath);
    if (!pLibrary->load())
        return refuse(*pLibrary, strPath,
                      QStringLiteral("the library cannot be loaded (%1)").arg(pLibrary->errorString()));

    const auto pfnVerification =
        reinterpret_cast<FVerificationData>(pLibrary->resolve("qt_plugin_query_verification_data"));
    if (!pfnVerification)
        return refuse(*pLibrary, strPath,
                      QStringLiteral("it does not export qt_plugin_query_verification_data"));
    const QString strMismatch = checkVerification(pfnVerification());
    if (!strMismatch.isEmpty())
        return refuse(*pLibrary, strPath, strMismatch);

    const auto pfnInstance = reinterpret_cast<FInstance>(pLibrary->resolve("qt_plugin_instance"));
    if (!pfnInstance)
        return refuse(*pLibrary, strPath, QStringLiteral("it does not export qt_plugin_instance"));
    QObject* pInstance = pfnInstance();
    if (!pInstance)
        return refuse(*pLibrary, strPath, QStringLiteral("qt_plugin_instance returned no object"));
    IPlugin* pPlugin = qobject_cast<IPlugin*>(pInstance);
    if (!pPlugin)
        return refuse(
            *pLibrary, strPath,
            QStringLiteral("its instance (%1) is not a plug-in of interface %2")
                .arg(QLatin1String(pInstance->metaObject()->className()), QLatin1String(IPlugin_iid)),
            pInstance);

    m_loaded.push_back({std::move(pLibrary), pPlugin});
    return pPlugin;
}

IPlugin* CPluginLoader::refuse(QLibrary& library, const QString& strPath, const QString& strReason,
                               QObject* pInstance)
{
    m_strError = QStringLiteral("Plug-in %1 refused: %2").arg(QDir::toNativeSeparators(strPath), strReason);
    // The instance goes with its library, as the loader has always done; nothing else is called.
    delete pInstance;
    if (library.isLoaded())
        library.unload();
    return nullptr;
}

QStringList CPluginLoader::findLibraries(const QString& strDir)
{
    QStringList paths;
    const QDir dir(strDir);
    const QStringList names = dir.entryList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& strName : names)
        if (QLibrary::isLibrary(strName))
            paths.append(dir.absoluteFilePath(strName));
    return paths;
}

void CPluginLoader::unload(IPlugin* pPlugin)
{
    for (auto it = m_loaded.begin(); it != m_loaded.end(); ++it) {
        if (it->pPlugin != pPlugin)
            continue;
        std::unique_ptr<QLibrary> pLibrary = std::move(it->pLibrary);
        m_loaded.erase(it);
        // The instance's code lives in the library: it must go first.
        delete pPlugin;
        pLibrary->unload();
        return;
    }
}

void CPluginLoader::unloadAll()
{
    while (!m_loaded.empty())
        unload(m_loaded.back().pPlugin);
}

std::vector<IPlugin*> CPluginLoader::plugins() const
{
    std::vector<IPlugin*> plugins;
    for (const SLoaded& loaded : m_loaded)
        plugins.push_back(loaded.pPlugin);
    return plugins;
}

QString CPluginLoader::libraryPath(const IPlugin* pPlugin) const
{
    for (const SLoaded& loaded : m_loaded)
        if (loaded.pPlugin == pPlugin)
            return loaded.pLibrary->fileName();
    return QString();
}
