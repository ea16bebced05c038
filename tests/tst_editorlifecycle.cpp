// The life of every property editor of the text pen, once for the whole family: the prototype set-up
// registers, the clones the host makes of it with a widget each, a detached widget that its surface
// keeps, calls on an editor without a widget, and trace lines for each operation in the editor's file.
#include "editorhost.h"
#include "languagemanager.h"
#include "logsystem.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

class tst_EditorLifecycle : public QObject
{
    Q_OBJECT

    CEditorHost m_host;

private slots:
    void init() { m_host.start(); }
    void cleanup()
    {
        m_host.stop();
        CLogSystem::theRootInstance->setLevel("INFO");
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void everyEditorLivesFromPrototypeToDetachedClone_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("editorClass");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("related");
        QTest::addColumn<QStringList>("traced");
        const QString strManager = QStringLiteral("CPropertyEditorManager");
        const auto add = [&](const char* szTag, const QString& strProperty, const QString& strClass,
                             const QString& strContext, const QString& strLabel, const QStringList& related,
                             const QStringList& traced, const QString& strFile = QString()) {
            QTest::newRow(szTag) << strProperty << strClass
                                 << (strFile.isEmpty() ? strClass.mid(1).toLower() : strFile) << strContext
                                 << strLabel << related << traced;
        };
        add("text colour", "textpen.fontcolor", "CTextPenColorPropertyEditor", strManager, "Text Colour",
            {"string"}, {"Widget::setColor", "::relatedProperties"});
        add("line colour", "textpen.linecolor", "CTextPenLineColourPropertyEditor", strManager, "Line Colour",
            {}, {"Widget::setCurrentColour", "::relatedProperties"});
        add("fill colour", "textpen.fillcolor", "CTextPenFillColourPropertyEditor", strManager, "Fill Colour",
            {}, {"Widget::setCurrentColour"});
        add("show alternatives", "showcandidates", "CShowCandidatesPropertyEditor",
            "CShowCandidatesPropertyEditorWidget", "Show alternatives", {}, {"Widget::setCheckboxState"});
        add("overwrite text", "overwritetextbox", "COverWriteTextBoxPropertyEditor",
            "COverWriteTextBoxPropertyEditorWidget", "Overwrite text", {}, {"Widget::setCheckboxState"});
        add("font family", "textpen.fontfamily", "CTextPenFontFamilyPropertyEditor", strManager,
            "Font Family", {}, {"Widget::setFontFamily", "::relatedProperties"},
            "textpenfontfamilyandsizepropertyeditor");
        add("weight and style", "textpen.bold", "CTextPenWeightAndStylePropertyEditor", strManager,
            "Weight/Style", {"string"}, {"Widget::setWeightAndStyle", "::relatedProperties"});
        add("line width", "textpen.linewidth", "CTextPenLineWidthPropertyEditor", strManager, "Line Width",
            {"textpen.linecolor"}, {"Widget::setCurrentWidth", "::relatedProperties"});
        add("line style", "textpen.linestyle", "CTextPenLineStylePropertyEditor", strManager, "Line Style",
            {"textpen.linecolor", "locked"}, {"Widget::setCombo", "::relatedProperties"});
    }
    void everyEditorLivesFromPrototypeToDetachedClone()
    {
        QFETCH(QString, property);
        QFETCH(QString, editorClass);
        QFETCH(QString, file);
        QFETCH(QString, context);
        QFETCH(QString, label);
        QFETCH(QStringList, related);
        QFETCH(QStringList, traced);
        CAbstractPropertyEditor* pPrototype = nullptr;
        for (const auto& pRegistered : COrrery::getPropertyEditorManager()->prototypes())
            if (pRegistered->property() == property)
                pPrototype = pRegistered.get();
        QVERIFY(pPrototype);
        QCOMPARE(pPrototype->metaObject()->className(), qPrintable(editorClass));
        QCOMPARE(pPrototype->translationContext() + "/" + pPrototype->untranslatedPropertyName(),
                 context + "/" + label);
        QCOMPARE(pPrototype->widget(), nullptr);
        pPrototype->setValue(property, QVariant());

        CLogSystem::theRootInstance->sink().clear();
        CLogSystem::theRootInstance->setLevel("TRACE");
        // The host asks for the editor by any of its properties.
        auto pFirst = CEditorHost::editor(pPrototype->properties().last(), 5);
        auto pSecond =
            pPrototype->clone(COrrery::getPropertyEditorManager(), CAbstractPropertyEditor::eToolContext);
        QVERIFY(pFirst && pSecond);
        QCOMPARE(pFirst->metaObject(), pPrototype->metaObject());
        QCOMPARE(pFirst->properties(), pPrototype->properties());
        QCOMPARE(pFirst->translationContext() + "/" + pFirst->untranslatedPropertyName(),
                 context + "/" + label);
        QCOMPARE(int(pFirst->context()), 5);
        QCOMPARE(pFirst->relatedProperties(), related);
        QPointer<QWidget> pFirstWidget = pFirst->widget();
        QPointer<QWidget> pSecondWidget = pSecond->widget();
        QVERIFY(pFirstWidget && pSecondWidget && pFirstWidget != pSecondWidget);
        QCOMPARE(pFirstWidget->metaObject()->className(), qPrintable(editorClass + "Widget"));
        QCOMPARE(pFirstWidget->parent(), nullptr);
        QCOMPARE(pPrototype->widget(), nullptr);

        // The host decides whether the widget may be used, each time a value is shown.
        pSecondWidget->setEnabled(false);
        pSecond->setValue(property, QVariant());
        QVERIFY(pSecondWidget->isEnabled());
        COrrery::getToolManager()->deactivate();
        pSecond->setValue(property, QVariant());
        QVERIFY(!pSecondWidget->isEnabled());

        // The surface keeps the widget it shows once the editor lets go of it.
        auto pSurface = std::make_unique<QWidget>();
        (new QVBoxLayout(pSurface.get()))->addWidget(pFirstWidget);
        QObject holder;
        pFirst->setParent(&holder);
        pFirst->detatch();
        QCOMPARE(pFirst->widget(), nullptr);
        QCOMPARE(pFirst->parent(), nullptr);
        pFirst->setValue(property, QVariant());
        CLanguageManager().setLanguage(QStringLiteral("ar_EG"));
        QCOMPARE(CEditorHost::applied(), QStringList());
        pFirst.reset();
        QCOMPARE(pFirstWidget->parentWidget(), pSurface.get());
        pSurface.reset();
        QVERIFY(!pFirstWidget);
        pSecond.reset();
        QVERIFY(!pSecondWidget);

        // Each line reads ".\<file>.cpp<TAB><line><TAB> Enter|Exit <class>::<operation> "; the editor's
        // and its widget's lines name the editor's file, the font form's its own.
        const QRegularExpression line(
            QStringLiteral("^\\.\\\\(\\w+)\\.cpp\t[0-9]+\t (Enter|Exit) ((\\w+)::\\S+) $"));
        QMap<QString, int> open;
        for (const std::string& strText : CLogSystem::theRootInstance->sink().lines()) {
            const QRegularExpressionMatch match = line.match(QString::fromStdString(strText));
            QVERIFY2(match.hasMatch(), strText.c_str());
            const bool bForm = match.captured(4) == QLatin1String("CTextPenFontFamilyAndSizeWidget");
            if (!bForm && !match.captured(4).startsWith(editorClass))
                continue;
            QCOMPARE(match.captured(1), bForm ? QStringLiteral("textpenfontfamilyandsizewidget") : file);
            open[match.captured(3)] += match.captured(2) == QLatin1String("Enter") ? 1 : -1;
        }
        QStringList expected{"Widget::" + editorClass + "Widget",
                             "::" + editorClass,
                             "::clone",
                             "::derivedInitialise",
                             "::setValue",
                             "::widget",
                             "::detatch",
                             "::~" + editorClass};
        for (const QString& strOperation : expected + traced)
            QVERIFY2(open.value(editorClass + strOperation, -1) == 0, qPrintable(strOperation));
    }

