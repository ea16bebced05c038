// The editor of the outline style of the text boxes the text pen makes ("textpen.linestyle"), and its
// widget around the host's line style box. The outline's pen decides which styles are offered; with no
// outline there is no style to show.
#pragma once

#include "abstractpropertyeditor.h"
#include "penutil.h"
#include "propertyeditorwidget.h"

#include <QList>

class CLineStyleWidget;
class CTextPenLineStylePropertyEditorWidget;
class QLabel;

class CTextPenLineStylePropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    CTextPenLineStylePropertyEditor(const QString& strProperty, const QString& strTranslationContext,
                                    const QString& strLabel);
    ~CTextPenLineStylePropertyEditor() override;

    void detatch() override;
    QStringList relatedProperties() override;
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override;
    QWidget* widget() override;
    void setValue(const QString& strName, const QVariant& value) override;

protected:
    void derivedInitialise() override;

private slots:
    void slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft);

private:
    CTextPenLineStylePropertyEditorWidget* m_pWidget;
};

class CTextPenLineStylePropertyEditorWidget : public CPropertyEditorWidget
{
    Q_OBJECT

public:
    CTextPenLineStylePropertyEditorWidget(CTextPenLineStylePropertyEditor* pEditor, QWidget* pParent);
    ~CTextPenLineStylePropertyEditorWidget() override;

    void setGroupLabel(const QString& strLabel);
    void setCombo(const QVariant& style, const QList<PenUtil::ELineStyle>& offered);

private slots:
    void slotLineStyleChanged(PenUtil::ELineStyle eStyle);

private:
    CTextPenLineStylePropertyEditor* m_pEditor;
    CLineStyleWidget* m_pLineStyleWidget;
    QLabel* m_pLabel;
};
