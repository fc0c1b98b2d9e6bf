#include "document/serializableSheme.h"
#include "common/ansiText.h"

#include "common/KanvoError.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kHeader = R"(<?xml version="1.0" encoding="windows-1251"?>)";
constexpr std::string_view kRootName = "TserializableBitmap";
constexpr std::string_view kColorName = "TserializableColor";
constexpr std::string_view kErrorPrefix = "XMLSerializerException\r\n\r\n";

[[noreturn]] void ThrowXmlError(const QString &what)
{
    throw EKanvoError(QString::fromLatin1(kErrorPrefix.data(), qsizetype(kErrorPrefix.size())) + what);
}

// ---- writing -------------------------------------------------------------------------------

class TschemeTextWriter {
public:
    explicit TschemeTextWriter(qsizetype expectedSize) { m_text.reserve(expectedSize); }

    void Open(int level, std::string_view name)
    {
        StartLine(level);
        Tag(name, false);
    }
    void Close(int level, std::string_view name)
    {
        StartLine(level);
        Tag(name, true);
    }
    void Value(int level, std::string_view name, std::string_view value)
    {
        Open(level, name);
        m_text.append(value.data(), qsizetype(value.size()));
        Tag(name, true);
    }
    void Value(int level, std::string_view name, const QByteArray &value)
    {
        Value(level, name, std::string_view(value.constData(), size_t(value.size())));
    }
    void Value(int level, std::string_view name, std::int32_t value)
    {
        std::array<char, 16> digits{};
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
        Value(level, name, std::string_view(digits.data(), size_t(result.ptr - digits.data())));
    }
    void Raw(std::string_view bytes) { m_text.append(bytes.data(), qsizetype(bytes.size())); }
    QByteArray Take() { return std::move(m_text); }

private:
    void StartLine(int level)
    {
        m_text.append("\r\n", 2);
        m_text.append(qsizetype(level), '\t');
    }
    void Tag(std::string_view name, bool closing)
    {
        m_text.append(closing ? "</" : "<", closing ? 2 : 1);
        m_text.append(name.data(), qsizetype(name.size()));
        m_text.append('>');
    }

    QByteArray m_text;
};

// ---- reading -------------------------------------------------------------------------------

// Finds needle wholly inside [from, to) of text; npos when it is not there. Every search of the
// reader is bounded this way, so no element can reach past the block that holds it.
size_t FindIn(std::string_view text, std::string_view needle, size_t from, size_t to)
{
    if (from > to || to - from < needle.size())
        return std::string_view::npos;
    const size_t found = text.substr(from, to - from).find(needle);
    return found == std::string_view::npos ? found : from + found;
}

std::string OpenTag(std::string_view name)
{
    return "<" + std::string(name) + ">";
}

std::string CloseTag(std::string_view name)
{
    return "</" + std::string(name) + ">";
}

// A value is the raw text between the tags, up to the first zero byte.
std::string_view CutAtZero(std::string_view value)
{
    const size_t zero = value.find('\0');
    return zero == std::string_view::npos ? value : value.substr(0, zero);
}

