// The scheme file format: the exact bytes written, what the reader accepts and rejects with which
// message, the raster rebuilt from what was read, the refusal of sizes no scheme can have, and
// whole files saved and loaded on disk.
#include "common/KanvoError.h"
#include "document/schemeFile.h"
#include "document/serializableSheme.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

struct TcolorSpec {
    int Red, Green, Blue;
    QByteArray Thread;
    int Count;
    char Symbol;
};

std::unique_ptr<TindexBitmap> MakeBitmap(int width, int height, const QList<TcolorSpec> &colors,
                                         const QList<int> &indices)
{
    auto list = std::make_unique<TrgbArray>(std::int32_t(colors.size()));
    for (int i = 0; i < colors.size(); ++i) {
        const TcolorSpec &c = colors[i];
        list->SetItem(i, TcountColor(c.Red, c.Green, c.Blue, c.Count, c.Thread, c.Symbol));
    }
    auto bitmap = std::make_unique<TindexBitmap>(height, width, std::move(list));
    for (int cell = 0; cell < indices.size(); ++cell)
        bitmap->Indices[size_t(cell)] = indices[cell];
    return bitmap;
}

std::unique_ptr<TindexBitmap> ExampleBitmap()
{
    return MakeBitmap(2, 1, {{255, 255, 255, "101", 1, '0'}, {0, 0, 0, "102", 1, '1'}}, {0, 1});
}

QByteArray ReadFixture(const char *name)
{
    QFile file(QStringLiteral(KANVO_TEST_DATA "/scheme/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

TserializableBitmap Read(const QByteArray &text)
{
    TserializableBitmap scheme;
    ReadSchemeXml(scheme, text);
    return scheme;
}

// The message of the EKanvoError that call throws, or "(no error)".
QString ErrorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const EKanvoError &error) {
        return error.Message();
    }
    return QStringLiteral("(no error)");
}

QString Xml(const char *what)
{
    return QStringLiteral("XMLSerializerException\r\n\r\n") + QLatin1String(what);
}

// A root block around the given inner text: two colours "0" and "1" unless the text brings its
// own Colors element.
QByteArray Root(const QByteArray &inner)
{
    return "<TserializableBitmap>" + inner + "</TserializableBitmap>";
}

const QByteArray kTwoColors = "<Colors>"
                              "<TserializableColor><Red>1</Red><Name>a</Name><Symbol>48</Symbol></TserializableColor>"
                              "<TserializableColor><Red>2</Red><Name>b</Name><Symbol>49</Symbol></TserializableColor>"
                              "</Colors>";

// Everything a reader fills, in one comparable text.
QString Describe(const TserializableBitmap &s)
{
    QString text = QStringLiteral("%1 %2x%3 font=%4 kit=%5 pixels=%6;")
                       .arg(s.ColorsCount)
                       .arg(s.Width)
                       .arg(s.Height)
                       .arg(QString::fromLatin1(s.FontName.toHex()), QString::fromLatin1(s.DMCPalette.toHex()),
                            QString::fromLatin1(s.Pixels.toHex()));
    for (const TserializableColor &c : s.Colors)
        text += QStringLiteral(" (%1,%2,%3,%4,%5,%6)")
                    .arg(c.Red)
                    .arg(c.Green)
                    .arg(c.Blue)
                    .arg(QString::fromLatin1(c.Name.toHex()))
                    .arg(c.Count)
                    .arg(int(static_cast<unsigned char>(c.Symbol)));
    return text;
}

}  // namespace

class TestSerializableSheme : public QObject {
    Q_OBJECT
private slots:
    void writesTheExampleByteForByte();
    void readsTheExample_data();
    void readsTheExample();
    void roundTripKeepsEverything();
    void refusesToWriteWhatCannotReadBack_data();
    void refusesToWriteWhatCannotReadBack();
    void readErrors_data();
    void readErrors();
    void colourListEndsAtFirstUnreadableBlock_data();
    void colourListEndsAtFirstUnreadableBlock();
    void laterElementWins();
    void pixelsMapToFirstColourWithTheSymbol();
    void refusesValuesNoSchemeHas_data();
    void refusesValuesNoSchemeHas();
    void largestSchemeIsAccepted();

    void savesAndLoadsFiles();
    void fileErrorsNameThePath();
};

