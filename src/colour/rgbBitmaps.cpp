#include "colour/rgbBitmaps.h"

#include "colour/ocTrees.h"
#include "colour/paletteSearch.h"
#include "colour/pixelRouter.h"
#include "common/KanvoError.h"

#include <algorithm>

TindexBitmap::TindexBitmap(std::int32_t height, std::int32_t width, std::unique_ptr<TrgbArray> colors)
    : Height(height), Width(width), Colors(std::move(colors)),
      Indices(std::size_t(std::max(height, 0)) * std::size_t(std::max(width, 0)), 0)
{
}

std::int32_t TindexBitmap::UsedColorCount() const
{
    std::int32_t used = 0;
    for (std::int32_t i = 0; i < Colors->Count; ++i)
        if (Colors->GetItem(i).Count > 0)
            ++used;
    return used;
}

TrgbBitmap::TrgbBitmap(const QImage &picture)
    : Width(picture.width()), Height(picture.height())
{
    // Only the colour channels count; alpha is ignored as in a plain 32-bit bitmap. Formats other
    // than 32-bit (A)RGB are converted first, premultiplied ones back to straight colours.
    QImage source = picture;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32)
        source = source.convertToFormat(QImage::Format_ARGB32);
    Pixels.resize(std::size_t(Width) * std::size_t(Height));
    for (std::int32_t y = 0; y < Height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        TpackedColor *out = Pixels.data() + std::size_t(y) * std::size_t(Width);
        for (std::int32_t x = 0; x < Width; ++x) {
            const QRgb rgb = line[x];
            out[x] = TpackedColor(qRed(rgb)) | (TpackedColor(qGreen(rgb)) << 8)
                     | (TpackedColor(qBlue(rgb)) << 16);
        }
    }
}

namespace {
// Gives a colour with channels in 0..255 what the searches read: the channels and the key, as
// Update would set them. The magnitudes are left alone; the searches that need them compute them.
inline void SetSearchColour(TrgbColor &colour, std::int32_t red, std::int32_t green, std::int32_t blue)
{
    colour.Red = red;
    colour.Green = green;
    colour.Blue = blue;
    colour.OctKey = TrgbColor::MakeOctKey(std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue));
}
}  // namespace

void TrgbBitmap::Analyse(TocTree &tree) const
{
    tree.ClearSums();
    // Each pixel is summed into the leaf its descent ends in; adding the leaves' sums up the tree
    // afterwards gives every node on the path the same sum as adding the pixel to each of them.
    const TpixelRouter router(tree);
    TrgbColor pixel;
    TpackedColor previous = 0xFFFFFFFFu;  // no pixel has a top byte
    TocTree *leaf = nullptr;
    for (std::int32_t y = Height - 1; y >= 0; --y) {
        const TpackedColor *line = Pixels.data() + std::size_t(y) * std::size_t(Width);
        for (std::int32_t x = Width - 1; x >= 0; --x) {
            const TpackedColor packed = line[x];
            if (packed != previous) {
                SetSearchColour(pixel, std::int32_t(packed & 0xFF), std::int32_t((packed >> 8) & 0xFF),
                                std::int32_t((packed >> 16) & 0xFF));
                leaf = router.Leaf(pixel);
                previous = packed;
            }
            leaf->Sum.Add(pixel);
        }
    }
    tree.SumUp();
    tree.SortNodes();
}

namespace {
// The part of a channel error that goes to a neighbour with weight 1, 3, 5 or 7: multiply first,
// then divide truncating toward zero, so only 16/21 of the error is passed on in all. Errors lie
// in -255..255 (a clamped working channel less a thread channel), so the shares come from a table
// made at compile time.
struct TshareTable {
    std::int32_t Share[4][511];
};
constexpr TshareTable MakeShareTable()
{
    TshareTable table{};
    for (int w = 0; w < 4; ++w)
        for (int e = -255; e <= 255; ++e)
            table.Share[w][e + 255] = (e * (2 * w + 1)) / 21;
    return table;
}
constexpr TshareTable kShares = MakeShareTable();

inline const std::int32_t *SharesOf(std::int32_t weight)
{
    return kShares.Share[(weight - 1) / 2] + 255;
}

// Working channels of one row of cells still to be processed.
struct TworkCell {
    std::int32_t Red, Green, Blue;
};

void LoadWorkRow(const TpackedColor *pixels, std::vector<TworkCell> &row)
{
    for (std::size_t x = 0; x < row.size(); ++x) {
        const TpackedColor c = pixels[x];
        row[x] = {std::int32_t(c & 0xFF), std::int32_t((c >> 8) & 0xFF), std::int32_t((c >> 16) & 0xFF)};
    }
}
}  // namespace