// Integers are read as the writer writes them: an optional "-" and decimal digits, nothing else.
std::optional<std::int32_t> ParseDecimal(std::string_view text)
{
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    std::int32_t value = 0;
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::int32_t IntegerValue(std::string_view name, std::string_view value)
{
    if (const std::optional<std::int32_t> number = ParseDecimal(value))
        return *number;
    ThrowXmlError(QStringLiteral("Invalid integer value of <%1>: '%2'").arg(FromAnsi(name), FromAnsi(value)));
}

QByteArray StringValue(std::string_view value)
{
    return QByteArray(value.data(), qsizetype(value.size()));
}

// Walks the elements of one block, the bytes in [begin, end) between its open and close tag, and
// hands each (name, open tag position, value) to onElement, which returns false for a name that
// is no property of the object. Element order is free and text between elements is passed over.
// Every step moves forward, so the walk ends on any input.
template <typename TonElement>
void ReadBlock(std::string_view text, size_t begin, size_t end, TonElement onElement)
{
    size_t pos = begin;
    for (;;) {
        while (pos < end && static_cast<unsigned char>(text[pos]) <= 33)
            ++pos;
        const size_t openAt = FindIn(text, "<", pos, end);
        if (openAt == std::string_view::npos)
            return;  // only the block's own close tag is left
        const size_t nameEnd = FindIn(text, ">", openAt + 1, end);
        if (nameEnd == std::string_view::npos)
            ThrowXmlError(QStringLiteral("Unterminated tag: %1").arg(FromAnsi(text.substr(openAt, end - openAt))));
        const std::string_view name = text.substr(openAt + 1, nameEnd - openAt - 1);
        const std::string closeTag = CloseTag(name);
        const size_t valueBegin = nameEnd + 1;
        const size_t closeAt = FindIn(text, closeTag, valueBegin, end);
        if (!onElement(name, openAt, valueBegin, closeAt))
            ThrowXmlError(QStringLiteral("Unknown property: %1").arg(FromAnsi(name)));
        pos = closeAt + closeTag.size();
    }
}

void RequireCloseTag(std::string_view name, size_t closeAt)
{
    if (closeAt == std::string_view::npos)
        ThrowXmlError(QStringLiteral("Close tag not found: </%1>").arg(FromAnsi(name)));
}

void ReadColorBlock(std::string_view text, size_t begin, size_t end, TserializableColor &color)
{
    ReadBlock(text, begin, end, [&](std::string_view name, size_t, size_t valueBegin, size_t closeAt) {
        std::int32_t *integer = name == "Red"     ? &color.Red
                                : name == "Green" ? &color.Green
                                : name == "Blue"  ? &color.Blue
                                : name == "Count" ? &color.Count
                                                  : nullptr;
        if (!integer && name != "Name" && name != "Symbol")
            return false;
        RequireCloseTag(name, closeAt);
        const std::string_view value = CutAtZero(text.substr(valueBegin, closeAt - valueBegin));
        if (integer) {
            *integer = IntegerValue(name, value);
        } else if (name == "Name") {
            color.Name = StringValue(value);
        } else {
            const std::int32_t code = IntegerValue(name, value);
            if (code < 0 || code > 255)
                ThrowXmlError(QStringLiteral("Invalid character code of <Symbol>: %1").arg(code));
            color.Symbol = char(static_cast<unsigned char>(code));
        }
        return true;
    });
}

// Takes one colour block after another from colorsAt on, each of which must end before the root's
// close tag. The first block that is missing or cannot be read ends the list without a message.
TserializableColors ReadColorList(std::string_view text, size_t colorsAt, size_t rootEnd)
{
    static const std::string openTag = OpenTag(kColorName);
    static const std::string closeTag = CloseTag(kColorName);
    TserializableColors colors;
    size_t pos = colorsAt;
    for (;;) {
        const size_t openAt = FindIn(text, openTag, pos, rootEnd);
        if (openAt == std::string_view::npos)
            break;
        const size_t blockBegin = openAt + openTag.size();
        const size_t closeAt = FindIn(text, closeTag, blockBegin, rootEnd);
        if (closeAt == std::string_view::npos)
            break;
        TserializableColor color;
        try {
            ReadColorBlock(text, blockBegin, closeAt, color);
        } catch (const EKanvoError &) {
            break;
        }
        colors.push_back(std::move(color));
        pos = closeAt + closeTag.size();
    }
    return colors;
}

}  // namespace

