// The two option check boxes, "Show alternatives" and "Overwrite text", as a user meets them: the box
// shows the value it is given (partly checked for no single value) without sending it back, a click
// becomes the option's new value, and the texts and directions follow the language as each should.
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

    static QCheckBox* checkBox(const boost::shared_ptr<CAbstractPropertyEditor>& pEditor)
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

    void theBoxShowsTheValueItIsGiven_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("state");
        for (const char* szProperty : {"showcandidates", "overwritetextbox"}) {
            const QString strProperty = QString::fromLatin1(szProperty);
            QTest::addRow("%s on", szProperty) << strProperty << QVariant(true) << int(Qt::Checked);
            QTest::addRow("%s off", szProperty) << strProperty << QVariant(false) << int(Qt::Unchecked);
            QTest::addRow("%s no single value", szProperty)
                << strProperty << QVariant() << int(Qt::PartiallyChecked);
            QTest::addRow("%s number", szProperty) << strProperty << QVariant(2) << int(Qt::Checked);
            QTest::addRow("%s zero", szProperty) << strProperty << QVariant(0) << int(Qt::Unchecked);
        }
    }
    void theBoxShowsTheValueItIsGiven()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(int, state);
        const auto pEditor = CEditorHost::editor(property, 1);
        QSignalSpy changed(checkBox(pEditor), &QCheckBox::stateChanged);
        pEditor->setValue(property, value);
        QCOMPARE(int(checkBox(pEditor)->checkState()), state);
        QCOMPARE(checkBox(pEditor)->isTristate(), state == Qt::PartiallyChecked);
        // Another property's value leaves the box alone.
        pEditor->setValue(QStringLiteral("textpen.bold"), QVariant(state != Qt::Checked));
        QCOMPARE(int(checkBox(pEditor)->checkState()), state);
        QVERIFY(pEditor->widget()->isEnabled());
        QCOMPARE(changed.count(), state == Qt::Unchecked ? 0 : 1); // changed, yet sent nothing
        QCOMPARE(CEditorHost::applied(), QStringList());
    }

    void aClickBecomesTheNewValue_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<bool>("applied");
        for (const char* szProperty : {"showcandidates", "overwritetextbox"}) {
            const QString strProperty = QString::fromLatin1(szProperty);
            QTest::addRow("%s off to on", szProperty) << strProperty << QVariant(false) << true;
            QTest::addRow("%s on to off", szProperty) << strProperty << QVariant(true) << false;
            QTest::addRow("%s no single value to on", szProperty) << strProperty << QVariant() << true;
        }
    }
    void aClickBecomesTheNewValue()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, shown);
        QFETCH(bool, applied);
        const auto pEditor = CEditorHost::editor(property, 1);
        CEditorHost::show(pEditor->widget());
        pEditor->setValue(property, shown);
        QTest::mouseClick(checkBox(pEditor), Qt::LeftButton);
        QCOMPARE(CEditorHost::applied(),
                 QStringList() << QStringLiteral("CAbstractPropertyEditor::applyPropertyValue %1=%2 (0, 0)")
                                      .arg(property, applied ? "true" : "false"));
        QCOMPARE(CEditorHost::tool()->getToolProperty(property), QVariant(applied));
    }

    void theTextsAndDirectionsFollowTheLanguageAsEachShould()
    {
        const auto pOverwrite = CEditorHost::editor("overwritetextbox", 1);
        const auto pAlternatives = CEditorHost::editor("showcandidates", 1);
        QCOMPARE(checkBox(pOverwrite)->text(), QString());
        QCOMPARE(pOverwrite->widget()->findChild<QLabel*>()->text(), QStringLiteral("Overwrite text"));
        QCOMPARE(checkBox(pAlternatives)->text(), QStringLiteral("Show alternatives"));
        QCOMPARE(pAlternatives->widget()->layoutDirection(), Qt::LeftToRight);

        CLanguageManager().setLanguage(QStringLiteral("he_IL"));
        QCOMPARE(checkBox(pOverwrite)->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(checkBox(pAlternatives)->layoutDirection(), Qt::LeftToRight);
        // Showing a value lays the overwrite box out in the application's direction again.
        emit CControlSignalSource::get()->signalLanguageChanged(QStringLiteral("en_GB"), false);
        QCOMPARE(checkBox(pOverwrite)->layoutDirection(), Qt::LeftToRight);
        pOverwrite->setValue("overwritetextbox", true);
        QCOMPARE(checkBox(pOverwrite)->layoutDirection(), Qt::RightToLeft);

        // A new show-alternatives editor takes the direction of the language in use.
        const auto pLater = CEditorHost::editor("showcandidates", 1);
        QCOMPARE(pLater->widget()->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(checkBox(pLater)->layoutDirection(), Qt::RightToLeft);
    }
};

QTEST_MAIN(tst_OptionEditors)
#include "tst_optioneditors.moc"
