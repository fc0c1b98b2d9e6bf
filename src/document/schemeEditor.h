#pragma once
// The scheme document's life: starting, accepting and cancelling a new scheme, the changes
// prompt, rebuilding the colours kit list, hiding and showing a colour's symbols, and drawing one
// stitch. It works on the document, the kit list and the sheets, and reaches the main window and
// the modal questions only through their interfaces.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class IschemeDialogs;
class IschemeView;
class TcolorsKitList;
class TindexBitmap;
class TschemeDocument;
class TschemeSheets;

class TschemeEditor : public QObject {
    Q_OBJECT
public:
    TschemeEditor(TschemeDocument &document, TcolorsKitList &kitList, TschemeSheets &sheets,
                  IschemeView &view, IschemeDialogs &dialogs, QObject *parent = nullptr);

    // The Save command, run by the changes prompt's Yes.
    std::function<void()> SaveCommand;

    void RebuildColorsKit();
    // Removes every kit row, with the change notifications unlinked.
    void ClearColorsKit();
    // Returns when the caller may go on; throws EKanvoAbort when the user cancels.
    void ConfirmSaveChanges();
    void StartNewScheme();
    void AcceptNewScheme(std::unique_ptr<TindexBitmap> bitmap, const QString &symbolFontName,
                         const QString &kitName);
    void CancelNewScheme();
    // The enabling rule of Print Preview, Print and Draw.
    bool actFileSaveUpdate() const;
    // Draws the active cell of the scheme page with the current kit row's colour.
    void DrawStitch();

    // The kit list's change notifications reach the hide and show only while linked.
    void LinkPalette(bool linked) { m_paletteLinked = linked; }
    bool PaletteLinked() const { return m_paletteLinked; }

private:
    void dsPaletteDataChange(int firstRow, int lastRow, int firstField, int lastField);

    TschemeDocument &m_document;
    TcolorsKitList &m_kitList;
    TschemeSheets &m_sheets;
    IschemeView &m_view;
    IschemeDialogs &m_dialogs;
    bool m_paletteLinked = false;
};
