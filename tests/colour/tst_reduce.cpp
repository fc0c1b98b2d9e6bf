// The reduction of a true-colour picture to a scheme raster: stitch counts, the preview, error
// diffusion and the run on a real photograph with a real kit.
#include "colour/ocTrees.h"
#include "colour/rgbBitmaps.h"
#include "colour/testKits.h"

#include <QCoreApplication>
#include <QSet>

namespace {
struct Tresult {
    std::unique_ptr<TindexBitmap> Scheme;
    QImage Preview;
};

Tresult AnalyseAndReduce(const QImage &picture, TocTree &tree, int n, bool dither)
{
    const TrgbBitmap colours(picture);
    colours.Analyse(tree);
    Tresult result;
    result.Preview = QImage(picture.width(), picture.height(), QImage::Format_RGB32);
    result.Scheme = colours.Reduce(n, dither, tree, result.Preview);
    return result;
}

// Every stitch count matches the cells holding its index, and every preview pixel is the colour
// of its cell's thread.
void VerifyCountsAndPreview(const Tresult &result)
{
    const TindexBitmap &scheme = *result.Scheme;
    QList<int> counted(scheme.ColorCount(), 0);
    for (int y = 0; y < scheme.Height; ++y) {
        for (int x = 0; x < scheme.Width; ++x) {
            const int index = scheme.GetPixel(y, x);
            QVERIFY(index >= 0 && index < scheme.ColorCount());
            ++counted[index];
            const TcountColor &thread = scheme.GetColor(index);
            QCOMPARE(result.Preview.pixel(x, y), qRgb(thread.Red, thread.Green, thread.Blue));
        }
    }
    int total = 0;
    for (int i = 0; i < scheme.ColorCount(); ++i) {
        QCOMPARE(scheme.GetColor(i).Count, counted[i]);
        total += counted[i];
    }
    QCOMPARE(total, scheme.Width * scheme.Height);
}

// The reduction done literally, one full working colour per cell, for comparison.
std::vector<std::int32_t> StepByStepIndices(const TrgbBitmap &picture, TrgbArray &colours, bool dither)
{
    const int w = picture.Width, h = picture.Height;
    std::vector<TrgbColor> work;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            work.push_back(picture.Pixel(y, x));
    std::vector<std::int32_t> indices(std::size_t(w * h));
    auto cell = [&](int y, int x) -> TrgbColor & { return work[std::size_t(y * w + x)]; };
    for (int y = h - 1; y >= 0; --y) {
        for (int x = w - 1; x >= 0; --x) {
            if (dither)
                cell(y, x).Update();
            const std::int32_t i = colours.FindAndCount(cell(y, x));
            const TcountColor &t = colours.GetItem(i);
            if (dither) {
                const int e[3] = {cell(y, x).Red - t.Red, cell(y, x).Green - t.Green, cell(y, x).Blue - t.Blue};
                auto add = [&](TrgbColor &c, int k) { c.AddError(e[0] * k / 21, e[1] * k / 21, e[2] * k / 21); };
                if (y > 0)
                    add(cell(y - 1, x), 5);
                if (y > 0 && x > 0)
                    add(cell(y - 1, x - 1), 1);
                if (y > 0 && x < w - 1)
                    add(cell(y - 1, x + 1), 3);
                if (x > 0)
                    add(cell(y, x - 1), 7);
            }
            indices[std::size_t(y * w + x)] = i;
        }
    }
    return indices;
}

QString DmcKit()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Threads/DMC.thr");
}
}  // namespace

class TestReduce : public QObject {
    Q_OBJECT
private slots:
    void init() { TrgbColor::SetUseEyesight(true); }
    void cleanupTestCase() { TrgbColor::SetUseEyesight(true); }

    void picturePixelsArePacked();
    void oneColourPicture_data();
    void oneColourPicture();
    void errorShares_data();
    void errorShares();
    void ditheringMixesUniformArea();
    void matchesStepByStepReduction_data();
    void matchesStepByStepReduction();
    void realKitAndPhoto_data();
    void realKitAndPhoto();
    void smallPreviewIsReplaced();
};

void TestReduce::picturePixelsArePacked()
{
    const TrgbBitmap picture(MakePicture({{qRgb(1, 2, 3), qRgba(250, 128, 7, 0)}}));
    QCOMPARE(picture.Width, 2);
    QCOMPARE(picture.Height, 1);
    QCOMPARE(picture.Pixels[0], TpackedColor(0x030201));
    const TrgbColor second = picture.Pixel(0, 1);
    QCOMPARE((QList<int>{second.Red, second.Green, second.Blue}), (QList<int>{250, 128, 7}));
    QCOMPARE(second.OctKey, TrgbColor(250, 128, 7).OctKey);
}

void TestReduce::oneColourPicture_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("dither");
    QTest::newRow("2, plain") << 2 << false;
    QTest::newRow("2, dithered") << 2 << true;
    QTest::newRow("50, dithered") << 50 << true;
}

