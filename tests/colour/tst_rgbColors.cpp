// The colour types: octree keys, the two distance modes, clamping and packing, averaging, and the
// sorted colour list with its approximate nearest-colour index.
#include "colour/rgbColors.h"

#include <QtTest>
#include <cmath>

namespace {
QString Digits(const TrgbColor &colour)
{
    QStringList digits;
    for (int level = 0; level < 8; ++level)
        digits << QString::number(colour.OctDigit(level));
    return digits.join(' ');
}

// A list set from the given colours, in that order, then sorted and indexed.
TrgbArray SortedList(const QList<TrgbColor> &colours)
{
    TrgbArray list(std::int32_t(colours.size()));
    for (int i = 0; i < colours.size(); ++i)
        list.SetItem(i, TcountColor::CreateFromRgb(colours[i]));
    list.Sort();
    return list;
}

TrgbColor Raw(int red, int green, int blue)
{
    TrgbColor colour;  // no Update: channels as given, out of range included
    colour.Red = red;
    colour.Green = green;
    colour.Blue = blue;
    return colour;
}
}  // namespace

class TestRgbColors : public QObject {
    Q_OBJECT
private slots:
    void init() { TrgbColor::SetUseEyesight(true); }
    void cleanupTestCase() { TrgbColor::SetUseEyesight(true); }

    void octKeyDigits_data();
    void octKeyDigits();
    void keyOfEveryChannelValue();
    void createClampsAndUpdates();
    void distance_data();
    void distance();
    void packing_data();
    void packing();
    void isDark_data();
    void isDark();
    void sameColorIgnoresThread();
    void average_data();
    void average();
    void sortOrder();
    void indexChildren_data();
    void indexChildren();
    void searchThroughIndex_data();
    void searchThroughIndex();
    void tiesGoToHighestIndex();
};

void TestRgbColors::octKeyDigits_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("digits");
    QTest::newRow("red") << 255 << 0 << 0 << "1 1 1 1 1 1 1 1";
    QTest::newRow("green") << 0 << 255 << 0 << "2 2 2 2 2 2 2 2";
    QTest::newRow("blue") << 0 << 0 << 255 << "4 4 4 4 4 4 4 4";
    QTest::newRow("white") << 255 << 255 << 255 << "7 7 7 7 7 7 7 7";
    QTest::newRow("top red bit") << 128 << 0 << 0 << "1 0 0 0 0 0 0 0";
    QTest::newRow("lowest red bit") << 1 << 0 << 0 << "0 0 0 0 0 0 0 1";
    QTest::newRow("mixed") << 200 << 100 << 50 << "1 3 6 4 1 2 4 0";
}

void TestRgbColors::octKeyDigits()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, digits);
    const TrgbColor colour(red, green, blue);
    QCOMPARE(Digits(colour), digits);
    QCOMPARE(TrgbColor::MakeOctKey(std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue)), colour.OctKey);
    // No level uses its fourth bit.
    QCOMPARE(colour.OctKey & 0x88888888u, 0u);
}

void TestRgbColors::keyOfEveryChannelValue()
{
    for (int v = 0; v < 256; ++v) {
        std::uint32_t spread = 0;
        for (int level = 0; level < 8; ++level)
            spread |= std::uint32_t((v >> (7 - level)) & 1) << (4 * level);
        QCOMPARE(TrgbColor::MakeOctKey(std::uint8_t(v), 0, 0), spread);
        QCOMPARE(TrgbColor::MakeOctKey(0, std::uint8_t(v), 0), spread << 1);
        QCOMPARE(TrgbColor::MakeOctKey(0, 0, std::uint8_t(v)), spread << 2);
        QCOMPARE(TrgbColor::MakeOctKey(std::uint8_t(v), std::uint8_t(255 - v), std::uint8_t(v ^ 0x5A)),
                 spread | (TrgbColor::MakeOctKey(0, std::uint8_t(255 - v), 0)) | (TrgbColor::MakeOctKey(0, 0, std::uint8_t(v ^ 0x5A))));
    }
}

