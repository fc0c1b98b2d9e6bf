// The spreadsheet server behind "Excel.Application": addresses, sheets, formatting and borders as
// the application gives them meaning, and its refusals, each with a message naming the member.
#include "output/automation/automationRegistry.h"
#include "output/excelServer/excelApplication.h"
#include "output/excelServer/excelObjects.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Tbook {
    TautoValue App = CreateOleObject(QStringLiteral("Excel.Application"));
    TautoValue Book = App.Get(QStringLiteral("Workbooks")).Call(QStringLiteral("Add"));
    TautoValue Sheet = Book.Get(QStringLiteral("Worksheets"), {1});

    TxlsWorkbook &Model() const
    {
        return std::dynamic_pointer_cast<TexcelWorkbook>(Book.ToObject())->State()->Book;
    }
    const TxlsCellFormat &Format(int row, int col) const
    {
        TxlsWorkbook &book = Model();
        return book.Styles.Format(book.Sheets[0]->Cell(row, col).Format);
    }
    QStringList SheetNames() const
    {
        QStringList names;
        for (const auto &sheet : Model().Sheets)
            names << sheet->Name;
        return names;
    }
};

template <class TCall>
QString FailureOf(TCall call)
{
    try {
        call();
    } catch (const EKanvoError &error) {
        return error.Message();
    }
    return QStringLiteral("(no failure)");
}

} // namespace

class TestExcelServer : public QObject {
    Q_OBJECT

private slots:
    void addresses_data();
    void addresses();
    void sheets();
    void formatting();
    void borders();
    void refusals_data();
    void refusals();
    void saveAsRefusals_data();
    void saveAsRefusals();
    void visibleOpensSavedWorkbook();
};

void TestExcelServer::addresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address");  // empty: refused
    QTest::newRow("cell") << "B2" << "$B$2";
    QTest::newRow("absolute, lower case") << "$b$2:c3" << "$B$2:$C$3";
    QTest::newRow("corners swapped") << "C3:B2" << "$B$2:$C$3";
    QTest::newRow("row") << "1:1" << "$1:$1";
    QTest::newRow("column") << "$A:$A" << "$A:$A";
    QTest::newRow("both separators") << "B2;C3,D4" << "$B$2,$C$3,$D$4";
    QTest::newRow("last cell") << "IV65536" << "$IV$65536";
    QTest::newRow("column past IV") << "IW1" << "";
    QTest::newRow("row 0") << "A0" << "";
    QTest::newRow("row past the sheet") << "A65537" << "";
    QTest::newRow("lone column") << "B" << "";
    QTest::newRow("lone row") << "5" << "";
    QTest::newRow("empty item") << "B2;;C3" << "";
    QTest::newRow("three corners") << "A1:B2:C3" << "";
}

void TestExcelServer::addresses()
{
    QFETCH(QString, text);
    QFETCH(QString, address);
    Tbook book;
    if (address.isEmpty()) {
        QVERIFY(FailureOf([&] { book.Sheet.Get(QStringLiteral("Range"), {text}); }).startsWith(QStringLiteral("Worksheet.Range: ")));
        return;
    }
    QCOMPARE(book.Sheet.Get(QStringLiteral("Range"), {text}).Get(QStringLiteral("Address")).ToString(), address);
}

