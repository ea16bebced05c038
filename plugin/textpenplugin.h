// The plug-in object: the host loads the library, asks for this object and calls setUp, which hands
// everything the text pen consists of to the host's managers. It keeps nothing of its own.
#pragma once

#include "abstractplugin.h"

class CTextPenPlugIn : public CAbstractPlugin
{
    Q_OBJECT
    Q_INTERFACES(IPlugin)

public:
    CTextPenPlugIn();
    ~CTextPenPlugIn() override;

    bool setUp() override;
    void tearDown() override;
    QString getID() override;
    QString getPluginName() override;
};

extern "C" {
Q_DECL_EXPORT const char* qt_plugin_query_verification_data();
Q_DECL_EXPORT QObject* qt_plugin_instance();
}
