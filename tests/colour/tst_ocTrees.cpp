// The thread-colour octree: building it from kit files, routing pixels, sorting its nodes and
// choosing a palette from the most populated ones.
#include "colour/ocTrees.h"
#include "colour/pixelRouter.h"
#include "colour/rgbBitmaps.h"
#include "colour/testKits.h"
#include "common/KanvoError.h"

#include <QCoreApplication>
#include <functional>

namespace {
QList<QByteArray> PaletteThreads(const TrgbArray &palette)
{
    QList<QByteArray> threads;
    for (int i = 0; i < palette.Count; ++i)
        threads << palette.GetItem(i).Thread;
    return threads;
}

void ForEachNode(TocTree &node, const std::function<void(TocTree &)> &visit)
{
    visit(node);
    for (auto &child : node.Children)
        if (child)
            ForEachNode(*child, visit);
}
}  // namespace

class TestOcTrees : public QObject {
    Q_OBJECT
private slots:
    void init() { TrgbColor::SetUseEyesight(true); }
    void cleanupTestCase() { TrgbColor::SetUseEyesight(true); }

    void firstOfEqualColoursStays();
    void lastLineWinsInKit();
    void chainToLevelEight();
    void oneThreadKit();
    void emptyKitCannotChoose();
    void malformedKitReportsLastBadLine();
    void treeNotAnalysedIsReported();
    void pixelWithoutBranch_data();
    void pixelWithoutBranch();
    void wholePictureSumsEqualPixelByPixel_data();
    void wholePictureSumsEqualPixelByPixel();
    void noThreadTwice_data();
    void noThreadTwice();
    void enoughColoursGiveEveryPopulatedLeaf();
};

void TestOcTrees::firstOfEqualColoursStays()
{
    TocTree root(nullptr, nullptr, 0);
    root.Insert(TrgbColor(10, 20, 30, "first"));
    root.Insert(TrgbColor(10, 20, 30, "second"));
    QVERIFY(!root.Split);
    QCOMPARE(root.Color->Thread, QByteArray("first"));
    root.Insert(TrgbColor(10, 20, 31, "third"));
    QVERIFY(root.Split);
    QCOMPARE(root.Color->Thread, QByteArray("first"));  // a divided leaf keeps its colour
}

void TestOcTrees::lastLineWinsInKit()
{
    QTemporaryDir dir;
    const auto root = TocTree::LoadThreadKit(WriteKit(dir, "twice", {"early=10,20,30", "late=10,20,30"}));
    QVERIFY(!root->Split);
    QCOMPARE(root->Color->Thread, QByteArray("late"));
}

void TestOcTrees::chainToLevelEight()
{
    TocTree root(nullptr, nullptr, 0);
    root.Insert(TrgbColor(255, 0, 0, "255"));
    root.Insert(TrgbColor(254, 0, 0, "254"));
    const TocTree *node = &root;
    for (int level = 0; level < 8; ++level) {
        QVERIFY(node->Split);
        QCOMPARE(node->Level, level);
        int children = 0;
        for (const auto &child : node->Children)
            children += child ? 1 : 0;
        QCOMPARE(children, level < 7 ? 1 : 2);
        if (level < 7)
            node = node->Children[1].get();
    }
    const TocTree *high = node->Children[1].get();
    const TocTree *low = node->Children[0].get();
    QCOMPARE(high->Level, 8);
    QCOMPARE(high->Color->Thread, QByteArray("255"));
    QCOMPARE(low->Color->Thread, QByteArray("254"));
    QVERIFY(!high->Split && !low->Split);
    QVERIFY(TocTree::HasAncestor(low, &root));
    QVERIFY(!TocTree::HasAncestor(&root, &root));
    QVERIFY(!TocTree::HasAncestor(low, high));
}

void TestOcTrees::oneThreadKit()
{
    QTemporaryDir dir;
    const auto root = TocTree::LoadThreadKit(WriteKit(dir, "one", {"310=0,0,0"}));
    const TrgbBitmap picture(MakePicture({{qRgb(255, 255, 255), qRgb(0, 0, 0)}, {qRgb(9, 200, 3), qRgb(1, 2, 3)}}));
    picture.Analyse(*root);
    QCOMPARE(root->Sum.Count, 4);
    QCOMPARE(NodeList().size(), std::size_t(1));
    for (int n : {2, 50}) {
        const auto palette = root->ChoosePalette(n);
        QCOMPARE(PaletteThreads(*palette), QList<QByteArray>{"310"});
        QCOMPARE(palette->GetItem(0).Count, 0);
        QCOMPARE(palette->GetItem(0).Symbol, ' ');
    }
}

