#pragma once
// How a symbol byte of a scheme is shown on screen. Symbols are 8-bit characters of the
// windows-1251 code page; this maps each of the 256 codes to one displayable character, so every
// symbol the wizard can hand out, and any byte a scheme file may carry, shows as a visible glyph of
// an ordinary text font.
#include <QChar>
#include <QString>

// The character that stands for the symbol byte on screen.
QChar SymbolChar(char symbol);
// The same as a one-character string (for models and texts that want a QString).
QString SymbolText(char symbol);
