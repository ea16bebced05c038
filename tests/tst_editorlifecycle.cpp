// The life of every property editor of the text pen, once for the whole family: the prototype set-up
// registers, the clones the host makes of it with a widget each, a detached widget that its surface
// keeps, and calls on an editor without a widget.
#include "editorhost.h"
#include "languagemanager.h"

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
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void everyEditorLivesFromPrototypeToDetachedClone_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("related");
        QTest::newRow("text colour") << "textpen.fontcolor"
                                     << "Text Colour" << QStringList{"string"};
        QTest::newRow("line colour") << "textpen.linecolor"
                                     << "Line Colour" << QStringList();
        QTest::newRow("fill colour") << "textpen.fillcolor"
                                     << "Fill Colour" << QStringList();
        QTest::newRow("show alternatives") << "showcandidates"
                                           << "Show alternatives" << QStringList();
        QTest::newRow("overwrite text") << "overwritetextbox"
                                        << "Overwrite text" << QStringList();
        QTest::newRow("font family") << "textpen.fontfamily"
                                     << "Font Family" << QStringList();
        QTest::newRow("weight and style") << "textpen.bold"
                                          << "Weight/Style" << QStringList{"string"};
        QTest::newRow("line width") << "textpen.linewidth"
                                    << "Line Width" << QStringList{"textpen.linecolor"};
        QTest::newRow("line style") << "textpen.linestyle"
                                    << "Line Style" << QStringList{"textpen.linecolor", "locked"};
    }
    void everyEditorLivesFromPrototypeToDetachedClone()
    {
        QFETCH(QString, property);
        QFETCH(QString, label);
        QFETCH(QStringList, related);
        CAbstractPropertyEditor* pPrototype = nullptr;
        for (const auto& pRegistered : COrrery::getPropertyEditorManager()->prototypes())
            if (pRegistered->property() == property)
                pPrototype = pRegistered.get();
        QVERIFY(pPrototype);
        QCOMPARE(pPrototype->untranslatedPropertyName(), label);
        QCOMPARE(pPrototype->widget(), nullptr);
        pPrototype->setValue(property, QVariant());

        // The host asks for the editor by any of its properties.
        auto pFirst = CEditorHost::editor(pPrototype->properties().last(), 5);
        auto pSecond =
            pPrototype->clone(COrrery::getPropertyEditorManager(), CAbstractPropertyEditor::eToolContext);
        QVERIFY(pFirst && pSecond);
        QCOMPARE(pFirst->metaObject(), pPrototype->metaObject());
        QCOMPARE(pFirst->properties(), pPrototype->properties());
        QCOMPARE(pFirst->untranslatedPropertyName(), label);
        QCOMPARE(int(pFirst->context()), 5);
        QCOMPARE(pFirst->relatedProperties(), related);
        QPointer<QWidget> pFirstWidget = pFirst->widget();
        QPointer<QWidget> pSecondWidget = pSecond->widget();
        QVERIFY(pFirstWidget && pSecondWidget && pFirstWidget != pSecondWidget);
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
