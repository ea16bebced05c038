// The "Show alternatives" option ("showcandidates"): whether the recognizer's other readings are
// offered after a piece of writing became text. An editor that shows the option as a check box
// carrying its own text, laid out in the direction of the language in use when it was made, and hands
// a click back to the host; and the widget that holds the check box.
#pragma once

#include "abstractpropertyeditor.h"
#include "propertyeditorwidget.h"

class CShowCandidatesPropertyEditorWidget;
class QCheckBox;

class CShowCandidatesPropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    CShowCandidatesPropertyEditor(const QString& strProperty, const QString& strTranslationContext,
                                  const QString& strLabel);
    ~CShowCandidatesPropertyEditor() override;

    void detatch() override;
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override;
    QWidget* widget() override;
    void setValue(const QString& strName, const QVariant& value) override;

protected:
    void derivedInitialise() override;

private:
    CShowCandidatesPropertyEditorWidget* m_pWidget;
};

class CShowCandidatesPropertyEditorWidget : public CPropertyEditorWidget
{
    Q_OBJECT

public:
    CShowCandidatesPropertyEditorWidget(CShowCandidatesPropertyEditor* pEditor, QWidget* pParent);
    ~CShowCandidatesPropertyEditorWidget() override;

    // Qt::PartiallyChecked stands for "no single value".
    void setCheckboxState(Qt::CheckState eState);
    void setGroupLabel(const QString& strLabel);
    void setLanguageChanged(bool bIsRightToLeft);

private slots:
    void slotCheckboxChanged(int iNewStatus);
    void slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft);

private:
    CShowCandidatesPropertyEditor* m_pEditor;
    QCheckBox* m_pCheckBox;
};
