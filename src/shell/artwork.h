#pragma once
// The program's own pictures, drawn with QPainter on a 16-unit grid so that every line falls on
// whole device pixels at 16, 32 and 48 pixels (and on high-DPI screens) instead of being a blurred
// bitmap scaled from one size. Indices 0 to 10 are the command pictures of the image lists; the
// rest are the few pictures that only one window uses.
#include <QImage>
#include <QRectF>

class QPainter;

namespace Artwork {
enum Picture : int {
    NewScheme = 0,     // a wizard's hat
    Open = 1,          // a folder with a picture
    Save = 2,          // a diskette
    Print = 3,         // a printer
    Options = 4,       // tools
    Draw = 5,          // a pencil
    SymbolsOnly = 6,   // a grid with black symbols
    HalfTone = 7,      // symbols on pale colours
    SymbolsAndColors = 8,
    ColorsOnly = 9,
    PrintPreview = 10, // a sheet under a magnifying glass
    CommandCount = 11,

    ButtonYes = 100,   // a green tick
    ButtonNo,          // a red cross
    ButtonCancel,      // an orange stop sign
    GroupPreview,      // left pane header: a framed picture
    GroupKit,          // left pane header: three skeins of thread
    VisibleColumn,     // kit grid header of the check box column: an eye
    HelpSign,          // a question mark in a blue disc
};

// Paints the picture into target (any size); the drawing is scaled from the 16-unit grid.
void Paint(QPainter &painter, int picture, const QRectF &target);
// The picture at exactly size x size device pixels, transparent around it.
QImage Render(int picture, int size, bool disabled = false);
// The greyed, lightened look of a picture on a disabled button.
QImage DisabledLook(const QImage &image);

// The program's picture of the about box: cross stitches forming a heart on canvas.
QImage ProgramLogo(int size);
// The maker's banner of the about box.
QImage MakerBanner(int width, int height, qreal devicePixelRatio);
}  // namespace Artwork
