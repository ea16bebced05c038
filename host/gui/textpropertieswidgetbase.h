// The base of the widgets that show text settings. While a text box is being edited, the host tells
// such widgets where the cursor is, which character format it sits in and whether text is selected,
// so that they can show the formatting under the cursor; widgets that show the tool's settings only
// keep the base's answers, which leave them as they are.
#pragma once

#include <QWidget>

class QTextCharFormat;
class QTextCursor;

class CTextPropertiesWidgetBase : public QWidget
{
    Q_OBJECT

public:
    explicit CTextPropertiesWidgetBase(QWidget* pParent = nullptr);
    ~CTextPropertiesWidgetBase() override;

    virtual void cursorPositionChanged(const QTextCursor& cursor);
    virtual void textCharFormatChanged(const QTextCharFormat& format);
    virtual void selectionChanged(bool bHasSelection);
};
