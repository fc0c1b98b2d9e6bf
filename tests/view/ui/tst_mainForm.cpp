// The main window with its data module: start-up and settings, Open's status bar and preview,
// drawing by clicks, the colours kit grid, view modes, the changes prompt when closing, and the
// file dialogs' settings. Settings live in a temporary file; message boxes answer through a seam.
#include "document/schemeEditor.h"
#include "document/schemeFile.h"
#include "document/ui/schemeFileDialogs.h"
#include "shell/DataModule.h"
#include "shell/MessageBox.h"
#include "shell/errorDisplay.h"
#include "view/ui/MainForm.h"
#include "view/ui/colorsKitGrid.h"
#include "view/ui/sheetGrid.h"
#include "view/ui/thumbnailPane.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

// 4 x 3 stitches: colour 0 dark ('a', 6 stitches), colour 1 light ('b', 6), colour 2 unused.
QString WriteScheme(const QString &path)
{
    auto colours = std::make_unique<TrgbArray>(3);
    colours->SetItem(0, TcountColor(10, 10, 10, 6, "310", 'a'));
    colours->SetItem(1, TcountColor(250, 250, 200, 6, "3865", 'b'));
    colours->SetItem(2, TcountColor(0, 0, 255, 0, "820", 'c'));
    TindexBitmap scheme(3, 4, std::move(colours));
    const int pixels[3][4] = {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 0, 0, 1}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            scheme.SetPixel(r, c, pixels[r][c]);
    SaveSchemeFile(scheme, "Glifa", "Anchor", path);
    return path;
}

