#include "boardfile.h"

#include "boardreader.h"
#include "boardwriter.h"
#include "component.h"
#include "pagesvgwriter.h"
#include "topic.h"
#include "workspace.h"

#include <QLoggingCategory>
#include <QPixmap>
#include <QSaveFile>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>

Q_LOGGING_CATEGORY(lcBoardFile, "whiteboard.boardfile")

const int CBoardFile::c_iVersion = 1;
const char* const CBoardFile::c_szSuffix = "board";

CBoardFile::SBoard CBoardFile::snapshot(const CWorkspace& workspace, bool bDrawPages)
{
    SBoard board;
    board.iCurrentPage = qMax(0, workspace.indexOf(workspace.getCurrentTopic()));
    board.pages.reserve(workspace.topicCount());
    for (int iPage = 0; iPage < workspace.topicCount(); ++iPage) {
        CTopic* pTopic = workspace.topicAt(iPage);
        SPage page;
        const QList<CComponent*> components = pTopic->components();
        page.components.reserve(components.size());
        for (const CComponent* pComponent : components) {
            SComponent component;
            component.strType = pComponent->getType();
            const QStringList names = pComponent->getPropertyNames();
            component.properties.reserve(names.size());
            for (const QString& strName : names) {
                QVariant value = pComponent->getPropertyValue(strName);
                // A pixmap lives on the GUI thread only; the copy may be encoded on another.
                if (value.userType() == QMetaType::QPixmap)
                    value = value.value<QPixmap>().toImage();
                component.properties.append({strName, value});
            }
            page.components.append(component);
        }
        board.pages.append(page);
    }
    if (bDrawPages) {
        const QHash<qint64, QString> pictureNames = CBoardWriter::pictureNames(board);
        // Each page on its own: every other one on a second core.
        const auto draw = [&board, &pictureNames](int iFirst) {
            for (int i = iFirst; i < board.pages.size(); i += 2)
                board.pages[i].svg = CPageSvgWriter::write(board.pages.at(i), pictureNames);
        };
        std::future<void> odd = std::async(std::launch::async, draw, 1);
        draw(0);
        odd.get();
    }
    return board;
}

bool CBoardFile::write(const SBoard& board, const QString& strPath, QString* pstrError)
{
    QString strError;
    const QByteArray bytes = CBoardWriter::encode(board, &strError);
    if (!bytes.isEmpty()) {
        // The old file is replaced only once the new one is complete on disk; the buffer is flushed and
        // checked here, so that a full disk shows before the commit rather than inside it.
        QSaveFile file(strPath);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
            file.commit())
            return true;
        strError = file.errorString();
    }
    if (pstrError)
        *pstrError = strError;
    return false;
}

QByteArray CBoardFile::encode(const SBoard& board)
{
    return CBoardWriter::encode(board);
}

bool CBoardFile::read(const QString& strPath, SBoard* pBoard, QString* pstrError)
{
    return CBoardReader::read(strPath, pBoard, pstrError);
}

bool CBoardFile::decode(const QByteArray& data, SBoard* pBoard, QString* pstrError)
{
    return CBoardReader::decode(data, pBoard, pstrError);
}

namespace {

std::unique_ptr<CTopic> buildPage(const CBoardFile::SPage& page)
{
    auto pTopic = std::make_unique<CTopic>();
    for (const CBoardFile::SComponent& component : page.components) {
        const boost::shared_ptr<CComponent> pComponent = CComponent::create(component.strType);
        if (!pComponent) {
            qCWarning(lcBoardFile) << "Skipped a component of the unknown type" << component.strType;
            continue;
        }
        pComponent->setPropertyValues(component.properties);
        if (!pTopic->addComponent(pComponent))
            qCWarning(lcBoardFile) << "Skipped a component of type" << component.strType
                                   << "the page refused";
    }
    return pTopic;
}

} // namespace

std::vector<std::unique_ptr<CTopic>> CBoardFile::build(const SBoard& board)
{
    std::vector<std::unique_ptr<CTopic>> topics;
    topics.reserve(size_t(board.pages.size()));
    for (const SPage& page : board.pages)
        topics.push_back(buildPage(page));
    return topics;
}

bool CBoardFile::save(const CWorkspace& workspace, const QString& strPath, QString* pstrError)
{
    return write(snapshot(workspace), strPath, pstrError);
}

bool CBoardFile::open(const QString& strPath, CWorkspace* pWorkspace, QString* pstrError)
{
    if (!pWorkspace)
        return false;
    // The file is read on another core while the pages read so far are made here; they are thrown
    // away if the rest of the file is refused.
    std::mutex mutex;
    std::condition_variable pageReady;
    std::deque<SPage> pages;
    bool bDone = false;
    SBoard board;
    QString strError;
    bool bRead = false;
    std::future<void> reading = std::async(std::launch::async, [&] {
        bRead = CBoardReader::read(strPath, &board, &strError, [&](const SPage& page) {
            const std::lock_guard<std::mutex> lock(mutex);
            pages.push_back(page);
            pageReady.notify_one();
        });
        const std::lock_guard<std::mutex> lock(mutex);
        bDone = true;
        pageReady.notify_one();
    });
    std::vector<std::unique_ptr<CTopic>> topics;
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex);
        pageReady.wait(lock, [&] { return bDone || !pages.empty(); });
        if (pages.empty())
            break;
        const SPage page = pages.front();
        pages.pop_front();
        lock.unlock();
        topics.push_back(buildPage(page));
    }
    reading.get();
    if (!bRead) {
        if (pstrError)
            *pstrError = strError;
        return false;
    }
    CTopic* pCurrent =
        board.iCurrentPage < int(topics.size()) ? topics[size_t(board.iCurrentPage)].get() : nullptr;
    pWorkspace->replaceTopics(std::move(topics));
    if (pCurrent)
        pWorkspace->setCurrentTopic(pCurrent);
    return true;
}
