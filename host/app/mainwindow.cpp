#include "mainwindow.h"

#include "action.h"
#include "actionmanager.h"
#include "orrery.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <boost/make_shared.hpp>

namespace {

// A red dot with a soft rim, the pointer that the laser pen shows on the board.
QCursor laserCursor()
{
    QPixmap pixmap(15, 15);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0, 90));
    painter.drawEllipse(QRectF(0.5, 0.5, 14, 14));
    painter.setBrush(QColor(230, 0, 0));
    painter.drawEllipse(QRectF(4, 4, 7, 7));
    return QCursor(pixmap);
}

} // namespace

CMainWindow::CMainWindow(QWidget* pParent) : QMainWindow(pParent)
{
    setWindowTitle(tr("Whiteboard"));
    resize(1200, 800);

    m_pScene = new QGraphicsScene(QRectF(0, 0, 1920, 1080), this);
    m_pScene->setBackgroundBrush(Qt::white);
    m_pBoard = new QGraphicsView(m_pScene, this);
    m_pBoard->setRenderHint(QPainter::Antialiasing);
    setCentralWidget(m_pBoard);

    QMenu* pFileMenu = menuBar()->addMenu(tr("&File"));
    pFileMenu->addAction(tr("&Quit"), qApp, &QApplication::closeAllWindows, QKeySequence::Quit);

    m_pToolsMenu = menuBar()->addMenu(tr("&Tools"));
    COrrery::setMenu(m_pToolsMenu);

    auto pLaserPen = boost::make_shared<CAction>(QStringLiteral("tool.laserpen"), QIcon());
    pLaserPen->setText(tr("Laser Pen"));
    pLaserPen->setCheckable(true);
    connect(pLaserPen.get(), &QAction::toggled, this, [this](bool bOn) {
        m_pBoard->viewport()->setCursor(bOn ? laserCursor() : QCursor(Qt::ArrowCursor));
    });
    if (CActionManager* pActionManager = COrrery::getActionManager())
        if (pActionManager->registerAction(pLaserPen) == CActionManager::eRegistered)
            m_pToolsMenu->addAction(pLaserPen.get());

    m_pPluginsMenu = menuBar()->addMenu(tr("&Plug-ins"));
    statusBar()->showMessage(tr("Ready"));
}

CMainWindow::~CMainWindow()
{
    COrrery::setMenu(nullptr);
}

void CMainWindow::addPluginReport(const QString& strLine, bool bLoaded)
{
    QAction* pEntry = m_pPluginsMenu->addAction(strLine);
    pEntry->setEnabled(bLoaded);
    statusBar()->showMessage(strLine, 10000);
}
