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

// Each editor as set-up builds it.
boost::shared_ptr<CAbstractPropertyEditor> prototype(const QString& strClass)
{
    const QString strContext = QStringLiteral("CPropertyEditorManager");
    if (strClass == "CTextPenFontFamilyPropertyEditor")
        return boost::make_shared<CTextPenFontFamilyPropertyEditor>("textpen.fontfamily", strContext,
                                                                    "Font Family");
    if (strClass == "CTextPenWeightAndStylePropertyEditor")
        return boost::make_shared<CTextPenWeightAndStylePropertyEditor>(
            QStringList{"textpen.bold", "textpen.italic", "textpen.underline"}, strContext, "Weight/Style");
    if (strClass == "CTextPenLineWidthPropertyEditor")
        return boost::make_shared<CTextPenLineWidthPropertyEditor>("textpen.linewidth", strContext,
                                                                   "Line Width");
    return boost::make_shared<CTextPenLineStylePropertyEditor>("textpen.linestyle", strContext, "Line Style");
}

} // namespace

class tst_TextPenEditorLifecycle : public QObject
{
    Q_OBJECT

    CEditorTestHost m_host;

    static void addEditors()
    {
        QTest::addColumn<QString>("related");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("widgetOperations");
        QTest::newRow("CTextPenFontFamilyPropertyEditor")
            << ""
            << "textpenfontfamilyandsizepropertyeditor"
            << QStringList{"CTextPenFontFamilyPropertyEditorWidget::setFontFamily",
                           "CTextPenFontFamilyAndSizeWidget::CTextPenFontFamilyAndSizeWidget",
                           "CTextPenFontFamilyAndSizeWidget::setFontFamily"};
        QTest::newRow("CTextPenWeightAndStylePropertyEditor")
            << "string"
            << "textpenweightandstylepropertyeditor"
            << QStringList{"CTextPenWeightAndStylePropertyEditorWidget::setWeightAndStyle"};
        QTest::newRow("CTextPenLineWidthPropertyEditor")
            << "textpen.linecolor"
            << "textpenlinewidthpropertyeditor"
            << QStringList{"CTextPenLineWidthPropertyEditorWidget::setCurrentWidth"};
        QTest::newRow("CTextPenLineStylePropertyEditor")
            << "textpen.linecolor,locked"
            << "textpenlinestylepropertyeditor"
            << QStringList{"CTextPenLineStylePropertyEditorWidget::setCombo"};
    }

private slots:
    void init() { m_host.start(); }
    void cleanup()
    {
        CLogSystem::theRootInstance->setLevel("INFO");
        m_host.stop();
    }

