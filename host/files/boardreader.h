// Decodes a board file into the board it describes, defensively: every size, count and nesting is
// bounded before anything is allocated for it, and a file that is not a whole board of a version this
// build reads is refused with a short reason a user can read. Runs on any thread.
#pragma once

#include "boardfile.h"

class CBoardReader
{
public:
    // The file's size is checked before it is read.
    static bool read(const QString& strPath, CBoardFile::SBoard* pBoard, QString* pstrError);
    static bool decode(const QByteArray& data, CBoardFile::SBoard* pBoard, QString* pstrError);
};
