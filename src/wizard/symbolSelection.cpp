#include "wizard/symbolSelection.h"

#include "colour/rgbBitmaps.h"
#include "common/KanvoError.h"

#include <cassert>
#include <cstdint>

unsigned char SymbolCode(int k)
{
    assert(k >= 0 && k < SymbolCount);
    // Three runs of printable codes: 48..126, 129..159 and 161..255.
    if (k <= 78)
        return static_cast<unsigned char>(48 + k);
    if (k <= 109)
        return static_cast<unsigned char>(129 + (k - 79));
    return static_cast<unsigned char>(161 + (k - 110));
}

int SymbolAtCell(int row, int column)
{
    if (row < 0 || column < 0 || column >= SymbolGridColumns)
        return -1;
    const int k = row * SymbolGridColumns + column;
    return k < SymbolCount ? k : -1;
}

TsymbolFlags DefaultSymbolSelection(int colorCount)
{
    TsymbolFlags flags{};
    flags[0] = true;
    for (int k = colorCount - 2; k >= 1; --k)
        flags[std::size_t(std::int64_t(k) * (SymbolCount - 1) / (colorCount - 1))] = true;
    if (colorCount >= 2)
        flags[SymbolCount - 1] = true;
    return flags;
}

int CountSelectedSymbols(const TsymbolFlags &flags)
{
    int count = 0;
    for (bool marked : flags)
        count += marked ? 1 : 0;
    return count;
}

QString SymbolsCaptionText(int selectedCount, int colorCount)
{
    return QString::asprintf(SymbolsCaptionTemplate, selectedCount, colorCount);
}

void AssignSymbols(const TsymbolFlags &flags, TindexBitmap &scheme)
{
    const int selected = CountSelectedSymbols(flags);
    // More marks than colours would write past the colour list; fewer would leave colours
    // without a symbol, or sharing the blank one.
    if (selected != scheme.ColorCount())
        throw EKanvoError(QStringLiteral("%1 symbols are selected for %2 colors: select exactly one "
                                         "symbol per color.")
                              .arg(selected)
                              .arg(scheme.ColorCount()));
    int c = 0;
    for (int i = 0; i < SymbolCount; ++i)
        if (flags[std::size_t(i)])
            scheme.GetColor(c++).Symbol = static_cast<char>(SymbolCode(i));
}
