#include "shell/DataModule.h"

#include "document/schemeEditor.h"
#include "document/ui/schemeFileDialogs.h"
#include "kits/ui/Threads.h"
#include "shell/AboutForm.h"
#include "shell/MessageBox.h"
#include "shell/StringConstantes.h"
#include "shell/artwork.h"
#include "shell/errorDisplay.h"
#include "view/ui/MainForm.h"
#include "view/ui/sheetGrid.h"

#include <QAction>
#include <QActionGroup>

namespace {
TsettingsStore MakeStore(const QString &fileName)
{
    return fileName.isEmpty() ? TsettingsStore() : TsettingsStore(fileName);
}
}  // namespace

TdmZel::TdmZel(TfrmZelMain &owner, const TmainFormOptions &options)
    : QObject(&owner),
      apsRegistry(MakeStore(options.SettingsFileName)),
      Commands(new TcommandTable(Images, this)),
      ToolbarOptions(Commands->actTBBigButtons, Commands->actTBCaptions),
      Sheets(owner.SheetBook(), Document, mdPalette),
      m_owner(owner)
{
    setObjectName(QStringLiteral("dmZel"));
    if (options.Dialogs) {
        m_dialogs = options.Dialogs;
    } else {
        m_ownDialogs = std::make_unique<TschemeFileDialogs>(&owner);
        m_dialogs = m_ownDialogs.get();
    }
    Editor = new TschemeEditor(Document, mdPalette, Sheets, owner, *m_dialogs, this);
    Files = std::make_unique<TschemeFileCommands>(Document, *Editor, Sheets, owner, *m_dialogs);
    Editor->SaveCommand = [this] { Files->actFileSaveExecute(); };
    Sheets.ShownKitName = [this] { return m_owner.StatusText(IschemeView::KitPanel); };

    Menus = BuildMainMenus(*Commands, &owner);
    ToolbarOptions.SetToolbar(owner.tlbGeneral);
    ConnectCommands();
    DataModuleCreate();
}

TdmZel::~TdmZel()
{
    // DataModuleDestroy: an error here must not stop the program from ending.
    RunGuarded([this] { fstDataModule->Save(); });
}

void TdmZel::DataModuleCreate()
{
    // The data module is no window: its values live under the literal "%FORM_NAME%" sub-key.
    fstDataModule = std::make_unique<TformStorage>(apsRegistry, objectName(), false);
    QAction *big = Commands->actTBBigButtons;
    QAction *captions = Commands->actTBCaptions;
    fstDataModule->AddBool(big->objectName(), QStringLiteral("Checked"), [big] { return big->isChecked(); },
                           [big](bool value) { big->setChecked(value); });
    fstDataModule->AddBool(captions->objectName(), QStringLiteral("Checked"),
                           [captions] { return captions->isChecked(); },
                           [captions](bool value) { captions->setChecked(value); });
    fstDataModule->OnRestorePlacement = [this] { ToolbarOptions.fstDataModuleRestorePlacement(); };
    RunGuarded([this] { fstDataModule->Restore(); });

    Document = TschemeDocument();
    Commands->UpdateActions();
}

void TdmZel::ConnectCommands()
{
    TcommandTable &c = *Commands;
    const auto whileLoaded = [this] { return Editor->actFileSaveUpdate(); };
    for (QAction *action : {c.actPreview, c.actPrint, c.actDraw})
        c.SetEnabledRule(action, whileLoaded);
    for (QAction *view : c.ViewModeGroup->actions())
        c.SetEnabledRule(view, [] { return true; });  // actViewSymbolsOnlyUpdate

    c.SetHandler(c.actStart, [this] {
        if (NewSchemeWizard)
            NewSchemeWizard();
        else
            NotYetAvailable(Commands->actStart);
    });
    c.SetHandler(c.actFileOpen, [this] { Files->actFileOpenExecute(); });
    c.SetHandler(c.actFileSave, [this] { Files->actFileSaveExecute(); });
    c.SetHandler(c.actFileSaveAs, [this] { Files->actFileSaveAsExecute(); });
    c.SetHandler(c.actPrint, [this] {
        if (PrintScheme)
            PrintScheme();
        else
            NotYetAvailable(Commands->actPrint);
    });
    c.SetHandler(c.actPreview, [this] {
        if (PreviewScheme)
            PreviewScheme();
        else
            NotYetAvailable(Commands->actPreview);
    });
    for (QAction *view : c.ViewModeGroup->actions())
        c.SetHandler(view, [this, view] { actViewSymbolsOnlyExecute(view); });
    c.SetHandler(c.actExit, [this] { actExitExecute(); });
    c.SetHandler(c.actViewThreads, [this] { actViewThreadsExecute(); });
    c.SetHandler(c.actAbout, [this] { actAboutExecute(); });
    // A click has already toggled these two; their handlers lay the toolbar out.
    c.SetHandler(c.actTBBigButtons, [this] { ToolbarOptions.LayOut(); });
    c.SetHandler(c.actTBCaptions, [this] { ToolbarOptions.LayOut(); });

    connect(m_owner.ssbSheme, &TsheetGrid::ssbShemeClick, this, [this] {
        RunGuarded([this] { ssbShemeClick(); });
        Commands->ScheduleUpdate();
    });
}

TviewMode TdmZel::ViewModeOf(const TcommandTable &commands, const QAction *action)
{
    if (action == commands.actViewSymbolsOnly)
        return TviewMode::SymbolsOnly;
    if (action == commands.actViewSymbolsAndColors)
        return TviewMode::SymbolsAndColors;
    if (action == commands.actViewColorsOnly)
        return TviewMode::ColorsOnly;
    return TviewMode::HalfTone;
}

void TdmZel::actViewSymbolsOnlyExecute(QAction *sender)
{
    sender->setChecked(true);
    m_owner.SetViewTypePicture(TcommandTable::PictureIndex(sender));
    Sheets.ViewMode = ViewModeOf(*Commands, sender);
    Sheets.RefreshSheets(false);
}

void TdmZel::actExitExecute()
{
    m_owner.close();
}

void TdmZel::actViewThreadsExecute()
{
    TfrmThreads dialog(&m_owner, m_owner.ProgramFolder);
    dialog.exec();
}

void TdmZel::actAboutExecute()
{
    TfrmAbout about(&m_owner);
    about.exec();
}

void TdmZel::ssbShemeClick()
{
    if (Commands->actDraw->isChecked() && Document.SchemeLoaded)
        Editor->DrawStitch();
}

void TdmZel::NotYetAvailable(QAction *action)
{
    // Print preview has no big picture; the printer stands in for it.
    const int picture = TcommandTable::PictureIndex(action);
    ShowMessageBox(action->text().remove(QStringLiteral("...")), StringConstantes::HelpNotImplemented, false,
                   picture < Images.ilToolbarActive.Count() ? picture : Artwork::Print, &m_owner);
}
