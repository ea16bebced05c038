#include "toolpropertiesdock.h"

#include "orrery.h"
#include "toolpropertiescontainer.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>

CToolPropertiesDock::CToolPropertiesDock(QWidget* pParent) : QDockWidget(tr("Tool Properties"), pParent)
{
    // Named, so that the window can put the dock back where the user left it.
    setObjectName(QStringLiteral("toolproperties"));
    // A page taller than the window scrolls instead of stretching the window; one wider than the dock
    // widens the dock, which the user may narrow again.
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

bool CToolPropertiesDock::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pContainer && pEvent->type() == QEvent::LayoutRequest)
        fitWidth();
    return QDockWidget::eventFilter(pWatched, pEvent);
}

void CToolPropertiesDock::fitWidth()
{
    // Room for the page's widest row and a scroll bar beside it, so that nothing is cut off at the side.
    const int iPage = qMax(m_pContainer->minimumWidth(), m_pContainer->minimumSizeHint().width());
    m_pScrollArea->setMinimumWidth(iPage + m_pScrollArea->verticalScrollBar()->sizeHint().width());
}
