#pragma once
// kanvo-convert's workbook output: an OUTPUT ending in ".xls" is exported as the program's Save As
// does it, through the spreadsheet automation server, with the sheets' palette and the colours
// kit list computed for the view mode chosen with --view, as after opening the scheme in the
// program and choosing that view. The input may also be a scheme file (.zel), written out again
// in the output's kind.
#include "convertOptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class TindexBitmap;

// Takes "--view MODE" (or "--view=MODE") out of arguments and keeps the mode for the workbook
// output. MODE: symbols, halftone (default), symbols-colors, colors. Throws EUsageError.
void TakeWorkbookOptions(QStringList &arguments);
// The lines --help adds for the workbook output.
QString WorkbookHelpText();

// The scheme writer for ".xls" outputs (see schemeOutputs.h). Shows a progress bar on a terminal;
// opens no desktop application.
void SaveSchemeWorkbook(const TindexBitmap &scheme, const QByteArray &fontName, const QByteArray &kitName,
                        const QString &path);

// The input is a scheme file rather than a picture.
bool IsSchemeFileInput(const QString &path);
// Reads the scheme file options.Picture and writes it to options.Output; returns the exit code.
int ConvertSchemeFile(const TconvertOptions &options);
