#pragma once
// The modal questions of the scheme's commands: the changes prompt and the open and save file
// dialogs. The program answers them with windows; tests answer them directly.
#include <QString>
#include <optional>

enum class TsaveChangesAnswer { Yes, No, Cancel };

// The two file types of the Save As dialog, numbered as the dialog lists them.
enum TsaveFileType : int { SchemeFileType = 1, WorkbookFileType = 2 };

struct TsaveFileChoice {
    QString FileName;
    int FileType = SchemeFileType;
};

class IschemeDialogs {
public:
    virtual ~IschemeDialogs() = default;
    // The changes prompt about the scheme of this name.
    virtual TsaveChangesAnswer AskSaveChanges(const QString &schemeName) = 0;
    // The open dialog; nothing when the user cancels.
    virtual std::optional<QString> ChooseOpenFile() = 0;
    // The save dialog, proposing the file name; nothing when the user cancels.
    virtual std::optional<TsaveFileChoice> ChooseSaveFile(const QString &proposedName) = 0;
};
