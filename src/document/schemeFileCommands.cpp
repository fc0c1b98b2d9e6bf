#include "document/schemeFileCommands.h"
#include "common/ansiText.h"

#include "common/KanvoError.h"
#include "document/schemeDialogs.h"
#include "document/schemeDocument.h"
#include "document/schemeEditor.h"
#include "document/schemeFile.h"
#include "document/schemeView.h"
#include "view/schemeSheets.h"

#include <QFileInfo>

namespace {
QImage PreviewOf(TindexBitmap &scheme)
{
    QImage preview(scheme.Width, scheme.Height, QImage::Format_RGB32);
    std::vector<QRgb> colours(std::size_t(scheme.ColorCount()));
    for (int i = 0; i < scheme.ColorCount(); ++i) {
        TcountColor colour = scheme.GetColor(i);  // ToColor clamps in place; keep the scheme's as read
        const TpackedColor packed = colour.ToColor();
        colours[std::size_t(i)] = qRgb(int(packed & 0xFF), int((packed >> 8) & 0xFF), int((packed >> 16) & 0xFF));
    }
    for (int row = 0; row < scheme.Height; ++row) {
        auto *line = reinterpret_cast<QRgb *>(preview.scanLine(row));
        for (int col = 0; col < scheme.Width; ++col)
            line[col] = colours[std::size_t(scheme.GetPixel(row, col))];
    }
    return preview;
}
}  // namespace

TschemeFileCommands::TschemeFileCommands(TschemeDocument &document, TschemeEditor &editor,
                                         TschemeSheets &sheets, IschemeView &view, IschemeDialogs &dialogs)
    : m_document(document), m_editor(editor), m_sheets(sheets), m_view(view), m_dialogs(dialogs)
{
}

QString TschemeFileCommands::SchemeNameOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool TschemeFileCommands::HasScheme() const
{
    return m_document.SchemeLoaded && m_document.SchemeBitmap;
}

void TschemeFileCommands::actFileOpenExecute()
{
    m_editor.ConfirmSaveChanges();
    const auto fileName = m_dialogs.ChooseOpenFile();
    if (fileName)
        OpenSchemeFile(*fileName);
}

void TschemeFileCommands::OpenSchemeFile(const QString &fileName)
{
    m_editor.ClearColorsKit();
    m_view.ResetView();
    m_document.SchemeLoaded = false;
    m_document.Modified = false;

    TschemeFileContents contents = LoadSchemeFile(fileName);
    m_document.ReplaceBitmap(std::move(contents.Bitmap));
    m_document.SchemeLoaded = true;
    m_document.Untitled = false;
    m_document.SchemeFileName = fileName;
    m_document.SymbolFontName = FromAnsi(contents.FontName);
    m_document.KitName = FromAnsi(contents.KitName);

    TindexBitmap &scheme = *m_document.SchemeBitmap;
    m_view.SetStatusText(IschemeView::SchemeNamePanel, SchemeNameOf(fileName));
    m_view.SetStatusText(IschemeView::SizePanel, QStringLiteral("%1x%2 %3")
                                                     .arg(scheme.Width)
                                                     .arg(scheme.Height)
                                                     .arg(m_view.StitchesText()));
    m_view.SetStatusText(IschemeView::KitPanel, m_document.KitName);
    m_view.SetStatusText(IschemeView::ColorsPanel,
                         QStringLiteral("%1 %2").arg(scheme.UsedColorCount()).arg(m_view.ThreadsText()));
    m_view.SetPreview(PreviewOf(scheme));

    m_editor.LinkPalette(false);
    m_editor.RebuildColorsKit();
    m_sheets.RefreshSheets(true);
}

void TschemeFileCommands::actFileSaveExecute()
{
    if (!HasScheme())
        return;
    if (m_document.Untitled)
        actFileSaveAsExecute();
    else
        SaveSchemeFile(m_document.SchemeFileName);
}

void TschemeFileCommands::actFileSaveAsExecute()
{
    if (!HasScheme())
        return;
    const auto choice = m_dialogs.ChooseSaveFile(m_view.StatusText(IschemeView::SchemeNamePanel));
    if (!choice)
        return;
    switch (choice->FileType) {
    case SchemeFileType:
        SaveSchemeFile(choice->FileName);
        break;
    case WorkbookFileType:
        // Exporting is not saving: the flags and the scheme's file stay as they were.
        if (!ExportWorkbook)
            throw EKanvoError(QStringLiteral("Export to a workbook is not available in this version"));
        ExportWorkbook(choice->FileName);
        break;
    default:
        break;
    }
}

void TschemeFileCommands::SaveSchemeFile(const QString &fileName)
{
    ::SaveSchemeFile(*m_document.SchemeBitmap, ToAnsi(m_document.SymbolFontName), ToAnsi(m_document.KitName),
                     fileName);
    m_document.Modified = false;
    m_document.Untitled = false;
    m_document.SchemeFileName = fileName;
}
