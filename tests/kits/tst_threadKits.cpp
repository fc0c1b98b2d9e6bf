// Thread kit files: the INI reading under them, the colour value parse with its integer forms,
// the three readers on small kits and on the shipped ones, and the kit list of the kit folder.
#include "common/KanvoError.h"
#include "kits/iniFile.h"
#include "kits/threadKits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the fixture %s", qPrintable(path));
    file.write(bytes);
}

// Records what FillThreadKits hands to a drop-down list.
class TrecordingKitList : public IKitList {
public:
    void AddKit(const QByteArray &displayName, const TfileNameObject &file) override
    {
        Names << displayName;
        Files << file.FileName;
    }
    void SelectKit(int index) override { Selected << index; }

    QList<QByteArray> Names;
    QStringList Files;
    QList<int> Selected;
};

QString ShippedKit(const char *name)
{
    return QDir(KitFolder(QCoreApplication::applicationDirPath())).filePath(QString::fromLatin1(name));
}

}  // namespace

class TestThreadKits : public QObject {
    Q_OBJECT
private slots:
    void iniReadString_data();
    void iniReadString();
    void iniSectionEntriesKeepEveryLine();

    void parseThreadColor_data();
    void parseThreadColor();

    void readersOnSmallKit();
    void missingFileSectionsAndKeysReadEmpty();
    void shippedKits_data();
    void shippedKits();

    void kitListInByteOrderOfNames();
    void kitListOfEmptyOrMissingFolder();
};

// One profile text with the awkward cases of the format, asked for one key at a time.
void TestThreadKits::iniReadString_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("case-insensitive section and key") << QByteArray("general") << QByteArray("name") << QByteArray("Kit A");
    QTest::newRow("blanks around key and value") << QByteArray("S") << QByteArray("spaced key") << QByteArray("v a l");
    QTest::newRow("first line of a key wins") << QByteArray("S") << QByteArray("dup") << QByteArray("first");
    QTest::newRow("first section of a name wins") << QByteArray("S") << QByteArray("later") << QByteArray();
    QTest::newRow("quotes are dropped") << QByteArray("S") << QByteArray("quoted") << QByteArray(" in quotes ");
    QTest::newRow("unmatched quote kept") << QByteArray("S") << QByteArray("half") << QByteArray("\"open");
    QTest::newRow("LF-only line") << QByteArray("S") << QByteArray("lf") << QByteArray("yes");
    QTest::newRow("empty value") << QByteArray("S") << QByteArray("empty") << QByteArray();
    QTest::newRow("8-bit bytes kept") << QByteArray("S") << QByteArray("ansi") << QByteArray("\xc0\xe1\xe2");
    QTest::newRow("equals sign inside value") << QByteArray("S") << QByteArray("eq") << QByteArray("a=b");
    QTest::newRow("line without = is no key") << QByteArray("S") << QByteArray("bare line") << QByteArray();
    QTest::newRow("comment line is no key") << QByteArray("S") << QByteArray(";c") << QByteArray();
    QTest::newRow("line before any section") << QByteArray("") << QByteArray("orphan") << QByteArray();
    QTest::newRow("blanks inside brackets") << QByteArray("padded") << QByteArray("k") << QByteArray("1");
    QTest::newRow("missing section") << QByteArray("nope") << QByteArray("k") << QByteArray();
}

void TestThreadKits::iniReadString()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, expected);
    const TiniFile ini(QByteArray("orphan=1\r\n"
                                  "[GENERAL]\r\n"
                                  "NAME=Kit A\r\n"
                                  "[S]\r\n"
                                  "  spaced key  =  v a l \t\r\n"
                                  "dup=first\r\n"
                                  "DUP=second\r\n"
                                  "quoted=\" in quotes \"\r\n"
                                  "half=\"open\r\n"
                                  "lf=yes\n"
                                  "empty=\r\n"
                                  "ansi=\xc0\xe1\xe2\r\n"
                                  "eq=a=b\r\n"
                                  "bare line\r\n"
                                  ";c=comment\r\n"
                                  "[ padded ]\r\n"
                                  "k=1\r\n"
                                  "[s]\r\n"
                                  "later=2\r\n"));
    QCOMPARE(ini.ReadString(section, key), expected);
}

void TestThreadKits::iniSectionEntriesKeepEveryLine()
{
    const TiniFile ini(QByteArray("[A]\nx=1\n\nX = 2\ny=3\n[B]\nz=4"));
    const auto &entries = ini.SectionEntries("a");
    QCOMPARE(entries.size(), size_t(3));
    QCOMPARE(entries[1].Key, QByteArray("X"));
    QCOMPARE(entries[1].Value, QByteArray("2"));
    QCOMPARE(ini.ReadString("b", "z"), QByteArray("4"));  // last line without a line break
    QVERIFY(ini.SectionEntries("C").empty());
}