std::unique_ptr<TindexBitmap> TrgbBitmap::Reduce(int n, bool dither, TocTree &tree, QImage &preview) const
{
    auto result = std::make_unique<TindexBitmap>(Height, Width, tree.ChoosePalette(n));
    TrgbArray &colours = *result->Colors;
    // No colour is chosen only when the tree has counted no pixel, that is when this picture was
    // never analysed with it; its cells could not be given any colour.
    if (colours.Count == 0 && !Pixels.empty())
        throw EKanvoError(QStringLiteral("The picture has not been analysed with this threads kit"));

    // The reduced picture must fit; a missing or too small preview is replaced rather than
    // written past its end.
    if (preview.width() < Width || preview.height() < Height
        || (preview.format() != QImage::Format_RGB32 && preview.format() != QImage::Format_ARGB32)) {
        preview = QImage(std::max(Width, preview.width()), std::max(Height, preview.height()),
                         QImage::Format_RGB32);
        preview.fill(Qt::black);
    }

    // The scan runs bottom to top and right to left, and errors only reach the current row and
    // the row above, so two rows of working channels stand for the whole working picture.
    std::vector<TworkCell> current(std::size_t(std::max(Width, 0)));
    std::vector<TworkCell> above(current.size());
    if (dither && Height > 0)
        LoadWorkRow(Pixels.data() + std::size_t(Height - 1) * std::size_t(Width), current);

    const TpaletteSearch search(colours);
    TrgbColor work;
    std::int32_t lastRed = -1, lastGreen = -1, lastBlue = -1, lastIndex = 0;
    for (std::int32_t y = Height - 1; y >= 0; --y) {
        if (dither && y > 0)
            LoadWorkRow(Pixels.data() + std::size_t(y - 1) * std::size_t(Width), above);
        const TpackedColor *pixelLine = Pixels.data() + std::size_t(y) * std::size_t(Width);
        auto *previewLine = reinterpret_cast<QRgb *>(preview.scanLine(y));
        std::int32_t *indexLine = result->Indices.data() + std::size_t(y) * std::size_t(Width);
        for (std::int32_t x = Width - 1; x >= 0; --x) {
            // With dithering the working colour carries the errors received, which may have
            // pushed it out of 0..255: it is clamped before the search, as Update does.
            std::int32_t red, green, blue;
            if (dither) {
                const TworkCell &cell = current[std::size_t(x)];
                red = std::clamp(cell.Red, 0, 255);
                green = std::clamp(cell.Green, 0, 255);
                blue = std::clamp(cell.Blue, 0, 255);
            } else {
                const TpackedColor packed = pixelLine[x];
                red = std::int32_t(packed & 0xFF);
                green = std::int32_t((packed >> 8) & 0xFF);
                blue = std::int32_t((packed >> 16) & 0xFF);
            }
            // The nearest colour depends on the channels alone: a repeat needs no new search.
            if (red != lastRed || green != lastGreen || blue != lastBlue) {
                SetSearchColour(work, red, green, blue);
                lastIndex = search.Find(work);
                lastRed = red;
                lastGreen = green;
                lastBlue = blue;
            }
            const std::int32_t i = lastIndex;
            colours.GetItem(i).IncCount();
            const TcountColor &t = colours.GetItem(i);
            if (dither) {
                const std::int32_t eRed = red - t.Red, eGreen = green - t.Green, eBlue = blue - t.Blue;
                auto spread = [&](TworkCell &cell, const std::int32_t *shares) {
                    cell.Red += shares[eRed];
                    cell.Green += shares[eGreen];
                    cell.Blue += shares[eBlue];
                };
                if (y > 0) {
                    spread(above[std::size_t(x)], SharesOf(5));
                    if (x > 0)
                        spread(above[std::size_t(x - 1)], SharesOf(1));
                    if (x < Width - 1)
                        spread(above[std::size_t(x + 1)], SharesOf(3));
                }
                if (x > 0)
                    spread(current[std::size_t(x - 1)], SharesOf(7));
            }
            previewLine[x] = qRgb(t.Red, t.Green, t.Blue);
            indexLine[x] = i;
        }
        std::swap(current, above);
    }
    return result;
}