TserializableBitmap TserializableBitmap::CreateFromBitmap(const TindexBitmap &bitmap, const QByteArray &fontName,
                                                          const QByteArray &dmcPalette)
{
    TserializableBitmap scheme;
    scheme.Width = bitmap.Width;
    scheme.Height = bitmap.Height;
    scheme.FontName = fontName;
    scheme.DMCPalette = dmcPalette;
    scheme.ColorsCount = bitmap.ColorCount();

    const std::int32_t colorCount = bitmap.ColorCount();
    std::vector<char> symbolOf;
    symbolOf.reserve(size_t(std::max(colorCount, 0)));
    scheme.Colors.reserve(size_t(std::max(colorCount, 0)));
    for (std::int32_t i = 0; i < colorCount; ++i) {
        const TcountColor &color = bitmap.GetColor(i);
        scheme.Colors.push_back({color.Red, color.Green, color.Blue, color.Thread, color.Count, color.Symbol});
        symbolOf.push_back(color.Symbol);
    }

    const qsizetype cells = qsizetype(std::max(bitmap.Width, 0)) * std::max(bitmap.Height, 0);
    scheme.Pixels.resize(cells);
    char *out = scheme.Pixels.data();
    for (qsizetype cell = 0; cell < cells; ++cell) {
        // A valid raster holds only indices of its colour list; anything else writes a blank
        // rather than reading outside the list.
        const auto index = static_cast<std::uint32_t>(bitmap.Indices[size_t(cell)]);
        out[cell] = index < symbolOf.size() ? symbolOf[index] : ' ';
    }
    return scheme;
}

std::unique_ptr<TindexBitmap> TserializableBitmap::ToIndexBitmap() const
{
    if (Width < 1 || Width > MaxSide || Height < 1 || Height > MaxSide)
        throw EKanvoError(QStringLiteral("The scheme size %1 x %2 is out of range: a scheme has 1 to %3 "
                                         "stitches each way")
                              .arg(Width)
                              .arg(Height)
                              .arg(MaxSide));
    if (ColorsCount < 1 || ColorsCount > MaxColors)
        throw EKanvoError(QStringLiteral("The number of colours %1 is out of range: a scheme has 1 to %2 colours")
                              .arg(ColorsCount)
                              .arg(MaxColors));
    if (Colors.size() < size_t(ColorsCount))
        throw EKanvoError(QStringLiteral("List index out of bounds (%1)").arg(Colors.size()));
    const qsizetype cells = qsizetype(Width) * Height;
    if (Pixels.size() < cells)
        throw EKanvoError(QStringLiteral("The scheme has %1 stitches where its size %2 x %3 needs %4")
                              .arg(Pixels.size())
                              .arg(Width)
                              .arg(Height)
                              .arg(cells));

    auto colors = std::make_unique<TrgbArray>(ColorsCount);
    // Symbol -> first colour carrying it; characters of no colour stay at index 0.
    std::array<std::int32_t, 256> indexOfSymbol{};
    std::array<bool, 256> seen{};
    for (std::int32_t i = 0; i < ColorsCount; ++i) {
        const TserializableColor &item = Colors[size_t(i)];
        colors->SetItem(i, TcountColor(item.Red, item.Green, item.Blue, item.Count, item.Name, item.Symbol));
        const auto symbol = static_cast<unsigned char>(item.Symbol);
        if (!seen[symbol]) {
            seen[symbol] = true;
            indexOfSymbol[symbol] = i;
        }
    }

    auto bitmap = std::make_unique<TindexBitmap>(Height, Width, std::move(colors));
    const auto *pixels = reinterpret_cast<const unsigned char *>(Pixels.constData());
    std::int32_t *indices = bitmap->Indices.data();
    for (qsizetype cell = 0; cell < cells; ++cell)
        indices[cell] = indexOfSymbol[pixels[cell]];
    return bitmap;
}

bool IsWritableSchemeString(const QByteArray &value)
{
    return !value.contains('\0') && !value.contains("</");
}

