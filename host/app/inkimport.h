// Imports recorded handwriting from a W3C InkML file onto the page the board shows, laid out as the
// replay lays it out and then moved (and, where it is too large, shrunk) into the part of the page in
// view. With a pen that reads writing active, each piece is written with that pen so that it becomes
// text; otherwise each piece becomes one ink component in the current pen's colour and width. The
// whole import is one undo step.
#pragma once

#include <QObject>
#include <QString>

class COrreryView;
class QWidget;

class CInkImport : public QObject
{
    Q_OBJECT

public:
    explicit CInkImport(COrreryView* pView, QObject* pParent = nullptr);

    // Places the file's writing on the view's page. False, with errorString() naming the file and
    // the reason, when the file cannot be used; the board is then unchanged.
    bool importFile(const QString& strPath);
    QString errorString() const { return m_strError; }

    // Asks for a file, imports it and tells the user when it could not.
    void slotImport(QWidget* pDialogParent);

signals:
    // A file was imported; iPieces pieces of writing were placed.
    void signalImported(const QString& strPath, int iPieces);

private:
    COrreryView* m_pView;
    QString m_strError;
};