void TestReduce::oneColourPicture()
{
    QFETCH(int, n);
    QFETCH(bool, dither);
    QTemporaryDir dir;
    const auto tree = TocTree::LoadThreadKit(
        WriteKit(dir, "four", {"a=200,30,40", "b=10,10,10", "c=90,180,240", "d=201,30,40"}));
    const Tresult result = AnalyseAndReduce(UniformPicture(7, 5, qRgb(90, 180, 240)), *tree, n, dither);
    QCOMPARE(result.Scheme->ColorCount(), 1);
    QCOMPARE(result.Scheme->GetColor(0).Thread, QByteArray("c"));
    QCOMPARE(result.Scheme->GetColor(0).Count, 35);
    QCOMPARE(result.Scheme->UsedColorCount(), 1);
    VerifyCountsAndPreview(result);
}

// A 3 x 2 picture of greys reduced to two threads, A (100) and B (121): a cell goes to B when its
// working grey is 111 or more. One source cell makes an error of +10 (grey 110 to A) or -10
// (grey 111 to B); the cells processed between it and the target are set so that they go exactly
// to a thread and pass nothing on. A target of grey 111 - share then goes to B, one of
// 110 - share to A, which pins the share the target received.
void TestReduce::errorShares_data()
{
    QTest::addColumn<QList<int>>("greys");  // top row, then bottom row
    QTest::addColumn<int>("targetRow");
    QTest::addColumn<int>("targetCol");
    QTest::addColumn<int>("expectedGrey");

    struct Tcase {
        const char *name;
        int targetRow, targetCol;
        int share[2];  // for +10 and for -10
    };
    const Tcase cases[] = {{"left", 1, 1, {3, -3}},
                           {"above", 0, 2, {2, -2}},
                           {"above left", 0, 1, {0, 0}},
                           {"above right", 0, 2, {1, -1}}};
    for (const Tcase &c : cases) {
        for (int sign = 0; sign < 2; ++sign) {
            const bool plus = sign == 0;
            const int source = plus ? 110 : 111;
            // Greys that meet an incoming share of +3/-3 or +2/-2 and land exactly on a thread.
            const int takes3 = plus ? 97 : 124;
            const int takes2 = plus ? 98 : 123;
            for (int flip = 0; flip < 2; ++flip) {
                const int target = (flip ? 111 : 110) - c.share[sign];
                QList<int> greys;  // (0,0) (0,1) (0,2) (1,0) (1,1) (1,2); (0,0) keeps B populated
                const QString name = QStringLiteral("%1, %2, %3").arg(c.name, plus ? "+10" : "-10", flip ? "to B" : "to A");
                if (QByteArray(c.name) == "left")
                    greys = {121, 100, 100, 100, target, source};
                else if (QByteArray(c.name) == "above")
                    greys = {121, 100, target, 100, takes3, source};
                else if (QByteArray(c.name) == "above left")
                    greys = {121, target, takes2, 100, takes3, source};
                else
                    greys = {121, 100, target, takes3, source, 100};
                QTest::newRow(qPrintable(name)) << greys << c.targetRow << c.targetCol << (flip ? 121 : 100);
            }
        }
    }
}

void TestReduce::errorShares()
{
    QFETCH(QList<int>, greys);
    QFETCH(int, targetRow);
    QFETCH(int, targetCol);
    QFETCH(int, expectedGrey);
    QTemporaryDir dir;
    const auto tree = TocTree::LoadThreadKit(WriteKit(dir, "greys", {"A=100,100,100", "B=121,121,121"}));
    const QImage picture = MakePicture({{Grey(greys[0]), Grey(greys[1]), Grey(greys[2])},
                                        {Grey(greys[3]), Grey(greys[4]), Grey(greys[5])}});
    const Tresult result = AnalyseAndReduce(picture, *tree, 2, true);
    QCOMPARE(result.Scheme->ColorCount(), 2);
    QCOMPARE(result.Preview.pixel(targetCol, targetRow), Grey(expectedGrey));
    // The cells before the target took the thread their grey was chosen for.
    const TcountColor &bottomRight = result.Scheme->GetColor(result.Scheme->GetPixel(1, 2));
    QCOMPARE(bottomRight.Red, greys[5] == 111 ? 121 : 100);
    VerifyCountsAndPreview(result);
}

