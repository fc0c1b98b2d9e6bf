// The scheme document's commands without a window: the state table through new, open, draw,
// save and a failed open; the changes prompt; drawing counts; hide and show; the status panels.
#include "common/KanvoAbort.h"
#include "common/KanvoError.h"
#include "common/symbolChars.h"
#include "document/colorsKitList.h"
#include "document/schemeDialogs.h"
#include "document/schemeDocument.h"
#include "document/schemeEditor.h"
#include "document/schemeFile.h"
#include "document/schemeFileCommands.h"
#include "document/schemeView.h"
#include "view/schemeSheets.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class TfakeView : public IschemeView {
public:
    QString Panels[StatusPanelCount];
    QImage Preview;
    int Resets = 0;
    int KitRows = -1;
    QString SymbolFont;

    void ResetView() override
    {
        ++Resets;
        Preview = QImage();
        for (QString &panel : Panels)
            panel.clear();
        KitRows = 0;
    }
    QString StatusText(int panel) const override { return Panels[panel]; }
    void SetStatusText(int panel, const QString &text) override { Panels[panel] = text; }
    QString StitchesText() const override { return QStringLiteral("stitches"); }
    QString ThreadsText() const override { return QStringLiteral("threads"); }
    void SetPreview(const QImage &picture) override { Preview = picture; }
    void SetPreviewPixel(int x, int y, TpackedColor c) override
    {
        Preview.setPixel(x, y, qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    }
    void SetKitRowCount(int rows) override { KitRows = rows; }
    void SetSymbolFontName(const QString &fontName) override { SymbolFont = fontName; }
};

class TfakeDialogs : public IschemeDialogs {
public:
    TsaveChangesAnswer Answer = TsaveChangesAnswer::No;
    int Prompts = 0;
    QString PromptName;
    std::optional<QString> OpenFile;
    int OpenDialogs = 0;
    std::optional<TsaveFileChoice> SaveChoice;
    int SaveDialogs = 0;
    QString Proposed;

    TsaveChangesAnswer AskSaveChanges(const QString &name) override
    {
        ++Prompts;
        PromptName = name;
        return Answer;
    }
    std::optional<QString> ChooseOpenFile() override
    {
        ++OpenDialogs;
        return OpenFile;
    }
    std::optional<TsaveFileChoice> ChooseSaveFile(const QString &proposedName) override
    {
        ++SaveDialogs;
        Proposed = proposedName;
        return SaveChoice;
    }
};

// 4 x 3 stitches: colour 0 dark ('a', 6 stitches), colour 1 light ('b', 6), colour 2 unused ('c').
std::unique_ptr<TindexBitmap> SmallScheme()
{
    auto colours = std::make_unique<TrgbArray>(3);
    colours->SetItem(0, TcountColor(10, 10, 10, 6, "310", 'a'));
    colours->SetItem(1, TcountColor(250, 250, 200, 6, "3865", 'b'));
    colours->SetItem(2, TcountColor(0, 0, 255, 0, "820", 'c'));
    auto scheme = std::make_unique<TindexBitmap>(3, 4, std::move(colours));
    const int pixels[3][4] = {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 0, 0, 1}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            scheme->SetPixel(r, c, pixels[r][c]);
    return scheme;
}

// The document with everything its commands work on.
struct Tfixture {
    TschemeDocument Document;
    TcolorsKitList KitList;
    TsheetBook Book{2};
    TschemeSheets Sheets{Book, Document, KitList};
    TfakeView View;
    TfakeDialogs Dialogs;
    TschemeEditor Editor{Document, KitList, Sheets, View, Dialogs};
    TschemeFileCommands Files{Document, Editor, Sheets, View, Dialogs};

    Tfixture() { Editor.SaveCommand = [this] { Files.actFileSaveExecute(); }; }

    // The new-scheme command as the wizard drives it, ending with Finish.
    void MakeNewScheme()
    {
        Editor.ConfirmSaveChanges();
        Editor.StartNewScheme();
        Document.SchemeLoaded = true;  // the wizard loaded its picture
        View.Panels[0] = QStringLiteral("holiday");
        Editor.AcceptNewScheme(SmallScheme(), QStringLiteral("Glifa"), QStringLiteral("DMC"));
    }