void TestExcelServer::sheets()
{
    Tbook book;
    const TautoValue sheets = book.Book.Get(QStringLiteral("WorkSheets"));
    QCOMPARE(sheets.Get(QStringLiteral("Count")).ToInteger(), 3);
    QCOMPARE(book.SheetNames(), (QStringList{"Sheet1", "Sheet2", "Sheet3"}));
    const TautoValue added = sheets.Call(QStringLiteral("Add"), TautoArgs::Named({{"After", book.Book.Get(QStringLiteral("WorkSheets"), {3})}}));
    QCOMPARE(added.Get(QStringLiteral("Name")).ToString(), QStringLiteral("Sheet4"));
    sheets.Call(QStringLiteral("Add"), TautoArgs::Named({{"Before", book.Sheet}}));
    QCOMPARE(book.SheetNames(), (QStringList{"Sheet5", "Sheet1", "Sheet2", "Sheet3", "Sheet4"}));
    QCOMPARE(book.Sheet.Get(QStringLiteral("Index")).ToInteger(), 2);  // the object follows its sheet

    book.Sheet.Put(QStringLiteral("Name"), QStringLiteral("Scheme, sheet 1"));
    QCOMPARE(book.Book.Get(QStringLiteral("WorkSheets"), {QStringLiteral("scheme, SHEET 1")}).Get(QStringLiteral("Index")).ToInteger(), 2);
    for (const QString &bad : {QStringLiteral("a/b"), QString(32, QLatin1Char('x')), QString(), QStringLiteral("sheet2")})
        QVERIFY(FailureOf([&] { book.Sheet.Put(QStringLiteral("Name"), bad); }).startsWith(QStringLiteral("Worksheet.Name: ")));
    QCOMPARE(book.Model().Sheets[1]->Name, QStringLiteral("Scheme, sheet 1"));
}

void TestExcelServer::formatting()
{
    Tbook book;
    const TautoValue range = book.Sheet.Get(QStringLiteral("Range"), {book.Sheet.Get(QStringLiteral("Cells"), {2, 2}),
                                                                      book.Sheet.Get(QStringLiteral("Cells"), {3, 3})});
    QCOMPARE(range.Get(QStringLiteral("Address")).ToString(), QStringLiteral("$B$2:$C$3"));
    range.Get(QStringLiteral("Font")).Put(QStringLiteral("Name"), QStringLiteral("Glifa"));
    range.Get(QStringLiteral("Font")).Put(QStringLiteral("Size"), 8);
    range.Get(QStringLiteral("Font")).Put(QStringLiteral("Bold"), true);
    book.Sheet.Get(QStringLiteral("Range"), {QStringLiteral("C3")}).Get(QStringLiteral("Font")).Put(QStringLiteral("ColorIndex"), 3);
    range.Get(QStringLiteral("Interior")).Put(QStringLiteral("ColorIndex"), 7);
    range.Put(QStringLiteral("HorizontalAlignment"), -4108);
    range.Put(QStringLiteral("VerticalAlignment"), -4108);
    range.Put(QStringLiteral("Orientation"), 90);
    book.Sheet.Get(QStringLiteral("Rows"), {2}).Put(QStringLiteral("RowHeight"), 9);
    book.Sheet.Get(QStringLiteral("Columns"), {3}).Put(QStringLiteral("ColumnWidth"), 1);

    TautoBlock block(2, 2);
    block.At(0, 0) = QStringLiteral("x");
    block.At(1, 1) = 42;
    range.Put(QStringLiteral("Value"), TautoValue(block));

    const TxlsWorkbook &model = book.Model();
    const TxlsCellFormat &b2 = book.Format(1, 1), &c3 = book.Format(2, 2);
    const TxlsFont &font = model.Styles.Font(b2.Font);
    QCOMPARE(font.Name, QStringLiteral("Glifa"));
    QCOMPARE(font.Height, std::uint16_t(160));
    QVERIFY(font.Bold);
    QCOMPARE(font.Color, XlsAutomaticFontColor);
    QCOMPARE(model.Styles.Font(c3.Font).Color, std::uint16_t(10));  // palette colour 3
    QCOMPARE(b2.Fill, std::uint8_t(14));                             // palette colour 7
    QCOMPARE(int(b2.HAlign), 2);
    QCOMPARE(int(b2.VAlign), 1);
    QCOMPARE(int(b2.Rotation), 90);
    QCOMPARE(book.Format(1, 0), TxlsCellFormat());  // outside the range: untouched
    QCOMPARE(model.Sheets[0]->RowHeight(1), std::uint16_t(180));
    QCOMPARE(model.Sheets[0]->ColumnWidth(2), XlsColumnWidthUnits(1));
    const TxlsSheet &sheet = *model.Sheets[0];
    QCOMPARE(model.Strings.Text(std::uint32_t(sheet.Row(1)->at(1).Value)), QStringLiteral("x"));
    QCOMPARE(sheet.Row(2)->at(2).Kind, TxlsCellKind::Integer);
    QCOMPARE(sheet.Row(2)->at(2).Value, 42);
    QCOMPARE(sheet.Row(1)->at(2).Kind, TxlsCellKind::Empty);
    // Formats are shared: B2 and B3 look alike and have one format.
    QCOMPARE(sheet.Row(1)->at(1).Format, sheet.Row(2)->at(1).Format);
}

