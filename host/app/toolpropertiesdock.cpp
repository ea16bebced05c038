#include "toolpropertiesdock.h"

#include "orrery.h"
#include "propertyeditormanager.h"
#include "toolmanager.h"
#include "toolpropertiescontainer.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>

CToolPropertiesDock::CToolPropertiesDock(QWidget* pParent) : QDockWidget(tr("Tool Properties"), pParent)
{
    // Named, so that the window can put the dock back where the user left it.
    setObjectName(QStringLiteral("toolproperties"));
    // A page taller than the window scrolls instead of stretching the window. The dock is as wide as the
    // widest page, whichever is shown, so that the board beside it does not shift at each tool change;
    // the user may still widen it.
    m_pScrollArea = new QScrollArea(this);
    m_pScrollArea->setWidgetResizable(true);
    m_pScrollArea->setFrameShape(QFrame::NoFrame);
    m_pScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pContainer = new CToolPropertiesContainer(COrrery::getToolManager(), m_pScrollArea);
    // The dock keeps its width while a tool without settings leaves it empty.
    m_pContainer->setMinimumWidth(220);
    m_pContainer->installEventFilter(this);
    m_pScrollArea->setWidget(m_pContainer);
    setWidget(m_pScrollArea);
    fitWidth();
}

CToolPropertiesDock::~CToolPropertiesDock() = default;

void CToolPropertiesDock::changeEvent(QEvent* pEvent)
{
    // Another language gives the pages other widths: the widest is measured afresh.
    if (pEvent->type() == QEvent::LanguageChange) {
        m_measured.clear();
        m_iWidestPage = 0;
        fitWidth();
    }
    QDockWidget::changeEvent(pEvent);
}

bool CToolPropertiesDock::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pContainer && pEvent->type() == QEvent::LayoutRequest)
        fitWidth();
    return QDockWidget::eventFilter(pWatched, pEvent);
}

void CToolPropertiesDock::fitWidth()
{
    // Tools and editors come with plug-ins after the dock exists: the pages are measured again when
    // either changes.
    CToolManager* pTools = COrrery::getToolManager();
    CPropertyEditorManager* pEditors = COrrery::getPropertyEditorManager();
    QStringList measured = pTools ? pTools->getToolNames() : QStringList();
    measured.append(QString::number(pEditors ? pEditors->prototypes().size() : 0));
    if (measured != m_measured) {
        m_measured = measured;
        m_iWidestPage = m_pContainer->widestPageWidth();
    }
    // A page may grow with its settings: the widest it has been counts too.
    m_iWidestPage = qMax(m_iWidestPage, m_pContainer->minimumSizeHint().width());
    // Room for the widest row and a scroll bar beside it, so that nothing is cut off at the side.
    const int iPage = qMax(m_pContainer->minimumWidth(), m_iWidestPage);
    m_pScrollArea->setMinimumWidth(iPage + m_pScrollArea->verticalScrollBar()->sizeHint().width());
}
