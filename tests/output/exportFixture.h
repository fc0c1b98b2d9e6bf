#pragma once
// Small schemes for the workbook export tests: a raster given by a function, its colours with
// symbols "a", "b", ... (colour 1 dark, the others light), the kit rows of the used colours and
// the sheets' palette as the view mode sets it.
#include "output/ExcelExport.h"
#include "output/xls/xlsWorkbook.h"

#include <functional>
#include <memory>

class TexportFixture {
public:
    TexportFixture(int width, int height, int colorCount, std::function<int(int row, int col)> color,
                   TworkbookViewMode mode = TworkbookViewMode::HalfTone)
    {
        m_pixels.resize(std::size_t(width) * std::size_t(height));
        std::vector<int> counts(std::size_t(colorCount), 0);
        for (int r = 0; r < height; ++r)
            for (int c = 0; c < width; ++c) {
                const int k = color(r, c);
                m_pixels[std::size_t(r) * std::size_t(width) + std::size_t(c)] = k;
                if (k >= 0 && k < colorCount)
                    ++counts[std::size_t(k)];
            }
        Source.Width = width;
        Source.Height = height;
        Source.Pixels = m_pixels;
        Source.SymbolFontName = QStringLiteral("Glifa");
        Source.KitName = QStringLiteral("Test kit");
        Source.ViewMode = mode;
        for (int k = 0; k < colorCount; ++k) {
            Source.Colors.push_back({QString(QChar(u'a' + k % 26)), k == 1});
            if (counts[std::size_t(k)] > 0)
                Source.KitRows.push_back({k, QString(QChar(u'a' + k % 26)),
                                          QStringLiteral("T%1").arg(k), counts[std::size_t(k)]});
        }
        // A new sheet book's palette with entries 2, 3 and 5 + k written as the view mode does.
        const bool whiteOnDark = mode == TworkbookViewMode::SymbolsAndColors || mode == TworkbookViewMode::ColorsOnly;
        Source.SheetPalette = TxlsWorkbook::DefaultPalette();
        Source.SheetPalette[2] = 0x000000;
        Source.SheetPalette[3] = whiteOnDark ? 0xFFFFFF : 0x000000;
        for (int k = 0; k < colorCount && k + 5 < 56; ++k)
            Source.SheetPalette[std::size_t(k + 5)] = ColorOf(k);
    }
    TexportFixture(const TexportFixture &) = delete;
    TexportFixture &operator=(const TexportFixture &) = delete;

    // Distinct packed colours; colour 1 is dark, the others light.
    static TpackedColor ColorOf(int k)
    {
        if (k == 1)
            return 0x402010;
        return TpackedColor(0xA0 + (k * 37) % 0x60) | TpackedColor(0xB0 + (k * 11) % 0x50) << 8 |
               TpackedColor(0x90 + (k * 23) % 0x70) << 16;
    }

    TworkbookExportSource Source;

private:
    std::vector<std::int32_t> m_pixels;
};