    void theWidgetKeepsItsSizeAndIsLabelledOutsideTheContextBar_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("label");
        const QStringList properties{"textpen.linecolor", "textpen.fillcolor", "textpen.linewidth",
                                     "textpen.linestyle", "textpen.fontfamily"};
        const QStringList labels{"Line Colour", "Fill Colour", "Line Width", "Line Style", ""};
        for (int i = 0; i < properties.size(); ++i) {
            QTest::addRow("%s, panel", qPrintable(properties[i])) << properties[i] << 1 << labels[i];
            QTest::addRow("%s, context bar", qPrintable(properties[i])) << properties[i] << 5 << "";
        }
    }
    void theWidgetKeepsItsSizeAndIsLabelledOutsideTheContextBar()
    {
        QFETCH(QString, property);
        QFETCH(int, context);
        QFETCH(QString, label);
        const auto pEditor = CEditorHost::editor(property, context);
        QWidget* pWidget = pEditor->widget();
        const QLabel* pLabel = pWidget->findChild<QLabel*>();
        QCOMPARE(pLabel ? pLabel->text() : QString(), label);
        QCOMPARE(pWidget->minimumSize(), pWidget->sizeHint());
        QCOMPARE(pWidget->maximumSize(), pWidget->sizeHint());
    }
};

QTEST_MAIN(tst_EditorLifecycle)
#include "tst_editorlifecycle.moc"