QByteArray SchemeXmlText(const TserializableBitmap &scheme)
{
    const auto requireWritable = [](const char *element, const QByteArray &value) {
        if (!IsWritableSchemeString(value))
            throw EKanvoError(QStringLiteral("The scheme cannot be saved: its <%1> text holds a character of code 0 "
                                             "or \"</\", which a scheme file cannot keep")
                                  .arg(QLatin1String(element)));
    };
    for (const TserializableColor &color : scheme.Colors)
        requireWritable("Name", color.Name);
    requireWritable("FontName", scheme.FontName);
    requireWritable("DMCPalette", scheme.DMCPalette);
    requireWritable("Pixels", scheme.Pixels);

    TschemeTextWriter writer(scheme.Pixels.size() + scheme.FontName.size() + scheme.DMCPalette.size() +
                             qsizetype(scheme.Colors.size()) * 200 + 512);
    writer.Raw(kHeader);
    writer.Open(0, kRootName);
    writer.Open(1, "Colors");
    for (const TserializableColor &color : scheme.Colors) {
        writer.Open(2, kColorName);
        writer.Value(3, "Red", color.Red);
        writer.Value(3, "Green", color.Green);
        writer.Value(3, "Blue", color.Blue);
        writer.Value(3, "Name", color.Name);
        writer.Value(3, "Count", color.Count);
        writer.Value(3, "Symbol", std::int32_t(static_cast<unsigned char>(color.Symbol)));
        writer.Close(2, kColorName);
    }
    writer.Close(1, "Colors");
    writer.Value(1, "ColorsCount", scheme.ColorsCount);
    writer.Value(1, "Width", scheme.Width);
    writer.Value(1, "Height", scheme.Height);
    writer.Value(1, "FontName", scheme.FontName);
    writer.Value(1, "DMCPalette", scheme.DMCPalette);
    writer.Value(1, "Pixels", scheme.Pixels);
    writer.Close(0, kRootName);
    return writer.Take();
}

bool WriteSchemeXml(const TserializableBitmap &scheme, QIODevice &stream)
{
    const QByteArray text = SchemeXmlText(scheme);
    return stream.write(text) == text.size();
}

void ReadSchemeXml(TserializableBitmap &scheme, const QByteArray &bytes)
{
    const std::string_view text(bytes.constData(), size_t(bytes.size()));
    static const std::string rootOpen = OpenTag(kRootName);
    static const std::string rootClose = CloseTag(kRootName);

    const size_t rootAt = text.find(rootOpen);
    if (rootAt == std::string_view::npos)
        ThrowXmlError(QStringLiteral("Open tag not found: <%1>").arg(FromAnsi(kRootName)));
    const size_t rootBegin = rootAt + rootOpen.size();
    const size_t rootEnd = text.find(rootClose, rootBegin);
    if (rootEnd == std::string_view::npos)
        ThrowXmlError(QStringLiteral("Close tag not found: </%1>").arg(FromAnsi(kRootName)));

    // The colour list runs from the Colors open tag to the root's end; reading it once, for the
    // last Colors element, gives what reading every one in turn would leave, in linear time.
    size_t lastColorsAt = std::string_view::npos;
    ReadBlock(text, rootBegin, rootEnd, [&](std::string_view name, size_t openAt, size_t valueBegin, size_t closeAt) {
        std::int32_t *integer = name == "ColorsCount" ? &scheme.ColorsCount
                                : name == "Width"     ? &scheme.Width
                                : name == "Height"    ? &scheme.Height
                                                      : nullptr;
        QByteArray *string = name == "FontName"     ? &scheme.FontName
                             : name == "DMCPalette" ? &scheme.DMCPalette
                             : name == "Pixels"     ? &scheme.Pixels
                                                    : nullptr;
        if (!integer && !string && name != "Colors")
            return false;
        RequireCloseTag(name, closeAt);
        const std::string_view value = CutAtZero(text.substr(valueBegin, closeAt - valueBegin));
        if (integer)
            *integer = IntegerValue(name, value);
        else if (string)
            *string = StringValue(value);
        else
            lastColorsAt = openAt;
        return true;
    });
    if (lastColorsAt != std::string_view::npos)
        scheme.Colors = ReadColorList(text, lastColorsAt, rootEnd);
}

void ReadSchemeXml(TserializableBitmap &scheme, QIODevice &stream)
{
    ReadSchemeXml(scheme, stream.readAll());
}
