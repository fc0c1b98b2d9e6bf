#pragma once
// The 56 colours a sheet book's cells refer to by index (fill and font colours). A book starts with
// the default palette of the BIFF8 workbook format, whose colour indices 8..63 are entries 0..55
// here, so a palette written to a workbook lines up with what the screen showed.
#include "colour/rgbColors.h"

#include <array>
#include <cstdint>

inline constexpr int SheetPaletteSize = 56;
// A style's colour index meaning "no colour set": no fill, or the window-text colour for fonts.
inline constexpr std::uint8_t NoPaletteColor = 0xFF;

using TsheetPaletteEntries = std::array<TpackedColor, SheetPaletteSize>;

// Entries 0..55 as a new workbook has them, packed 0x00BBGGRR.
const TsheetPaletteEntries &DefaultSheetPalette();