void TestSerializableSheme::writesTheExampleByteForByte()
{
    const QByteArray golden = ReadFixture("example-2x1.zel");
    const auto scheme = TserializableBitmap::CreateFromBitmap(*ExampleBitmap(), "Glifa", "Kit A");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(WriteSchemeXml(scheme, buffer));
    QCOMPARE(buffer.data(), golden);
}

// The same scheme in other shapes: element order, white space, line endings, surroundings.
void TestSerializableSheme::readsTheExample_data()
{
    QTest::addColumn<QByteArray>("text");
    const QByteArray golden = ReadFixture("example-2x1.zel");
    QTest::newRow("as written") << golden;
    QTest::newRow("other order, LF, blanks, trailing lines") << ReadFixture("reordered-lf.zel");
    QTest::newRow("trailing CR LF and text after the root") << golden + "\r\n\r\n<junk>";
    QTest::newRow("no header") << golden.mid(golden.indexOf("<TserializableBitmap>"));
    QTest::newRow("text between elements") << QByteArray(golden).replace("<Width>", "stray text <Width>");
    QTest::newRow("control bytes and ! between") << QByteArray(golden).replace("\r\n\t<Height>", "\x01!\x7f!<Height>");
}

void TestSerializableSheme::readsTheExample()
{
    QFETCH(QByteArray, text);
    const TserializableBitmap scheme = Read(text);
    QCOMPARE(Describe(scheme), Describe(TserializableBitmap::CreateFromBitmap(*ExampleBitmap(), "Glifa", "Kit A")));
    const auto bitmap = scheme.ToIndexBitmap();
    QCOMPARE(bitmap->GetPixel(0, 0), 0);
    QCOMPARE(bitmap->GetPixel(0, 1), 1);
}

void TestSerializableSheme::roundTripKeepsEverything()
{
    // Unclamped channels, a colour without stitches, markup characters in names and symbols, an
    // empty font name and 8-bit bytes all go through unchanged.
    const auto original = MakeBitmap(3, 2,
                                     {{300, -4, 128, "a<b>&c", 2, '<'},
                                      {0, 0, 0, "", 0, 'Z'},
                                      {10, 20, 30, "\xc0\xff", 4, '>'},
                                      {1, 2, 3, "&amp;", 0, '\xfe'}},
                                     {0, 2, 2, 0, 2, 2});
    const QByteArray text = SchemeXmlText(TserializableBitmap::CreateFromBitmap(*original, "", "Kit \xc0 <1>"));
    QVERIFY(text.contains("\r\n\t\t\t<Name>a<b>&c</Name>\r\n"));
    QVERIFY(text.contains("\r\n\t<FontName></FontName>\r\n"));
    QVERIFY(text.contains("\r\n\t\t\t<Symbol>254</Symbol>\r\n"));
    QVERIFY(text.contains("\r\n\t<Pixels><>><>></Pixels>\r\n"));

    const TserializableBitmap read = Read(text);
    QCOMPARE(read.FontName, QByteArray());
    QCOMPARE(read.DMCPalette, QByteArray("Kit \xc0 <1>"));
    const auto copy = read.ToIndexBitmap();
    QCOMPARE(copy->Width, 3);
    QCOMPARE(copy->Height, 2);
    QCOMPARE(copy->Indices, original->Indices);
    QCOMPARE(copy->ColorCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const TcountColor &a = original->GetColor(i);
        const TcountColor &b = copy->GetColor(i);
        QCOMPARE((QList<int>{b.Red, b.Green, b.Blue, b.Count, b.Symbol}),
                 (QList<int>{a.Red, a.Green, a.Blue, a.Count, a.Symbol}));
        QCOMPARE(b.Thread, a.Thread);
    }
}

// Strings go into the file unescaped, so a zero byte or "</" in one would cut it short on reading;
// such a scheme is refused instead of being saved into a file that cannot be reopened.
void TestSerializableSheme::refusesToWriteWhatCannotReadBack_data()
{
    QTest::addColumn<QByteArray>("thread");
    QTest::addColumn<QByteArray>("font");
    QTest::addColumn<char>("secondSymbol");
    QTest::addColumn<QString>("element");

    QTest::newRow("symbol of code 0 in use") << QByteArray("1") << QByteArray("F") << '\0' << "Pixels";
    QTest::newRow("symbols < and / side by side") << QByteArray("1") << QByteArray("F") << '/' << "Pixels";
    QTest::newRow("close tag start in a thread code") << QByteArray("a</b") << QByteArray("F") << '1' << "Name";
    QTest::newRow("zero byte in the font name") << QByteArray("1") << QByteArray("F\0", 2) << '1' << "FontName";
    QTest::newRow("writable") << QByteArray("a<b>/c") << QByteArray("F<>/") << '1' << "";
}

