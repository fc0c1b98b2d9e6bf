#pragma once
// Colour types on which the whole program rests: an RGB colour with its cached length and octree
// key, a colour sum for averaging, a scheme colour with stitch count and symbol, and the fixed-size
// colour list of a scheme with its approximate nearest-colour index.
#include <QByteArray>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// 0x00BBGGRR: red in the lowest byte.
using TpackedColor = std::uint32_t;
// The colour distance is defined in 80-bit extended precision; on x86-64 Linux that is long double.
using TextendedFloat = long double;

class TrgbColor {
public:
    std::int32_t Red = 0;
    std::int32_t Green = 0;
    std::int32_t Blue = 0;
    TextendedFloat Magnitude = 0;
    TextendedFloat SquaredMagnitude = 0;
    std::uint32_t OctKey = 0;
    QByteArray Thread;  // thread code within its kit, 8-bit bytes; empty for picture colours

    TrgbColor() = default;
    // Create: sets the channels and code, then Update (which clamps).
    TrgbColor(std::int32_t red, std::int32_t green, std::int32_t blue, const QByteArray &thread = {});
    static TrgbColor CreateFromColor(TpackedColor color);
    // CreateCopy is the copy constructor: all fields as they stand, no Update.

    void Clamp();
    void Update();
    static std::uint32_t MakeOctKey(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    int OctDigit(int level) const { return int((OctKey >> (4 * level)) & 15u); }
    TpackedColor ToColor();
    TpackedColor HalfToneColor();
    bool IsDark();
    bool SameColor(const TrgbColor &other) const;
    void AddError(std::int32_t dRed, std::int32_t dGreen, std::int32_t dBlue);

    // Not symmetric: A is the colour sought or the thread, as each caller states.
    static TextendedFloat Distance(const TrgbColor &a, const TrgbColor &b);
    static void SetUseEyesight(bool value);
    static bool UseEyesight();
};

class TsumColor : public TrgbColor {
public:
    std::int32_t Count = 0;

    TsumColor() = default;
    void Add(const TrgbColor &color);
    void Clear();
    void Average();  // Count must be positive
};

class TcountColor : public TrgbColor {
public:
    std::int32_t Count = 0;
    char Symbol = ' ';

    TcountColor() = default;
    // CreateFromRgb: copies the colour, Count 0, blank symbol.
    static TcountColor CreateFromRgb(const TrgbColor &source);
    // Create: the six fields as given, no Update (derived fields stay zero). Used for file colours.
    TcountColor(std::int32_t red, std::int32_t green, std::int32_t blue, std::int32_t count,
                const QByteArray &thread, char symbol);

    void IncCount() { ++Count; }
    void DecCount() { --Count; }
    void ClearCount() { Count = 0; }
};

class TarrayBounds {
public:
    TarrayBounds(TarrayBounds *parent, std::int32_t lo, std::int32_t hi)
        : Lo(lo), Hi(hi), Parent(parent) {}
    std::int32_t Lo;
    std::int32_t Hi;
    std::array<std::unique_ptr<TarrayBounds>, 8> Children;
    TarrayBounds *Parent;
};

class TrgbArray {
public:
    explicit TrgbArray(std::int32_t count);

    TcountColor &GetItem(std::int32_t index) { return Items[std::size_t(index)]; }
    const TcountColor &GetItem(std::int32_t index) const { return Items[std::size_t(index)]; }
    void SetItem(std::int32_t index, const TcountColor &color) { Items[std::size_t(index)] = color; }

    void Sort();
    std::int32_t FindAndCount(const TrgbColor &color);
    std::int32_t FindNearest(const TrgbColor &color, int level, const TarrayBounds *bounds) const;
    std::int32_t NearestInRange(const TrgbColor &color, std::int32_t lo, std::int32_t hi) const;

    std::vector<TcountColor> Items;
    std::int32_t Count;
    std::unique_ptr<TarrayBounds> Root;

private:
    void BuildIndex(int level, TarrayBounds *bounds);
};
