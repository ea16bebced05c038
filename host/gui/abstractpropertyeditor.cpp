#include "abstractpropertyeditor.h"

#include <QCoreApplication>

CAbstractPropertyEditor::CAbstractPropertyEditor(const QStringList& properties,
                                                 const QString& strTranslationContext,
                                                 const QString& strLabel)
    : m_properties(properties), m_strTranslationContext(strTranslationContext), m_strLabel(strLabel)
{
}

CAbstractPropertyEditor::~CAbstractPropertyEditor() = default;

QString CAbstractPropertyEditor::property() const
{
    return m_properties.value(0);
}

QString CAbstractPropertyEditor::localisedPropertyName() const
{
    return QCoreApplication::translate(m_strTranslationContext.toUtf8().constData(),
                                       m_strLabel.toUtf8().constData());
}

void CAbstractPropertyEditor::initialise(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    m_pManager = pManager;
    m_eContext = eContext;
    m_bInitialised = true;
    derivedInitialise();
}

void CAbstractPropertyEditor::detatch()
{
    setParent(nullptr);
}

QStringList CAbstractPropertyEditor::relatedProperties()
{
    return QStringList();
}

QString CAbstractPropertyEditor::getLabel()
{
    return localisedPropertyName();
}