// Hairline and thin lines, colours mapped to the nearest palette colour, and the line between
// two cells kept the same from both sides where the neighbour is in use.
void TestExcelServer::borders()
{
    Tbook book;
    for (int i = 1; i <= 56; ++i)
        book.Book.Put(QStringLiteral("Colors"), {i}, i == 20 ? 0xC8C8C8 : 0);
    const TautoValue all = book.Sheet.Get(QStringLiteral("Range"), {QStringLiteral("B2:D4")});
    for (int edge = 7; edge <= 12; ++edge) {
        all.Get(QStringLiteral("Borders"), {edge}).Put(QStringLiteral("LineStyle"), 1);
        all.Get(QStringLiteral("Borders"), {edge}).Put(QStringLiteral("Weight"), 1);
        all.Get(QStringLiteral("Borders"), {edge}).Put(QStringLiteral("Color"), 0xC0C0C0);
    }
    const TxlsLine hair{XlsLineHair, 27};  // palette colour 20, the nearest to silver
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 3; ++col)
            for (const TxlsLine &line : book.Format(row, col).Lines)
                QCOMPARE(line, hair);

    const TautoValue border = book.Sheet.Get(QStringLiteral("Range"), {QStringLiteral("B2:D2")}).Get(QStringLiteral("Borders"), {9});
    border.Put(QStringLiteral("Color"), 0);
    border.Put(QStringLiteral("Weight"), 2);
    const TxlsLine thin{XlsLineThin, 8};
    QCOMPARE(book.Format(1, 2).Lines[XlsBottom], thin);
    QCOMPARE(book.Format(2, 2).Lines[XlsTop], thin);  // the same line seen from below
    QCOMPARE(book.Format(1, 2).Lines[XlsTop], hair);
    book.Sheet.Get(QStringLiteral("Range"), {QStringLiteral("B2:B4")}).Get(QStringLiteral("Borders"), {7}).Put(QStringLiteral("Weight"), 2);
    QCOMPARE(book.Model().Sheets[0]->Row(1)->at(0).IsBlankDefault(), true);  // no cell made on the left
    QCOMPARE(book.Format(2, 1).Lines[XlsLeft].Style, std::uint8_t(XlsLineThin));
    QCOMPARE(book.Format(2, 1).Lines[XlsLeft].Color, std::uint8_t(27));  // the colour stays
}

void TestExcelServer::refusals_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown get") << 0 << "Range.Formula: the spreadsheet server does not support reading";
    QTest::newRow("unknown put") << 1 << "Font.Underline: the spreadsheet server does not support setting";
    QTest::newRow("unknown call") << 2 << "Worksheet.Delete: the spreadsheet server does not support calling";
    QTest::newRow("colour index") << 3 << "Interior.ColorIndex: 57 is not a colour";
    QTest::newRow("palette index") << 4 << "Workbook.Colors: the palette has colours 1 to 56, not 0";
    QTest::newRow("long address") << 5 << "longer than 255 characters";
    QTest::newRow("cell row") << 6 << "Worksheet.Cells: row 0 is outside 1 to 65536";
    QTest::newRow("small block") << 7 << "Range.Value: a 1 x 2 block cannot fill 2 x 2 cells";
    QTest::newRow("border number") << 8 << "Range.Borders: border 5 is not supported";
    QTest::newRow("line weight") << 9 << "Border.Weight: 3 is not a line weight";
    QTest::newRow("orientation") << 10 << "PageSetup.Orientation: 3 is neither portrait";
}

