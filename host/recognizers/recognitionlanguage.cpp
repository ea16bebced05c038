#include "recognitionlanguage.h"

#include "wordlist.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString c_strLatin = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// The sizes of the grades of the system's graded English lists, up to where words turn rare.
QVector<QPair<int, QStringList>> englishGrades()
{
    const QString strDirectory = QStringLiteral("/usr/share/dict/scowl/");
    const QStringList spellings{QStringLiteral("english"), QStringLiteral("american"),
                                QStringLiteral("british")};
    const QStringList kinds{QStringLiteral("words"), QStringLiteral("upper"), QStringLiteral("proper-names"),
                            QStringLiteral("contractions")};
    QVector<QPair<int, QStringList>> grades;
    for (int iSize : {10, 20, 35, 40, 50, 55, 60, 70}) {
        QStringList files;
        for (const QString& strSpelling : spellings)
            for (const QString& strKind : kinds)
                files.append(strDirectory + QStringLiteral("%1-%2.%3").arg(strSpelling, strKind).arg(iSize));
        grades.append(qMakePair(iSize, files));
    }
    return grades;
}

QVector<SRecognitionLanguage> makeTable()
{
    const QString strDict = QStringLiteral("/usr/share/dict/");
    const QString strHunspell = QStringLiteral("/usr/share/hunspell/");
    QVector<SRecognitionLanguage> table;
    table.append({QStringLiteral("en"),
                  QStringLiteral("eng"),
                  QStringLiteral("English"),
                  {strDict + QStringLiteral("american-english"), strDict + QStringLiteral("british-english")},
                  c_strLatin,
                  false,
                  englishGrades()});
    table.append({QStringLiteral("de"),
                  QStringLiteral("deu"),
                  QStringLiteral("Deutsch"),
                  {strDict + QStringLiteral("ngerman")},
                  c_strLatin + QStringLiteral("ÄÖÜäöüß"),
                  false,
                  {}});
    table.append({QStringLiteral("fr"),
                  QStringLiteral("fra"),
                  QStringLiteral("Français"),
                  {strDict + QStringLiteral("french")},
                  c_strLatin + QStringLiteral("ÀÂÆÇÉÈÊËÎÏÔŒÙÛÜŸàâæçéèêëîïôœùûüÿ"),
                  false,
                  {}});
    table.append({QStringLiteral("he"),
                  QStringLiteral("heb"),
                  QStringLiteral("עברית"),
                  {strHunspell + QStringLiteral("he_IL.dic")},
                  QString(),
                  true,
                  {}});
    table.append({QStringLiteral("ar"),
                  QStringLiteral("ara"),
                  QStringLiteral("العربية"),
                  {strHunspell + QStringLiteral("ar.dic")},
                  QString(),
                  true,
                  {}});
    return table;
}

} // namespace

const QVector<SRecognitionLanguage>& CRecognitionLanguages::all()
{
    static const QVector<SRecognitionLanguage> s_table = makeTable();
    return s_table;
}

const SRecognitionLanguage* CRecognitionLanguages::find(const QString& strCode)
{
    for (const SRecognitionLanguage& language : all())
        if (language.strCode == strCode)
            return &language;
    return nullptr;
}

const SRecognitionLanguage& CRecognitionLanguages::fallback()
{
    return all().first();
}

QString CRecognitionLanguages::dataDirectory()
{
    const QString strPrefix = qEnvironmentVariable("TESSDATA_PREFIX");
    if (!strPrefix.isEmpty())
        return strPrefix;
    return QStringLiteral("/usr/share/tesseract-ocr/5/tessdata");
}

bool CRecognitionLanguages::isInstalled(const SRecognitionLanguage& language)
{
    return QFileInfo(QDir(dataDirectory()).filePath(language.strEngineCode + QStringLiteral(".traineddata")))
        .isFile();
}

void CRecognitionLanguages::loadWords(const SRecognitionLanguage& language, CWordList& words,
                                      const std::atomic<bool>& bAbandoned)
{
    for (const QString& strPath : language.wordLists)
        if (!bAbandoned)
            words.load(strPath);
    for (const auto& grade : language.gradedWordLists)
        for (const QString& strPath : grade.second)
            if (!bAbandoned)
                words.load(strPath, grade.first);
}
