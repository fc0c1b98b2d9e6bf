#include "colour/rgbColors.h"

#include <cmath>

namespace {
// One distance mode for the whole process; every reduction sets it first.
bool g_useEyesight = true;

std::int32_t clampChannel(std::int32_t value)
{
    return value > 255 ? 255 : (value < 0 ? 0 : value);
}
}  // namespace

TrgbColor::TrgbColor(std::int32_t red, std::int32_t green, std::int32_t blue, const QByteArray &thread)
    : Red(red), Green(green), Blue(blue), Thread(thread)
{
    Update();
}

TrgbColor TrgbColor::CreateFromColor(TpackedColor color)
{
    return TrgbColor(std::int32_t(color & 0xFF), std::int32_t((color >> 8) & 0xFF),
                     std::int32_t((color >> 16) & 0xFF));
}

void TrgbColor::Clamp()
{
    Red = clampChannel(Red);
    Green = clampChannel(Green);
    Blue = clampChannel(Blue);
}

void TrgbColor::Update()
{
    Clamp();
    // Channels are 0..255 here, so the integer sum cannot overflow.
    const std::int32_t squared = Red * Red + Green * Green + Blue * Blue;
    SquaredMagnitude = TextendedFloat(squared);
    Magnitude = std::sqrt(SquaredMagnitude);
    OctKey = MakeOctKey(std::uint8_t(Red), std::uint8_t(Green), std::uint8_t(Blue));
}

namespace {
// Each channel value spread over the key: bit (7 - L) of the value at bit 4L. Every picture pixel
// and working colour of a reduction needs a key, so it is built by three look-ups in a table made
// at compile time (and thus ready even for colours made during static initialisation).
constexpr std::array<std::uint32_t, 256> MakeSpreadTable()
{
    std::array<std::uint32_t, 256> bits{};
    for (std::uint32_t v = 0; v < 256; ++v)
        for (int level = 0; level < 8; ++level)
            bits[v] |= ((v >> (7 - level)) & 1u) << (4 * level);
    return bits;
}
constexpr std::array<std::uint32_t, 256> kSpread = MakeSpreadTable();
}  // namespace

std::uint32_t TrgbColor::MakeOctKey(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    // Level 0 (the most significant channel bits) sits in the lowest nibble, so a digit is
    // always (key >> 4L) & 15 and the descent reads the key from the bottom up: red at bit 4L,
    // green at 4L+1, blue at 4L+2.
    return kSpread[red] | (kSpread[green] << 1) | (kSpread[blue] << 2);
}

TpackedColor TrgbColor::ToColor()
{
    Clamp();
    return TpackedColor(Red) | (TpackedColor(Green) << 8) | (TpackedColor(Blue) << 16);
}

TpackedColor TrgbColor::HalfToneColor()
{
    Clamp();
    auto pale = [](std::int32_t c) { return TpackedColor((c >> 1) | 128); };
    return pale(Red) | (pale(Green) << 8) | (pale(Blue) << 16);
}

bool TrgbColor::IsDark()
{
    Clamp();
    return (Red + Green + Blue) / 3 < 128;
}

bool TrgbColor::SameColor(const TrgbColor &other) const
{
    return Red == other.Red && Green == other.Green && Blue == other.Blue;
}

void TrgbColor::AddError(std::int32_t dRed, std::int32_t dGreen, std::int32_t dBlue)
{
    Red += dRed;
    Green += dGreen;
    Blue += dBlue;
}

TextendedFloat TrgbColor::Distance(const TrgbColor &a, const TrgbColor &b)
{
    // 64-bit products give the 32-bit results for channels in range and stay defined outside it.
    const std::int64_t dR = std::int64_t(a.Red) - b.Red;
    const std::int64_t dG = std::int64_t(a.Green) - b.Green;
    const std::int64_t dB = std::int64_t(a.Blue) - b.Blue;
    if (g_useEyesight)
        return TextendedFloat(30 * dR * dR + 59 * dG * dG + 11 * dB * dB);

    const TextendedFloat s2 = TextendedFloat(dR * dR + dG * dG + dB * dB);
    if (!(a.Magnitude > 0))
        return s2;
    // Heron: q is the squared area of the triangle black-A-B, so 4q/|A|^2 is the squared
    // distance of B from the line through black and A; brightness differences cost less than hue.
    const TextendedFloat s = std::sqrt(s2);
    const TextendedFloat h = (a.Magnitude + b.Magnitude + s) / 2;
    const TextendedFloat q = h * (h - a.Magnitude) * (h - b.Magnitude) * (h - s);
    return s2 + (q * 4) / a.SquaredMagnitude;
}