void TestRgbColors::createClampsAndUpdates()
{
    QCOMPARE(TrgbColor(200, 100, 50).OctKey, 0x04214631u);
    QCOMPARE(TrgbColor(128, 0, 0).OctKey, 1u);

    const TrgbColor colour(-20, 300, 7, "310");
    QCOMPARE(colour.Red, 0);
    QCOMPARE(colour.Green, 255);
    QCOMPARE(colour.Blue, 7);
    QCOMPARE(colour.Thread, QByteArray("310"));
    QCOMPARE(colour.OctKey, TrgbColor::MakeOctKey(0, 255, 7));
    QCOMPARE(double(colour.SquaredMagnitude), 255.0 * 255 + 49);
    QVERIFY(std::fabs(double(colour.Magnitude) - std::sqrt(255.0 * 255 + 49)) < 1e-9);

    const TrgbColor packed = TrgbColor::CreateFromColor(0x00302010);
    QCOMPARE(packed.Red, 0x10);
    QCOMPARE(packed.Green, 0x20);
    QCOMPARE(packed.Blue, 0x30);
    QVERIFY(packed.Thread.isEmpty());
}

void TestRgbColors::distance_data()
{
    QTest::addColumn<bool>("eyesight");
    QTest::addColumn<QList<int>>("a");
    QTest::addColumn<QList<int>>("b");
    QTest::addColumn<double>("expected");
    QTest::newRow("red to green") << false << QList<int>{100, 0, 0} << QList<int>{0, 100, 0} << 30000.0;
    QTest::newRow("red to dark green") << false << QList<int>{100, 0, 0} << QList<int>{0, 50, 0} << 15000.0;
    QTest::newRow("not symmetric") << false << QList<int>{0, 50, 0} << QList<int>{100, 0, 0} << 22500.0;
    QTest::newRow("same hue, darker") << false << QList<int>{100, 100, 100} << QList<int>{50, 50, 50} << 7500.0;
    QTest::newRow("slightly redder") << false << QList<int>{100, 100, 100} << QList<int>{110, 100, 100} << 166.6667;
    QTest::newRow("black is plain") << false << QList<int>{0, 0, 0} << QList<int>{3, 4, 12} << 169.0;
    QTest::newRow("eyesight weights") << true << QList<int>{10, 20, 30} << QList<int>{0, 0, 0} << 36500.0;
    QTest::newRow("eyesight maximum") << true << QList<int>{255, 255, 255} << QList<int>{0, 0, 0} << 6502500.0;
    QTest::newRow("eyesight red to green") << true << QList<int>{100, 0, 0} << QList<int>{0, 100, 0} << 890000.0;
}

void TestRgbColors::distance()
{
    QFETCH(bool, eyesight);
    QFETCH(QList<int>, a);
    QFETCH(QList<int>, b);
    QFETCH(double, expected);
    TrgbColor::SetUseEyesight(eyesight);
    QCOMPARE(TrgbColor::UseEyesight(), eyesight);
    const TextendedFloat d = TrgbColor::Distance(TrgbColor(a[0], a[1], a[2]), TrgbColor(b[0], b[1], b[2]));
    QVERIFY2(std::fabs(double(d) - expected) < 1e-3, qPrintable(QString::number(double(d), 'f', 6)));
}

void TestRgbColors::packing_data()
{
    QTest::addColumn<QList<int>>("channels");
    QTest::addColumn<uint>("packed");
    QTest::addColumn<uint>("halfTone");
    QTest::addColumn<QList<int>>("clamped");
    QTest::newRow("black") << QList<int>{0, 0, 0} << 0x000000u << 0x808080u << QList<int>{0, 0, 0};
    QTest::newRow("white") << QList<int>{255, 255, 255} << 0xFFFFFFu << 0xFFFFFFu << QList<int>{255, 255, 255};
    QTest::newRow("red") << QList<int>{255, 0, 0} << 0x0000FFu << 0x8080FFu << QList<int>{255, 0, 0};
    QTest::newRow("odd channels") << QList<int>{1, 3, 5} << 0x050301u << 0x828180u << QList<int>{1, 3, 5};
    QTest::newRow("out of range") << QList<int>{300, -5, 128} << 0x8000FFu << 0xC080FFu << QList<int>{255, 0, 128};
}

