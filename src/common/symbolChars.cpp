#include "common/symbolChars.h"

#include <QStringDecoder>
#include <array>

namespace {

// Control codes have no glyph of their own. They are shown the way text-mode screens showed them
// (the OEM picture characters), which every common text font carries and which stay distinct from
// each other and from the printable codes.
constexpr char16_t kControlPictures[32] = {
    0x25A1, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
constexpr char16_t kDeletePicture = 0x2302;     // code 127
constexpr char16_t kUndefinedPicture = 0x25CA;  // 0x98, the one code windows-1251 leaves empty
constexpr char16_t kSoftHyphen = 0x00AD;         // 0xAD, drawn by no font unless at a line break
constexpr char16_t kHyphenPicture = 0x2010;

std::array<QChar, 256> BuildTable()
{
    std::array<QChar, 256> table{};
    QStringDecoder decoder("windows-1251");
    for (int code = 0; code < 256; ++code) {
        const char byte = char(code);
        QChar shown = QChar(char16_t(code));  // Latin-1 if the code page were missing
        if (decoder.isValid()) {
            const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
            if (decoded.size() == 1)
                shown = decoded.at(0);
        }
        const char16_t unicode = shown.unicode();
        if (unicode < 0x20)
            shown = QChar(kControlPictures[unicode]);
        else if (unicode == 0x7F)
            shown = QChar(kDeletePicture);
        else if ((unicode >= 0x80 && unicode < 0xA0) || unicode == 0xFFFD)
            shown = QChar(kUndefinedPicture);
        else if (unicode == kSoftHyphen)
            shown = QChar(kHyphenPicture);
        table[std::size_t(code)] = shown;
    }
    return table;
}

const std::array<QChar, 256> &Table()
{
    static const std::array<QChar, 256> table = BuildTable();
    return table;
}

}  // namespace

QChar SymbolChar(char symbol)
{
    return Table()[static_cast<unsigned char>(symbol)];
}

QString SymbolText(char symbol)
{
    return QString(SymbolChar(symbol));
}