void TestThreadKits::parseThreadColor_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QList<int>>("rgb");       // expected channels when the parse succeeds
    QTest::addColumn<QString>("failedText");  // the text named in the message when it fails

    const QString ok;
    QTest::newRow("blanks around") << QByteArray("  255 , 0,10  ") << QList<int>{255, 0, 10} << ok;
    QTest::newRow("clamped") << QByteArray("300,-4,128") << QList<int>{255, 0, 128} << ok;
    QTest::newRow("black") << QByteArray("0, 0, 0") << QList<int>{0, 0, 0} << ok;
    QTest::newRow("tabs and controls") << QByteArray("\t7,\t8\t,9\x01") << QList<int>{7, 8, 9} << ok;
    QTest::newRow("hex prefixes") << QByteArray("$10,x1F,0X0a") << QList<int>{16, 31, 10} << ok;
    QTest::newRow("signs and hex") << QByteArray("+0x10,-$1,+5") << QList<int>{16, 0, 5} << ok;
    QTest::newRow("leading zeros") << QByteArray("007,0,00") << QList<int>{7, 0, 0} << ok;
    QTest::newRow("32-bit extremes") << QByteArray("2147483647,-2147483648,1") << QList<int>{255, 0, 1} << ok;
    QTest::newRow("hex uses all 32 bits") << QByteArray("$FFFFFFFF,$7FFFFFFF,1") << QList<int>{0, 255, 1} << ok;

    QTest::newRow("no commas") << QByteArray("12 34 56") << QList<int>{} << QString("");
    QTest::newRow("two numbers") << QByteArray("1,2") << QList<int>{} << QString("");
    QTest::newRow("four numbers") << QByteArray("1,2,3,4") << QList<int>{} << QString("3,4");
    QTest::newRow("empty value") << QByteArray("") << QList<int>{} << QString("");
    QTest::newRow("empty green") << QByteArray("1,,2") << QList<int>{} << QString("");
    QTest::newRow("trailing comma") << QByteArray("1,2,3,") << QList<int>{} << QString("3,");
    QTest::newRow("blank inside") << QByteArray("1 2,3,4") << QList<int>{} << QString("1 2");
    QTest::newRow("letters") << QByteArray("a,1,2") << QList<int>{} << QString("a");
    QTest::newRow("sign alone") << QByteArray("-,1,2") << QList<int>{} << QString("-");
    QTest::newRow("hex prefix alone") << QByteArray("1,$,2") << QList<int>{} << QString("$");
    QTest::newRow("0x alone") << QByteArray("1,2,0x") << QList<int>{} << QString("0x");
    QTest::newRow("bad hex digit") << QByteArray("$1G,1,2") << QList<int>{} << QString("$1G");
    QTest::newRow("decimal overflow") << QByteArray("2147483648,0,0") << QList<int>{} << QString("2147483648");
    QTest::newRow("negative overflow") << QByteArray("0,-2147483649,0") << QList<int>{} << QString("-2147483649");
    QTest::newRow("hex overflow") << QByteArray("0,0,$100000000") << QList<int>{} << QString("$100000000");
    QTest::newRow("red fails before blue") << QByteArray("r,g,b") << QList<int>{} << QString("r");
    QTest::newRow("8-bit text in message") << QByteArray("\xc0,1,2") << QList<int>{} << QString::fromUtf8("А");
}

void TestThreadKits::parseThreadColor()
{
    QFETCH(QByteArray, value);
    QFETCH(QList<int>, rgb);
    QFETCH(QString, failedText);

    if (!rgb.isEmpty()) {
        const TrgbColor color = ParseThreadColor("310", value);
        QCOMPARE((QList<int>{color.Red, color.Green, color.Blue}), rgb);
        QCOMPARE(color.Thread, QByteArray("310"));
        return;
    }
    try {
        ParseThreadColor("310", value);
        QFAIL("the value was accepted");
    } catch (const EKanvoError &error) {
        QCOMPARE(error.Message(), QStringLiteral("'%1' is not a valid integer value").arg(failedText));
    }
}

