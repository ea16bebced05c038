// The two option check boxes, "Show alternatives" and "Overwrite text", as a user meets them: a box
// shows the value it is given (partly checked for no single value) without sending it back, a click
// becomes the option's new value, and texts and directions follow the language as each should.
#include "controlsignalsource.h"
#include "editorhost.h"
#include "languagemanager.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>

class tst_OptionEditors : public QObject
{
    Q_OBJECT

    CEditorHost m_host;

    static QCheckBox* box(const boost::shared_ptr<CAbstractPropertyEditor>& pEditor)
    {
        return pEditor->widget()->findChild<QCheckBox*>();
    }

private slots:
    void init() { m_host.start(); }
    void cleanup()
    {
        m_host.stop();
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void aClickOnTheShownValueBecomesTheNewValue_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("applied");
        for (const char* szName : {"showcandidates", "overwritetextbox"}) {
            const QString strName = QString::fromLatin1(szName);
            QTest::addRow("%s on", szName) << strName << QVariant(true) << 2 << "false";
            QTest::addRow("%s off", szName) << strName << QVariant(false) << 0 << "true";
            QTest::addRow("%s no single value", szName) << strName << QVariant() << 1 << "true";
            QTest::addRow("%s number", szName) << strName << QVariant(2) << 2 << "false";
        }
    }
    void aClickOnTheShownValueBecomesTheNewValue()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(int, state);
        QFETCH(QString, applied);
        const auto pEditor = CEditorHost::editor(property, 1);
        QVERIFY(shown(pEditor->widget()));
        QSignalSpy changed(box(pEditor), &QCheckBox::stateChanged);
        pEditor->setValue(property, value);
        pEditor->setValue(QStringLiteral("textpen.bold"), QVariant(state != Qt::Checked));
        QCOMPARE(int(box(pEditor)->checkState()), state);
        QCOMPARE(box(pEditor)->isTristate(), state == Qt::PartiallyChecked);
        // The box changed, yet nothing went back.
        QCOMPARE(changed.count(), state == Qt::Unchecked ? 0 : 1);
        QCOMPARE(CEditorHost::applied(), QStringList());

        QTest::mouseClick(box(pEditor), Qt::LeftButton);
        QCOMPARE(CEditorHost::applied(), CEditorHost::applied(property + "=" + applied));
        QCOMPARE(CEditorHost::tool()->getToolProperty(property), QVariant(applied == "true"));
    }

    void theTextsAndDirectionsFollowTheLanguageAsEachShould()
    {
        const auto pOverwrite = CEditorHost::editor("overwritetextbox", 1);
        const auto pAlternatives = CEditorHost::editor("showcandidates", 1);
        QCOMPARE(box(pOverwrite)->text(), QString());
        QCOMPARE(pOverwrite->widget()->findChild<QLabel*>()->text(), QStringLiteral("Overwrite text"));
        QCOMPARE(box(pAlternatives)->text(), QStringLiteral("Show alternatives"));

        CLanguageManager().setLanguage(QStringLiteral("he_IL"));
        QCOMPARE(box(pOverwrite)->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(pAlternatives->widget()->layoutDirection(), Qt::LeftToRight);
        // Showing a value lays the overwrite box out in the application's direction again.
        emit CControlSignalSource::get()->signalLanguageChanged(QStringLiteral("en_GB"), false);
        QCOMPARE(box(pOverwrite)->layoutDirection(), Qt::LeftToRight);
        pOverwrite->setValue("overwritetextbox", true);
        QCOMPARE(box(pOverwrite)->layoutDirection(), Qt::RightToLeft);
        // A new show-alternatives editor takes the direction of the language in use.
        QCOMPARE(CEditorHost::editor("showcandidates", 1)->widget()->layoutDirection(), Qt::RightToLeft);
    }
};

QTEST_MAIN(tst_OptionEditors)
#include "tst_optioneditors.moc"
