// Decodes a board file into the board it describes, defensively: every size, count and nesting is
// bounded before anything is allocated for it, and a file that is not a whole board of a version this
// build reads is refused with a short reason a user can read. Runs on any thread.
#pragma once

#include "boardfile.h"

#include <functional>

class CBoardReader
{
public:
    // Called with each page as soon as it is read and checked, on the reading thread, so that the
    // pages can be made while the rest is read; the board may still be refused after.
    using FPageRead = std::function<void(const CBoardFile::SPage&)>;

    // The file's size is checked before it is read.
    static bool read(const QString& strPath, CBoardFile::SBoard* pBoard, QString* pstrError,
                     const FPageRead& pageRead = FPageRead());
    static bool decode(const QByteArray& data, CBoardFile::SBoard* pBoard, QString* pstrError,
                       const FPageRead& pageRead = FPageRead());
};
