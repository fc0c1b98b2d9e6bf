#pragma once
// Paints a part of one page of a sheet book: the cells seen through a viewport with their fills,
// grid lines, thin and medium edges and texts, colours read from the palette at paint time, and
// optionally the R1C1 headers and the active cell's frame. It visits only the cells that meet the
// viewport, so a page of a million cells paints as fast as a small one. The grid widget keeps one
// for its life (the fonts and drawn symbols it caches outlive a paint); any other device (an
// image, a printer) can be painted the same way.
#include "view/sheetBook.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <optional>
#include <unordered_map>

class QPainter;

struct TsheetPaintOptions {
    bool Headers = true;
    bool GridLines = true;
    std::optional<QPoint> ActiveCell;  // framed, and its headers marked, when set
};

class TsheetPainter {
public:
    explicit TsheetPainter(const TsheetBook &book);

    // The top-left of the cell area in the viewport (below and right of the headers).
    QPoint CellOrigin(const TsheetPaintOptions &options) const;
    // Paints a viewport of the given size onto painter, its cell area scrolled by scroll pixels.
    void Paint(QPainter &painter, int page, QSize viewport, QPoint scroll,
               const TsheetPaintOptions &options);

private:
    struct TglyphKey {
        TstyleId Style;
        std::uint32_t Char;
        TpackedColor Color;
        std::uint32_t Size;  // cell width << 16 | height
        bool operator==(const TglyphKey &) const = default;
    };
    struct TglyphHash {
        std::size_t operator()(const TglyphKey &key) const noexcept;
    };
    struct TrangeInfo {
        int FirstCol, LastCol, FirstRow, LastRow;
        QPoint Origin, Scroll;
        QSize Viewport;
    };

    const QFont &CellFont(TstyleId style);
    QColor PaletteColor(std::uint8_t index, QColor none) const;
    const QImage &Glyph(const TglyphKey &key, QChar ch, qreal pixelRatio);
    void PaintCells(QPainter &painter, const TsheetPage &page, const TrangeInfo &range,
                    const TsheetPaintOptions &options);
    void PaintTexts(QPainter &painter, const TsheetPage &page, const TrangeInfo &range);
    void PaintHeaders(QPainter &painter, const TsheetPage &page, const TrangeInfo &range,
                      const TsheetPaintOptions &options);

    const TsheetBook &m_book;
    std::unordered_map<TstyleId, QFont> m_fonts;
    std::unordered_map<TglyphKey, QImage, TglyphHash> m_glyphs;
    qreal m_glyphRatio = 1.0;
};
