#include "boardfile.h"

#include "topic.h"
#include "workspace.h"

const int CBoardFile::c_iVersion = 1;
const char* const CBoardFile::c_szSuffix = "board";

CBoardFile::SBoard CBoardFile::snapshot(const CWorkspace& workspace, bool bDrawPages)
{
    Q_UNUSED(workspace);
    Q_UNUSED(bDrawPages);
    return SBoard();
}

bool CBoardFile::write(const SBoard& board, const QString& strPath, QString* pstrError)
{
    Q_UNUSED(board);
    Q_UNUSED(strPath);
    if (pstrError)
        *pstrError = QStringLiteral("saving is not available yet");
    return false;
}

QByteArray CBoardFile::encode(const SBoard& board)
{
    Q_UNUSED(board);
    return QByteArray();
}

bool CBoardFile::read(const QString& strPath, SBoard* pBoard, QString* pstrError)
{
    Q_UNUSED(strPath);
    return decode(QByteArray(), pBoard, pstrError);
}

bool CBoardFile::decode(const QByteArray& data, SBoard* pBoard, QString* pstrError)
{
    Q_UNUSED(data);
    Q_UNUSED(pBoard);
    if (pstrError)
        *pstrError = QStringLiteral("opening is not available yet");
    return false;
}

std::vector<std::unique_ptr<CTopic>> CBoardFile::build(const SBoard& board)
{
    Q_UNUSED(board);
    return {};
}

bool CBoardFile::save(const CWorkspace& workspace, const QString& strPath, QString* pstrError)
{
    return write(snapshot(workspace), strPath, pstrError);
}

bool CBoardFile::open(const QString& strPath, CWorkspace* pWorkspace, QString* pstrError)
{
    SBoard board;
    if (!pWorkspace || !read(strPath, &board, pstrError))
        return false;
    pWorkspace->replaceTopics(build(board));
    return true;
}
