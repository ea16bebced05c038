// A small plug-in library for the loader's tests. Each build of it differs in one thing that the
// loader must check: a field of the verification text, a missing entry point, or an instance that is
// no plug-in. It leaves a trace in the environment when its instance is asked for or destroyed, so a
// test can tell whether the loader went further than it should.
#include "abstractplugin.h"

#include <QByteArray>

#ifndef TESTPLUGIN_VERSION
#define TESTPLUGIN_VERSION "4.5.2"
#endif
#ifndef TESTPLUGIN_DEBUG
#define TESTPLUGIN_DEBUG "false"
#endif
#ifndef TESTPLUGIN_BUILDKEY
#define TESTPLUGIN_BUILDKEY "Windows msvc release full-config"
#endif

namespace {

void mark(const char* szWhat)
{
    qputenv(szWhat, TESTPLUGIN_NAME);
}

class CTestPlugIn : public CAbstractPlugin
{
    Q_OBJECT
    Q_INTERFACES(IPlugin)

public:
    ~CTestPlugIn() override { mark("TESTPLUGIN_DESTROYED"); }
    QString getID() override { return QStringLiteral(TESTPLUGIN_NAME); }
};

class CNotAPlugIn : public QObject
{
    Q_OBJECT

public:
    ~CNotAPlugIn() override { mark("TESTPLUGIN_DESTROYED"); }
};

} // namespace

extern "C" {

#ifndef TESTPLUGIN_NO_VERIFICATION
Q_DECL_EXPORT const char* qt_plugin_query_verification_data()
{
    return "pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=" TESTPLUGIN_VERSION "\ndebug=" TESTPLUGIN_DEBUG
           "\nbuildkey=" TESTPLUGIN_BUILDKEY;
}
#endif

#ifndef TESTPLUGIN_NO_INSTANCE
Q_DECL_EXPORT QObject* qt_plugin_instance()
{
    mark("TESTPLUGIN_INSTANCE_ASKED");
#ifdef TESTPLUGIN_NOT_IPLUGIN
    return new CNotAPlugIn();
#else
    return new CTestPlugIn();
#endif
}
#endif
}

#include "testplugin.moc"
