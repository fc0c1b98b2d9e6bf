#pragma once
// Open, Save and Save As: the commands that move the scheme between the document and files, with
// the order of their steps, the flags they change and the status bar and preview an Open sets.
// Writing goes through a temporary file that replaces the old one only when complete, so a failed
// save never damages the file it was meant to replace, and leaves the scheme marked as changed.
#include <QString>
#include <functional>

class IschemeDialogs;
class IschemeView;
class TschemeDocument;
class TschemeEditor;
class TschemeSheets;

class TschemeFileCommands {
public:
    TschemeFileCommands(TschemeDocument &document, TschemeEditor &editor, TschemeSheets &sheets,
                        IschemeView &view, IschemeDialogs &dialogs);

    // The workbook branch of Save As, filled in by the workbook export; without it that branch
    // reports that the export is not available.
    std::function<void(const QString &fileName)> ExportWorkbook;

    // Open: the changes prompt, the open dialog, then OpenSchemeFile.
    void actFileOpenExecute();
    void OpenSchemeFile(const QString &fileName);
    // Save: to the scheme's file, or through Save As while it has none. Both do nothing while no
    // scheme is held: there is nothing to write.
    void actFileSaveExecute();
    void actFileSaveAsExecute();
    void SaveSchemeFile(const QString &fileName);

    // The scheme name shown for a file: its name without folder and without the last extension.
    static QString SchemeNameOf(const QString &fileName);

private:
    bool HasScheme() const;

    TschemeDocument &m_document;
    TschemeEditor &m_editor;
    TschemeSheets &m_sheets;
    IschemeView &m_view;
    IschemeDialogs &m_dialogs;
};
