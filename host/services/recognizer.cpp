#include "recognizer.h"

CRecognizer::~CRecognizer() = default;

QString CRecognizer::getDisplayName() const
{
    return getName();
}
