#include "recognizermanager.h"

#include "pentool.h"
#include "recognizer.h"

#include <algorithm>

CRecognizerManager::CRecognizerManager(QObject* pParent) : QObject(pParent)
{
    CPenTool::setWritingObserver(this);
}

CRecognizerManager::~CRecognizerManager()
{
    if (CPenTool::writingObserver() == this)
        CPenTool::setWritingObserver(nullptr);
}

void CRecognizerManager::writingPaused(const QVector<QVector<QPointF>>& strokes)
{
    if (m_pActive)
        m_pActive->readAhead(strokes);
}

void CRecognizerManager::writingGoesOn()
{
    if (m_pActive)
        m_pActive->dropReadAhead();
}

bool CRecognizerManager::registerRecognizer(const boost::shared_ptr<CRecognizer>& pRecognizer)
{
    if (!pRecognizer || getRecognizer(pRecognizer->getName()))
        return false;
    m_recognizers.push_back(pRecognizer);
    return true;
}

void CRecognizerManager::setActiveRecognizer(const QString& strName)
{
    CRecognizer* pRecognizer = strName.isEmpty() ? nullptr : getRecognizer(strName);
    if (pRecognizer == m_pActive)
        return;
    if (m_pActive)
        m_pActive->dropReadAhead();
    m_pActive = pRecognizer;
    emit signalActiveRecognizerChanged(m_pActive ? m_pActive->getName() : QString());
}

CRecognizer* CRecognizerManager::getRecognizer(const QString& strName) const
{
    const auto it = std::find_if(m_recognizers.begin(), m_recognizers.end(),
                                 [&strName](const boost::shared_ptr<CRecognizer>& pRecognizer) {
                                     return pRecognizer->getName() == strName;
                                 });
    return it == m_recognizers.end() ? nullptr : it->get();
}

QStringList CRecognizerManager::getRecognizerNames() const
{
    QStringList names;
    for (const boost::shared_ptr<CRecognizer>& pRecognizer : m_recognizers)
        names.append(pRecognizer->getName());
    return names;
}
