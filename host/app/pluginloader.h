// Loads plug-in libraries as the host always has: it reads a library's verification text first and
// refuses one built for another host (version, debug flag, build key) before anything else of it is
// called; only then does it ask for the instance and accept it if it is an IPlugin. What it still
// holds when it goes is deleted then; the libraries stay loaded while an application object lives,
// because Qt's font cache, emptied only as the application goes, may still hold texts whose
// characters lie in a plug-in's library. Callers may so create and drop the loader in any order.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class IPlugin;
class QLibrary;
class QObject;

class CPluginLoader
{
public:
    // What the host itself was built as; a plug-in must match.
    static constexpr int c_iHostVersion = 0x040502;
    static constexpr const char* c_szHostBuildKey = "Windows msvc release full-config";
    static constexpr bool c_bHostDebug = false;

    CPluginLoader();
    ~CPluginLoader();

    CPluginLoader(const CPluginLoader&) = delete;
    CPluginLoader& operator=(const CPluginLoader&) = delete;

    // The plug-in of the library at strPath, or null with errorString() saying why it was refused.
    IPlugin* load(const QString& strPath);
    QString errorString() const { return m_strError; }

    // The library files in strDir, by name.
    static QStringList findLibraries(const QString& strDir);

    // Deletes the instance, then unloads its library now: for a caller that knows nothing of the
    // plug-in is in use any more.
    void unload(IPlugin* pPlugin);
    void unloadAll();

    std::vector<IPlugin*> plugins() const;
    QString libraryPath(const IPlugin* pPlugin) const;

private:
    struct SLoaded
    {
        std::unique_ptr<QLibrary> pLibrary;
        IPlugin* pPlugin;
    };

    IPlugin* refuse(QLibrary& library, const QString& strPath, const QString& strReason,
                    QObject* pInstance = nullptr);
    static QString checkVerification(const char* szVerification);

    std::vector<SLoaded> m_loaded;
    QString m_strError;
};