void TestRgbColors::packing()
{
    QFETCH(QList<int>, channels);
    QFETCH(uint, packed);
    QFETCH(uint, halfTone);
    QFETCH(QList<int>, clamped);
    TrgbColor colour = Raw(channels[0], channels[1], channels[2]);
    QCOMPARE(uint(colour.ToColor()), packed);
    // ToColor clamps the colour itself.
    QCOMPARE((QList<int>{colour.Red, colour.Green, colour.Blue}), clamped);
    TrgbColor pale = Raw(channels[0], channels[1], channels[2]);
    QCOMPARE(uint(pale.HalfToneColor()), halfTone);
    QCOMPARE((QList<int>{pale.Red, pale.Green, pale.Blue}), clamped);
}

void TestRgbColors::isDark_data()
{
    QTest::addColumn<QList<int>>("channels");
    QTest::addColumn<bool>("dark");
    QTest::newRow("383 div 3 is 127") << QList<int>{127, 128, 128} << true;
    QTest::newRow("mid grey") << QList<int>{128, 128, 128} << false;
    QTest::newRow("clamped before the test") << QList<int>{-400, -400, 400} << true;
    QTest::newRow("white") << QList<int>{255, 255, 255} << false;
}

void TestRgbColors::isDark()
{
    QFETCH(QList<int>, channels);
    QFETCH(bool, dark);
    TrgbColor colour = Raw(channels[0], channels[1], channels[2]);
    QCOMPARE(colour.IsDark(), dark);
}

void TestRgbColors::sameColorIgnoresThread()
{
    QVERIFY(TrgbColor(1, 2, 3, "a").SameColor(TrgbColor(1, 2, 3, "b")));
    QVERIFY(!TrgbColor(1, 2, 3, "a").SameColor(TrgbColor(1, 2, 4, "a")));
}

void TestRgbColors::average_data()
{
    QTest::addColumn<QList<int>>("sums");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("average");
    QTest::newRow("halves to even") << QList<int>{5, 7, 9} << 2 << QList<int>{2, 4, 4};
    QTest::newRow("more halves") << QList<int>{1, 3, 11} << 2 << QList<int>{0, 2, 6};
    QTest::newRow("thirds") << QList<int>{10, 11, 765} << 3 << QList<int>{3, 4, 255};
    QTest::newRow("one colour") << QList<int>{12, 34, 56} << 1 << QList<int>{12, 34, 56};
}

void TestRgbColors::average()
{
    QFETCH(QList<int>, sums);
    QFETCH(int, count);
    QFETCH(QList<int>, average);
    TsumColor sum;
    sum.Red = sums[0];
    sum.Green = sums[1];
    sum.Blue = sums[2];
    sum.Count = count;
    sum.Average();
    QCOMPARE((QList<int>{sum.Red, sum.Green, sum.Blue}), average);
    QCOMPARE(sum.Count, 1);
    QCOMPARE(sum.OctKey, TrgbColor(average[0], average[1], average[2]).OctKey);
}

void TestRgbColors::sortOrder()
{
    const TrgbArray list = SortedList({TrgbColor(0, 0, 0, "black"), TrgbColor(255, 255, 127, "light"),
                                       TrgbColor(255, 255, 255, "white"), TrgbColor(0, 0, 128, "navy"),
                                       TrgbColor(10, 10, 10, "dark"), TrgbColor(10, 10, 10, "dark too")});
    QList<QByteArray> order;
    for (int i = 0; i < list.Count; ++i)
        order << list.GetItem(i).Thread;
    // Descending by blue, green, red bit 7, then bit 6 and so on; equal colours keep their order.
    QCOMPARE(order, (QList<QByteArray>{"white", "navy", "light", "dark", "dark too", "black"}));
}

