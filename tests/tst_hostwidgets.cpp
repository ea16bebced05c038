// The host's ready-made controls as a user and the plug-in's editors meet them: each offers what it
// should, announces a choice the user makes in the form the editors store, and stays silent when a
// value is shown from code.
#include "colorselect.h"
#include "fillcolourwidget.h"
#include "fontcombobox.h"
#include "linestylewidget.h"
#include "penbase.h"
#include "pencolourwidget.h"
#include "penwidthwidget.h"
#include "userinput.h"

#include <QAbstractButton>

typedef QList<PenUtil::ELineStyle> TStyles;
Q_DECLARE_METATYPE(TStyles)

class tst_HostWidgets : public QObject
{
    Q_OBJECT

private slots:
    void theColourBoxAnnouncesOnlyTheColoursTheUserPicks_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QColor>("offered");
        QTest::newRow("normal") << "normal" << QColor(Qt::red);
        QTest::newRow("highlighter") << "highlighter" << QColor(255, 255, 0, 128);
    }
    void theColourBoxAnnouncesOnlyTheColoursTheUserPicks()
    {
        QFETCH(QString, type);
        QFETCH(QColor, offered);
        CColorSelect box(type);
        QVERIFY(shown(&box));
        QSignalSpy chosen(&box, &CColorSelect::signalTypeAndColourSelected);
        const int iOffered = box.count();
        box.setCurrentColor(offered);
        const QColor ownColour(1, 2, 3, 200);
        box.setCurrentColor(ownColour);
        box.setCurrentColor(ownColour);
        QCOMPARE(box.count(), iOffered + 1);
        QCOMPARE(box.currentColor(), ownColour);
        // An editor's entry for "no single colour" carries no colour and is never announced.
        box.insertItem(0, QIcon(), QString(), QStringLiteral("multiple"));
        pickFromList(&box, 0);
        QCOMPARE(chosen.count(), 0);

        pickFromList(&box, box.findData(CPenBase::encodeColor(offered)));
        pickFromList(&box, box.count() - 1);
        QCOMPARE(QList<QVariantList>(chosen),
                 QList<QVariantList>({{type + ";" + CPenBase::encodeColor(offered)}, {type + ";#C8010203"}}));
    }

    void comboBoxesTellWhenTheirListOpensAndCloses()
    {
        CComboBox box;
        box.addItems({"a", "b"});
        CFontComboBox fonts;
        QVERIFY(shown(&box));
        QVERIFY(shown(&fonts));
        QSignalSpy boxShown(&box, &CComboBox::signalPopupShown);
        QSignalSpy boxHidden(&box, &CComboBox::signalPopupHidden);
        QSignalSpy fontsShown(&fonts, &CFontComboBox::signalPopupShown);
        QSignalSpy fontsHidden(&fonts, &CFontComboBox::signalPopupHidden);
        pickFromList(&box, 1);
        fonts.showPopup();
        QTest::keyClick(fonts.view(), Qt::Key_Escape);
        QCOMPARE(boxShown.count(), 1);
        QCOMPARE(boxHidden.count(), 1);
        QCOMPARE(fontsShown.count(), 1);
        QCOMPARE(fontsHidden.count(), 1);
        QCOMPARE(box.currentIndex(), 1);
    }

    void thePenColourChooserAnnouncesPenDescriptions()
    {
        CPencolourWidget chooser;
        QVERIFY(shown(&chooser));
        QSignalSpy chosen(&chooser, &CPencolourWidget::signalTypeAndColourSelected);
        QVERIFY(!chooser.shadeButton("null;"));
        chooser.addNoneColourShade();
        chooser.addNoneColourShade();
        QCOMPARE(chooser.shadeDescriptions().count("null;"), 1);
        QCOMPARE(chooser.shadeDescriptions().first(), QStringLiteral("null;"));

        // Other spellings of an offered pen find its shade; shown values are never announced.
        chooser.setCurrentColor("normal;#ff0000");
        QCOMPARE(chooser.currentDescription(), QStringLiteral("normal;#FFFF0000"));
        chooser.setCurrentColor("null;");
        QCOMPARE(chooser.currentDescription(), QStringLiteral("null;"));
        chooser.setCurrentColor(QVariant());
        QCOMPARE(chooser.currentDescription(), QString());
        chooser.setCurrentColor("shadow;#FF112233");
        QCOMPARE(chooser.currentDescription(), QStringLiteral("shadow;#FF112233"));
        QCOMPARE(chosen.count(), 0);
    }

    void theFillChooserShowsAValueAndAnnouncesItsShade_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("announced");
        QTest::newRow("no fill, bare") << "null"
                                       << "null;#00FFFFFF";
        QTest::newRow("own colour") << "highlighter;#40102030"
                                    << "highlighter;#40102030";
    }
    void theFillChooserShowsAValueAndAnnouncesItsShade()
    {
        QFETCH(QString, value);
        QFETCH(QString, announced);
        CFillcolourWidget chooser;
        QVERIFY(shown(&chooser));
        QSignalSpy chosen(&chooser, &CFillcolourWidget::signalTypeAndColourSelected);
        chooser.setCurrentColor(value);
        QCOMPARE(chooser.currentDescription(), announced);
        QCOMPARE(chosen.count(), 0);
        QTest::mouseClick(chooser.shadeButton(announced), Qt::LeftButton);
        QCOMPARE(QList<QVariantList>(chosen), QList<QVariantList>({{announced}}));
    }

    void theWidthBoxShowsAnyWidthAndAnnouncesOnlyPicks()
    {
        CPenWidthWidget box;
        QVERIFY(shown(&box));
        QSignalSpy chosen(&box, &CPenWidthWidget::signalWidthChanged);
        const QList<double> offered = box.widths();
        box.setPenWidth(5.0);
        QCOMPARE(box.penWidth(), 5.0);
        box.setPenWidth(2.5);
        QCOMPARE(box.penWidth(), 2.5);
        QCOMPARE(box.itemData(box.currentIndex() - 1).toDouble(), 2.0);
        QCOMPARE(box.itemData(box.currentIndex() + 1).toDouble(), 3.0);
        box.setPenWidth(7.0);
        QCOMPARE(box.widths(), offered);
        box.setPenWidth(0.0);
        QCOMPARE(box.currentIndex(), -1);
        QCOMPARE(chosen.count(), 0);

        box.setPenWidth(7.0);
        pickFromList(&box, box.currentIndex() + 1);
        QCOMPARE(QList<QVariantList>(chosen), QList<QVariantList>({{8.0}}));
        QCOMPARE(box.penWidth(), 8.0);
    }

    void theStyleBoxOffersOnlyTheStylesItIsGiven_data()
    {
        QTest::addColumn<TStyles>("given");
        QTest::addColumn<TStyles>("offered");
        QTest::addColumn<QVariant>("style");
        QTest::addColumn<QVariant>("display");
        using namespace PenUtil;
        const TStyles drawn = {eLineStyleSolid, eLineStyleDash, eLineStyleDot, eLineStyleDashDot,
                               eLineStyleDashDotDot};
        QTest::newRow("any style") << TStyles() << drawn << QVariant(3) << QVariant(3);
        QTest::newRow("a style not offered")
            << TStyles{eLineStyleSolid} << TStyles{eLineStyleSolid} << QVariant(3) << QVariant();
        QTest::newRow("nothing to show")
            << TStyles{eLineStyleNone} << TStyles{eLineStyleNone} << QVariant() << QVariant();
        QTest::newRow("repeats and unknown codes")
            << TStyles{eLineStyleDot, eLineStyleSolid, eLineStyleDot, ELineStyle(9)}
            << TStyles{eLineStyleSolid, eLineStyleDot} << QVariant(1) << QVariant(1);
    }
    void theStyleBoxOffersOnlyTheStylesItIsGiven()
    {
        QFETCH(TStyles, given);
        QFETCH(TStyles, offered);
        QFETCH(QVariant, style);
        QFETCH(QVariant, display);
        CLineStyleWidget box;
        QVERIFY(shown(&box));
        QSignalSpy chosen(&box, &CLineStyleWidget::signalLineStyleChanged);
        box.setLineStyle(style, given);
        QCOMPARE(box.offeredStyles(), offered);
        QCOMPARE(box.lineStyle(), display);
        QCOMPARE(chosen.count(), 0);

        pickFromList(&box, offered.size() - 1);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).value<PenUtil::ELineStyle>(), offered.last());
    }
};

QTEST_MAIN(tst_HostWidgets)
#include "tst_hostwidgets.moc"