    void Draw(int col, int row, int colour)
    {
        Book.Page(0).SetActiveCell(col, row);
        KitList.SetCurrentRow(KitList.FindNum(colour));
        Editor.DrawStitch();
    }

    QString Flags() const
    {
        return QStringLiteral("loaded=%1 modified=%2 untitled=%3")
            .arg(Document.SchemeLoaded)
            .arg(Document.Modified)
            .arg(Document.Untitled);
    }
};

QString WriteSchemeFile(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    SaveSchemeFile(*SmallScheme(), "Glifa", "Anchor", path);
    return path;
}

}  // namespace

class TestSchemeEditor : public QObject {
    Q_OBJECT

private slots:
    void stateTableThroughTheCommands()
    {
        QTemporaryDir dir;
        Tfixture f;
        QCOMPARE(f.Flags(), QStringLiteral("loaded=0 modified=0 untitled=1"));
        QVERIFY(!f.Editor.actFileSaveUpdate());

        f.MakeNewScheme();
        QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=1 untitled=1"));
        QVERIFY(f.Editor.actFileSaveUpdate());

        // Save on a new scheme asks for a name, proposing the scheme name.
        const QString saved = dir.filePath(QStringLiteral("holiday.zel"));
        f.Dialogs.SaveChoice = TsaveFileChoice{saved, SchemeFileType};
        f.Files.actFileSaveExecute();
        QCOMPARE(f.Dialogs.SaveDialogs, 1);
        QCOMPARE(f.Dialogs.Proposed, QStringLiteral("holiday"));
        QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=0 untitled=0"));
        QCOMPARE(f.Document.SchemeFileName, saved);

        f.Draw(0, 0, 1);
        QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=1 untitled=0"));
        f.Files.actFileSaveExecute();  // to the same file, without a dialog
        QCOMPARE(f.Dialogs.SaveDialogs, 1);
        QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=0 untitled=0"));

        // A file that is no scheme: nothing loaded, the rest as it was.
        const QString bad = dir.filePath(QStringLiteral("notes.zel"));
        QFile text(bad);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("just some notes\n");
        text.close();
        const int resets = f.View.Resets;
        QVERIFY_THROWS_EXCEPTION(EKanvoError, f.Files.OpenSchemeFile(bad));
        QCOMPARE(f.Flags(), QStringLiteral("loaded=0 modified=0 untitled=0"));
        QCOMPARE(f.Document.SchemeFileName, saved);
        QCOMPARE(f.Document.KitName, QStringLiteral("DMC"));
        QVERIFY(f.Document.SchemeBitmap);
        QCOMPARE(f.KitList.RowCount(), 0);
        QCOMPARE(f.View.Resets, resets + 1);
        QVERIFY(!f.Editor.actFileSaveUpdate());

        // Nothing is loaded now: the prompt stays silent and Save writes nothing.
        f.Dialogs.OpenFile = saved;
        f.Files.actFileOpenExecute();
        QCOMPARE(f.Dialogs.Prompts, 0);
        QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=0 untitled=0"));
    }

    void saveWithoutSchemeDoesNothing()
    {
        Tfixture f;
        f.Files.actFileSaveExecute();
        f.Files.actFileSaveAsExecute();
        QCOMPARE(f.Dialogs.SaveDialogs, 0);
        f.MakeNewScheme();
        f.Editor.CancelNewScheme();  // a wizard cancelled after Finish of an earlier one
        f.Files.actFileSaveAsExecute();
        QCOMPARE(f.Dialogs.SaveDialogs, 0);
    }

