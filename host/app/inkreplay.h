// Replays recorded handwriting on the board: reads a W3C InkML file, lays its writing out at the size
// of writing on a board (one scale for the whole file, so that writing twice as large stays twice as
// large), writes each piece with the active pen tool as the mouse would and finishes it at once, and
// tells what each piece became and how tall its writing and its text stand on the screen.
#pragma once

#include "inkmlreader.h"

#include <QJsonObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

class COrreryView;

// What one piece of writing became on the board. Without a text box (a tap, nothing read) the
// component ID is -1.
struct SReplayedWriting
{
    QString strPiece;
    QString strTruth;
    QString strReading;
    QStringList alternatives;
    qint64 iComponentID = -1;
    QPointF position;
    double dFontSize = 0.0;
    bool bCreated = false;
    // Screen pixels at the replay's zoom: the writing's height, and the height of the letters of the
    // written word (the reading where the file does not say what was written) set as the box sets
    // its text.
    double dWritingHeightPx = 0.0;
    double dLetterHeightPx = 0.0;

    QJsonObject toJson() const;
    QString toText() const;
};

class CInkReplay
{
public:
    static constexpr double c_dMarginPx = 40.0;
    // Ordinary handwriting, about 0.3 in tall, stands about 60 px tall on a board.
    static constexpr double c_dBoardPixelsPerInch = 200.0;
    // A file that declares no resolution is scaled as a whole so that its lines are this tall.
    static constexpr double c_dLineHeightPx = 60.0;
    // Writing laid out wider or taller than this is refused: no board is that large, and the view and
    // the saved picture are sized to the writing.
    static constexpr double c_dMaxExtentPx = 100000.0;

    // Scales the board's resolution for the files loaded from now on; false, keeping the scale, for a
    // factor that is not a positive number.
    bool setScale(double dFactor);
    // Writes with the board shown at this zoom (2: twice as large), the writing keeping its size on the
    // screen and so standing 1/dZoom as tall on the board, for the files loaded from now on; false,
    // keeping the zoom, for one that is not a positive number.
    bool setZoom(double dZoom);

    // Reads and checks the whole file and lays its writing out on the board; false with
    // errorString() ("FILE:LINE:COLUMN: what is wrong"), keeping nothing of the file.
    bool load(const QString& strPath);
    // The same for a file's content already in memory; strSourceName stands for the file in errors.
    bool loadData(const QByteArray& data, const QString& strSourceName);
    QString errorString() const { return m_strError; }
    // The pieces of writing in scene coordinates, in the order they are written.
    const QVector<SInkWriting>& pieces() const { return m_pieces; }
    // Screen pixels per point of the file.
    double scaleX() const { return m_dScaleX; }
    double scaleY() const { return m_dScaleY; }

    // Writes every piece on the page the view shows with the active tool, which must be a pen tool
    // with an active recognizer behind it. False with errorString() when there is none.
    bool replay(COrreryView* pView, QVector<SReplayedWriting>& results);

    // The content of the view's board with a margin, on white, as the view shows it, as a PNG
    // written whole or not at all.
    static bool saveBoard(const COrreryView* pView, const QString& strPath, QString* pError);
    // Draws strokes given in scene coordinates with the mouse on the view's viewport, as a hand
    // would, so that they reach the active tool the way mouse input does.
    static void drawStrokes(COrreryView* pView, const QVector<QVector<QPointF>>& strokes);

private:
    bool loadFrom(const CInkMLReader& reader, const QString& strSourceName);
    // False when the writing would not fit on a board (see c_dMaxExtentPx), with the reason in
    // strWhy; the pieces are then left unscaled.
    bool layOut(double dResolutionX, double dResolutionY, QString& strWhy);
    SReplayedWriting writePiece(COrreryView* pView, const SInkWriting& piece);

    QVector<SInkWriting> m_pieces;
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    double m_dFactor = 1.0;
    double m_dZoom = 1.0;
    QString m_strError;
};