void TestReduce::ditheringMixesUniformArea()
{
    QTemporaryDir dir;
    const auto tree = TocTree::LoadThreadKit(WriteKit(dir, "greys", {"A=100,100,100", "B=121,121,121"}));
    // Grey 106 is nearer A; the lone B pixel in the top-left corner is processed last.
    QImage picture = UniformPicture(20, 20, Grey(106));
    picture.setPixel(0, 0, Grey(121));
    for (bool dither : {false, true}) {
        const Tresult result = AnalyseAndReduce(picture, *tree, 2, dither);
        QCOMPARE(result.Scheme->ColorCount(), 2);
        int ofB = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                if ((x || y) && result.Preview.pixel(x, y) == Grey(121))
                    ++ofB;
        if (dither)
            QVERIFY2(ofB > 40 && ofB < 359, qPrintable(QString::number(ofB)));
        else
            QCOMPARE(ofB, 0);
        VerifyCountsAndPreview(result);
    }
}

void TestReduce::matchesStepByStepReduction_data()
{
    QTest::addColumn<bool>("dither");
    QTest::addColumn<bool>("eyesight");
    QTest::newRow("dithered, eyesight") << true << true;
    QTest::newRow("plain, eyesight") << false << true;
    QTest::newRow("dithered, plain distance") << true << false;
    QTest::newRow("plain, plain distance") << false << false;
}

// Reduce keeps two rows of working channels and searches by faster means; every index and count
// must still be those of the literal procedure.
void TestReduce::matchesStepByStepReduction()
{
    QFETCH(bool, dither);
    QFETCH(bool, eyesight);
    TrgbColor::SetUseEyesight(eyesight);
    const auto tree = TocTree::LoadThreadKit(DmcKit());
    const TrgbBitmap picture(QImage(QStringLiteral(KANVO_TEST_DATA "/brushes-1000.jpg")).scaled(160, 120));
    picture.Analyse(*tree);
    QImage preview(160, 120, QImage::Format_RGB32);
    const auto scheme = picture.Reduce(30, dither, *tree, preview);
    const auto colours = tree->ChoosePalette(30);
    const std::vector<std::int32_t> expected = StepByStepIndices(picture, *colours, dither);
    QVERIFY(scheme->Indices == expected);
    for (int i = 0; i < colours->Count; ++i)
        QCOMPARE(scheme->GetColor(i).Count, colours->GetItem(i).Count);
}

void TestReduce::realKitAndPhoto_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("dither");
    QTest::addColumn<bool>("eyesight");
    QTest::newRow("50, dithered, eyesight") << 50 << true << true;
    QTest::newRow("50, plain, plain distance") << 50 << false << false;
    QTest::newRow("7, dithered, plain distance") << 7 << true << false;
}

void TestReduce::realKitAndPhoto()
{
    QFETCH(int, n);
    QFETCH(bool, dither);
    QFETCH(bool, eyesight);
    TrgbColor::SetUseEyesight(eyesight);
    const auto tree = TocTree::LoadThreadKit(DmcKit());
    const QImage photo = QImage(QStringLiteral(KANVO_TEST_DATA "/brushes-1000.jpg")).scaled(150, 120);
    QVERIFY(!photo.isNull());

    const Tresult first = AnalyseAndReduce(photo, *tree, n, dither);
    const TindexBitmap &scheme = *first.Scheme;
    QCOMPARE(scheme.ColorCount(), n);
    QSet<QByteArray> threads;
    QSet<TpackedColor> colours;
    for (int i = 0; i < scheme.ColorCount(); ++i) {
        TcountColor thread = scheme.GetColor(i);
        QVERIFY(!thread.Thread.isEmpty());
        threads.insert(thread.Thread);
        colours.insert(thread.ToColor());
    }
    QCOMPARE(threads.size(), n);
    QCOMPARE(colours.size(), n);
    QVERIFY(scheme.UsedColorCount() <= n);
    VerifyCountsAndPreview(first);

    // Pixels are never changed by a reduction, so a second one gives the same scheme.
    const TrgbBitmap picture(photo);
    picture.Analyse(*tree);
    QImage preview(150, 120, QImage::Format_RGB32);
    const auto again = picture.Reduce(n, dither, *tree, preview);
    const auto third = picture.Reduce(n, dither, *tree, preview);
    QCOMPARE(again->Indices, scheme.Indices);
    QCOMPARE(third->Indices, scheme.Indices);
    QCOMPARE(preview, first.Preview);
}

void TestReduce::smallPreviewIsReplaced()
{
    QTemporaryDir dir;
    const auto tree = TocTree::LoadThreadKit(WriteKit(dir, "two", {"a=0,0,0", "b=255,255,255"}));
    const TrgbBitmap picture(MakePicture({{Grey(0), Grey(255), Grey(250)}, {Grey(5), Grey(0), Grey(0)}}));
    picture.Analyse(*tree);
    QImage preview(1, 1, QImage::Format_RGB32);
    const auto scheme = picture.Reduce(2, true, *tree, preview);
    QVERIFY(preview.width() >= 3 && preview.height() >= 2);
    QCOMPARE(preview.pixel(2, 0), Grey(255));
    QCOMPARE(preview.pixel(0, 1), Grey(0));
}

QTEST_GUILESS_MAIN(TestReduce)
#include "tst_reduce.moc"
