// The size rule of the Size page: sizes derived from a picture, and requested changes of a field.
#include "wizard/schemeSize.h"

#include <QtTest>

class TestSchemeSize : public QObject {
    Q_OBJECT
private slots:
    void sizeFromPicture_data();
    void sizeFromPicture();
    void fieldChanges_data();
    void fieldChanges();
    void statusTexts();
};

void TestSchemeSize::sizeFromPicture_data()
{
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<int>("pictureHeight");
    QTest::addColumn<bool>("keepAspect");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("fits, aspect") << 400 << 300 << true << 400 << 300;
    QTest::newRow("fits, free") << 400 << 300 << false << 400 << 300;
    QTest::newRow("wide, aspect") << 1500 << 800 << true << 999 << 533;
    QTest::newRow("wide, free") << 1500 << 800 << false << 1000 << 533;
    QTest::newRow("tall, aspect") << 800 << 1500 << true << 533 << 999;
    QTest::newRow("tall, free") << 800 << 1500 << false << 533 << 1000;
    QTest::newRow("both sides over, aspect") << 3000 << 2000 << true << 999 << 666;
    QTest::newRow("exactly the limit") << 1000 << 1000 << true << 1000 << 1000;
    QTest::newRow("one pixel, aspect") << 1 << 1 << true << 2 << 2;
    QTest::newRow("one pixel, free") << 1 << 1 << false << 2 << 2;
    QTest::newRow("thin strip, aspect") << 2 << 2000 << true << 2 << 1000;
    // Side times requested value passes 2^31 here; the result must still be the true quotient.
    QTest::newRow("huge picture, aspect") << 100000 << 50000 << true << 1000 << 500;
}

void TestSchemeSize::sizeFromPicture()
{
    QFETCH(int, pictureWidth);
    QFETCH(int, pictureHeight);
    QFETCH(bool, keepAspect);
    QFETCH(int, width);
    QFETCH(int, height);
    TschemeSize size;
    size.KeepAspect = keepAspect;
    QCOMPARE(size.Width, TschemeSize::StartSide);
    QCOMPARE(size.Height, TschemeSize::StartSide);
    size.FitPicture(pictureWidth, pictureHeight);
    QCOMPARE(size.Width, width);
    QCOMPARE(size.Height, height);
}

enum class Change { RequestWidth, RequestHeight, ProgramWidth, ProgramHeight, StepWidth, StepHeight };
Q_DECLARE_METATYPE(Change)

void TestSchemeSize::fieldChanges_data()
{
    // Source picture, the fields as they stand, the change, and the fields after it.
    QTest::addColumn<int>("sourceWidth");
    QTest::addColumn<int>("sourceHeight");
    QTest::addColumn<bool>("keepAspect");
    QTest::addColumn<int>("startWidth");
    QTest::addColumn<int>("startHeight");
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("width typed, aspect") << 400 << 300 << true << 400 << 300 << Change::RequestWidth << 200 << 200 << 150;
    QTest::newRow("height typed, aspect") << 400 << 300 << true << 400 << 300 << Change::RequestHeight << 150 << 200 << 150;
    QTest::newRow("width typed, free") << 400 << 300 << false << 400 << 300 << Change::RequestWidth << 200 << 200 << 300;
    QTest::newRow("width over range, free") << 400 << 300 << false << 400 << 300 << Change::RequestWidth << 1500 << 1000 << 300;
    QTest::newRow("width under range, free") << 400 << 300 << false << 400 << 300 << Change::RequestWidth << 1 << 2 << 300;
    // The derived side uses the requested value before the field is held within range.
    QTest::newRow("up at 1000, aspect") << 3000 << 2000 << true << 1000 << 666 << Change::StepWidth << 1 << 1000 << 667;
    QTest::newRow("up at 1000, free") << 3000 << 2000 << false << 1000 << 666 << Change::StepWidth << 1 << 1000 << 666;
    QTest::newRow("down, aspect") << 3000 << 2000 << true << 999 << 666 << Change::StepWidth << -1 << 998 << 665;
    QTest::newRow("height down at 2, aspect") << 400 << 300 << true << 4 << 2 << Change::StepHeight << -1 << 2 << 2;
    // A program change to the current value leaves an inconsistent pair alone; leaving the field
    // (a request with the same value) runs the rule.
    QTest::newRow("program, same width") << 400 << 300 << true << 400 << 100 << Change::ProgramWidth << 400 << 400 << 100;
    QTest::newRow("leave, same width") << 400 << 300 << true << 400 << 100 << Change::RequestWidth << 400 << 400 << 300;
    QTest::newRow("program, other height") << 400 << 300 << true << 400 << 100 << Change::ProgramHeight << 150 << 200 << 150;
}

void TestSchemeSize::fieldChanges()
{
    QFETCH(int, sourceWidth);
    QFETCH(int, sourceHeight);
    QFETCH(bool, keepAspect);
    QFETCH(int, startWidth);
    QFETCH(int, startHeight);
    QFETCH(Change, change);
    QFETCH(int, value);
    QFETCH(int, width);
    QFETCH(int, height);
    TschemeSize size;
    size.SourceWidth = sourceWidth;
    size.SourceHeight = sourceHeight;
    size.KeepAspect = keepAspect;
    size.Width = startWidth;
    size.Height = startHeight;
    switch (change) {
    case Change::RequestWidth: size.RequestWidth(value); break;
    case Change::RequestHeight: size.RequestHeight(value); break;
    case Change::ProgramWidth: size.SetWidthByProgram(value); break;
    case Change::ProgramHeight: size.SetHeightByProgram(value); break;
    case Change::StepWidth: size.StepWidth(value); break;
    case Change::StepHeight: size.StepHeight(value); break;
    }
    QCOMPARE(size.Width, width);
    QCOMPARE(size.Height, height);
}

void TestSchemeSize::statusTexts()
{
    QCOMPARE(StitchesStatusText(400, 300), QStringLiteral("400x300 stitches"));
    QCOMPARE(ThreadsStatusText(12), QStringLiteral("12 threads"));
    QCOMPARE(StitchesStatusText(1000, 2, QStringLiteral("Stiche")), QStringLiteral("1000x2 Stiche"));
}

QTEST_APPLESS_MAIN(TestSchemeSize)
#include "tst_schemeSize.moc"
