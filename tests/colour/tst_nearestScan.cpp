// The fast nearest-colour scans of the reduction must give exactly the answers of the plain scans
// they replace (TrgbArray::FindNearest and TocTree::NearestChild), ties included, in both
// distance modes.
#include "colour/ocTrees.h"
#include "colour/paletteSearch.h"
#include "colour/pixelRouter.h"
#include "colour/rgbBitmaps.h"
#include "colour/testKits.h"

#include <QCoreApplication>
#include <QRandomGenerator>

namespace {
// Colours to look for: every corner and grey step of the cube, then random ones.
QList<TrgbColor> SoughtColours(int randomCount)
{
    QList<TrgbColor> colours;
    for (int r : {0, 1, 127, 128, 254, 255})
        for (int g : {0, 1, 127, 128, 254, 255})
            for (int b : {0, 1, 127, 128, 254, 255})
                colours << TrgbColor(r, g, b);
    for (int v = 0; v < 256; v += 5)
        colours << TrgbColor(v, v, v);
    QRandomGenerator random(20240611);
    for (int i = 0; i < randomCount; ++i)
        colours << TrgbColor(random.bounded(256), random.bounded(256), random.bounded(256));
    return colours;
}

std::unique_ptr<TrgbArray> SortedList(const QList<TrgbColor> &colours)
{
    auto list = std::make_unique<TrgbArray>(std::int32_t(colours.size()));
    for (int i = 0; i < colours.size(); ++i)
        list->SetItem(i, TcountColor::CreateFromRgb(colours[i]));
    list->Sort();
    return list;
}

std::unique_ptr<TocTree> DmcTree()
{
    return TocTree::LoadThreadKit(QCoreApplication::applicationDirPath() + QStringLiteral("/Threads/DMC.thr"));
}

// AddPixel's descent, step by step with NearestChild.
const TocTree *PlainLeaf(const TocTree &root, const TrgbColor &pixel)
{
    const TocTree *node = &root;
    while (node->Split) {
        const int digit = pixel.OctDigit(node->Level);
        node = node->Children[std::size_t(digit)] ? node->Children[std::size_t(digit)].get()
                                                  : node->Children[std::size_t(node->NearestChild(pixel))].get();
    }
    return node;
}
}  // namespace

class TestNearestScan : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { TrgbColor::SetUseEyesight(true); }

    void paletteSearchAgrees_data();
    void paletteSearchAgrees();
    void routerAgrees_data();
    void routerAgrees();
};

void TestNearestScan::paletteSearchAgrees_data()
{
    QTest::addColumn<bool>("eyesight");
    QTest::addColumn<QString>("palette");
    for (bool eyesight : {true, false}) {
        const char *mode = eyesight ? "eyesight" : "plain";
        QTest::addRow("%s, photo palette of 50", mode) << eyesight << "photo";
        QTest::addRow("%s, black, greys and twins", mode) << eyesight << "greys";
        QTest::addRow("%s, one colour", mode) << eyesight << "one";
    }
}

void TestNearestScan::paletteSearchAgrees()
{
    QFETCH(bool, eyesight);
    QFETCH(QString, palette);
    TrgbColor::SetUseEyesight(eyesight);
    std::unique_ptr<TrgbArray> list;
    if (palette == "photo") {
        const auto tree = DmcTree();
        const TrgbBitmap picture(QImage(QStringLiteral(KANVO_TEST_DATA "/brushes-1000.jpg")).scaled(100, 100));
        picture.Analyse(*tree);
        list = tree->ChoosePalette(50);
    } else if (palette == "greys") {
        // Equal colours and colours equally far from many greys: ties must go to the highest index.
        list = SortedList({TrgbColor(0, 0, 0), TrgbColor(40, 40, 40), TrgbColor(80, 80, 80), TrgbColor(120, 120, 120),
                           TrgbColor(160, 160, 160), TrgbColor(200, 200, 200), TrgbColor(240, 240, 240),
                           TrgbColor(200, 0, 0), TrgbColor(0, 200, 0), TrgbColor(0, 0, 200), TrgbColor(200, 0, 0),
                           TrgbColor(255, 255, 255), TrgbColor(60, 60, 60)});
    } else {
        list = SortedList({TrgbColor(90, 30, 200)});
    }
    const TpaletteSearch search(*list);
    int checked = 0;
    for (const TrgbColor &colour : SoughtColours(20000)) {
        const std::int32_t expected = list->FindNearest(colour, 0, list->Root.get());
        const std::int32_t actual = search.Find(colour);
        if (actual != expected)
            QFAIL(qPrintable(QStringLiteral("(%1, %2, %3): %4 instead of %5")
                                 .arg(colour.Red).arg(colour.Green).arg(colour.Blue).arg(actual).arg(expected)));
        ++checked;
    }
    QVERIFY(checked > 20000);
}

void TestNearestScan::routerAgrees_data()
{
    QTest::addColumn<bool>("eyesight");
    QTest::addColumn<QStringList>("kit");  // empty: DMC
    // Black is the one thread whose distance has no line term. Red and green alone are equally
    // far from every colour with equal red and green, so the higher slot must take those.
    const QStringList withBlack = {"black=0,0,0", "red=200,0,0", "green=0,200,0", "grey=128,128,128",
                                   "pale=250,240,230", "dark=10,20,30"};
    const QStringList twins = {"red=200,0,0", "green=0,200,0"};
    for (bool eyesight : {true, false}) {
        const char *mode = eyesight ? "eyesight" : "plain";
        QTest::addRow("%s, DMC", mode) << eyesight << QStringList();
        QTest::addRow("%s, small kit with black", mode) << eyesight << withBlack;
        QTest::addRow("%s, red and green", mode) << eyesight << twins;
    }
}

void TestNearestScan::routerAgrees()
{
    QFETCH(bool, eyesight);
    QFETCH(QStringList, kit);
    TrgbColor::SetUseEyesight(eyesight);
    QTemporaryDir dir;
    const auto tree = kit.isEmpty() ? DmcTree() : TocTree::LoadThreadKit(WriteKit(dir, "small", kit));
    const TpixelRouter router(*tree);
    for (const TrgbColor &colour : SoughtColours(20000)) {
        const TocTree *expected = PlainLeaf(*tree, colour);
        const TocTree *actual = router.Leaf(colour);
        if (actual != expected)
            QFAIL(qPrintable(QStringLiteral("(%1, %2, %3) reached %4 instead of %5")
                                 .arg(colour.Red).arg(colour.Green).arg(colour.Blue)
                                 .arg(QString::fromLatin1(actual->Color->Thread), QString::fromLatin1(expected->Color->Thread))));
    }
}

QTEST_GUILESS_MAIN(TestNearestScan)
#include "tst_nearestScan.moc"
