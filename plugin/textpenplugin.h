// The plug-in object: the host loads the library, asks for this object and calls setUp, which hands
// everything the text pen consists of to the host's managers. It keeps nothing of its own.
#pragma once

#include "abstractplugin.h"

#include <QRect>

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

// The font size of a text box made from writing: from the writing's height on the board, shared by
// its lines, within what the board can show.
class CTextPenUtilities
{
public:
    static double getFontSize(const QRect& viewRect, const QString& strText);
};

extern "C" {
Q_DECL_EXPORT const char* qt_plugin_query_verification_data();
Q_DECL_EXPORT QObject* qt_plugin_instance();
}
