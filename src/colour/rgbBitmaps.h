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
    // The picture's colours, alpha ignored; other formats than 32-bit (A)RGB are converted first.
    explicit TrgbBitmap(const QImage &picture);

    std::int32_t Width;
    std::int32_t Height;
    // Row-major packed colours (0x00BBGGRR). A full TrgbColor per pixel would take some 80 bytes
    // a stitch; the colour with its derived fields is rebuilt from the packed value on demand.
    std::vector<TpackedColor> Pixels;

    TrgbColor Pixel(std::int32_t row, std::int32_t col) const
    {
        return TrgbColor::CreateFromColor(Pixels[std::size_t(row) * std::size_t(Width) + std::size_t(col)]);
    }

    // Routes every pixel through the tree (sums of its nodes) and sorts its nodes.
    void Analyse(TocTree &tree) const;
    // At most n threads of the tree's kit, every cell the nearest of them, with error diffusion
    // when dither is set. The reduced picture is painted into preview, which should be an RGB32
    // picture of at least Width x Height; another one is replaced by such a picture. Throws
    // EKanvoError when the tree holds no thread or has not analysed this picture.
    std::unique_ptr<TindexBitmap> Reduce(int n, bool dither, TocTree &tree, QImage &preview) const;
};
