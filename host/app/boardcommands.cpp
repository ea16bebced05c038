#include "boardcommands.h"

#include "component.h"
#include "inkreplay.h"
#include "orrery.h"
#include "orreryview.h"
#include "topic.h"
#include "workspace.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

// The reader's reasons may or may not name the file; a user running a script must see which one.
QString namingFile(const QString& strPath, const QString& strReason)
{
    return strReason.contains(strPath) ? strReason : QStringLiteral("%1: %2").arg(strPath, strReason);
}

// A text box as the replay reports the box a piece of writing became, with its text and its page.
QJsonObject describe(const CComponent& box, int iPage)
{
    const QPointF position = box.getPropertyValue(QStringLiteral("position")).toPointF();
    QJsonObject object;
    object.insert(QStringLiteral("page"), iPage);
    object.insert(QStringLiteral("text"), box.getPropertyValue(QStringLiteral("string")).toString());
    object.insert(QStringLiteral("id"), box.getID());
    object.insert(QStringLiteral("position"), QJsonArray{position.x(), position.y()});
    object.insert(QStringLiteral("fontSize"), box.getPropertyValue(QStringLiteral("fontsize")).toDouble());
    return object;
}

QString describeAsText(const QJsonObject& box)
{
    const QJsonArray position = box.value(QStringLiteral("position")).toArray();
    return QStringLiteral("page %1: \"%2\" box %3 at (%4, %5), %6 pt")
        .arg(box.value(QStringLiteral("page")).toInt())
        .arg(box.value(QStringLiteral("text")).toString())
        .arg(box.value(QStringLiteral("id")).toVariant().toLongLong())
        .arg(position.at(0).toDouble(), 0, 'f', 0)
        .arg(position.at(1).toDouble(), 0, 'f', 0)
        .arg(box.value(QStringLiteral("fontSize")).toDouble(), 0, 'f', 1);
}

} // namespace

bool CBoardCommands::save(const QString& strPath, QString* pstrError)
{
    QString strReason;
    if (CBoardFile::save(*COrrery::getWorkspace(), strPath, &strReason))
        return true;
    if (pstrError)
        *pstrError = namingFile(strPath, strReason);
    return false;
}

bool CBoardCommands::read(const QString& strPath, CBoardFile::SBoard* pBoard, QString* pstrError)
{
    QString strReason;
    if (CBoardFile::read(strPath, pBoard, &strReason))
        return true;
    if (pstrError)
        *pstrError = namingFile(strPath, strReason);
    return false;
}

bool CBoardCommands::report(const CBoardFile::SBoard& board, bool bJson, const QString& strPng,
                            QTextStream& out, QString* pstrError)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    pWorkspace->replaceTopics(CBoardFile::build(board));
    for (int iPage = 0; iPage < pWorkspace->topicCount(); ++iPage)
        for (const CComponent* pComponent : pWorkspace->topicAt(iPage)->components()) {
            if (pComponent->getType() != QLatin1String("text"))
                continue;
            const QJsonObject box = describe(*pComponent, iPage + 1);
            out << (bJson ? QString::fromUtf8(QJsonDocument(box).toJson(QJsonDocument::Compact))
                          : describeAsText(box))
                << '\n';
        }
    out.flush();
    if (strPng.isEmpty())
        return true;
    COrreryView view;
    view.showTopic(pWorkspace->getCurrentTopic());
    return CInkReplay::saveBoard(&view, strPng, pstrError);
}
