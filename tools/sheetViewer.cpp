// Manual check of the scheme sheets: builds a 100 x 80 scheme of 20 colours, shows it in the grid
// and saves a picture of each view mode, of a hidden colour and of the colours table page into
// the folder given as the first argument (default: the working folder). Run it offscreen
// (QT_QPA_PLATFORM=offscreen) or under a virtual X server and look at the pictures.
#include "common/fontSubstitutes.h"
#include "document/colorsKitList.h"
#include "document/schemeDocument.h"
#include "view/schemeSheets.h"
#include "view/ui/sheetGrid.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cmath>
#include <cstdio>

namespace {

std::unique_ptr<TindexBitmap> MakeScheme(int width, int height, int colorCount)
{
    auto colors = std::make_unique<TrgbArray>(colorCount);
    for (int k = 0; k < colorCount; ++k) {
        // Colours round the hue circle at two brightnesses, so dark and light ones alternate.
        const QColor hue = QColor::fromHsv(k * 360 / colorCount, 200, k % 2 ? 230 : 90);
        // Symbols spread over the alphabet, some of them Cyrillic letters and punctuation.
        const char symbol = char(48 + (k * 205 / colorCount) % 205 + (k * 205 / colorCount >= 79 ? 2 : 0));
        colors->SetItem(k, TcountColor(hue.red(), hue.green(), hue.blue(), 0,
                                       QByteArray::number(300 + k * 7), symbol));
    }
    auto scheme = std::make_unique<TindexBitmap>(height, width, std::move(colors));
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const double wave = std::sin(c / 9.0) + std::cos(r / 7.0) + (c + r) / 60.0;
            const int k = std::clamp(int((wave + 2.0) / 5.4 * colorCount), 0, colorCount - 1);
            scheme->SetPixel(r, c, k);
            scheme->GetColor(k).IncCount();
        }
    return scheme;
}

void Save(TsheetGrid &grid, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    grid.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    TsheetBook book;
    TschemeDocument document;
    TcolorsKitList kitList;
    TschemeSheets sheets(book, document, kitList);
    document.ReplaceBitmap(MakeScheme(100, 80, 20));
    document.SymbolFontName = QStringLiteral("DejaVu Sans");
    document.KitName = QStringLiteral("DMC");
    document.SchemeLoaded = true;
    kitList.Rebuild(*document.SchemeBitmap);

    TsheetGrid grid(book);
    grid.resize(900, 640);
    grid.show();
    sheets.RefreshSheets(true);
    QApplication::processEvents();  // lays out the scroll bars before the first picture

    const struct {
        TviewMode Mode;
        const char *Name;
    } modes[] = {{TviewMode::SymbolsOnly, "1-symbols-only"},
                 {TviewMode::HalfTone, "2-half-tone"},
                 {TviewMode::SymbolsAndColors, "3-symbols-and-colors"},
                 {TviewMode::ColorsOnly, "4-colors-only"}};
    for (const auto &mode : modes) {
        sheets.ViewMode = mode.Mode;
        sheets.RefreshSheets(false);
        Save(grid, folder, QString::fromLatin1(mode.Name));
    }

    // Colour 0 hidden, focus on the grid with an active cell, scrolled to the scheme's end.
    sheets.ViewMode = TviewMode::SymbolsAndColors;
    kitList.SetVisible(kitList.FindNum(0), false);
    document.SymbolsStale = true;
    sheets.RefreshSheets(false);
    QApplication::setActiveWindow(&grid);
    grid.setFocus();
    grid.SetActiveCell(97, 77);
    QApplication::processEvents();
    grid.EnsureVisible(99, 79);
    Save(grid, folder, QStringLiteral("5-hidden-colour-focused-end"));

    book.SetActivePage(TschemeSheets::ColorsTablePage);
    Save(grid, folder, QStringLiteral("6-colors-table"));
    return 0;
}
