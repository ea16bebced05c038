// What every text pen property editor shares: a registered prototype without a widget, initialised
// clones with widgets of their own, a widget that outlives its detached editor, the enabled state the
// host decides, and trace lines for each operation in the editor's own source file.
#include "editortesthost.h"
#include "logsystem.h"
#include "textpenfontfamilyandsizepropertyeditor.h"
#include "textpenlinestylepropertyeditor.h"
#include "textpenlinewidthpropertyeditor.h"
#include "textpenweightandstylepropertyeditor.h"

#include <QPointer>
#include <QVBoxLayout>
#include <boost/make_shared.hpp>

namespace {

const QString c_strContext = QStringLiteral("CPropertyEditorManager");

// Each editor as set-up builds it.
struct SEditorKind
{
    const char* szRow;
    boost::shared_ptr<CAbstractPropertyEditor> (*make)();
    QStringList related;
    QString strFile;
    // Operations of the widgets beyond their constructors.
    QStringList widgetOperations;
};

const SEditorKind c_kinds[] = {
    {"font family",
     [] {
         return boost::shared_ptr<CAbstractPropertyEditor>(
             boost::make_shared<CTextPenFontFamilyPropertyEditor>("textpen.fontfamily", c_strContext,
                                                                  "Font Family"));
     },
     {},
     "textpenfontfamilyandsizepropertyeditor.cpp",
     {"CTextPenFontFamilyPropertyEditorWidget::setFontFamily",
      "CTextPenFontFamilyAndSizeWidget::CTextPenFontFamilyAndSizeWidget",
      "CTextPenFontFamilyAndSizeWidget::setFontFamily"}},
    {"weight and style",
     [] {
         return boost::shared_ptr<CAbstractPropertyEditor>(
             boost::make_shared<CTextPenWeightAndStylePropertyEditor>(
                 QStringList{"textpen.bold", "textpen.italic", "textpen.underline"}, c_strContext,
                 "Weight/Style"));
     },
     {"string"},
     "textpenweightandstylepropertyeditor.cpp",
     {"CTextPenWeightAndStylePropertyEditorWidget::setWeightAndStyle"}},
    {"line width",
     [] {
         return boost::shared_ptr<CAbstractPropertyEditor>(
             boost::make_shared<CTextPenLineWidthPropertyEditor>("textpen.linewidth", c_strContext,
                                                                 "Line Width"));
     },
     {"textpen.linecolor"},
     "textpenlinewidthpropertyeditor.cpp",
     {"CTextPenLineWidthPropertyEditorWidget::setCurrentWidth"}},
    {"line style",
     [] {
         return boost::shared_ptr<CAbstractPropertyEditor>(
             boost::make_shared<CTextPenLineStylePropertyEditor>("textpen.linestyle", c_strContext,
                                                                 "Line Style"));
     },
     {"textpen.linecolor", "locked"},
     "textpenlinestylepropertyeditor.cpp",
     {"CTextPenLineStylePropertyEditorWidget::setCombo"}},
};

boost::shared_ptr<CAbstractPropertyEditor> cloneOf(CAbstractPropertyEditor& prototype, int iContext)
{
    return CEditorTestHost::clone(prototype, iContext);
}

} // namespace

class tst_TextPenEditorLifecycle : public QObject
{
    Q_OBJECT

    CEditorTestHost m_host;

    static void addKinds()
    {
        QTest::addColumn<int>("kind");
        for (int i = 0; i < int(std::size(c_kinds)); ++i)
            QTest::newRow(c_kinds[i].szRow) << i;
    }

private slots:
    void init() { m_host.start(); }
    void cleanup()
    {
        CLogSystem::theRootInstance->setLevel("INFO");
        m_host.stop();
    }

