// The board a fuzz target writes on, made once per process: an offscreen application, a host with
// its settings in a temporary folder, a board view, a recognizer that answers what it is told, and
// the text pen set up and active. Message boxes are answered at once, so no input can wait for a user.
#pragma once

#include <QRect>
#include <QStringList>
#include <memory>

class CScriptedRecognizer;
class CTextPenPlugIn;
class CToolTextPen;
class COrreryView;
class QApplication;
class QTemporaryDir;

class CFuzzHost
{
public:
    // Builds the host on first use; later calls hand back the same one.
    static CFuzzHost& get();

    CToolTextPen* tool() const { return m_pTool; }
    CScriptedRecognizer* recognizer() const { return m_pRecognizer; }
    COrreryView* view() const { return m_pView; }
    int messageCount() const { return m_iMessages; }

    // Takes the text pen down and sets it up again from empty settings, with the host's text tool
    // fresh too, so that no run inherits another's properties.
    void restartTextPen();
    // Empties the board and its undo steps and puts the standing boxes back: free text boxes, locked
    // ones, a second kind of text box and a picture, some overlapping.
    void resetBoard();
    // Lets the events a run posted happen, objects deleted later among them: nothing else runs the
    // event loop here, and what waits for it would pile up from run to run.
    void settle();
    // Hands the pen finished writing whose bounds on the view are exactly viewBounds.
    void writeOver(const QRect& viewBounds);

private:
    CFuzzHost();
    void activatePen();

    std::unique_ptr<QTemporaryDir> m_pDir;
    QApplication* m_pApp = nullptr;
    COrreryView* m_pView = nullptr;
    CTextPenPlugIn* m_pPlugin = nullptr;
    CToolTextPen* m_pTool = nullptr;
    CScriptedRecognizer* m_pRecognizer = nullptr;
    int m_iMessages = 0;
};
