#pragma once
// TdmZel: the composition root the main window creates. It owns the command table with its menus
// and picture lists, the settings store, the scheme document with its colours kit list, sheets
// filling, editing and file commands, and connects each command to the object that carries it
// out. It keeps no logic of its own beyond the shell's few commands (view mode, exit, threads
// kit, about, toolbar options).
#include "document/colorsKitList.h"
#include "document/schemeDocument.h"
#include "document/schemeFileCommands.h"
#include "shell/commandTable.h"
#include "shell/formStorage.h"
#include "shell/imageLists.h"
#include "shell/mainMenus.h"
#include "shell/settingsStore.h"
#include "shell/toolbarOptions.h"
#include "view/schemeSheets.h"

#include <QObject>
#include <functional>
#include <memory>

class IschemeDialogs;
class QAction;
class TfrmZelMain;
class TschemeEditor;

struct TmainFormOptions {
    QString SettingsFileName;            // empty: the user's own settings
    IschemeDialogs *Dialogs = nullptr;   // empty: the program's own windows
    QString ProgramFolder;               // empty: the folder of the program file
};

class TdmZel : public QObject {
    Q_OBJECT
public:
    TdmZel(TfrmZelMain &owner, const TmainFormOptions &options);
    ~TdmZel() override;

    TsettingsStore apsRegistry;
    TimageLists Images;
    TcommandTable *Commands = nullptr;
    TmainMenus Menus;
    TtoolbarOptions ToolbarOptions;
    std::unique_ptr<TformStorage> fstDataModule;

    TschemeDocument Document;
    TcolorsKitList mdPalette;
    TschemeSheets Sheets;
    TschemeEditor *Editor = nullptr;
    std::unique_ptr<TschemeFileCommands> Files;

    // The commands whose windows come with the wizard and printing; until they are filled in
    // the commands say so.
    std::function<void()> NewSchemeWizard;
    std::function<void()> PrintScheme;
    std::function<void()> PreviewScheme;

    IschemeDialogs &Dialogs() { return *m_dialogs; }

    // The view actions' shared handler: the sender becomes the view mode.
    void actViewSymbolsOnlyExecute(QAction *sender);
    void actExitExecute();
    void actViewThreadsExecute();
    void actAboutExecute();
    // The sheet's click: one stitch while Draw is ticked and a scheme is loaded.
    void ssbShemeClick();

    static TviewMode ViewModeOf(const TcommandTable &commands, const QAction *action);

private:
    void DataModuleCreate();
    void ConnectCommands();
    void NotYetAvailable(QAction *action);

    TfrmZelMain &m_owner;
    std::unique_ptr<IschemeDialogs> m_ownDialogs;
    IschemeDialogs *m_dialogs = nullptr;
};