    void anEditorLivesFromPrototypeToDetachedClone_data() { addEditors(); }
    void anEditorLivesFromPrototypeToDetachedClone()
    {
        QFETCH(QString, related);
        const boost::shared_ptr<CAbstractPropertyEditor> pPrototype = prototype(QTest::currentDataTag());
        QCOMPARE(pPrototype->relatedProperties(), related.split(',', Qt::SkipEmptyParts));
        QVERIFY(!pPrototype->widget());
        pPrototype->setValue(pPrototype->property(), QVariant());
        // Set-up registered a prototype of the class; the host asks for the editor by any of its properties.
        boost::shared_ptr<CAbstractPropertyEditor> pFirst = COrrery::getPropertyEditorManager()->createEditor(
            pPrototype->properties().last(), CAbstractPropertyEditor::EEditorContext(5));
        boost::shared_ptr<CAbstractPropertyEditor> pSecond =
            pPrototype->clone(COrrery::getPropertyEditorManager(), CAbstractPropertyEditor::eToolContext);
        QVERIFY(pFirst && pSecond && !pPrototype->widget());
        QCOMPARE(pFirst->metaObject(), pPrototype->metaObject());
        QCOMPARE(pFirst->properties(), pPrototype->properties());
        QCOMPARE(pFirst->translationContext(), pPrototype->translationContext());
        QCOMPARE(pFirst->untranslatedPropertyName(), pPrototype->untranslatedPropertyName());
        QCOMPARE(int(pFirst->context()), 5);
        QVERIFY(pFirst->widget() && pSecond->widget() && pFirst->widget() != pSecond->widget());
        QVERIFY(!pFirst->widget()->parent());

        pSecond->widget()->setEnabled(false);
        pSecond->setValue(pSecond->property(), QVariant());
        QVERIFY(pSecond->widget()->isEnabled());
        COrrery::getToolManager()->deactivate();
        pSecond->setValue(pSecond->property(), QVariant());
        QVERIFY(!pSecond->widget()->isEnabled());

        QWidget surface;
        QObject owner;
        (new QVBoxLayout(&surface))->addWidget(pFirst->widget());
        const QPointer<QWidget> pShown = pFirst->widget();
        const QPointer<QWidget> pOwned = pSecond->widget();
        pFirst->setParent(&owner);
        pFirst->detatch();
        QVERIFY(!pFirst->widget() && !pFirst->parent());
        pFirst->setValue(pFirst->property(), QVariant());
        pFirst.reset();
        pSecond.reset();
        QVERIFY(pShown);
        QCOMPARE(pShown->parentWidget(), &surface);
        QVERIFY(!pOwned);
        QVERIFY(m_host.applied().isEmpty());
    }

    void everyOperationIsTracedInTheEditorsFile_data() { addEditors(); }
    void everyOperationIsTracedInTheEditorsFile()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, widgetOperations);
        const QString strEditor = QTest::currentDataTag();
        const QString strWidget = strEditor + "Widget";
        CLogSystem::theRootInstance->sink().clear();
        CLogSystem::theRootInstance->setLevel("TRACE");
        boost::shared_ptr<CAbstractPropertyEditor> pEditor = prototype(strEditor)->clone(
            COrrery::getPropertyEditorManager(), CAbstractPropertyEditor::eToolContext);
        pEditor->relatedProperties();
        pEditor->setValue(pEditor->property(), QVariant());
        std::unique_ptr<QWidget> pWidget(pEditor->widget());
        pEditor->detatch();
        pEditor.reset();
        pWidget.reset();

        // Each line reads ".\<file>.cpp<TAB><line><TAB> Enter|Exit <class>::<operation> ".
        const QRegularExpression line(
            QStringLiteral("^\\.\\\\(\\w+)\\.cpp\t[0-9]+\t (Enter|Exit) ((\\w+)::\\S+) $"));
        QMap<QString, int> open;
        for (const std::string& strText : CLogSystem::theRootInstance->sink().lines()) {
            const QRegularExpressionMatch match = line.match(QString::fromStdString(strText));
            QVERIFY2(match.hasMatch(), strText.c_str());
            const bool bFamilyAndSize = match.captured(4) == QLatin1String("CTextPenFontFamilyAndSizeWidget");
            QCOMPARE(match.captured(1),
                     bFamilyAndSize ? QStringLiteral("textpenfontfamilyandsizewidget") : file);
            open[match.captured(3)] += match.captured(2) == QLatin1String("Enter") ? 1 : -1;
        }
        QStringList expected = widgetOperations << strWidget + "::" + strWidget;
        for (const QString& strOperation :
             {"::" + strEditor, QStringLiteral("::clone"), QStringLiteral("::derivedInitialise"),
              QStringLiteral("::relatedProperties"), QStringLiteral("::setValue"), QStringLiteral("::widget"),
              QStringLiteral("::detatch"), "::~" + strEditor})
            expected << strEditor + strOperation;
        for (const QString& strName : expected)
            QVERIFY2(open.value(strName, -1) == 0, qPrintable(strName));
    }
};

QTEST_MAIN(tst_TextPenEditorLifecycle)
#include "tst_textpeneditorlifecycle.moc"
