// The life of every property editor of the text pen, once for the whole family: the prototype that
// set-up registers, the clones the host makes of it, each with a widget of its own, detaching a widget
// that a surface keeps, and calls the host may make on an editor that has no widget.
#include "editorhost.h"
#include "languagemanager.h"
#include "logsystem.h"

#include <QApplication>
#include <QPointer>
#include <QVBoxLayout>

class tst_EditorLifecycle : public QObject
{
    Q_OBJECT

    CEditorHost m_host;

    static CAbstractPropertyEditor* prototype(const QString& strProperty)
    {
        for (const auto& pPrototype : COrrery::getPropertyEditorManager()->prototypes())
            if (pPrototype->property() == strProperty)
                return pPrototype.get();
        return nullptr;
    }
    static QStringList tracedNames()
    {
        QStringList lines;
        for (const std::string& strLine : CLogSystem::theRootInstance->sink().lines())
            lines.append(QString::fromStdString(strLine).remove(QRegularExpression("\t[0-9]+\t")));
        return lines;
    }

private slots:
    void init() { m_host.start(); }
    void cleanup()
    {
        m_host.stop();
        CLogSystem::theRootInstance->setLevel("INFO");
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void everyEditorLivesAsThePatternSays_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("editorClass");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("translationContext");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("related");
        QTest::newRow("text colour") << "textpen.fontcolor"
                                     << "CTextPenColorPropertyEditor"
                                     << "textpencolorpropertyeditor"
                                     << "CPropertyEditorManager"
                                     << "Text Colour" << QStringList{"string"};
        QTest::newRow("line colour") << "textpen.linecolor"
                                     << "CTextPenLineColourPropertyEditor"
                                     << "textpenlinecolourpropertyeditor"
                                     << "CPropertyEditorManager"
                                     << "Line Colour" << QStringList();
        QTest::newRow("fill colour") << "textpen.fillcolor"
                                     << "CTextPenFillColourPropertyEditor"
                                     << "textpenfillcolourpropertyeditor"
                                     << "CPropertyEditorManager"
                                     << "Fill Colour" << QStringList();
        QTest::newRow("show alternatives") << "showcandidates"
                                           << "CShowCandidatesPropertyEditor"
                                           << "showcandidatespropertyeditor"
                                           << "CShowCandidatesPropertyEditorWidget"
                                           << "Show alternatives" << QStringList();
        QTest::newRow("overwrite text") << "overwritetextbox"
                                        << "COverWriteTextBoxPropertyEditor"
                                        << "overwritetextboxpropertyeditor"
                                        << "COverWriteTextBoxPropertyEditorWidget"
                                        << "Overwrite text" << QStringList();
    }
    void everyEditorLivesAsThePatternSays()
    {
        QFETCH(QString, property);
        QFETCH(QString, editorClass);
        QFETCH(QString, file);
        QFETCH(QString, translationContext);
        QFETCH(QString, label);
        QFETCH(QStringList, related);
        const QString strWidgetClass = editorClass + QStringLiteral("Widget");

        CAbstractPropertyEditor* pPrototype = prototype(property);
        QVERIFY(pPrototype);
        QCOMPARE(QString::fromLatin1(pPrototype->metaObject()->className()), editorClass);
        QCOMPARE(pPrototype->translationContext(), translationContext);
        QCOMPARE(pPrototype->untranslatedPropertyName(), label);
        QCOMPARE(pPrototype->widget(), nullptr);

        CLogSystem::theRootInstance->sink().clear();
        CLogSystem::theRootInstance->setLevel("TRACE");
        auto pFirst = CEditorHost::editor(property, 5);
        CLogSystem::theRootInstance->setLevel("INFO");
        QVERIFY(pFirst && pFirst.get() != pPrototype);
        QCOMPARE(QString::fromLatin1(pFirst->metaObject()->className()), editorClass);
        QCOMPARE(int(pFirst->context()), 5);
        QCOMPARE(pFirst->relatedProperties(), related);
        const QString strTag = QStringLiteral(".\\%1.cpp").arg(file);
        for (const QString& strTraced : {editorClass + "::clone", editorClass + "::derivedInitialise",
                                         strWidgetClass + "::" + strWidgetClass})
            QVERIFY2(tracedNames().contains(strTag + " Enter " + strTraced + " "), qPrintable(strTraced));

        QPointer<QWidget> pFirstWidget = pFirst->widget();
        QVERIFY(pFirstWidget);
        QCOMPARE(QString::fromLatin1(pFirstWidget->metaObject()->className()), strWidgetClass);
        QCOMPARE(pFirstWidget->parent(), nullptr);
        auto pSecond = CEditorHost::editor(property, 1);
        QPointer<QWidget> pSecondWidget = pSecond->widget();
        QVERIFY(pSecondWidget && pSecondWidget != pFirstWidget);
        QCOMPARE(pPrototype->widget(), nullptr);

        // A surface keeps the widget it shows once the editor lets go of it.
        auto pSurface = std::make_unique<QWidget>();
        (new QVBoxLayout(pSurface.get()))->addWidget(pFirstWidget);
        QObject holder;
        pFirst->setParent(&holder);
        pFirst->detatch();
        QCOMPARE(pFirst->widget(), nullptr);
        QCOMPARE(pFirst->parent(), nullptr);

        // Calls without a widget: nothing is shown or sent, and nothing breaks.
        pFirst->setValue(property, QVariant());
        pPrototype->setValue(property, QVariant());
        CLanguageManager().setLanguage(QStringLiteral("ar_EG"));
        QCOMPARE(CEditorHost::applied(), QStringList());

        pFirst.reset();
        QVERIFY(pFirstWidget);
        QCOMPARE(pFirstWidget->parentWidget(), pSurface.get());
        pSurface.reset();
        QVERIFY(!pFirstWidget);
        pSecond.reset();
        QVERIFY(!pSecondWidget);
    }
};

QTEST_MAIN(tst_EditorLifecycle)
#include "tst_editorlifecycle.moc"