    void anEditorLivesFromPrototypeToDetachedClone_data() { addKinds(); }
    void anEditorLivesFromPrototypeToDetachedClone()
    {
        QFETCH(int, kind);
        const boost::shared_ptr<CAbstractPropertyEditor> pPrototype = c_kinds[kind].make();
        QCOMPARE(pPrototype->relatedProperties(), c_kinds[kind].related);
        QVERIFY(!pPrototype->widget());
        pPrototype->setValue(pPrototype->property(), QVariant());
        QVERIFY(COrrery::getPropertyEditorManager()->registerEditor(pPrototype));

        // The host asks for the editor by any of its properties.
        boost::shared_ptr<CAbstractPropertyEditor> pFirst = COrrery::getPropertyEditorManager()->createEditor(
            pPrototype->properties().last(), CAbstractPropertyEditor::EEditorContext(5));
        boost::shared_ptr<CAbstractPropertyEditor> pSecond = cloneOf(*pPrototype, 1);
        QVERIFY(pFirst && pSecond);
        QVERIFY(!pPrototype->widget());
        QCOMPARE(pFirst->metaObject(), pPrototype->metaObject());
        QCOMPARE(pFirst->properties(), pPrototype->properties());
        QCOMPARE(pFirst->translationContext(), c_strContext);
        QCOMPARE(pFirst->untranslatedPropertyName(), pPrototype->untranslatedPropertyName());
        QCOMPARE(int(pFirst->context()), 5);
        QCOMPARE(int(pSecond->context()), 1);
        QVERIFY(pFirst->widget() && pSecond->widget() && pFirst->widget() != pSecond->widget());
        QVERIFY(!pFirst->widget()->parent());

        QWidget surface;
        QObject owner;
        new QVBoxLayout(&surface);
        surface.layout()->addWidget(pFirst->widget());
        const QPointer<QWidget> pShown = pFirst->widget();
        const QPointer<QWidget> pOwned = pSecond->widget();
        pFirst->setParent(&owner);
        pFirst->detatch();
        QVERIFY(!pFirst->widget());
        QVERIFY(!pFirst->parent());
        pFirst->setValue(pFirst->property(), QVariant());
        pFirst.reset();
        pSecond.reset();
        QVERIFY(pShown);
        QCOMPARE(pShown->parentWidget(), &surface);
        QVERIFY(!pOwned);
        QVERIFY(m_host.applied().isEmpty());
    }

    void theWidgetIsEnabledWhileThereIsSomethingToChange_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("toolActive");
        for (int i = 0; i < int(std::size(c_kinds)); ++i) {
            QTest::addRow("%s, tool active", c_kinds[i].szRow) << i << true;
            QTest::addRow("%s, no active tool", c_kinds[i].szRow) << i << false;
        }
    }
    void theWidgetIsEnabledWhileThereIsSomethingToChange()
    {
        QFETCH(int, kind);
        QFETCH(bool, toolActive);
        const boost::shared_ptr<CAbstractPropertyEditor> pEditor = cloneOf(*c_kinds[kind].make(), 1);
        pEditor->widget()->setEnabled(!toolActive);
        if (!toolActive)
            COrrery::getToolManager()->deactivate();
        pEditor->setValue(pEditor->property(), QVariant());
        QCOMPARE(pEditor->widget()->isEnabled(), toolActive);
    }

    void everyOperationIsTracedInTheEditorsFile_data() { addKinds(); }
    void everyOperationIsTracedInTheEditorsFile()
    {
        QFETCH(int, kind);
        const SEditorKind& editorKind = c_kinds[kind];
        CLogSystem::theRootInstance->sink().clear();
        CLogSystem::theRootInstance->setLevel("TRACE");
        boost::shared_ptr<CAbstractPropertyEditor> pEditor = cloneOf(*editorKind.make(), 1);
        pEditor->relatedProperties();
        pEditor->setValue(pEditor->property(), QVariant());
        std::unique_ptr<QWidget> pWidget(pEditor->widget());
        pEditor->detatch();
        const QString strEditor = QString::fromLatin1(pEditor->metaObject()->className());
        pEditor.reset();
        pWidget.reset();

        const QRegularExpression line(QStringLiteral("^\\.\\\\(\\S+)\t[0-9]+\t (Enter|Exit) (\\S+) $"));
        QMap<QString, int> open;
        for (const std::string& strText : CLogSystem::theRootInstance->sink().lines()) {
            const QRegularExpressionMatch match = line.match(QString::fromStdString(strText));
            QVERIFY2(match.hasMatch(), strText.c_str());
            const QString strName = match.captured(3);
            if (strName.startsWith(strEditor + "::") || strName.startsWith(strEditor + "Widget::"))
                QCOMPARE(match.captured(1), editorKind.strFile);
            if (strName.startsWith(QLatin1String("CTextPenFontFamilyAndSizeWidget::")))
                QCOMPARE(match.captured(1), QStringLiteral("textpenfontfamilyandsizewidget.cpp"));
            open[strName] += match.captured(2) == QLatin1String("Enter") ? 1 : -1;
        }
        const QString strWidget = strEditor + "Widget";
        const QStringList expected =
            QStringList{strEditor + "::" + strEditor,      strEditor + "::clone",
                        strEditor + "::derivedInitialise", strEditor + "::relatedProperties",
                        strEditor + "::setValue",          strEditor + "::widget",
                        strEditor + "::detatch",           strEditor + "::~" + strEditor,
                        strWidget + "::" + strWidget} +
            editorKind.widgetOperations;
        for (const QString& strName : expected) {
            QVERIFY2(open.contains(strName), qPrintable(strName));
            QCOMPARE(open.value(strName), 0);
        }
    }
};

QTEST_MAIN(tst_TextPenEditorLifecycle)
#include "tst_textpeneditorlifecycle.moc"
