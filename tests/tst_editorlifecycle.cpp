// The life of every property editor of the text pen, once for the whole family: the prototype set-up
// registers, the clones the host makes of it with a widget each, a detached widget that its surface
// keeps, and calls on an editor without a widget.
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
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("related");
        const QString strManager = QStringLiteral("CPropertyEditorManager");
        QTest::newRow("text colour") << "textpen.fontcolor"
                                     << "CTextPenColorPropertyEditor" << strManager << "Text Colour"
                                     << QStringList{"string"};
        QTest::newRow("line colour") << "textpen.linecolor"
                                     << "CTextPenLineColourPropertyEditor" << strManager << "Line Colour"
                                     << QStringList();
        QTest::newRow("fill colour") << "textpen.fillcolor"
                                     << "CTextPenFillColourPropertyEditor" << strManager << "Fill Colour"
                                     << QStringList();
        QTest::newRow("show alternatives") << "showcandidates"
                                           << "CShowCandidatesPropertyEditor"
                                           << "CShowCandidatesPropertyEditorWidget"
                                           << "Show alternatives" << QStringList();
        QTest::newRow("overwrite text") << "overwritetextbox"
                                        << "COverWriteTextBoxPropertyEditor"
                                        << "COverWriteTextBoxPropertyEditorWidget"
                                        << "Overwrite text" << QStringList();
    }
    void everyEditorLivesAsThePatternSays()
    {
        QFETCH(QString, property);
        QFETCH(QString, editorClass);
        QFETCH(QString, context);
        QFETCH(QString, label);
        QFETCH(QStringList, related);
        CAbstractPropertyEditor* pPrototype = nullptr;
        for (const auto& pRegistered : COrrery::getPropertyEditorManager()->prototypes())
            if (pRegistered->property() == property)
                pPrototype = pRegistered.get();
        QVERIFY(pPrototype);
        QCOMPARE(pPrototype->metaObject()->className(), qPrintable(editorClass));
        QCOMPARE(pPrototype->translationContext() + "/" + pPrototype->untranslatedPropertyName(),
                 context + "/" + label);
        QCOMPARE(pPrototype->widget(), nullptr);

        CLogSystem::theRootInstance->sink().clear();
        CLogSystem::theRootInstance->setLevel("TRACE");
        auto pFirst = CEditorHost::editor(property, 5);
        CLogSystem::theRootInstance->setLevel("INFO");
        QCOMPARE(pFirst->metaObject()->className(), qPrintable(editorClass));
        QCOMPARE(int(pFirst->context()), 5);
        QCOMPARE(pFirst->relatedProperties(), related);
        // Editor and widget share one source file, which the trace lines name.
        const QString strFile = QStringLiteral(".\\%1.cpp\t").arg(editorClass.mid(1).toLower());
        QString strTraced;
        for (const std::string& strLine : CLogSystem::theRootInstance->sink().lines())
            strTraced += QString::fromStdString(strLine).remove(QRegularExpression("[0-9]+\t")) + "\n";
        for (const QString& strName :
             {editorClass + "::clone", editorClass + "Widget::" + editorClass + "Widget"})
            QVERIFY2(strTraced.contains(strFile + " Enter " + strName + " \n"), qPrintable(strTraced));

        QPointer<QWidget> pFirstWidget = pFirst->widget();
        QCOMPARE(pFirstWidget->metaObject()->className(), qPrintable(editorClass + "Widget"));
        QCOMPARE(pFirstWidget->parent(), nullptr);
        auto pSecond = CEditorHost::editor(property, 1);
        QPointer<QWidget> pSecondWidget = pSecond->widget();
        QVERIFY(pSecondWidget && pSecondWidget != pFirstWidget);
        QCOMPARE(pPrototype->widget(), nullptr);

        // The surface keeps the widget it shows once the editor lets go of it.
        auto pSurface = std::make_unique<QWidget>();
        (new QVBoxLayout(pSurface.get()))->addWidget(pFirstWidget);
        QObject holder;
        pFirst->setParent(&holder);
        pFirst->detatch();
        QCOMPARE(pFirst->widget(), nullptr);
        QCOMPARE(pFirst->parent(), nullptr);
        pFirst->setValue(property, QVariant());
        pPrototype->setValue(property, QVariant());
        CLanguageManager().setLanguage(QStringLiteral("ar_EG"));
        QCOMPARE(CEditorHost::applied(), QStringList());
        pFirst.reset();
        QCOMPARE(pFirstWidget->parentWidget(), pSurface.get());
        pSurface.reset();
        QVERIFY(!pFirstWidget);
        pSecond.reset();
        QVERIFY(!pSecondWidget);
    }
};

QTEST_MAIN(tst_EditorLifecycle)
#include "tst_editorlifecycle.moc"