// The point of the grid's viewport over a cell.
QPoint PointOfCell(TsheetGrid &grid, int col, int row)
{
    for (int y = 0; y < grid.viewport()->height(); y += 2)
        for (int x = 0; x < grid.viewport()->width(); x += 2)
            if (grid.CellAt({x, y}) == QPoint(col, row))
                return {x + 3, y + 3};
    return {-1, -1};
}

}  // namespace

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        SetMessageBoxSeam([this](const TmessageBoxRequest &request) {
            m_questions << request.Caption + '|' + request.Text;
            return m_answer;
        });
        SetErrorDisplaySeam([this](const QString &, const QString &text) { m_errors << text; });
    }
    void init()
    {
        m_settings = m_dir.filePath(QStringLiteral("ZEL-%1.ini").arg(++m_serial));
        m_questions.clear();
        m_errors.clear();
        m_answer = mrNo;
    }

    void firstStartWithEmptyStore()
    {
        TfrmZelMain window({m_settings, nullptr, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TcommandTable &c = *window.dmZel->Commands;
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        QCOMPARE(window.tlbGeneral->iconSize(), QSize(48, 48));
        QCOMPARE(window.tlbGeneral->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(c.ViewModeGroup->checkedAction(), c.actViewHalfTone);
        QVERIFY(!c.actPreview->isEnabled() && !c.actPrint->isEnabled() && !c.actDraw->isEnabled());
        QVERIFY(c.actFileSave->isEnabled() && c.actFileSaveAs->isEnabled());
        QCOMPARE(window.nbrThumbColors->nbgThumbnail->Caption(), QStringLiteral("Preview (100%)"));
        QCOMPARE(window.nbrThumbColors->nbgColorList->ContentHeight(), 42);
        for (int panel = 0; panel < 5; ++panel)
            QVERIFY(window.StatusText(panel).isEmpty());
        QCOMPARE(window.StitchesText(), QStringLiteral("stitches"));
        QCOMPARE(window.ThreadsText(), QStringLiteral("threads"));
    }

    void storedToolbarWordsAndSettingsRoundTrip()
    {
        {
            QSettings raw(m_settings, QSettings::IniFormat);
            raw.setValue(QStringLiteral("%FORM_NAME%/actTBCaptions_Checked"), QStringLiteral("nO"));
            raw.setValue(QStringLiteral("%FORM_NAME%/actTBBigButtons_Checked"), QStringLiteral("Y"));
            raw.setValue(QStringLiteral("frmZelMain/ShowCmd"), 1);
            raw.setValue(QStringLiteral("frmZelMain/nbrThumbColors_Width"), 300);
        }
        {
            TfrmZelMain window({m_settings, nullptr, {}});
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.tlbGeneral->iconSize(), QSize(48, 48));
            QCOMPARE(window.tlbGeneral->toolButtonStyle(), Qt::ToolButtonIconOnly);
            QVERIFY(!(window.windowState() & Qt::WindowMaximized));
            QTRY_COMPARE(window.LeftPaneWidth(), 300);
            window.dmZel->Commands->actTBBigButtons->trigger();
            window.SetLeftPaneWidth(260);
            QVERIFY(window.close());
        }
        QSettings raw(m_settings, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("%FORM_NAME%/actTBBigButtons_Checked")).toString(), QStringLiteral("FALSE"));
        QCOMPARE(raw.value(QStringLiteral("%FORM_NAME%/actTBCaptions_Checked")).toString(), QStringLiteral("FALSE"));
        QCOMPARE(raw.value(QStringLiteral("frmZelMain/nbrThumbColors_Width")).toInt(), 260);
        QCOMPARE(raw.value(QStringLiteral("frmZelMain/ShowCmd")).toInt(), 1);
        QVERIFY(!raw.childGroups().contains(QStringLiteral("dmZel")));
    }

    void openShowsSchemeAndDrawingCounts()
    {
        TfrmZelMain window({m_settings, nullptr, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TdmZel &dm = *window.dmZel;
        dm.Files->OpenSchemeFile(WriteScheme(m_dir.filePath(QStringLiteral("a.b.zel"))));
        QCOMPARE(window.StatusText(0), QStringLiteral("a.b"));
        QCOMPARE(window.StatusText(1), QStringLiteral("4x3 stitches"));
        QCOMPARE(window.StatusText(2), QStringLiteral("2 threads"));
        QCOMPARE(window.StatusText(3), QStringLiteral("Anchor"));
        QCOMPARE(window.nbrThumbColors->nbgThumbnail->Caption(), QStringLiteral("Preview (100%)"));
        QCOMPARE(window.nbrThumbColors->nbgThumbnail->ContentHeight(), 3);
        QCOMPARE(window.nbrThumbColors->nbgColorList->ContentHeight(), (2 + 1) * 18);
        QCOMPARE(window.gvColors->SymbolFontName(), QStringLiteral("Glifa"));
        dm.Commands->UpdateActions();
        QVERIFY(dm.Commands->actDraw->isEnabled());

        // Draw off: a click only moves the active cell.
        TsheetGrid &grid = *window.ssbSheme;
        const QPoint cell00 = PointOfCell(grid, 0, 0);
        QVERIFY(cell00.x() >= 0);
        window.gvColors->setCurrentIndex(window.gvColors->model()->index(window.gvColors->ViewRowOf(1), 4));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell00);
        QCOMPARE(dm.Document.SchemeBitmap->GetPixel(0, 0), 0);
        QVERIFY(!dm.Document.Modified);

        dm.Commands->actDraw->trigger();
        QCOMPARE(dm.mdPalette.CurrentRow(), 1);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell00);
        QCOMPARE(dm.Document.SchemeBitmap->GetPixel(0, 0), 1);
        QVERIFY(dm.Document.Modified);
        QCOMPARE(dm.mdPalette.Row(0).Count, 5);
        QCOMPARE(dm.mdPalette.Row(1).Count, 7);
        QCOMPARE(window.nbrThumbColors->imThumbnail->Picture().pixel(0, 0), qRgb(250, 250, 200));
        QCOMPARE(window.StatusText(2), QStringLiteral("2 threads"));  // drawing leaves the status bar

        // A click outside the scheme changes nothing.
        const QPoint outside = PointOfCell(grid, 6, 1);
        QVERIFY(outside.x() >= 0);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, outside);
        QCOMPARE(dm.mdPalette.Row(1).Count, 7);
    }

    void narrowPaneStretchesThePreview()
    {
        TfrmZelMain window({m_settings, nullptr, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QImage picture(300, 150, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        window.SetLeftPaneWidth(400);
        window.SetPreview(picture);
        TthumbnailPane &pane = *window.nbrThumbColors;
        QCOMPARE(pane.nbgThumbnail->Caption(), QStringLiteral("Preview (100%)"));
        QVERIFY(!pane.imThumbnail->Stretch());
        QCOMPARE(pane.nbgThumbnail->ContentHeight(), 150);

        window.SetLeftPaneWidth(160);
        QTRY_VERIFY(pane.imThumbnail->Stretch());
        const int area = pane.PreviewAreaWidth();
        QVERIFY(area < 300);
        QCOMPARE(pane.nbgThumbnail->ContentHeight(), qRound(150.0 * area / 300));
        QCOMPARE(pane.nbgThumbnail->Caption(),
                 QStringLiteral("Preview (%1%)").arg(pane.nbgThumbnail->ContentHeight() * 100 / 150));

        window.SetLeftPaneWidth(400);
        QTRY_COMPARE(pane.nbgThumbnail->Caption(), QStringLiteral("Preview (100%)"));
        QVERIFY(!pane.imThumbnail->Stretch());
    }

    void kitGridHidesAndSortsForDisplayOnly()
    {
        TfrmZelMain window({m_settings, nullptr, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TdmZel &dm = *window.dmZel;
        dm.Files->OpenSchemeFile(WriteScheme(m_dir.filePath(QStringLiteral("k.zel"))));
        TcolorsKitGrid &grid = *window.gvColors;

        // One click on the check box cell hides the colour's symbols, without counting as a change.
        const QRect box = grid.visualRect(grid.model()->index(grid.ViewRowOf(1), TcolorsKitList::Visible));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, box.center());
        QVERIFY(!dm.mdPalette.Row(1).Visible);
        QVERIFY(window.SheetBook().Page(0).CellText(3, 0).isEmpty());
        QVERIFY(!window.SheetBook().Page(0).CellText(0, 0).isEmpty());
        QVERIFY(!dm.Document.Modified);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, box.center());
        QVERIFY(dm.mdPalette.Row(1).Visible);
        QVERIFY(!window.SheetBook().Page(0).CellText(3, 0).isEmpty());

        // Sorting by thread code, descending, reorders the grid and not the list.
        const int threadHeader = grid.horizontalHeader()->sectionViewportPosition(TcolorsKitList::Thread) + 5;
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(threadHeader, 5));
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(threadHeader, 5));
        QCOMPARE(grid.model()->index(0, TcolorsKitList::Thread).data().toString(), QStringLiteral("3865"));
        QCOMPARE(grid.KitRowOf(0), 1);
        QCOMPARE(grid.SortModel()->sortOrder(), Qt::DescendingOrder);
        QCOMPARE(dm.mdPalette.Row(0).Num, 0);
        // The symbol column does not sort.
        const int symbolHeader = grid.horizontalHeader()->sectionViewportPosition(TcolorsKitList::Symbol) + 3;
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(symbolHeader, 5));
        QCOMPARE(grid.SortModel()->sortColumn(), int(TcolorsKitList::Thread));
    }

    void viewModeChangesPaletteAndButton()
    {
        TfrmZelMain window({m_settings, nullptr, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TdmZel &dm = *window.dmZel;
        dm.Files->OpenSchemeFile(WriteScheme(m_dir.filePath(QStringLiteral("v.zel"))));
        const QImage before = window.tbViewType->icon().pixmap(48).toImage();
        dm.Commands->actViewColorsOnly->trigger();
        QCOMPARE(dm.Sheets.ViewMode, TviewMode::ColorsOnly);
        QVERIFY(window.SheetBook().Page(0).CellText(0, 0).isEmpty());
        QCOMPARE(window.SheetBook().PaletteEntry(6), TpackedColor(0xC8FAFA));
        QVERIFY(window.tbViewType->icon().pixmap(48).toImage() != before);
        dm.Commands->actViewSymbolsOnly->trigger();
        QCOMPARE(window.SheetBook().PaletteEntry(6), TpackedColor(0xFFFFFF));
        QVERIFY(!window.SheetBook().Page(0).CellText(0, 0).isEmpty());
    }

    void closingAsksOnce_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes saves and closes") << int(mrYes) << true << true;
        QTest::newRow("No closes without saving") << int(mrNo) << true << false;
        QTest::newRow("Cancel keeps the window") << int(mrCancel) << false << false;
    }
    void closingAsksOnce()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        const QString path = WriteScheme(m_dir.filePath(QStringLiteral("close-%1.zel").arg(answer)));
        TfrmZelMain window({m_settings, nullptr, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TdmZel &dm = *window.dmZel;
        dm.Files->OpenSchemeFile(path);
        dm.Document.SchemeBitmap->SetPixel(0, 0, 1);
        dm.Document.Modified = true;
        m_answer = answer;
        dm.Commands->actExit->trigger();
        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(m_questions.first(),
                 QStringLiteral("Changes saving|Cross-stitch scheme \"close-%1\" was changed. If you will not have "
                                "saved scheme before closing, all changes will be lost.\\nSave scheme before "
                                "closing?").arg(answer));
        QCOMPARE(window.isVisible(), !closes);
        QCOMPARE(LoadSchemeFile(path).Bitmap->GetPixel(0, 0), saved ? 1 : 0);
        QVERIFY(m_errors.isEmpty());
    }

    void unchangedSchemeClosesSilently()
    {
        TfrmZelMain window({m_settings, nullptr, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.dmZel->Files->OpenSchemeFile(WriteScheme(m_dir.filePath(QStringLiteral("quiet.zel"))));
        QVERIFY(window.close());
        QVERIFY(m_questions.isEmpty());
    }

    void fileDialogsAsConfigured()
    {
        TschemeFileDialogs dialogs(nullptr);
        QFileDialog *open = dialogs.OpenDialog();
        QCOMPARE(open->windowTitle(), QStringLiteral("Open scheme"));
        QCOMPARE(open->nameFilters(), QStringList{QStringLiteral("Scheme files (*.zel)")});
        QCOMPARE(open->defaultSuffix(), QStringLiteral("zel"));
        QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
        QFileDialog *save = dialogs.SaveDialog();
        QCOMPARE(save->windowTitle(), QStringLiteral("Save scheme"));
        QCOMPARE(save->nameFilters(), (QStringList{QStringLiteral("Scheme file (*.zel)"),
                                                   QStringLiteral("Microsoft Excel book (*.xls)")}));
        QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!save->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(dialogs.SaveFileType(), 1);
        save->selectNameFilter(QStringLiteral("Microsoft Excel book (*.xls)"));
        emit save->filterSelected(QStringLiteral("Microsoft Excel book (*.xls)"));
        QCOMPARE(dialogs.SaveFileType(), 2);
        QCOMPARE(save->defaultSuffix(), QStringLiteral("xls"));
        save->selectNameFilter(QStringLiteral("Scheme file (*.zel)"));
        emit save->filterSelected(QStringLiteral("Scheme file (*.zel)"));
        QCOMPARE(save->defaultSuffix(), QStringLiteral("zel"));
    }

private:
    QTemporaryDir m_dir;
    QString m_settings;
    int m_serial = 0;
    int m_answer = mrNo;
    QStringList m_questions;
    QStringList m_errors;
};

QTEST_MAIN(TestMainForm)
#include "tst_mainForm.moc"
