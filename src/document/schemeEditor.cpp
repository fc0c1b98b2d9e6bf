#include "document/schemeEditor.h"

#include "common/KanvoAbort.h"
#include "common/symbolChars.h"
#include "document/colorsKitList.h"
#include "document/schemeDialogs.h"
#include "document/schemeDocument.h"
#include "document/schemeView.h"
#include "view/schemeSheets.h"

TschemeEditor::TschemeEditor(TschemeDocument &document, TcolorsKitList &kitList, TschemeSheets &sheets,
                             IschemeView &view, IschemeDialogs &dialogs, QObject *parent)
    : QObject(parent), m_document(document), m_kitList(kitList), m_sheets(sheets), m_view(view),
      m_dialogs(dialogs)
{
    connect(&m_kitList, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                dsPaletteDataChange(topLeft.row(), bottomRight.row(), topLeft.column(), bottomRight.column());
            });
}

void TschemeEditor::RebuildColorsKit()
{
    if (m_document.SchemeBitmap)
        m_kitList.Rebuild(*m_document.SchemeBitmap);
    else
        m_kitList.Clear();
    m_view.SetKitRowCount(m_kitList.RowCount());
    m_view.SetSymbolFontName(m_document.SymbolFontName);
    m_paletteLinked = true;
}

void TschemeEditor::ClearColorsKit()
{
    m_paletteLinked = false;
    m_kitList.Clear();
}

void TschemeEditor::ConfirmSaveChanges()
{
    if (!m_document.SchemeLoaded || !m_document.Modified)
        return;
    switch (m_dialogs.AskSaveChanges(m_view.StatusText(IschemeView::SchemeNamePanel))) {
    case TsaveChangesAnswer::Yes:
        // A failing save throws on, so the caller is abandoned with the save's message.
        if (SaveCommand)
            SaveCommand();
        return;
    case TsaveChangesAnswer::No:
        return;
    case TsaveChangesAnswer::Cancel:
        throw EKanvoAbort();
    }
}

void TschemeEditor::StartNewScheme()
{
    m_document.SchemeLoaded = false;
    m_document.Modified = false;
    m_document.Untitled = true;
    m_sheets.ClearSheets();
    ClearColorsKit();
    m_view.ResetView();
}

void TschemeEditor::AcceptNewScheme(std::unique_ptr<TindexBitmap> bitmap, const QString &symbolFontName,
                                    const QString &kitName)
{
    m_document.Modified = true;
    m_document.ReplaceBitmap(std::move(bitmap));
    m_document.SymbolFontName = symbolFontName;
    m_document.KitName = kitName;
    m_paletteLinked = false;
    RebuildColorsKit();
    m_sheets.RefreshSheets(true);
}

void TschemeEditor::CancelNewScheme()
{
    m_document.SchemeLoaded = false;
    m_document.Modified = false;
    m_view.ResetView();
    m_sheets.ClearSheets();
}

bool TschemeEditor::actFileSaveUpdate() const
{
    return m_document.SchemeLoaded;
}

void TschemeEditor::dsPaletteDataChange(int firstRow, int lastRow, int firstField, int lastField)
{
    Q_UNUSED(firstRow);
    Q_UNUSED(lastRow);
    if (!m_paletteLinked || firstField > TcolorsKitList::Visible || lastField < TcolorsKitList::Visible)
        return;
    // Only the symbols change: counts, Modified and the file stay as they are.
    m_document.SymbolsStale = true;
    m_sheets.RefreshSheets(false);
}

void TschemeEditor::DrawStitch()
{
    TindexBitmap *scheme = m_document.SchemeBitmap.get();
    if (!m_document.SchemeLoaded || !scheme)
        return;
    TsheetPage &page = m_sheets.Book().Page(TschemeSheets::SchemePage);
    const QPoint active = page.ActiveCell();
    const int col = active.x();
    const int row = active.y();
    if (col < 0 || row < 0 || col >= scheme->Width || row >= scheme->Height)
        return;
    const int newRow = m_kitList.CurrentRow();
    if (newRow < 0)
        return;
    const int oldColor = scheme->GetPixel(row, col);
    const int newColor = m_kitList.Row(newRow).Num;
    if (oldColor == newColor || newColor < 0 || newColor >= scheme->ColorCount())
        return;

    m_document.Modified = true;

    // Judged before the counts change below.
    const TcolorsKitRow &kit = m_kitList.Row(newRow);
    const bool shown = kit.Count > 0 && kit.Visible;
    const TviewMode mode = m_sheets.ViewMode;
    {
        TsheetUpdateBracket bracket(m_sheets.Book());
        if (mode == TviewMode::ColorsOnly || !shown)
            page.ClearText(col, row);
        else
            page.SetChar(col, row, SymbolChar(scheme->GetColor(newColor).Symbol));
        const bool plain = mode == TviewMode::SymbolsOnly || !shown;
        page.SetFillColor(col, row, plain ? 1 : TschemeSheets::ColorEntry(newColor));
    }

    scheme->SetPixel(row, col, newColor);

    const int oldRow = m_kitList.FindNum(oldColor);
    if (oldRow >= 0)
        m_kitList.SetCount(oldRow, m_kitList.Row(oldRow).Count - 1);
    scheme->GetColor(oldColor).DecCount();
    m_kitList.SetCount(newRow, m_kitList.Row(newRow).Count + 1);
    scheme->GetColor(newColor).IncCount();
    m_kitList.SetCurrentRow(newRow);

    TcountColor colour = scheme->GetColor(newColor);  // ToColor clamps in place; work on a copy
    m_view.SetPreviewPixel(col, row, colour.ToColor());
}
