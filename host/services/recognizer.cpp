#include "recognizer.h"

CRecognizer::~CRecognizer() = default;

QString CRecognizer::getDisplayName() const
{
    return getName();
}

void CRecognizer::readAhead(const QVector<QVector<QPointF>>&)
{
}

void CRecognizer::dropReadAhead()
{
}