void TestOcTrees::emptyKitCannotChoose()
{
    QTemporaryDir dir;
    const auto root = TocTree::LoadThreadKit(WriteKit(dir, "empty", {}));
    QVERIFY(!root->Color);
    const TrgbBitmap picture(UniformPicture(3, 2, qRgb(1, 2, 3)));
    picture.Analyse(*root);
    QCOMPARE(root->Sum.Count, 6);
    QImage preview(3, 2, QImage::Format_RGB32);
    try {
        picture.Reduce(10, true, *root, preview);
        QFAIL("a kit without threads gave a palette");
    } catch (const EKanvoError &error) {
        QCOMPARE(error.Message(), QStringLiteral("The threads kit has no thread colors"));
    }
}

void TestOcTrees::malformedKitReportsLastBadLine()
{
    QTemporaryDir dir;
    const QString kit = WriteKit(dir, "bad", {"a=1,2,3", "b=1,2,x1", "c=4,5,6", "d=7,8,y2", "e=9,9,9"});
    try {
        TocTree::LoadThreadKit(kit);
        QFAIL("a malformed kit loaded");
    } catch (const EKanvoError &error) {
        // Lines go in from the last, so the last malformed one is met first.
        QVERIFY2(error.Message().contains(QStringLiteral("'y2'")), qPrintable(error.Message()));
    }
}

// A released tree takes the node list with it, and a tree that never counted the picture's pixels
// cannot colour its cells: an error, not a read of freed nodes or an empty palette.
void TestOcTrees::treeNotAnalysedIsReported()
{
    QTemporaryDir dir;
    const QString kit = WriteKit(dir, "three", {"a=10,10,10", "b=200,10,10", "c=10,200,10"});
    const TrgbBitmap picture(UniformPicture(4, 3, qRgb(190, 20, 20)));
    auto analysed = TocTree::LoadThreadKit(kit);
    picture.Analyse(*analysed);
    QVERIFY(!NodeList().empty());
    analysed.reset();
    QVERIFY(NodeList().empty());

    const auto fresh = TocTree::LoadThreadKit(kit);
    QImage preview(4, 3, QImage::Format_RGB32);
    QVERIFY_THROWS_EXCEPTION(EKanvoError, picture.Reduce(5, false, *fresh, preview));
    picture.Analyse(*fresh);
    const auto scheme = picture.Reduce(5, false, *fresh, preview);
    QCOMPARE(scheme->GetColor(0).Thread, QByteArray("b"));
    QCOMPARE(scheme->GetColor(0).Count, 12);
}

void TestOcTrees::pixelWithoutBranch_data()
{
    QTest::addColumn<bool>("eyesight");
    QTest::addColumn<QList<int>>("threads");  // two threads, r g b each
    QTest::addColumn<int>("slot");
    // Blue has no branch at the root. Red and green are exactly as far from it here: the
    // higher slot takes the pixel.
    QTest::newRow("tie to higher slot") << false << QList<int>{200, 0, 0, 0, 200, 0} << 2;
    QTest::newRow("nearer lower slot") << true << QList<int>{128, 0, 0, 0, 255, 0} << 1;
    QTest::newRow("nearer higher slot") << true << QList<int>{255, 0, 0, 0, 128, 0} << 2;
}

void TestOcTrees::pixelWithoutBranch()
{
    QFETCH(bool, eyesight);
    QFETCH(QList<int>, threads);
    QFETCH(int, slot);
    TrgbColor::SetUseEyesight(eyesight);
    TocTree root(nullptr, nullptr, 0);
    root.Insert(TrgbColor(threads[0], threads[1], threads[2], "a"));
    root.Insert(TrgbColor(threads[3], threads[4], threads[5], "b"));
    const TrgbColor pixel(0, 0, 200);
    QVERIFY(!root.Children[std::size_t(pixel.OctDigit(0))]);
    QCOMPARE(root.NearestChild(pixel), slot);
    QCOMPARE(root.Children[1]->NearestChild(pixel), -1);

    root.ClearSums();
    root.AddPixel(pixel);
    QCOMPARE(root.Sum.Count, 1);
    QCOMPARE(root.Children[std::size_t(slot)]->Sum.Count, 1);
    QCOMPARE(root.Children[std::size_t(slot)]->Sum.Blue, 200);
    QCOMPARE(root.Children[std::size_t(3 - slot)]->Sum.Count, 0);
    // The whole-picture routing agrees, ties included.
    QCOMPARE(TpixelRouter(root).Leaf(pixel), root.Children[std::size_t(slot)].get());
}