void TestSerializableSheme::refusesToWriteWhatCannotReadBack()
{
    QFETCH(QByteArray, thread);
    QFETCH(QByteArray, font);
    QFETCH(char, secondSymbol);
    QFETCH(QString, element);
    const auto bitmap = MakeBitmap(2, 1, {{0, 0, 0, thread, 1, '<'}, {1, 1, 1, "2", 1, secondSymbol}}, {0, 1});
    const auto scheme = TserializableBitmap::CreateFromBitmap(*bitmap, font, "Kit");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString error = ErrorOf([&] { WriteSchemeXml(scheme, buffer); });
    if (element.isEmpty()) {
        QCOMPARE(error, QStringLiteral("(no error)"));
        QCOMPARE(Read(buffer.data()).ToIndexBitmap()->Indices, bitmap->Indices);
        return;
    }
    QCOMPARE(error, QStringLiteral("The scheme cannot be saved: its <%1> text holds a character of code 0 or \"</\", "
                                   "which a scheme file cannot keep").arg(element));
    QCOMPARE(buffer.size(), 0);
}

void TestSerializableSheme::readErrors_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty file") << QByteArray() << Xml("Open tag not found: <TserializableBitmap>");
    QTest::newRow("other case") << QByteArray("<tserializablebitmap></tserializablebitmap>")
                                << Xml("Open tag not found: <TserializableBitmap>");
    QTest::newRow("no root close tag") << QByteArray("<TserializableBitmap><Width>2</Width>")
                                       << Xml("Close tag not found: </TserializableBitmap>");
    QTest::newRow("close tag only before the open tag")
        << QByteArray("</TserializableBitmap><TserializableBitmap>") << Xml("Close tag not found: </TserializableBitmap>");
    QTest::newRow("unknown root property") << Root("<Width>2</Width><Depth>3</Depth>") << Xml("Unknown property: Depth");
    QTest::newRow("colour item at root level") << Root("<TserializableColor></TserializableColor>")
                                               << Xml("Unknown property: TserializableColor");
    QTest::newRow("property name case") << Root("<width>2</width>") << Xml("Unknown property: width");
    QTest::newRow("empty tag name") << Root("<>x</>") << Xml("Unknown property: ");
    QTest::newRow("element close tag missing") << Root("<Width>2</Height>") << Xml("Close tag not found: </Width>");
    QTest::newRow("close tag beyond the root") << Root("<FontName>f") + "</FontName>"
                                               << Xml("Close tag not found: </FontName>");
    QTest::newRow("< without >") << Root("<Width>2</Width><Wid") << Xml("Unterminated tag: <Wid");
    QTest::newRow("not a number") << Root("<Width>2a</Width>") << Xml("Invalid integer value of <Width>: '2a'");
    QTest::newRow("empty number") << Root("<Height></Height>") << Xml("Invalid integer value of <Height>: ''");
    QTest::newRow("blank before number") << Root("<Width> 2</Width>") << Xml("Invalid integer value of <Width>: ' 2'");
    QTest::newRow("plus sign") << Root("<Width>+2</Width>") << Xml("Invalid integer value of <Width>: '+2'");
    QTest::newRow("hex") << Root("<ColorsCount>$10</ColorsCount>")
                         << Xml("Invalid integer value of <ColorsCount>: '$10'");
    QTest::newRow("32-bit overflow") << Root("<Width>2147483648</Width>")
                                     << Xml("Invalid integer value of <Width>: '2147483648'");
}

void TestSerializableSheme::readErrors()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    QCOMPARE(ErrorOf([&] { Read(text); }), message);
}

