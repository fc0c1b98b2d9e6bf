// How the preview picture fits the left pane.
#include "view/thumbnailFit.h"

#include <QtTest>

class TestThumbnailFit : public QObject {
    Q_OBJECT

private slots:
    void fits_data()
    {
        QTest::addColumn<int>("gw");
        QTest::addColumn<int>("gh");
        QTest::addColumn<int>("areaWidth");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("percent");
        QTest::newRow("wide picture, narrow area") << 500 << 300 << 200 << true << 120 << 40;
        QTest::newRow("small picture") << 100 << 100 << 200 << false << 100 << 100;
        QTest::newRow("exactly the area width") << 200 << 150 << 200 << false << 150 << 100;
        QTest::newRow("tall picture: never taller than wide") << 100 << 300 << 200 << true << 200 << 66;
        QTest::newRow("wide and tall: height capped") << 300 << 900 << 200 << true << 200 << 22;
        QTest::newRow("half rounds to even, down") << 4 << 1 << 2 << true << 0 << 0;
        QTest::newRow("half rounds to even, up") << 4 << 3 << 2 << true << 2 << 66;
        QTest::newRow("no picture") << 0 << 0 << 200 << false << -1 << 100;
    }
    void fits()
    {
        QFETCH(int, gw);
        QFETCH(int, gh);
        QFETCH(int, areaWidth);
        QFETCH(bool, stretch);
        QFETCH(int, height);
        QFETCH(int, percent);
        const TthumbnailFit fit = FitThumbnail(gw, gh, areaWidth);
        QCOMPARE(fit.Stretch, stretch);
        QCOMPARE(fit.Height, height);
        QCOMPARE(fit.Percent, percent);
    }
};

QTEST_APPLESS_MAIN(TestThumbnailFit)
#include "tst_thumbnailFit.moc"