    void changesPromptAnswers_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<bool>("saved");
        for (const char *caller : {"new", "open"}) {
            QTest::addRow("%s, Yes", caller) << QString(caller) << int(TsaveChangesAnswer::Yes) << true << true;
            QTest::addRow("%s, No", caller) << QString(caller) << int(TsaveChangesAnswer::No) << true << false;
            QTest::addRow("%s, Cancel", caller) << QString(caller) << int(TsaveChangesAnswer::Cancel) << false << false;
        }
    }
    void changesPromptAnswers()
    {
        QFETCH(QString, caller);
        QFETCH(int, answer);
        QFETCH(bool, goesOn);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString other = WriteSchemeFile(dir, QStringLiteral("other.zel"));
        Tfixture f;
        f.MakeNewScheme();
        const QString target = dir.filePath(QStringLiteral("holiday.zel"));
        f.Dialogs.SaveChoice = TsaveFileChoice{target, SchemeFileType};
        f.Dialogs.OpenFile = other;
        f.Dialogs.Answer = TsaveChangesAnswer(answer);
        bool abandoned = false;
        try {
            if (caller == QLatin1String("new")) {
                f.Editor.ConfirmSaveChanges();
                f.Editor.StartNewScheme();
            } else {
                f.Files.actFileOpenExecute();
            }
        } catch (const EKanvoAbort &) {
            abandoned = true;
        }
        QCOMPARE(f.Dialogs.Prompts, 1);
        QCOMPARE(f.Dialogs.PromptName, QStringLiteral("holiday"));
        QCOMPARE(abandoned, !goesOn);
        QCOMPARE(QFile::exists(target), saved);
        QCOMPARE(f.Dialogs.OpenDialogs, caller == QLatin1String("open") && goesOn ? 1 : 0);
        if (!goesOn)
            QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=1 untitled=1"));
    }

    void promptYesWithCancelledSaveDialogGoesOn()
    {
        Tfixture f;
        f.MakeNewScheme();
        f.Dialogs.Answer = TsaveChangesAnswer::Yes;
        f.Dialogs.SaveChoice.reset();
        f.Editor.ConfirmSaveChanges();  // no throw: the caller goes on
        QCOMPARE(f.Dialogs.SaveDialogs, 1);
        QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=1 untitled=1"));
    }

    void failedSaveKeepsModifiedAndTellsWhy()
    {
        QTemporaryDir dir;
        Tfixture f;
        f.MakeNewScheme();
        const QString target = dir.filePath(QStringLiteral("missing/holiday.zel"));
        f.Dialogs.SaveChoice = TsaveFileChoice{target, SchemeFileType};
        f.Dialogs.Answer = TsaveChangesAnswer::Yes;
        try {
            f.Editor.ConfirmSaveChanges();
            QFAIL("the save should have failed");
        } catch (const EKanvoError &error) {
            QVERIFY2(error.Message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(target)),
                     qPrintable(error.Message()));
            QVERIFY(error.Message().size() > target.size() + 24);  // the system's reason follows
        }
        QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=1 untitled=1"));
        QVERIFY(f.Document.SchemeFileName.isEmpty());
    }

    void openShowsStatusAndPreview()
    {
        QTemporaryDir dir;
        const QString path = WriteSchemeFile(dir, QStringLiteral("a.b.zel"));
        Tfixture f;
        f.Files.OpenSchemeFile(path);
        QCOMPARE(f.View.Panels[0], QStringLiteral("a.b"));
        QCOMPARE(f.View.Panels[1], QStringLiteral("4x3 stitches"));
        QCOMPARE(f.View.Panels[2], QStringLiteral("2 threads"));
        QCOMPARE(f.View.Panels[3], QStringLiteral("Anchor"));
        QVERIFY(f.View.Panels[4].isEmpty());
        QCOMPARE(f.View.Preview.size(), QSize(4, 3));
        QCOMPARE(f.View.Preview.pixel(2, 0), qRgb(250, 250, 200));
        QCOMPARE(f.View.Preview.pixel(0, 2), qRgb(10, 10, 10));
        QCOMPARE(f.View.KitRows, 2);
        QCOMPARE(f.View.SymbolFont, QStringLiteral("Glifa"));
        QCOMPARE(f.KitList.RowCount(), 2);  // the unused colour has no row
        QCOMPARE(f.KitList.Row(1).Num, 1);
        QCOMPARE(f.KitList.CurrentRow(), 1);  // the full refresh leaves the last row current
        QCOMPARE(TschemeFileCommands::SchemeNameOf(QStringLiteral("/x/plain")), QStringLiteral("plain"));
    }

    void drawingKeepsCountsExact()
    {
        QTemporaryDir dir;
        Tfixture f;
        f.Files.OpenSchemeFile(WriteSchemeFile(dir, QStringLiteral("s.zel")));
        f.Sheets.ViewMode = TviewMode::SymbolsAndColors;
        f.Sheets.RefreshSheets(false);

        f.Draw(0, 0, 0);  // the colour it already has
        QVERIFY(!f.Document.Modified);

        f.Draw(0, 0, 1);
        QVERIFY(f.Document.Modified);
        QCOMPARE(f.Document.SchemeBitmap->GetPixel(0, 0), 1);
        QCOMPARE(f.KitList.Row(f.KitList.FindNum(0)).Count, 5);
        QCOMPARE(f.KitList.Row(f.KitList.FindNum(1)).Count, 7);
        QCOMPARE(f.KitList.CurrentRow(), f.KitList.FindNum(1));
        QCOMPARE(f.Book.Page(0).CellText(0, 0), SymbolText('b'));
        QCOMPARE(int(f.Book.Page(0).CellStyle(0, 0).FillColor), 1 + 5);
        QCOMPARE(f.View.Preview.pixel(0, 0), qRgb(250, 250, 200));

        f.Draw(9, 0, 0);  // outside the scheme
        QCOMPARE(f.KitList.Row(f.KitList.FindNum(0)).Count, 5);

        // The file written next holds the same counts.
        const QString saved = dir.filePath(QStringLiteral("drawn.zel"));
        f.Files.SaveSchemeFile(saved);
        const TschemeFileContents back = LoadSchemeFile(saved);
        QCOMPARE(back.Bitmap->GetColor(0).Count, 5);
        QCOMPARE(back.Bitmap->GetColor(1).Count, 7);
        QCOMPARE(back.Bitmap->GetPixel(0, 0), 1);
    }

    void hiddenColourDrawsPlainAndHidingChangesNoCount()
    {
        QTemporaryDir dir;
        Tfixture f;
        f.Files.OpenSchemeFile(WriteSchemeFile(dir, QStringLiteral("s.zel")));
        const int lightRow = f.KitList.FindNum(1);
        f.KitList.setData(f.KitList.index(lightRow, TcolorsKitList::Visible), Qt::Unchecked, Qt::CheckStateRole);
        QVERIFY(!f.Document.Modified);
        QVERIFY(!f.Document.SymbolsStale);  // set, then cleared by the refresh
        QVERIFY(f.Book.Page(0).CellText(3, 0).isEmpty());  // a stitch of the hidden colour
        QCOMPARE(f.Book.Page(0).CellText(0, 0), SymbolText('a'));
        QCOMPARE(f.KitList.Row(lightRow).Count, 6);

        f.Draw(0, 0, 1);
        QVERIFY(f.Book.Page(0).CellText(0, 0).isEmpty());
        QCOMPARE(int(f.Book.Page(0).CellStyle(0, 0).FillColor), 1);
        QVERIFY(!f.KitList.Row(lightRow).Visible);

        // Showing it again brings its symbols back; a rebuild shows every colour.
        f.KitList.setData(f.KitList.index(lightRow, TcolorsKitList::Visible), Qt::Checked, Qt::CheckStateRole);
        QCOMPARE(f.Book.Page(0).CellText(3, 0), SymbolText('b'));
        f.KitList.SetVisible(0, false);
        f.Editor.RebuildColorsKit();
        QVERIFY(f.KitList.Row(0).Visible && f.KitList.Row(1).Visible);
    }

    void workbookTypeIsExportNotSave()
    {
        Tfixture f;
        f.MakeNewScheme();
        QString exported;
        f.Files.ExportWorkbook = [&](const QString &name) { exported = name; };
        f.Dialogs.SaveChoice = TsaveFileChoice{QStringLiteral("/tmp/book.xls"), WorkbookFileType};
        f.Files.actFileSaveAsExecute();
        QCOMPARE(exported, QStringLiteral("/tmp/book.xls"));
        QCOMPARE(f.Flags(), QStringLiteral("loaded=1 modified=1 untitled=1"));
        f.Files.actFileSaveExecute();  // still untitled: the dialog again
        QCOMPARE(f.Dialogs.SaveDialogs, 2);
    }

    void cancelledWizardLeavesTheDocumentEmpty()
    {
        Tfixture f;
        f.Editor.StartNewScheme();
        f.Document.SchemeLoaded = true;
        f.Editor.CancelNewScheme();
        QCOMPARE(f.Flags(), QStringLiteral("loaded=0 modified=0 untitled=1"));
        QVERIFY(!f.Editor.actFileSaveUpdate());
        f.Editor.ConfirmSaveChanges();
        QCOMPARE(f.Dialogs.Prompts, 0);
    }
};

QTEST_GUILESS_MAIN(TestSchemeEditor)
#include "tst_schemeEditor.moc"
