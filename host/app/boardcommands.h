// What the command line does with board files without a window: saves the board a replay wrote,
// and opens a board to tell what its text boxes say, one line per box (as JSON with --json), and
// to draw its current page as a PNG.
#pragma once

#include "boardfile.h"

#include <QString>

class QTextStream;

class CBoardCommands
{
public:
    // The whole board the host holds; false with pstrError naming the file and the reason.
    static bool save(const QString& strPath, QString* pstrError);
    // Reads and checks a board file before anything is set up; false with pstrError naming the file.
    static bool read(const QString& strPath, CBoardFile::SBoard* pBoard, QString* pstrError);
    // Puts the board read before in place of the host's, writes a line for each text box on each page
    // and, unless strPng is empty, draws the current page there. False with pstrError when the
    // picture could not be written.
    static bool report(const CBoardFile::SBoard& board, bool bJson, const QString& strPng, QTextStream& out,
                       QString* pstrError);
};
