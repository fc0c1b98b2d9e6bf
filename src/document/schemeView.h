#pragma once
// What the scheme's commands need from the main window, so that they run and are tested without
// one: the status panels, the preview picture, the colours kit group's height and symbol font,
// and the reset to the empty look. The main window implements it; tests use a recording one.
#include "colour/rgbColors.h"

#include <QImage>
#include <QString>

class IschemeView {
public:
    virtual ~IschemeView() = default;

    static constexpr int StatusPanelCount = 5;
    enum StatusPanel { SchemeNamePanel = 0, SizePanel = 1, ColorsPanel = 2, KitPanel = 3, SparePanel = 4 };

    // Empty preview, both left-pane groups at their small height, every status panel empty.
    virtual void ResetView() = 0;

    virtual QString StatusText(int panel) const = 0;
    virtual void SetStatusText(int panel, const QString &text) = 0;
    // The words after the size and after the colour count in the status bar.
    virtual QString StitchesText() const = 0;
    virtual QString ThreadsText() const = 0;

    // A new preview picture (one pixel per stitch), fitted into the preview group.
    virtual void SetPreview(const QImage &picture) = 0;
    virtual void SetPreviewPixel(int x, int y, TpackedColor color) = 0;

    // After a kit rebuild: the kit group shows this many rows, its symbol column this font.
    virtual void SetKitRowCount(int rows) = 0;
    virtual void SetSymbolFontName(const QString &fontName) = 0;
};
