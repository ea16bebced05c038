// The recognizers the host has, and the one in use; there may be none in use.
#pragma once

#include "writingobserver.h"

#include <QObject>
#include <QStringList>
#include <boost/shared_ptr.hpp>
#include <vector>

class CRecognizer;

class CRecognizerManager : public QObject, public IWritingObserver
{
    Q_OBJECT

public:
    explicit CRecognizerManager(QObject* pParent = nullptr);
    ~CRecognizerManager() override;

    // Refuses a null recognizer and a name already registered.
    bool registerRecognizer(const boost::shared_ptr<CRecognizer>& pRecognizer);
    // An empty or unknown name leaves no recognizer active.
    void setActiveRecognizer(const QString& strName);
    CRecognizer* getActiveRecognizer() const { return m_pActive; }
    CRecognizer* getRecognizer(const QString& strName) const;
    QStringList getRecognizerNames() const;

    // The pen tools' writing, handed to the active recognizer to read ahead.
    void writingPaused(const QVector<QVector<QPointF>>& strokes) override;
    void writingGoesOn() override;

signals:
    void signalActiveRecognizerChanged(const QString& strName);

private:
    std::vector<boost::shared_ptr<CRecognizer>> m_recognizers;
    CRecognizer* m_pActive = nullptr;
};
