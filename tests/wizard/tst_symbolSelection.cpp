// The symbol alphabet, the default marks for n colours and the hand-out of marks to colours.
#include "colour/rgbBitmaps.h"
#include "common/KanvoError.h"
#include "wizard/symbolSelection.h"

#include <QtTest>
#include <memory>

namespace {

std::unique_ptr<TindexBitmap> SchemeWithColors(int count)
{
    auto scheme = std::make_unique<TindexBitmap>(1, 1, std::make_unique<TrgbArray>(count));
    for (int i = 0; i < count; ++i)
        scheme->GetColor(i).Symbol = ' ';
    return scheme;
}

QList<int> Marked(const TsymbolFlags &flags)
{
    QList<int> marked;
    for (int i = 0; i < SymbolCount; ++i)
        if (flags[std::size_t(i)])
            marked.append(i);
    return marked;
}

TsymbolFlags FlagsOf(const QList<int> &marked)
{
    TsymbolFlags flags{};
    for (int i : marked)
        flags[std::size_t(i)] = true;
    return flags;
}

} // namespace

class TestSymbolSelection : public QObject {
    Q_OBJECT
private slots:
    void alphabetRunsAndGaps_data();
    void alphabetRunsAndGaps();
    void alphabetIsAscendingWithoutGapCodes();
    void gridCells_data();
    void gridCells();
    void defaultSelection_data();
    void defaultSelection();
    void defaultSelectionIsDistinctUpToFifty();
    void caption();
    void assignmentInAscendingSymbolOrder();
    void assignmentRejectsMismatchedMarks_data();
    void assignmentRejectsMismatchedMarks();
};

void TestSymbolSelection::alphabetRunsAndGaps_data()
{
    QTest::addColumn<int>("symbol");
    QTest::addColumn<int>("code");
    QTest::newRow("first") << 0 << 48;
    QTest::newRow("end of first run") << 78 << 126;
    QTest::newRow("after 127 and 128") << 79 << 129;
    QTest::newRow("end of second run") << 109 << 159;
    QTest::newRow("after 160") << 110 << 161;
    QTest::newRow("last") << 204 << 255;
}

void TestSymbolSelection::alphabetRunsAndGaps()
{
    QFETCH(int, symbol);
    QFETCH(int, code);
    QCOMPARE(int(SymbolCode(symbol)), code);
}

void TestSymbolSelection::alphabetIsAscendingWithoutGapCodes()
{
    int previous = 47;
    for (int k = 0; k < SymbolCount; ++k) {
        const int code = SymbolCode(k);
        QVERIFY2(code > previous, qPrintable(QString::number(k)));
        QVERIFY(code != 127 && code != 128 && code != 160);
        previous = code;
    }
    QCOMPARE(previous, 255);
}

void TestSymbolSelection::gridCells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("symbol");
    QTest::newRow("top left") << 0 << 0 << 0;
    QTest::newRow("second row") << 1 << 3 << 28;
    QTest::newRow("last symbol") << 8 << 4 << 204;
    QTest::newRow("first empty cell") << 8 << 5 << -1;
    QTest::newRow("last empty cell") << 8 << 24 << -1;
    QTest::newRow("beyond the grid") << 9 << 0 << -1;
}

void TestSymbolSelection::gridCells()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, symbol);
    QCOMPARE(SymbolGridRows, 9);
    QCOMPARE(SymbolAtCell(row, column), symbol);
}

void TestSymbolSelection::defaultSelection_data()
{
    QTest::addColumn<int>("colors");
    QTest::addColumn<QList<int>>("expectedPrefix");
    QTest::addColumn<int>("expectedCount");
    QTest::newRow("one color") << 1 << QList<int>{0} << 1;
    QTest::newRow("two colors") << 2 << QList<int>{0, 204} << 2;
    QTest::newRow("three colors") << 3 << QList<int>{0, 102, 204} << 3;
    QTest::newRow("four colors") << 4 << QList<int>{0, 68, 136, 204} << 4;
    QTest::newRow("25 colors") << 25 << QList<int>{0, 8, 17, 25, 34} << 25;
}

void TestSymbolSelection::defaultSelection()
{
    QFETCH(int, colors);
    QFETCH(QList<int>, expectedPrefix);
    QFETCH(int, expectedCount);
    const TsymbolFlags flags = DefaultSymbolSelection(colors);
    const QList<int> marked = Marked(flags);
    QCOMPARE(marked.mid(0, expectedPrefix.size()), expectedPrefix);
    QCOMPARE(CountSelectedSymbols(flags), expectedCount);
    if (colors >= 2)
        QCOMPARE(marked.last(), 204);
}

void TestSymbolSelection::defaultSelectionIsDistinctUpToFifty()
{
    for (int n = 1; n <= 50; ++n)
        QVERIFY2(CountSelectedSymbols(DefaultSymbolSelection(n)) == n, qPrintable(QString::number(n)));
}

void TestSymbolSelection::caption()
{
    QCOMPARE(SymbolsCaptionText(3, 12), QStringLiteral("Selected symbols (3 of 12)"));
    QCOMPARE(SymbolsCaptionText(CountSelectedSymbols(DefaultSymbolSelection(25)), 25),
             QStringLiteral("Selected symbols (25 of 25)"));
}

void TestSymbolSelection::assignmentInAscendingSymbolOrder()
{
    auto scheme = SchemeWithColors(4);
    AssignSymbols(DefaultSymbolSelection(4), *scheme);
    const QList<int> expected{48, 116, 187, 255};
    for (int c = 0; c < 4; ++c)
        QCOMPARE(int(static_cast<unsigned char>(scheme->GetColor(c).Symbol)), expected[c]);

    // A hand-made selection: the lowest marked symbol goes to colour 0 whatever order it was
    // marked in.
    auto custom = SchemeWithColors(3);
    AssignSymbols(FlagsOf({150, 5, 80}), *custom);
    QCOMPARE(int(static_cast<unsigned char>(custom->GetColor(0).Symbol)), int(SymbolCode(5)));
    QCOMPARE(int(static_cast<unsigned char>(custom->GetColor(1).Symbol)), int(SymbolCode(80)));
    QCOMPARE(int(static_cast<unsigned char>(custom->GetColor(2).Symbol)), int(SymbolCode(150)));
}

void TestSymbolSelection::assignmentRejectsMismatchedMarks_data()
{
    QTest::addColumn<QList<int>>("marked");
    QTest::newRow("one too few") << QList<int>{0, 100, 204};
    QTest::newRow("one too many") << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("none") << QList<int>{};
}

void TestSymbolSelection::assignmentRejectsMismatchedMarks()
{
    QFETCH(QList<int>, marked);
    auto scheme = SchemeWithColors(4);
    QVERIFY_THROWS_EXCEPTION(EKanvoError, AssignSymbols(FlagsOf(marked), *scheme));
    for (int c = 0; c < 4; ++c)
        QCOMPARE(scheme->GetColor(c).Symbol, ' ');
}

QTEST_APPLESS_MAIN(TestSymbolSelection)
#include "tst_symbolSelection.moc"
