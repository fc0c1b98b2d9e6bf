#pragma once
// The scheme raster (one colour index per stitch, with the scheme's colour list) and the
// true-colour picture that the reduction turns into one.
#include "colour/rgbColors.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

class TocTree;

class TindexBitmap {
public:
    // Takes ownership of colors; every index starts at 0.
    TindexBitmap(std::int32_t height, std::int32_t width, std::unique_ptr<TrgbArray> colors);

    std::int32_t Height;
    std::int32_t Width;
    std::unique_ptr<TrgbArray> Colors;
    std::vector<std::int32_t> Indices;  // row-major, Height x Width

    TcountColor &GetColor(std::int32_t index) { return Colors->GetItem(index); }
    const TcountColor &GetColor(std::int32_t index) const { return Colors->GetItem(index); }
    std::int32_t ColorCount() const { return Colors->Count; }
    std::int32_t GetPixel(std::int32_t row, std::int32_t col) const
    {
        return Indices[std::size_t(row) * std::size_t(Width) + std::size_t(col)];
    }
    void SetPixel(std::int32_t row, std::int32_t col, std::int32_t index)
    {
        Indices[std::size_t(row) * std::size_t(Width) + std::size_t(col)] = index;
    }
    std::int32_t UsedColorCount() const;
};

class TrgbBitmap {
public:
    // Pixels from a 32-bit picture (any QImage; converted to RGB32 for reading).
    explicit TrgbBitmap(const QImage &picture);

    std::int32_t Width;
    std::int32_t Height;
    std::vector<TrgbColor> Pixels;  // row-major, current derived fields

    const TrgbColor &Pixel(std::int32_t row, std::int32_t col) const
    {
        return Pixels[std::size_t(row) * std::size_t(Width) + std::size_t(col)];
    }

    void Analyse(TocTree &tree) const;
    // preview must be at least Width x Height, format RGB32; the reduced picture is painted in it.
    std::unique_ptr<TindexBitmap> Reduce(int n, bool dither, TocTree &tree, QImage &preview) const;
};
