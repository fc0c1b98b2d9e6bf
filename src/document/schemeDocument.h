#pragma once
// The one scheme the program holds: its raster with the colour list, the names that go with it
// and the flags that decide when the sheets are redrawn, when the user is asked to save and
// whether Save needs a file name. The operations that move it through its life (new scheme, open,
// save, hide and show) belong to the data module; this is the state they share.
#include "colour/rgbBitmaps.h"

#include <QString>
#include <memory>

class TschemeDocument {
public:
    bool Untitled = true;      // no scheme file yet: Save acts as Save As
    QString SymbolFontName;    // the font whose characters are the symbols
    QString KitName;           // display name of the thread kit the scheme was made with
    bool SymbolsShown = false; // the last symbol fill of the scheme page showed symbols
    bool SymbolsStale = false; // a colour was hidden or shown; symbols must be rewritten
    bool SchemeLoaded = false; // a scheme is present
    bool Modified = false;     // changes not saved to a scheme file
    std::unique_ptr<TindexBitmap> SchemeBitmap;  // owned; replacing it releases the previous one
    QString SchemeFileName;    // the scheme file last read or written

    // Takes over the raster, releasing the one held before.
    void ReplaceBitmap(std::unique_ptr<TindexBitmap> bitmap) { SchemeBitmap = std::move(bitmap); }
};
