// The base of every property editor: the property names it edits, the translation context and label
// of its display name, and the editor context it was initialised for. Registered editors are
// prototypes; surfaces get initialised clones from the property editor manager.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <boost/shared_ptr.hpp>

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

    CAbstractPropertyEditor(const QStringList& properties, const QString& strTranslationContext,
                            const QString& strLabel);
    ~CAbstractPropertyEditor() override;

    QString property() const;
    QStringList properties() const { return m_properties; }
    QString translationContext() const { return m_strTranslationContext; }
    QString untranslatedPropertyName() const { return m_strLabel; }
    QString localisedPropertyName() const;

    void initialise(CPropertyEditorManager* pManager, EEditorContext eContext);
    EEditorContext context() const { return m_eContext; }
    CPropertyEditorManager* manager() const { return m_pManager; }
    bool isInitialised() const { return m_bInitialised; }

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
    QStringList m_properties;
    QString m_strTranslationContext;
    QString m_strLabel;
    CPropertyEditorManager* m_pManager = nullptr;
    EEditorContext m_eContext = eNoContext;
    bool m_bInitialised = false;
};