// A colour block that cannot be read ends the list there, silently; opening then fails unless
// ColorsCount asks for no more colours than were read.
void TestSerializableSheme::colourListEndsAtFirstUnreadableBlock_data()
{
    QTest::addColumn<QByteArray>("secondBlock");
    QTest::addColumn<int>("itemsRead");

    const auto block = [](const QByteArray &inner) { return "<TserializableColor>" + inner + "</TserializableColor>"; };
    QTest::newRow("readable") << block("<Red>2</Red><Symbol>49</Symbol>") << 3;
    QTest::newRow("empty block is an item with defaults") << block("") << 3;
    QTest::newRow("unknown property") << block("<Red>2</Red><Alpha>9</Alpha>") << 1;
    QTest::newRow("symbol code above 255") << block("<Symbol>256</Symbol>") << 1;
    QTest::newRow("negative symbol code") << block("<Symbol>-1</Symbol>") << 1;
    QTest::newRow("bad number") << block("<Count>many</Count>") << 1;
    QTest::newRow("property close tag missing") << block("<Red>2</Green>") << 1;
    // Its block runs to the next colour's close tag and so holds a colour open tag.
    QTest::newRow("block not closed") << QByteArray("<TserializableColor><Red>2</Red>") << 1;
}

void TestSerializableSheme::colourListEndsAtFirstUnreadableBlock()
{
    QFETCH(QByteArray, secondBlock);
    QFETCH(int, itemsRead);
    const QByteArray third = "<TserializableColor><Red>3</Red><Symbol>50</Symbol></TserializableColor>";
    const QByteArray colors = "<Colors><TserializableColor><Red>1</Red><Symbol>48</Symbol></TserializableColor>" +
                              secondBlock + third + "</Colors>";
    const QByteArray tail = "<Width>2</Width><Height>1</Height><Pixels>01</Pixels>";

    for (const int count : {itemsRead, itemsRead + 1}) {
        const QByteArray text = Root(colors + tail + "<ColorsCount>" + QByteArray::number(count) + "</ColorsCount>");
        const TserializableBitmap scheme = Read(text);
        QCOMPARE(int(scheme.Colors.size()), itemsRead);
        QCOMPARE(scheme.Colors.front().Red, 1);
        if (itemsRead == 3)
            QCOMPARE(scheme.Colors.back().Red, 3);
        if (count == itemsRead)
            QCOMPARE(scheme.ToIndexBitmap()->ColorCount(), count);
        else
            QCOMPARE(ErrorOf([&] { scheme.ToIndexBitmap(); }), QStringLiteral("List index out of bounds (%1)").arg(itemsRead));
    }
}

void TestSerializableSheme::laterElementWins()
{
    const TserializableBitmap scheme =
        Read(Root("<Width>5</Width><Width>2</Width><Colors><TserializableColor><Red>9</Red></TserializableColor>"
                  "</Colors>" + kTwoColors + QByteArray("<FontName>a\0b</FontName>", 24) +
                  QByteArray("<Pixels>x\0</Pixels>", 19)));
    QCOMPARE(scheme.Width, 2);
    QCOMPARE(int(scheme.Colors.size()), 2);  // the second Colors element replaces the first list
    QCOMPARE(scheme.Colors.front().Red, 1);
    QCOMPARE(scheme.FontName, QByteArray("a"));  // a value ends at its first zero byte
    QCOMPARE(scheme.Pixels, QByteArray("x"));
}

void TestSerializableSheme::pixelsMapToFirstColourWithTheSymbol()
{
    const QByteArray colors = "<Colors>"
                              "<TserializableColor><Symbol>65</Symbol><Count>7</Count></TserializableColor>"
                              "<TserializableColor><Symbol>66</Symbol></TserializableColor>"
                              "<TserializableColor><Symbol>66</Symbol></TserializableColor>"
                              "</Colors>";
    // Extra characters beyond Width x Height are not stitches and are ignored.
    const auto bitmap = Read(Root(colors + "<ColorsCount>3</ColorsCount><Width>3</Width><Height>2</Height>"
                                           "<Pixels>BA?\xff" "BBzz</Pixels>"))
                            .ToIndexBitmap();
    QCOMPARE(bitmap->Indices, (std::vector<std::int32_t>{1, 0, 0, 0, 1, 1}));
    QCOMPARE(bitmap->GetColor(0).Count, 7);  // counts are the file's, not recounted
}

