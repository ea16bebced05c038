// The "Overwrite text" option ("overwritetextbox"): whether writing over an unlocked text box replaces
// its text. An editor that shows the option as a check box with a label beside it, follows the user
// interface language, and hands a click back to the host; and the widget that holds the check box.
#pragma once

#include "abstractpropertyeditor.h"
#include "propertyeditorwidget.h"

class COverWriteTextBoxPropertyEditorWidget;
class QCheckBox;
class QLabel;

class COverWriteTextBoxPropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    COverWriteTextBoxPropertyEditor(const QString& strProperty, const QString& strTranslationContext,
                                    const QString& strLabel);
    ~COverWriteTextBoxPropertyEditor() override;

    void detatch() override;
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override;
    QWidget* widget() override;
    void setValue(const QString& strName, const QVariant& value) override;

protected:
    void derivedInitialise() override;

private slots:
    void slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft);

private:
    COverWriteTextBoxPropertyEditorWidget* m_pWidget;
};

class COverWriteTextBoxPropertyEditorWidget : public CPropertyEditorWidget
{
    Q_OBJECT

public:
    COverWriteTextBoxPropertyEditorWidget(COverWriteTextBoxPropertyEditor* pEditor, QWidget* pParent);
    ~COverWriteTextBoxPropertyEditorWidget() override;

    // Qt::PartiallyChecked stands for "no single value".
    void setCheckboxState(Qt::CheckState eState);
    void setGroupLabel(const QString& strLabel);
    void setLanguageChanged(bool bIsRightToLeft);

private slots:
    void slotCheckboxChanged(int iNewStatus);
    void slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft);

private:
    COverWriteTextBoxPropertyEditor* m_pEditor;
    QLabel* m_pLabel;
    QCheckBox* m_pCheckBox;
};
