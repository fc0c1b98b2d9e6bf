#pragma once
// The symbol alphabet of the Symbols page and the choice of symbols for a scheme's colours: which
// character each grid cell stands for, the default marks for n colours, the caption that counts
// them, and the hand-out of the marked symbols to the colours of a reduction result.
#include <QString>
#include <array>

class TindexBitmap;

// 205 character codes, 48..255 without 127, 128 and 160.
inline constexpr int SymbolCount = 205;
inline constexpr int SymbolGridColumns = 25;
inline constexpr int SymbolGridRows = (SymbolCount + SymbolGridColumns - 1) / SymbolGridColumns;
inline constexpr char SymbolsCaptionTemplate[] = "Selected symbols (%d of %d)";

// Index = symbol number = row * 25 + column of the symbol grid.
using TsymbolFlags = std::array<bool, SymbolCount>;

// The character code of symbol k (0..204); k outside that range is a programming error.
unsigned char SymbolCode(int k);
// The symbol number shown in a grid cell, or -1 for the empty cells after the last symbol.
int SymbolAtCell(int row, int column);

// n symbols spread evenly from the first to the last (only symbol 0 for n <= 1).
TsymbolFlags DefaultSymbolSelection(int colorCount);
int CountSelectedSymbols(const TsymbolFlags &flags);
// "Selected symbols (3 of 12)".
QString SymbolsCaptionText(int selectedCount, int colorCount);

// Gives the marked symbols to the scheme's colours in ascending symbol order, colour 0 the lowest.
// Throws EKanvoError, leaving the scheme untouched, when the marks do not match the colour count.
void AssignSymbols(const TsymbolFlags &flags, TindexBitmap &scheme);
