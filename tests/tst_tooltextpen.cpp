// The text pen as a tool: its properties with their rules and defaults, the exchange of text settings
// with the host's text tool, its cursors while writing and not, and taps.
#include "actionutilities.h"
#include "coloraction.h"
#include "component.h"
#include "controllayer.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "logsystem.h"
#include "mouseeventpoint.h"
#include "orrery.h"
#include "orreryview.h"
#include "penbase.h"
#include "recognizermanager.h"
#include "scribble.h"
#include "scriptedrecognizer.h"
#include "selectionmanager.h"
#include "serviceslayer.h"
#include "textcomponent.h"
#include "textpenplugin.h"
#include "texttool.h"
#include "toolmanager.h"
#include "tooltextpen.h"
#include "topic.h"
#include "workspace.h"

#include <QGraphicsPathItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <cmath>
#include <limits>

namespace {

const QString c_strTool = QStringLiteral("textpenplugin.handtext");

// A text box of the other type that may be overwritten but is not opened by a tap.
class COtherTextBox : public CTextComponent
{
public:
    QString getType() const override { return QStringLiteral("textpen.component.textbox"); }
};

QStringList textToolWrites()
{
    QStringList writes;
    for (const QString& strEntry :
         CHostJournal::entries(QStringLiteral("CToolManager::setToolProperty text ")))
        writes.append(strEntry.section(QLatin1Char(' '), 2, 2));
    return writes;
}

} // namespace

class tst_ToolTextPen : public QObject
{
    Q_OBJECT

private:
    CToolTextPen* m_pTool = nullptr;
    CTextTool* m_pTextTool = nullptr;
    QTemporaryDir m_dir;
    CTextPenPlugIn m_plugin;
    std::unique_ptr<COrreryView> m_pView;

    CToolManager& tools() { return *COrrery::getToolManager(); }

    void startHost(bool bWithTextTool)
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        CGUILayer::resetHost(options);
        m_pView = std::make_unique<COrreryView>();
        m_pView->resize(800, 600);
        COrrery::setView(m_pView.get());
        m_pView->showTopic(COrrery::getWorkspace()->getCurrentTopic());
        m_pTextTool = nullptr;
        if (bWithTextTool) {
            auto pTextTool = boost::make_shared<CTextTool>();
            m_pTextTool = pTextTool.get();
            QVERIFY(tools().registerTool(pTextTool));
        }
        QVERIFY(m_plugin.setUp());
        m_pTool = dynamic_cast<CToolTextPen*>(tools().getToolByName(c_strTool));
        QVERIFY(m_pTool);
    }

    QVariant property(const QString& strName) const { return m_pTool->getToolProperty(strName); }

