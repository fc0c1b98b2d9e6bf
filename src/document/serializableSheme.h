#pragma once
// The scheme file's three persisted classes and the text they are written as and read from.
// A TindexBitmap is copied into a TserializableBitmap (size, colour list, font and kit names, the
// raster as one symbol character per stitch), which WriteSchemeXml turns into the file's XML-like
// text and ReadSchemeXml fills back from such a text; ToIndexBitmap rebuilds the raster.
// All strings are windows-1251 bytes, one byte per character, in memory and on disk.
#include "colour/rgbBitmaps.h"

#include <QByteArray>
#include <QIODevice>
#include <cstdint>
#include <memory>
#include <vector>

// One colour of the list, in the order its properties are written.
class TserializableColor {
public:
    std::int32_t Red = 0;
    std::int32_t Green = 0;
    std::int32_t Blue = 0;
    QByteArray Name;  // the thread code
    std::int32_t Count = 0;
    char Symbol = 0;
};

// The colour list; item i is colour index i.
using TserializableColors = std::vector<TserializableColor>;

// The root object of a scheme file. A default-constructed one is the empty object the reader
// fills: no colours, numbers 0, strings empty.
class TserializableBitmap {
public:
    TserializableBitmap() = default;
    static TserializableBitmap CreateFromBitmap(const TindexBitmap &bitmap, const QByteArray &fontName,
                                                const QByteArray &dmcPalette);

    // A new raster from the values read. Throws EKanvoError when they cannot make one: a size
    // outside 1..MaxSide either way, a colour count outside 1..MaxColors, fewer colour items than
    // ColorsCount ("List index out of bounds (%d)") or fewer pixel characters than stitches.
    std::unique_ptr<TindexBitmap> ToIndexBitmap() const;

    // Schemes are made 2..1000 stitches a side; a symbol is one 8-bit character, and the sheets'
    // palette has far fewer entries than that. Anything larger in a file is damage, and believing
    // it would make the raster allocation unbounded.
    static constexpr std::int32_t MaxSide = 1000;
    static constexpr std::int32_t MaxColors = 255;

    TserializableColors Colors;
    std::int32_t ColorsCount = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    QByteArray FontName;
    QByteArray DMCPalette;
    QByteArray Pixels;
};

// Writes the scheme text to a device open for writing. Returns false when the device refused
// some of the bytes (its errorString says why). Strings are written unescaped, so a string holding
// a zero byte or "</" would be cut short when read back; such a scheme is refused with an
// EKanvoError before anything is written, rather than saved into a file that cannot be reopened.
bool WriteSchemeXml(const TserializableBitmap &scheme, QIODevice &stream);
// The whole scheme text in one piece, as WriteSchemeXml writes it; refuses alike.
QByteArray SchemeXmlText(const TserializableBitmap &scheme);
// Whether a string value can be written so that it reads back unchanged.
bool IsWritableSchemeString(const QByteArray &value);

// Fill an empty root object from a scheme text. Throws EKanvoError with a message that begins
// "XMLSerializerException" when the text cannot be read.
void ReadSchemeXml(TserializableBitmap &scheme, const QByteArray &text);
// Reads the rest of the device, then as above.
void ReadSchemeXml(TserializableBitmap &scheme, QIODevice &stream);