void TestRgbColors::indexChildren_data()
{
    QTest::addColumn<QList<TrgbColor>>("colours");
    QTest::addColumn<QList<int>>("childRanges");  // per level-0 digit: lo, hi; -1, -1 for none
    QTest::newRow("five colours: no index")
        << QList<TrgbColor>{TrgbColor(255, 255, 255), TrgbColor(0, 0, 0), TrgbColor(255, 0, 0),
                            TrgbColor(0, 255, 0), TrgbColor(0, 0, 255)}
        << QList<int>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    QTest::newRow("six colours: split at level 0")
        << QList<TrgbColor>{TrgbColor(255, 255, 255), TrgbColor(0, 0, 0), TrgbColor(255, 0, 0),
                            TrgbColor(0, 255, 0), TrgbColor(0, 0, 255), TrgbColor(10, 10, 10)}
        << QList<int>{4, 5, 3, 3, 2, 2, -1, -1, 1, 1, -1, -1, -1, -1, 0, 0};
    // Digits 7, 7, 7, 5, 5, 5, 5, 3 at level 0: the last item closes the run of fives.
    QTest::newRow("last item joins the run before it")
        << QList<TrgbColor>{TrgbColor(200, 200, 0), TrgbColor(130, 110, 130), TrgbColor(130, 130, 130),
                            TrgbColor(255, 120, 255), TrgbColor(200, 200, 200), TrgbColor(150, 100, 150),
                            TrgbColor(200, 120, 200), TrgbColor(255, 255, 255)}
        << QList<int>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 3, 7, -1, -1, 0, 2};
}

void TestRgbColors::indexChildren()
{
    QFETCH(QList<TrgbColor>, colours);
    QFETCH(QList<int>, childRanges);
    const TrgbArray list = SortedList(colours);
    for (int d = 0; d < 8; ++d) {
        const TarrayBounds *child = list.Root->Children[std::size_t(d)].get();
        QCOMPARE(child ? child->Lo : -1, childRanges[2 * d]);
        QCOMPARE(child ? child->Hi : -1, childRanges[2 * d + 1]);
        if (child)
            QCOMPARE(child->Parent, list.Root.get());
    }
}

void TestRgbColors::searchThroughIndex_data()
{
    QTest::addColumn<QList<int>>("sought");
    QTest::addColumn<QList<int>>("found");
    // A digit without a child at the root: the whole list is scanned.
    QTest::newRow("no child for the digit") << QList<int>{140, 140, 120} << QList<int>{130, 130, 130};
    // Digit 7 descends into items 0-2, too few for children of their own; the scan then covers
    // the parent's range, the whole list, and finds a colour of the fives.
    QTest::newRow("scan one level up") << QList<int>{200, 128, 200} << QList<int>{200, 120, 200};
}

void TestRgbColors::searchThroughIndex()
{
    QFETCH(QList<int>, sought);
    QFETCH(QList<int>, found);
    TrgbArray list = SortedList({TrgbColor(200, 200, 0), TrgbColor(130, 110, 130), TrgbColor(130, 130, 130),
                                 TrgbColor(255, 120, 255), TrgbColor(200, 200, 200), TrgbColor(150, 100, 150),
                                 TrgbColor(200, 120, 200), TrgbColor(255, 255, 255)});
    const std::int32_t index = list.FindAndCount(TrgbColor(sought[0], sought[1], sought[2]));
    const TcountColor &hit = list.GetItem(index);
    QCOMPARE((QList<int>{hit.Red, hit.Green, hit.Blue}), found);
    QCOMPARE(hit.Count, 1);
    int total = 0;
    for (int i = 0; i < list.Count; ++i)
        total += list.GetItem(i).Count;
    QCOMPARE(total, 1);
}

void TestRgbColors::tiesGoToHighestIndex()
{
    for (bool eyesight : {true, false}) {
        TrgbColor::SetUseEyesight(eyesight);
        TrgbArray same = SortedList({TrgbColor(50, 60, 70, "first"), TrgbColor(50, 60, 70, "second")});
        QCOMPARE(same.FindAndCount(TrgbColor(40, 40, 40)), 1);
        // Two different colours exactly as far from the colour sought in this mode.
        TrgbArray pair = eyesight ? SortedList({TrgbColor(30, 30, 30), TrgbColor(10, 10, 10)})
                                  : SortedList({TrgbColor(200, 0, 0), TrgbColor(0, 200, 0)});
        const TrgbColor sought = eyesight ? TrgbColor(20, 20, 20) : TrgbColor(0, 0, 200);
        QCOMPARE(TrgbColor::Distance(sought, pair.GetItem(0)), TrgbColor::Distance(sought, pair.GetItem(1)));
        QCOMPARE(pair.FindAndCount(sought), 1);
        QCOMPARE(pair.GetItem(1).Count, 1);
        QCOMPARE(pair.GetItem(0).Count, 0);
    }
}

QTEST_GUILESS_MAIN(TestRgbColors)
#include "tst_rgbColors.moc"