private slots:
    void init()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("settings.ini")));
        startHost(true);
    }
    void cleanup()
    {
        m_pView.reset();
        CGUILayer::shutdownHost();
        CLogSystem::theRootInstance->setLevel("INFO");
    }

    void aNewToolWithoutTextToolHasTheDefaults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("font family") << "textpen.fontfamily" << QVariant(QStringLiteral("Arial"));
        QTest::newRow("font colour") << "textpen.fontcolor" << QVariant(QColor(Qt::black));
        QTest::newRow("bold") << "textpen.bold" << QVariant(false);
        QTest::newRow("italic") << "textpen.italic" << QVariant(false);
        QTest::newRow("underline") << "textpen.underline" << QVariant(false);
        QTest::newRow("overwrite") << "overwritetextbox" << QVariant(false);
        QTest::newRow("candidates") << "showcandidates" << QVariant(false);
        QTest::newRow("outline colour") << "textpen.linecolor" << QVariant(QStringLiteral("null;"));
        QTest::newRow("fill colour") << "textpen.fillcolor" << QVariant(QColor(255, 255, 255, 0));
        QTest::newRow("outline style") << "textpen.linestyle" << QVariant(1);
        QTest::newRow("outline width") << "textpen.linewidth" << QVariant(5.0);
        QTest::newRow("own pen colour") << "pencolor" << QVariant(QStringLiteral("null;"));
        QTest::newRow("own pen width") << "linewidth" << QVariant(3.0);
        QTest::newRow("own pen style") << "linestyle" << QVariant(1);
    }
    void aNewToolWithoutTextToolHasTheDefaults()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, expected);
        m_pView.reset();
        CGUILayer::shutdownHost();
        startHost(false);
        QCOMPARE(property(name), expected);
        QCOMPARE(property(name).userType(), expected.userType());
    }

    void theOwnPenIsFixed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("width") << "linewidth" << QVariant(10.0) << QVariant(3.0);
        QTest::newRow("style") << "linestyle" << QVariant(4) << QVariant(1);
        QTest::newRow("style as text") << "linestyle" << QVariant(QStringLiteral("dash")) << QVariant(1);
    }
    void theOwnPenIsFixed()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, written);
        QFETCH(QVariant, stored);
        QCOMPARE(m_pTool->setToolProperty(name, written), name);
        QCOMPARE(property(name), stored);
    }

    void theFontColourIsAlsoThePenColourAndThePrimaryColour()
    {
        const int iUpdates = CColorAction::updateCount();
        QCOMPARE(m_pTool->setToolProperty(QStringLiteral("textpen.fontcolor"), QColor(Qt::red)),
                 QStringLiteral("textpen.fontcolor"));
        const QString strRed = QStringLiteral("normal;") + CPenBase::encodeColor(QColor(Qt::red));
        QCOMPARE(property(QStringLiteral("textpen.fontcolor")), QVariant(QColor(Qt::red)));
        QCOMPARE(property(QStringLiteral("pencolor")).toString(), strRed);
        QCOMPARE(property(QStringLiteral("primarycolor")).toString(), strRed);
        QCOMPARE(CColorAction::updateCount(), iUpdates + 1);
    }

    void writingThePrimaryColourSetsTheFontColourWithoutPushing()
    {
        CHostJournal::clear();
        const QString strBlue = QStringLiteral("normal;") + CPenBase::encodeColor(QColor(Qt::blue));
        QCOMPARE(m_pTool->setToolProperty(QStringLiteral("primarycolor"), strBlue),
                 QStringLiteral("textpen.fontcolor"));
        QCOMPARE(property(QStringLiteral("textpen.fontcolor")), QVariant(QColor(Qt::blue)));
        QCOMPARE(property(QStringLiteral("pencolor")).toString(), strBlue);
        QCOMPARE(textToolWrites(), QStringList());
        QCOMPARE(m_pTextTool->getToolProperty(QStringLiteral("fontcolor")), QVariant(QColor(Qt::black)));
    }

    void aPrimaryColourThatMakesNoPenChangesNothing_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("no pen") << QVariant(QStringLiteral("null;"));
        QTest::newRow("no separator") << QVariant(QStringLiteral("#ff0000ff"));
        QTest::newRow("unknown type") << QVariant(QStringLiteral("crayon;#ff0000ff"));
        QTest::newRow("invalid variant") << QVariant();
    }
    void aPrimaryColourThatMakesNoPenChangesNothing()
    {
        QFETCH(QVariant, value);
        const int iUpdates = CColorAction::updateCount();
        const QVariant pen = property(QStringLiteral("pencolor"));
        QCOMPARE(m_pTool->setToolProperty(QStringLiteral("primarycolor"), value),
                 QStringLiteral("primarycolor"));
        QCOMPARE(property(QStringLiteral("textpen.fontcolor")), QVariant(QColor(Qt::black)));
        QCOMPARE(property(QStringLiteral("pencolor")), pen);
        QCOMPARE(CColorAction::updateCount(), iUpdates);
    }

    void aFontColourThatIsNoColourIsKeptAsGiven()
    {
        m_pTool->setToolProperty(QStringLiteral("textpen.fontcolor"), QStringLiteral("not a colour"));
        QCOMPARE(property(QStringLiteral("textpen.fontcolor")), QVariant(QStringLiteral("not a colour")));
        QCOMPARE(property(QStringLiteral("pencolor")).toString(),
                 QStringLiteral("normal;") + CPenBase::encodeColor(QColor()));
        // No colour to offer: the primary colour falls back to what is stored under its own name.
        QCOMPARE(property(QStringLiteral("primarycolor")), QVariant());
    }

    void theListedAndPersistentNamesAreFixed()
    {
        const QList<QString> listed = {
            QStringLiteral("textpen.fontfamily"), QStringLiteral("textpen.fontcolor"),
            QStringLiteral("textpen.bold"),       QStringLiteral("textpen.italic"),
            QStringLiteral("textpen.underline"),  QStringLiteral("overwritetextbox"),
            QStringLiteral("showcandidates"),     QStringLiteral("textpen.linecolor"),
            QStringLiteral("textpen.fillcolor"),  QStringLiteral("textpen.linestyle"),
            QStringLiteral("textpen.linewidth")};
        // The text tool's "alignment" arrived as "textpen.alignment" and is still not listed.
        QVERIFY(property(QStringLiteral("textpen.alignment")).isValid());
        QCOMPARE(m_pTool->getToolPropertyNames(), listed);
        QCOMPARE(m_pTool->getPersistentProperties(),
                 QList<QString>() << QStringLiteral("overwritetextbox") << QStringLiteral("showcandidates"));
    }

    void identity_data()
    {
        QTest::addColumn<QString>("penType");
        QTest::addColumn<bool>("usable");
        QTest::newRow("normal") << "normal" << true;
        QTest::newRow("Normal") << "Normal" << false;
        QTest::newRow("highlighter") << "highlighter" << false;
        QTest::newRow("empty") << "" << false;
    }
    void identity()
    {
        QFETCH(QString, penType);
        QFETCH(bool, usable);
        QCOMPARE(m_pTool->canUsePenType(penType), usable);
        QCOMPARE(m_pTool->getName(), c_strTool);
        QCOMPARE(m_pTool->getCategory(), QStringLiteral("text"));
        QCOMPARE(m_pTool->getIconImage(CTool::eIconLarge).size(), QSize(32, 32));
        QVERIFY(m_pTool->getIconImage(CTool::eIconSmall).isNull());
        QVERIFY(m_pTool->getIconImage(CTool::eIconMedium).isNull());
    }

    void constructionGivesTheTextToolTheTextPensDefaults()
    {
        m_pView.reset();
        CGUILayer::shutdownHost();
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        CGUILayer::resetHost(options);
        auto pTextTool = boost::make_shared<CTextTool>();
        pTextTool->setToolProperty(QStringLiteral("fontfamily"), QStringLiteral("Courier"));
        pTextTool->setToolProperty(QStringLiteral("alignment"), int(Qt::AlignHCenter));
        QVERIFY(tools().registerTool(pTextTool));
        QVERIFY(m_plugin.setUp());
        m_pTool = dynamic_cast<CToolTextPen*>(tools().getToolByName(c_strTool));

        QCOMPARE(pTextTool->getToolProperty(QStringLiteral("fontfamily")).toString(),
                 QStringLiteral("Arial"));
        QCOMPARE(property(QStringLiteral("textpen.fontfamily")).toString(), QStringLiteral("Arial"));
        QCOMPARE(property(QStringLiteral("textpen.alignment")), QVariant(int(Qt::AlignHCenter)));
        // The text tool's font colour came back, so the pen colour follows it.
        QCOMPARE(property(QStringLiteral("pencolor")).toString(),
                 QStringLiteral("normal;") + CPenBase::encodeColor(QColor(Qt::black)));
    }

    void activationTakesOverTheTextToolsSettings()
    {
        m_pTextTool->setToolProperty(QStringLiteral("fontfamily"), QStringLiteral("Liberation Serif"));
        m_pTextTool->setToolProperty(QStringLiteral("fontcolor"), QColor(Qt::darkGreen));
        m_pTextTool->setToolProperty(QStringLiteral("pencolor"), QStringLiteral("normal;#FF0000FF"));
        QSignalSpy activated(m_pTool, SIGNAL(siganlTextPenActivated()));

        QVERIFY(tools().activate(c_strTool));
        QCOMPARE(activated.count(), 1);
        QCOMPARE(property(QStringLiteral("textpen.fontfamily")).toString(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(property(QStringLiteral("textpen.linecolor")).toString(),
                 QStringLiteral("normal;#FF0000FF"));
        QCOMPARE(property(QStringLiteral("pencolor")).toString(),
                 QStringLiteral("normal;") + CPenBase::encodeColor(QColor(Qt::darkGreen)));
    }

    void deactivationHandsTheTextSettingsBack()
    {
        QVERIFY(tools().activate(c_strTool));
        m_pTool->CTool::setToolProperty(QStringLiteral("textpen.linecolor"),
                                        QStringLiteral("normal;#FF00FF00"));
        m_pTool->CTool::setToolProperty(QStringLiteral("textpen.fontfamily"),
                                        QStringLiteral("Liberation Mono"));
        m_pTool->CTool::setToolProperty(QStringLiteral("overwritetextbox"), true);
        CHostJournal::clear();

        tools().deactivate();
        QCOMPARE(textToolWrites(), QStringList() << "fontfamily"
                                                 << "fontcolor"
                                                 << "bold"
                                                 << "italic"
                                                 << "underline"
                                                 << "pencolor"
                                                 << "fillcolor"
                                                 << "linestyle"
                                                 << "linewidth");
        QCOMPARE(m_pTextTool->getToolProperty(QStringLiteral("pencolor")).toString(),
                 QStringLiteral("normal;#FF00FF00"));
        QCOMPARE(m_pTextTool->getToolProperty(QStringLiteral("fontfamily")).toString(),
                 QStringLiteral("Liberation Mono"));
        QVERIFY(!m_pTextTool->getToolProperty(QStringLiteral("overwritetextbox")).isValid());
    }

    void aTextSettingReachesTheTextToolAtOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("textToolName");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("family") << "textpen.fontfamily"
                                << "fontfamily" << QVariant(QStringLiteral("Liberation Sans"));
        QTest::newRow("bold") << "textpen.bold"
                              << "bold" << QVariant(true);
        QTest::newRow("outline colour") << "textpen.linecolor"
                                        << "pencolor" << QVariant(QStringLiteral("normal;#FF123456"));
        QTest::newRow("outline width") << "textpen.linewidth"
                                       << "linewidth" << QVariant(7.5);
        QTest::newRow("alignment") << "textpen.alignment"
                                   << "alignment" << QVariant(int(Qt::AlignRight));
    }
    void aTextSettingReachesTheTextToolAtOnce()
    {
        QFETCH(QString, name);
        QFETCH(QString, textToolName);
        QFETCH(QVariant, value);
        QVERIFY(tools().setToolProperty(c_strTool, name, value, false));
        QCOMPARE(m_pTextTool->getToolProperty(textToolName), value);
    }

    void aSettingTheTextToolDoesNotHoldStaysWithThePen()
    {
        CHostJournal::clear();
        m_pTool->setToolProperty(QStringLiteral("textpen.shadow"), true);
        m_pTool->setToolProperty(QStringLiteral("showcandidates"), true);
        QCOMPARE(textToolWrites(), QStringList());
        QVERIFY(!m_pTextTool->getToolPropertyNames().contains(QStringLiteral("shadow")));
    }

    void aProfileLoadUpdatesThePenEvenWhenItIsNotActive()
    {
        QVERIFY(tools().activate(QStringLiteral("text")));
        m_pTextTool->setToolProperty(QStringLiteral("fontfamily"), QStringLiteral("Liberation Serif"));
        QSignalSpy activated(m_pTool, SIGNAL(siganlTextPenActivated()));
        CServicesLayer::get()->loadProfile();
        QCOMPARE(activated.count(), 1);
        QCOMPARE(property(QStringLiteral("textpen.fontfamily")).toString(),
                 QStringLiteral("Liberation Serif"));
    }

    void exitHandsBackAndSavesTheOptions()
    {
        m_pTool->setToolProperty(QStringLiteral("overwritetextbox"), true);
        m_pTool->CTool::setToolProperty(QStringLiteral("textpen.italic"), true);
        m_pTool->onExit();
        QCOMPARE(m_pTextTool->getToolProperty(QStringLiteral("italic")), QVariant(true));
        QSettings saved(m_dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        QCOMPARE(saved.value(QStringLiteral("tools/textpenplugin.handtext/overwritetextbox")).toBool(), true);

        // The next run's text pen starts with the saved option.
        m_pView.reset();
        CGUILayer::shutdownHost();
        startHost(true);
        QCOMPARE(property(QStringLiteral("overwritetextbox")), QVariant(true));
    }

    void theCursorFollowsTheWritingFlagAndTheSetting_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<bool>("writing");
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("pixmapWidth");
        QTest::newRow("idle") << QVariant() << false << int(Qt::BitmapCursor) << 32;
        QTest::newRow("writing, setting absent") << QVariant() << true << int(Qt::BlankCursor) << 0;
        QTest::newRow("writing, setting off") << QVariant(false) << true << int(Qt::BlankCursor) << 0;
        QTest::newRow("writing, dot cursor") << QVariant(true) << true << int(Qt::BitmapCursor) << 3;
    }
    void theCursorFollowsTheWritingFlagAndTheSetting()
    {
        QFETCH(QVariant, setting);
        QFETCH(bool, writing);
        QFETCH(int, shape);
        QFETCH(int, pixmapWidth);
        if (setting.isValid())
            COrrery::getUserSettings()->setValue(QStringLiteral("cursor.usedotcursor.writing"), setting);
        QVERIFY(tools().activate(c_strTool));
        if (writing)
            QTest::mousePress(m_pView->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(int(m_pView->cursor().shape()), shape);
        QCOMPARE(m_pView->cursor().pixmap().width(), pixmapWidth);
        // While writing the host is handed the dot, whatever the setting.
        QCOMPARE(m_pTool->getNormalCursor().pixmap().width(), writing ? 3 : 32);
    }

    void aTapOpensOrSelectsWhatIsUnderThePen_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("selectedAfter");
        QTest::newRow("selected text box") << "text" << false << true << true << true;
        QTest::newRow("selected locked box") << "text" << true << true << false << true;
        QTest::newRow("selected other text box")
            << "textpen.component.textbox" << false << true << false << true;
        QTest::newRow("unselected text box") << "text" << false << false << false << true;
    }
    void aTapOpensOrSelectsWhatIsUnderThePen()
    {
        QFETCH(QString, type);
        QFETCH(bool, locked);
        QFETCH(bool, selected);
        QFETCH(bool, edited);
        QFETCH(bool, selectedAfter);
        boost::shared_ptr<CComponent> pBox;
        if (type == QLatin1String("text"))
            pBox = CComponent::create(type);
        else
            pBox = boost::make_shared<COtherTextBox>();
        pBox->setPropertyValue(QStringLiteral("position"), QPointF(100, 100));
        pBox->setPropertyValue(QStringLiteral("string"), QStringLiteral("Hello board"));
        pBox->setPropertyValue(QStringLiteral("locked"), locked);
        QVERIFY(CControlLayer::get()->invokeInsertCommand(pBox, -1, -1));
        if (selected)
            COrrery::getSelectionManager()->select(pBox.get());
        QVERIFY(tools().activate(c_strTool));

        // A real tap: the pen goes down and up without moving.
        const QPoint point = m_pView->mapFromScene(QPointF(110, 110));
        QTest::mouseClick(m_pView->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QTRY_VERIFY(!m_pTool->currentScribble());

        QCOMPARE(!CHostJournal::entries(QStringLiteral("CEditTextHelper::startEditText")).isEmpty(), edited);
        QCOMPARE(COrrery::getSelectionManager()->selectedComponents().contains(pBox.get()), selectedAfter);
        for (QGraphicsItem* pItem : m_pView->scene()->items())
            QVERIFY2(!dynamic_cast<QGraphicsPathItem*>(pItem) || COrreryView::componentOf(pItem),
                     "the tap's ink stays on the board");
        QCOMPARE(m_pTool->getNormalCursor().pixmap().width(), 32);
    }

    // Recorded ink can carry points that no screen makes; they are left out, not put on the board.
    void pointsThatAreNoNumbersAreLeftOut()
    {
        auto pRecognizer = boost::make_shared<CScriptedRecognizer>();
        pRecognizer->setStandingAnswer(QStringList() << QStringLiteral("word"));
        COrrery::getRecognizerManager()->registerRecognizer(pRecognizer);
        COrrery::getRecognizerManager()->setActiveRecognizer(pRecognizer->getName());
        const double dNaN = std::numeric_limits<double>::quiet_NaN();
        const double dInfinity = std::numeric_limits<double>::infinity();
        auto pScribble = boost::make_shared<CScribble>();
        pScribble->beginStroke(QPointF(dNaN, dNaN), 0);
        pScribble->addPoint(QPointF(100, 100), 10);
        pScribble->addPoint(QPointF(dInfinity, 5), 20);
        pScribble->addPoint(QPointF(200, 150), 30);
        pScribble->addPoint(QPointF(1e300, -1e300), 40);

        m_pTool->onPenInput(pScribble);
        QCOMPARE(pRecognizer->received().size(), 1);
        QCOMPARE(pRecognizer->received().first(),
                 (QVector<QVector<QPointF>>{{QPointF(100, 100), QPointF(200, 150)}}));
        const QList<CComponent*> boxes = COrrery::getWorkspace()->getCurrentTopic()->components();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first()->getPropertyValue(QStringLiteral("position")).toPointF(), QPointF(100, 100));
        QVERIFY(std::isfinite(boxes.first()->getPropertyValue(QStringLiteral("fontsize")).toDouble()));
    }

    void setToolPropertyIsTracedOnEntryOnly()
    {
        CLogSystem::theRootInstance->setLevel("TRACE");
        CLogSystem::theRootInstance->sink().clear();
        m_pTool->setToolProperty(QStringLiteral("showcandidates"), true);
        m_pTool->getToolProperty(QStringLiteral("showcandidates"));
        m_pTool->canUsePenType(QStringLiteral("normal"));
        QStringList names;
        for (const std::string& strLine : CLogSystem::theRootInstance->sink().lines())
            names.append(QString::fromStdString(strLine).section(QLatin1Char('\t'), 2));
        // The push to the text tool is an operation of its own, traced as such.
        QCOMPARE(names, QStringList() << " Enter CToolTextPen::setToolProperty "
                                      << " Enter CToolTextPen::syncPropertiesToTextTool "
                                      << " Exit CToolTextPen::syncPropertiesToTextTool ");
    }
};

QTEST_MAIN(tst_ToolTextPen)
#include "tst_tooltextpen.moc"