void TestExcelServer::refusals()
{
    QFETCH(int, which);
    QFETCH(QString, message);
    Tbook book;
    const TautoValue range = book.Sheet.Get(QStringLiteral("Range"), {QStringLiteral("A1:B2")});
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many << QStringLiteral("AB%1").arg(1000 + i);
    const QString failure = FailureOf([&] {
        switch (which) {
        case 0: range.Get(QStringLiteral("Formula")); break;
        case 1: range.Get(QStringLiteral("Font")).Put(QStringLiteral("Underline"), 2); break;
        case 2: book.Sheet.Call(QStringLiteral("Delete")); break;
        case 3: range.Get(QStringLiteral("Interior")).Put(QStringLiteral("ColorIndex"), 57); break;
        case 4: book.Book.Put(QStringLiteral("Colors"), {0}, 0); break;
        case 5: book.Sheet.Get(QStringLiteral("Range"), {many.join(QLatin1Char(';'))}); break;
        case 6: book.Sheet.Get(QStringLiteral("Cells"), {0, 1}); break;
        case 7: range.Put(QStringLiteral("Value"), TautoValue(TautoBlock(1, 2))); break;
        case 8: range.Get(QStringLiteral("Borders"), {5}); break;
        case 9: range.Get(QStringLiteral("Borders"), {9}).Put(QStringLiteral("Weight"), 3); break;
        case 10: book.Sheet.Get(QStringLiteral("PageSetup")).Put(QStringLiteral("Orientation"), 3); break;
        }
    });
    QVERIFY2(failure.contains(message), qPrintable(failure));
}

void TestExcelServer::saveAsRefusals_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<TautoValue>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("other format") << "FileFormat" << TautoValue(51) << "file format 51 is not supported";
    QTest::newRow("password") << "Password" << TautoValue("secret") << "password protection";
    QTest::newRow("backup") << "CreateBackup" << TautoValue(true) << "backup copies";
    QTest::newRow("unknown argument") << "Local" << TautoValue(true) << "the argument Local is not supported";
}

void TestExcelServer::saveAsRefusals()
{
    QFETCH(QString, argument);
    QFETCH(TautoValue, value);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.xls"));
    Tbook book;
    const QString failure = FailureOf([&] {
        book.Book.Call(QStringLiteral("SaveAs"), TautoArgs::Named({{"Filename", file}, {argument, value}}));
    });
    QVERIFY2(failure.startsWith(QStringLiteral("Workbook.SaveAs: ")) && failure.contains(message), qPrintable(failure));
    QVERIFY(!QFileInfo::exists(file));
}

void TestExcelServer::visibleOpensSavedWorkbook()
{
    QStringList opened;
    TworkbookOpenerScope scope([&](const QString &file) { opened << file; });
    QTemporaryDir dir;
    Tbook book;
    book.App.Put(QStringLiteral("Visible"), true);  // nothing saved yet: nothing to open
    QVERIFY(opened.isEmpty());
    book.App.Put(QStringLiteral("Visible"), false);
    const QString home = QDir::currentPath();
    QDir::setCurrent(dir.path());  // a relative name is saved where the application stands
    book.Book.Call(QStringLiteral("SaveAs"), {QStringLiteral("relative.xls"), -4143});
    QDir::setCurrent(home);
    book.App.Put(QStringLiteral("Visible"), true);
    QCOMPARE(opened, QStringList{dir.filePath(QStringLiteral("relative.xls"))});
    QVERIFY(book.App.Get(QStringLiteral("Visible")).ToBoolean());
}

QTEST_GUILESS_MAIN(TestExcelServer)
#include "tst_excelServer.moc"