void TestThreadKits::readersOnSmallKit()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("small.thr");
    WriteBytes(path, "[general]\r\nName = Kit \xc0\r\n\r\n"
                     "[Thread_Colors]\r\n"
                     "Blanc = 252,251,248\r\n"
                     "310=0,0,0\r\n"
                     "blanc=1,2,3\r\n"
                     "999=oops\r\n"
                     "[THREAD_NAMES]\r\n"
                     "BLANC=White\r\n");

    QCOMPARE(ReadKitName(path), QByteArray("Kit \xc0"));
    const TthreadEntries entries = ReadThreadColors(path);
    // One pair per line, in file order; the repeated code answers with its first line's value.
    const TthreadEntries expected{{"Blanc", "252,251,248"}, {"310", "0,0,0"}, {"blanc", "252,251,248"}, {"999", "oops"}};
    QCOMPARE(entries, expected);

    const TrgbColor black = ParseThreadColor(entries[1].first, entries[1].second);
    QCOMPARE((QList<int>{black.Red, black.Green, black.Blue}), (QList<int>{0, 0, 0}));
    QCOMPARE(black.Thread, QByteArray("310"));

    QCOMPARE(ReadThreadName(path, "blanc"), QByteArray("White"));
    QCOMPARE(ReadThreadName(path, "310"), QByteArray());
}

void TestThreadKits::missingFileSectionsAndKeysReadEmpty()
{
    QTemporaryDir dir;
    const QString bare = dir.filePath("bare.thr");
    WriteBytes(bare, "[OTHER]\nNAME=not this one\n");
    QCOMPARE(ReadKitName(bare), QByteArray());
    QVERIFY(ReadThreadColors(bare).empty());
    QCOMPARE(ReadThreadName(bare, "310"), QByteArray());

    const QString missing = dir.filePath("missing.thr");
    QCOMPARE(ReadKitName(missing), QByteArray());
    QVERIFY(ReadThreadColors(missing).empty());
    QCOMPARE(ReadThreadName(missing, "310"), QByteArray());
}

void TestThreadKits::shippedKits_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("threads");
    QTest::newRow("DMC") << ShippedKit("DMC.thr") << QByteArray("DMC") << 505;
    QTest::newRow("Anchor") << ShippedKit("Anchor.thr") << QByteArray("Anchor") << 444;
}

void TestThreadKits::shippedKits()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, name);
    QFETCH(int, threads);

    QCOMPARE(ReadKitName(file), name);
    const TthreadEntries entries = ReadThreadColors(file);
    QCOMPARE(int(entries.size()), threads);
    const TiniFile ini = TiniFile::FromFile(file);
    for (const auto &[code, value] : entries) {
        const TrgbColor color = ParseThreadColor(code, value);
        QVERIFY2(color.Red >= 0 && color.Red <= 255 && color.Blue >= 0 && color.Blue <= 255, code.constData());
        QVERIFY2(!ini.ReadString("THREAD_NAMES", code).isEmpty(), code.constData());
    }
    QCOMPARE(ReadThreadName(file, entries.front().first), ini.ReadString("THREAD_NAMES", entries.front().first));
}

void TestThreadKits::kitListInByteOrderOfNames()
{
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath("Threads/folder.thr"));  // a folder is no kit
    const QDir threads(KitFolder(program.path()));
    WriteBytes(threads.filePath("b.thr"), "[GENERAL]\nNAME=Bee\n");
    WriteBytes(threads.filePath("A.thr"), "[GENERAL]\nNAME=Ay\n");
    WriteBytes(threads.filePath(".hidden.thr"), "[GENERAL]\nNAME=Hidden\n");
    WriteBytes(threads.filePath("c.THR"), "no general section at all");
    WriteBytes(threads.filePath("notes.txt"), "[GENERAL]\nNAME=Not a kit\n");
    // A pipe is no kit; reading one would wait for a writer forever.
    QCOMPARE(mkfifo(QFile::encodeName(threads.filePath("pipe.thr")).constData(), 0600), 0);

    TrecordingKitList list;
    FillThreadKits(list, program.path());

    QCOMPARE(list.Names, (QList<QByteArray>{"Hidden", "Ay", "Bee", ""}));
    QCOMPARE(list.Files, (QStringList{threads.filePath(".hidden.thr"), threads.filePath("A.thr"),
                                      threads.filePath("b.thr"), threads.filePath("c.THR")}));
    QCOMPARE(list.Selected, QList<int>{0});
}

void TestThreadKits::kitListOfEmptyOrMissingFolder()
{
    QTemporaryDir program;
    TrecordingKitList missing;
    FillThreadKits(missing, program.path());
    QVERIFY(missing.Names.isEmpty());
    QVERIFY(missing.Selected.isEmpty());

    QVERIFY(QDir(program.path()).mkpath("Threads"));
    WriteBytes(QDir(KitFolder(program.path())).filePath("readme.txt"), "");
    TrecordingKitList empty;
    FillThreadKits(empty, program.path());
    QVERIFY(empty.Names.isEmpty());
    QVERIFY(empty.Selected.isEmpty());
}

QTEST_GUILESS_MAIN(TestThreadKits)
#include "tst_threadKits.moc"
