// A host as the app sets it up for measuring the text pen: the plug-in loaded by the app's loader and
// set up, a board view showing the current page, and the active recognizer clocked. Writing is drawn
// on the board with the mouse, as a hand would, and handed to the pen only when asked, so that a
// measurement can time the pen-up alone.
#pragma once

#include "pluginloader.h"
#include "timedrecognizer.h"

#include <QPointF>
#include <QTemporaryDir>
#include <QVector>
#include <boost/shared_ptr.hpp>
#include <memory>

class COrreryView;
class CPenTool;
class CTopic;
class IPlugin;

class CBenchBoard
{
public:
    static const QString c_strTextPen;

    CBenchBoard();
    ~CBenchBoard();

    CBenchBoard(const CBenchBoard&) = delete;
    CBenchBoard& operator=(const CBenchBoard&) = delete;

    // A fresh host with the text pen active and pRecognizer reading behind the clock; false with
    // *pstrError saying why.
    bool start(const boost::shared_ptr<CRecognizer>& pRecognizer, QString* pstrError);
    void stop();

    COrreryView* view() const { return m_pView.get(); }
    CTopic* topic() const;
    CPenTool* pen() const;
    const CTimedRecognizer& clock() const { return *m_pClock; }
    bool setPenProperty(const QString& strName, const QVariant& value);

    // Draws the strokes (scene coordinates) with the mouse on the board's viewport.
    void write(const QVector<QVector<QPointF>>& strokes);
    // Hands the writing to the pen now, as the writer's pause would; the nanoseconds it took.
    qint64 penUp();

private:
    CPluginLoader m_loader;
    IPlugin* m_pPlugin = nullptr;
    QTemporaryDir m_dir;
    std::unique_ptr<COrreryView> m_pView;
    boost::shared_ptr<CRecognizer> m_pInner;
    boost::shared_ptr<CTimedRecognizer> m_pClock;
};