// Sizes and counts no scheme can have are refused before any raster is built.
void TestSerializableSheme::refusesValuesNoSchemeHas_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("colorsCount");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QString>("message");

    const QString size = QStringLiteral("The scheme size %1 x %2 is out of range: a scheme has 1 to 1000 stitches each way");
    const QString colors = QStringLiteral("The number of colours %1 is out of range: a scheme has 1 to 255 colours");
    QTest::newRow("empty object") << 0 << 0 << 0 << 0 << size.arg(0).arg(0);
    QTest::newRow("zero width") << 0 << 5 << 2 << 0 << size.arg(0).arg(5);
    QTest::newRow("negative height") << 2 << -1 << 2 << 0 << size.arg(2).arg(-1);
    QTest::newRow("width above 1000") << 1001 << 1 << 2 << 1001 << size.arg(1001).arg(1);
    QTest::newRow("huge both ways") << 2147483647 << 2147483647 << 2 << 4 << size.arg(2147483647).arg(2147483647);
    QTest::newRow("no colours") << 2 << 1 << 0 << 2 << colors.arg(0);
    QTest::newRow("negative colours") << 2 << 1 << -3 << 2 << colors.arg(-3);
    QTest::newRow("256 colours") << 2 << 1 << 256 << 2 << colors.arg(256);
    QTest::newRow("more colours than items") << 2 << 1 << 3 << 2 << QStringLiteral("List index out of bounds (2)");
    QTest::newRow("pixels short") << 3 << 2 << 2 << 5 << QStringLiteral("The scheme has 5 stitches where its size 3 x 2 needs 6");
    QTest::newRow("no pixels") << 2 << 1 << 2 << 0 << QStringLiteral("The scheme has 0 stitches where its size 2 x 1 needs 2");
}

void TestSerializableSheme::refusesValuesNoSchemeHas()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, colorsCount);
    QFETCH(int, pixels);
    QFETCH(QString, message);
    const QByteArray text = Root(kTwoColors + "<Width>" + QByteArray::number(width) + "</Width><Height>" +
                                 QByteArray::number(height) + "</Height><ColorsCount>" +
                                 QByteArray::number(colorsCount) + "</ColorsCount><Pixels>" +
                                 QByteArray(pixels, '0') + "</Pixels>");
    const TserializableBitmap scheme = Read(text);
    QCOMPARE(ErrorOf([&] { scheme.ToIndexBitmap(); }), message);
}

void TestSerializableSheme::largestSchemeIsAccepted()
{
    TserializableBitmap scheme;
    scheme.Width = scheme.Height = 1000;
    scheme.ColorsCount = 255;
    for (int i = 0; i < 255; ++i)
        scheme.Colors.push_back({i, i, i, QByteArray::number(i), 0, char(i + 1)});
    scheme.Pixels = QByteArray(1000 * 1000, '\x05');
    scheme.Pixels.back() = '\xff';
    const auto bitmap = scheme.ToIndexBitmap();
    QCOMPARE(bitmap->GetPixel(0, 0), 4);
    QCOMPARE(bitmap->GetPixel(999, 999), 254);
}

void TestSerializableSheme::savesAndLoadsFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.b.zel");
    SaveSchemeFile(*ExampleBitmap(), "Glifa", "Kit A", path);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), ReadFixture("example-2x1.zel"));
    saved.close();

    // Saving again replaces the whole file, never leaving a tail of the longer old one.
    SaveSchemeFile(*MakeBitmap(1, 1, {{1, 2, 3, "9", 1, 'Q'}}, {0}), "", "", path);
    const TschemeFileContents loaded = LoadSchemeFile(path);
    QCOMPARE(loaded.FontName, QByteArray());
    QCOMPARE(loaded.KitName, QByteArray());
    QCOMPARE(loaded.Bitmap->Width, 1);
    QCOMPARE(loaded.Bitmap->GetColor(0).Symbol, 'Q');
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.b.zel"});
}

void TestSerializableSheme::fileErrorsNameThePath()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.zel");
    QCOMPARE(ErrorOf([&] { LoadSchemeFile(missing); }),
             QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing));

    const QString noFolder = dir.filePath("no/such/folder/new.zel");
    QVERIFY(ErrorOf([&] { SaveSchemeFile(*ExampleBitmap(), "", "", noFolder); })
                .startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(noFolder)));

    const QString notScheme = dir.filePath("picture.zel");
    QFile file(notScheme);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("GIF89a");
    file.close();
    QCOMPARE(ErrorOf([&] { LoadSchemeFile(notScheme); }), Xml("Open tag not found: <TserializableBitmap>"));
}

QTEST_GUILESS_MAIN(TestSerializableSheme)
#include "tst_serializableSheme.moc"