void TrgbColor::SetUseEyesight(bool value)
{
    g_useEyesight = value;
}

bool TrgbColor::UseEyesight()
{
    return g_useEyesight;
}

void TsumColor::Add(const TrgbColor &color)
{
    Red += color.Red;
    Green += color.Green;
    Blue += color.Blue;
    Count += 1;
}

void TsumColor::Clear()
{
    Red = Green = Blue = Count = 0;
    SquaredMagnitude = Magnitude = 0;
    OctKey = 0;
}

void TsumColor::Average()
{
    // Round half to even, as the floating-point division rounds in the default mode.
    const double count = double(Count);
    Red = std::int32_t(std::nearbyint(double(Red) / count));
    Green = std::int32_t(std::nearbyint(double(Green) / count));
    Blue = std::int32_t(std::nearbyint(double(Blue) / count));
    Count = 1;
    Update();
}

TcountColor TcountColor::CreateFromRgb(const TrgbColor &source)
{
    TcountColor color;
    static_cast<TrgbColor &>(color) = source;
    color.Count = 0;
    color.Symbol = ' ';
    return color;
}

TcountColor::TcountColor(std::int32_t red, std::int32_t green, std::int32_t blue, std::int32_t count,
                         const QByteArray &thread, char symbol)
    : Count(count), Symbol(symbol)
{
    Red = red;
    Green = green;
    Blue = blue;
    Thread = thread;
}

TrgbArray::TrgbArray(std::int32_t count)
    : Items(std::size_t(count > 0 ? count : 0)), Count(count),
      Root(std::make_unique<TarrayBounds>(nullptr, 0, count - 1))
{
}

void TrgbArray::Sort()
{
    // A bubble sort, stable, descending by the digits from level 0 on; lists hold at most a
    // few hundred colours, so its cost does not matter and its order is the defined one.
    auto before = [](const TcountColor &upper, const TcountColor &lower) {
        for (int level = 0; level < 8; ++level) {
            const int du = upper.OctDigit(level);
            const int dl = lower.OctDigit(level);
            if (du != dl)
                return dl > du;
        }
        return false;
    };
    for (std::int32_t i = 0; i <= Count - 2; ++i)
        for (std::int32_t j = Count - 2; j >= i; --j)
            if (before(Items[std::size_t(j)], Items[std::size_t(j) + 1]))
                std::swap(Items[std::size_t(j)], Items[std::size_t(j) + 1]);
    BuildIndex(0, Root.get());
}

void TrgbArray::BuildIndex(int level, TarrayBounds *bounds)
{
    if (level >= 4 || bounds->Hi - bounds->Lo <= 4)
        return;
    std::int32_t start = bounds->Lo;
    int d = Items[std::size_t(start)].OctDigit(level);
    for (std::int32_t i = bounds->Lo; i <= bounds->Hi; ++i) {
        const int c = Items[std::size_t(i)].OctDigit(level);
        if (c != d || i == bounds->Hi) {
            // The last item always closes the run before it, even with a digit of its own.
            const std::int32_t end = i == bounds->Hi ? i : i - 1;
            bounds->Children[std::size_t(d)] = std::make_unique<TarrayBounds>(bounds, start, end);
            BuildIndex(level + 1, bounds->Children[std::size_t(d)].get());
            d = c;
            start = end + 1;
        }
    }
}

std::int32_t TrgbArray::FindAndCount(const TrgbColor &color)
{
    const std::int32_t index = FindNearest(color, 0, Root.get());
    Items[std::size_t(index)].IncCount();
    return index;
}

std::int32_t TrgbArray::FindNearest(const TrgbColor &color, int level, const TarrayBounds *bounds) const
{
    for (;;) {
        const TarrayBounds *child = bounds->Children[std::size_t(color.OctDigit(level))].get();
        if (!child)
            break;
        bounds = child;
        ++level;
    }
    // Scan the range one level above where the descent stopped: a short run alone is too likely
    // to miss a nearer colour just across a digit boundary.
    if (bounds->Parent)
        return NearestInRange(color, bounds->Parent->Lo, bounds->Parent->Hi);
    return NearestInRange(color, bounds->Lo, bounds->Hi);
}

std::int32_t TrgbArray::NearestInRange(const TrgbColor &color, std::int32_t lo, std::int32_t hi) const
{
    std::int32_t best = hi;
    TextendedFloat bestDistance = TrgbColor::Distance(color, Items[std::size_t(hi)]);
    for (std::int32_t i = hi - 1; i >= lo; --i) {
        const TextendedFloat d = TrgbColor::Distance(color, Items[std::size_t(i)]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}
