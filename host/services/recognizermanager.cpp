#include "recognizermanager.h"

#include "recognizer.h"

#include <algorithm>

CRecognizerManager::CRecognizerManager(QObject* pParent) : QObject(pParent)
{
}

CRecognizerManager::~CRecognizerManager() = default;

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