void TestOcTrees::wholePictureSumsEqualPixelByPixel_data()
{
    QTest::addColumn<bool>("eyesight");
    QTest::newRow("eyesight") << true;
    QTest::newRow("plain distance") << false;
}

// Analyse sums each pixel in its leaf only and adds the sums up afterwards; every node must end
// with what adding the pixel along its whole path gives.
void TestOcTrees::wholePictureSumsEqualPixelByPixel()
{
    QFETCH(bool, eyesight);
    TrgbColor::SetUseEyesight(eyesight);
    const auto tree = TocTree::LoadThreadKit(QCoreApplication::applicationDirPath() + "/Threads/DMC.thr");
    QImage photo(QStringLiteral(KANVO_TEST_DATA "/brushes-1000.jpg"));
    QVERIFY(!photo.isNull());
    const TrgbBitmap picture(photo.scaled(120, 90));

    tree->ClearSums();
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            tree->AddPixel(picture.Pixel(y, x));
    QList<QList<int>> expected;
    ForEachNode(*tree, [&](TocTree &node) {
        expected << QList<int>{node.Sum.Red, node.Sum.Green, node.Sum.Blue, node.Sum.Count};
    });

    picture.Analyse(*tree);
    QList<QList<int>> actual;
    ForEachNode(*tree, [&](TocTree &node) {
        actual << QList<int>{node.Sum.Red, node.Sum.Green, node.Sum.Blue, node.Sum.Count};
    });
    QCOMPARE(actual, expected);
    QCOMPARE(tree->Sum.Count, 120 * 90);
    QCOMPARE(NodeList().front(), tree.get());
}

void TestOcTrees::noThreadTwice_data()
{
    QTest::addColumn<bool>("dither");
    QTest::newRow("dithering") << true;
    QTest::newRow("no dithering") << false;
}

// The first leaf (k2) and its parent have one pixel each, as has the unrelated leaf k1. The sort
// can then place the leaf before its parent; choosing the parent afterwards must not bring the
// leaf's thread in a second time.
void TestOcTrees::noThreadTwice()
{
    QFETCH(bool, dither);
    QTemporaryDir dir;
    const auto tree = TocTree::LoadThreadKit(WriteKit(dir, "clash", {"k0=255,128,0", "k1=192,128,0", "k2=255,128,64"}));
    const TrgbBitmap picture(MakePicture({{qRgb(0, 64, 255), qRgb(255, 128, 192)}}));
    picture.Analyse(*tree);
    QImage preview(2, 1, QImage::Format_RGB32);
    const auto scheme = picture.Reduce(2, dither, *tree, preview);
    QCOMPARE(PaletteThreads(*scheme->Colors), (QList<QByteArray>{"k2", "k1"}));
    QCOMPARE(scheme->GetColor(0).Count, 1);
    QCOMPARE(scheme->GetColor(1).Count, 1);
}

void TestOcTrees::enoughColoursGiveEveryPopulatedLeaf()
{
    QTemporaryDir dir;
    const auto tree = TocTree::LoadThreadKit(
        WriteKit(dir, "six", {"a=250,10,10", "b=240,20,10", "c=10,250,10", "d=10,10,250", "e=128,128,128", "f=129,128,128"}));
    // Pixels at four of the six threads, in uneven numbers.
    const TrgbBitmap picture(MakePicture({{qRgb(250, 10, 10), qRgb(240, 20, 10), qRgb(240, 20, 10)},
                                          {qRgb(129, 128, 128), qRgb(10, 10, 250), qRgb(240, 20, 10)}}));
    picture.Analyse(*tree);
    for (int n : {4, 6, 50}) {
        const auto palette = tree->ChoosePalette(n);
        QList<QByteArray> threads = PaletteThreads(*palette);
        std::sort(threads.begin(), threads.end());
        QCOMPARE(threads, (QList<QByteArray>{"a", "b", "d", "f"}));
    }
    // Fewer colours than populated leaves: never more than asked for.
    QCOMPARE(tree->ChoosePalette(2)->Count, 2);
    QCOMPARE(tree->ChoosePalette(3)->Count, 3);
}

QTEST_GUILESS_MAIN(TestOcTrees)
#include "tst_ocTrees.moc"
