#pragma once
// The windows that answer the scheme commands' questions: the changes prompt as a message box,
// and one open and one save dialog, each kept for the program's run so that it remembers its
// folder, file name and file type between uses. Choosing the workbook type in the save dialog
// switches the extension a typed name gets to ".xls", the scheme type back to ".zel".
#include "document/schemeDialogs.h"

#include <QPointer>

class QFileDialog;
class QWidget;

class TschemeFileDialogs : public IschemeDialogs {
public:
    explicit TschemeFileDialogs(QWidget *owner);
    ~TschemeFileDialogs() override;

    TsaveChangesAnswer AskSaveChanges(const QString &schemeName) override;
    std::optional<QString> ChooseOpenFile() override;
    std::optional<TsaveFileChoice> ChooseSaveFile(const QString &proposedName) override;

    // The dialogs themselves, made on first use (tests look at their settings).
    QFileDialog *OpenDialog();
    QFileDialog *SaveDialog();

    // The file type the save dialog has selected, numbered from 1.
    int SaveFileType() const;
    void actFileSaveAsSaveDialogTypeChange();

private:
    QWidget *m_owner;
    QPointer<QFileDialog> m_open;
    QPointer<QFileDialog> m_save;
};
