#include "document/ui/schemeFileDialogs.h"

#include "shell/MessageBox.h"
#include "shell/StringConstantes.h"
#include "shell/artwork.h"

#include <QFileDialog>
#include <QStringList>

namespace {
const QString SchemeFilter = QStringLiteral("Scheme file (*.zel)");
const QString WorkbookFilter = QStringLiteral("Microsoft Excel book (*.xls)");
}  // namespace

TschemeFileDialogs::TschemeFileDialogs(QWidget *owner) : m_owner(owner) {}

TschemeFileDialogs::~TschemeFileDialogs()
{
    delete m_open;
    delete m_save;
}

TsaveChangesAnswer TschemeFileDialogs::AskSaveChanges(const QString &schemeName)
{
    switch (ShowMessageBox(StringConstantes::ChangesSavingCaption,
                           StringConstantes::ChangesSavingText.arg(schemeName), true, Artwork::Save, m_owner)) {
    case mrYes:
        return TsaveChangesAnswer::Yes;
    case mrNo:
        return TsaveChangesAnswer::No;
    default:
        return TsaveChangesAnswer::Cancel;
    }
}

QFileDialog *TschemeFileDialogs::OpenDialog()
{
    if (!m_open) {
        m_open = new QFileDialog(m_owner, QStringLiteral("Open scheme"));
        m_open->setObjectName(QStringLiteral("dlgOpen"));
        m_open->setAcceptMode(QFileDialog::AcceptOpen);
        m_open->setFileMode(QFileDialog::ExistingFile);
        m_open->setNameFilter(QStringLiteral("Scheme files (*.zel)"));
        m_open->setDefaultSuffix(QStringLiteral("zel"));
        m_open->setSizeGripEnabled(true);
    }
    return m_open;
}

QFileDialog *TschemeFileDialogs::SaveDialog()
{
    if (!m_save) {
        m_save = new QFileDialog(m_owner, QStringLiteral("Save scheme"));
        m_save->setObjectName(QStringLiteral("dlgSave"));
        m_save->setAcceptMode(QFileDialog::AcceptSave);
        m_save->setFileMode(QFileDialog::AnyFile);
        m_save->setNameFilters({SchemeFilter, WorkbookFilter});
        m_save->setDefaultSuffix(QStringLiteral("zel"));
        m_save->setSizeGripEnabled(true);
        QObject::connect(m_save, &QFileDialog::filterSelected, m_save,
                         [this] { actFileSaveAsSaveDialogTypeChange(); });
    }
    return m_save;
}

int TschemeFileDialogs::SaveFileType() const
{
    if (!m_save)
        return SchemeFileType;
    const QString filter = m_save->selectedNameFilter();
    if (filter == SchemeFilter)
        return SchemeFileType;
    if (filter == WorkbookFilter)
        return WorkbookFileType;
    return 0;
}

void TschemeFileDialogs::actFileSaveAsSaveDialogTypeChange()
{
    switch (SaveFileType()) {
    case SchemeFileType:
        m_save->setDefaultSuffix(QStringLiteral("zel"));
        break;
    case WorkbookFileType:
        m_save->setDefaultSuffix(QStringLiteral("xls"));
        break;
    default:
        break;
    }
}

std::optional<QString> TschemeFileDialogs::ChooseOpenFile()
{
    QFileDialog *dialog = OpenDialog();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

std::optional<TsaveFileChoice> TschemeFileDialogs::ChooseSaveFile(const QString &proposedName)
{
    QFileDialog *dialog = SaveDialog();
    dialog->selectFile(proposedName);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return TsaveFileChoice{dialog->selectedFiles().constFirst(), SaveFileType()};
}
