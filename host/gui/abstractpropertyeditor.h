// The base of every property editor: the property names it edits, the translation context and label
// of its display name, and the editor context it was initialised for. Registered editors are
// prototypes; surfaces get initialised clones from the property editor manager. The base reads the
// values to show and applies the user's changes: to the active tool, and in the selection context to
// the selected components as well.
#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <boost/shared_ptr.hpp>

class CComponent;
class CPropertyEditorManager;
class QWidget;

class CAbstractPropertyEditor : public QObject
{
    Q_OBJECT

public:
    // Bit flags: 1 the tool's own properties, 2 a properties browser, 4 the compact context bar,
    // 8 the current selection.
    enum EEditorContext
    {
        eNoContext = 0,
        eToolContext = 1,
        eBrowserContext = 2,
        eContextbarContext = 4,
        eSelectionContext = 8
    };

    // What else follows a change besides the property itself.
    enum EUpdatePolicy
    {
        eUpdatePropertyOnly = 0,
        // The host's colour actions show the new colours of the active tool at once.
        eUpdateColourActions = 1
    };

    // How changes of selected components are kept for undo.
    enum EValueUpdatePolicy
    {
        eValueOwnStep = 0,
        // A change right after one of the same property of the same component folds into it, so
        // that a control dragged through many values is undone in one step.
        eValueMergeWithPrevious = 1
    };

    CAbstractPropertyEditor(const QStringList& properties, const QString& strTranslationContext,
                            const QString& strLabel);
    ~CAbstractPropertyEditor() override;

    QString property() const;
    QStringList properties() const { return m_properties; }
    QString translationContext() const { return m_strTranslationContext; }
    QString untranslatedPropertyName() const { return m_strLabel; }
    QString localisedPropertyName() const;

    // Makes the editor ready for eContext; from then on the editor and its widget hear of changes of the
    // interface language through their slotLanguageChanged(QString,bool), where they have one.
    void initialise(CPropertyEditorManager* pManager, EEditorContext eContext);
    EEditorContext context() const { return m_eContext; }
    CPropertyEditorManager* manager() const { return m_pManager; }

    // The value to show for strName: the active tool's, or in the selection context with something
    // selected, the one value all selected components share (invalid when they differ).
    QVariant getPropertyValue(const QString& strName) const;
    // False when there is nothing the editor could change: no active tool, or in the selection
    // context, only locked components selected.
    bool determineEnabledStatusFromComponents() const;

    // Apply to property(), to strName, or to several properties at once. The values go to the active
    // tool through the tool manager and are saved; in the selection context, also to every selected
    // component that is not locked, by update commands that form one undo step. False when nothing
    // took the values.
    bool applyPropertyValue(const QVariant& value, EUpdatePolicy ePolicy = eUpdatePropertyOnly,
                            EValueUpdatePolicy eValuePolicy = eValueOwnStep);
    bool applyPropertyValue(const QString& strName, const QVariant& value,
                            EUpdatePolicy ePolicy = eUpdatePropertyOnly,
                            EValueUpdatePolicy eValuePolicy = eValueOwnStep);
    bool applyPropertyValues(const QVector<QPair<QString, QVariant>>& values,
                             EUpdatePolicy ePolicy = eUpdatePropertyOnly,
                             EValueUpdatePolicy eValuePolicy = eValueOwnStep);

    virtual void detatch();
    virtual QStringList relatedProperties();
    virtual boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                             EEditorContext eContext) = 0;
    virtual QWidget* widget() = 0;
    virtual QString getLabel();
    virtual void setValue(const QString& strName, const QVariant& value) = 0;

protected:
    virtual void derivedInitialise() = 0;

private:
    // The selected components when the editor works on the selection; empty when it works on the tool.
    QList<CComponent*> componentsToEdit() const;
    bool apply(const QString& strVariant, const QVector<QPair<QString, QVariant>>& values,
               EUpdatePolicy ePolicy, EValueUpdatePolicy eValuePolicy);

    QStringList m_properties;
    QString m_strTranslationContext;
    QString m_strLabel;
    CPropertyEditorManager* m_pManager = nullptr;
    EEditorContext m_eContext = eNoContext;
};
