#include "textpropertieswidgetbase.h"

CTextPropertiesWidgetBase::CTextPropertiesWidgetBase(QWidget* pParent) : QWidget(pParent)
{
}

CTextPropertiesWidgetBase::~CTextPropertiesWidgetBase() = default;

void CTextPropertiesWidgetBase::cursorPositionChanged(const QTextCursor&)
{
}

void CTextPropertiesWidgetBase::textCharFormatChanged(const QTextCharFormat&)
{
}

void CTextPropertiesWidgetBase::selectionChanged(bool)
{
}
