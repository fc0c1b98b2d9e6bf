#pragma once
// The kinds of output kanvo-convert can write a finished scheme as, chosen by the output file's
// extension. A new kind is one more entry in the table of schemeOutputs.cpp.
#include <QByteArray>
#include <QString>

class TindexBitmap;

// Writes the scheme with its symbol font and kit names (8-bit texts) to path, replacing the file
// only once the new one is complete. Throws EKanvoError on failure.
using TschemeWriter = void (*)(const TindexBitmap &scheme, const QByteArray &fontName,
                               const QByteArray &kitName, const QString &path);

// The writer for path's extension (case ignored), or nullptr.
TschemeWriter FindSchemeWriter(const QString &path);
// "a .zel scheme file", for usage texts.
QString SupportedOutputKinds();
