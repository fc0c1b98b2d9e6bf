#include "kits/ui/Threads.h"

#include "kits/threadTable.h"
#include "kits/ui/kitComboBox.h"
#include "shell/errorDisplay.h"
#include "shell/gridStyles.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

TfrmThreads::TfrmThreads(QWidget *owner, const QString &programFolder) : TfrmDialogTemplate(owner)
{
    setObjectName(QStringLiteral("frmThreads"));
    setWindowTitle(QStringLiteral("Threads kit"));
    setSizeGripEnabled(true);
    resize(529, 404);

    lblKit = new QLabel(QStringLiteral("Current threads kit:"), pnlHeader);
    lblKit->setObjectName(QStringLiteral("lblKit"));
    lblKit->move(8, 13);
    lblKit->adjustSize();
    cbxPalette = new TkitComboBox(pnlHeader);
    cbxPalette->setObjectName(QStringLiteral("cbxPalette"));
    cbxPalette->setGeometry(lblKit->x() + lblKit->width() + 8, 9, 240, 23);

    mdPalette = new TthreadTable(this);
    gvColors = new QTableView(pnlClient);
    gvColors->setObjectName(QStringLiteral("gvColors"));
    gvColors->setModel(mdPalette);
    GridStyles::ApplyGridLook(*gvColors);
    gvColors->setItemDelegateForColumn(TthreadTable::Num,
        new TstyledTextDelegate(GridStyles::TextFont(), Qt::AlignLeft | Qt::AlignVCenter, gvColors));
    gvColors->setItemDelegateForColumn(TthreadTable::Thread,
        new TstyledTextDelegate(GridStyles::BoldTextFont(), Qt::AlignLeft | Qt::AlignVCenter, gvColors));
    gvColors->setItemDelegateForColumn(TthreadTable::Color, new TcolorSwatchDelegate(gvColors));
    gvColors->setItemDelegateForColumn(TthreadTable::Name,
        new TstyledTextDelegate(GridStyles::TextFont(), Qt::AlignLeft | Qt::AlignVCenter, gvColors));
    gvColors->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The columns share the width; the name takes what the fixed ones leave.
    QHeaderView *header = gvColors->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(TthreadTable::Name, QHeaderView::Stretch);
    header->setMinimumSectionSize(33);
    header->resizeSection(TthreadTable::Num, 33);
    header->resizeSection(TthreadTable::Thread, 49);
    header->resizeSection(TthreadTable::Color, 49);
    auto *layout = new QVBoxLayout(pnlClient);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gvColors);
    setMinimumSize(33 + 49 + 49 + 200 + 40, 200);

    FillThreadKits(*cbxPalette, programFolder);
    connect(cbxPalette, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded([this] { cbxPaletteChange(); }); });
    RunGuarded([this] { cbxPaletteChange(); });
}

void TfrmThreads::cbxPaletteChange()
{
    const QString fileName = cbxPalette->SelectedFileName();
    if (fileName.isEmpty()) {
        mdPalette->Clear();
        return;
    }
    // Whatever the filling ends with, the grid shows the rows it got and the first is current.
    struct TfirstRowCurrent {
        QTableView *view;
        ~TfirstRowCurrent()
        {
            if (view->model()->rowCount() > 0)
                view->setCurrentIndex(view->model()->index(0, 0));
        }
    } current{gvColors};
    mdPalette->Fill(fileName);
}
