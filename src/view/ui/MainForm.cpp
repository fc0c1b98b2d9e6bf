#include "view/ui/MainForm.h"

#include "document/schemeEditor.h"
#include "shell/errorDisplay.h"
#include "shell/formStorage.h"
#include "view/thumbnailFit.h"
#include "view/ui/colorsKitGrid.h"
#include "view/ui/sheetGrid.h"
#include "view/ui/thumbnailPane.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {
constexpr int PanelWidths[IschemeView::StatusPanelCount] = {150, 100, 70, 180, 50};
}  // namespace

TfrmZelMain::TfrmZelMain(const TmainFormOptions &options)
{
    // FormCreate
    setObjectName(QStringLiteral("frmZelMain"));
    ProgramFolder = options.ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options.ProgramFolder;
    if (!ProgramFolder.endsWith(QLatin1Char('/')))
        ProgramFolder += QLatin1Char('/');
    BuildControls();
    PreviewCaption = nbrThumbColors->nbgThumbnail->Caption();
    m_stitchesText = sbInfoPanels[SizePanel]->text();
    m_threadsText = sbInfoPanels[ColorsPanel]->text();
    ResetView();
    dmZel = new TdmZel(*this, options);
    BindDataModule();
}

TfrmZelMain::~TfrmZelMain()
{
    // FormDestroy: the window's settings first, then the data module saves its own.
    if (fstMainForm && m_settingsRestored)
        RunGuarded([this] { fstMainForm->Save(); });
    fstMainForm.reset();
    delete dmZel;
    dmZel = nullptr;
    // The grid shows the book this window holds as a member; it goes first.
    delete ssbSheme;
    ssbSheme = nullptr;
}

void TfrmZelMain::BuildControls()
{
    setWindowTitle(QStringLiteral("Kanvo"));
    resize(652, 466);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    tlbGeneral = new QToolBar(this);
    tlbGeneral->setObjectName(QStringLiteral("tlbGeneral"));
    tlbGeneral->setMovable(false);
    tlbGeneral->setFloatable(false);
    tlbGeneral->setContextMenuPolicy(Qt::CustomContextMenu);
    addToolBar(Qt::TopToolBarArea, tlbGeneral);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("sbInfo"));
    status->setSizeGripEnabled(true);
    const char *const designTexts[StatusPanelCount] = {"", "stitches", "threads", "", ""};
    for (int i = 0; i < StatusPanelCount; ++i) {
        auto *panel = new QLabel(QString::fromLatin1(designTexts[i]), status);
        panel->setObjectName(QStringLiteral("sbInfoPanel%1").arg(i));
        // The design widths are the least; a longer text (a 1000x1000 size) widens its panel
        // instead of being cut.
        panel->setMinimumWidth(PanelWidths[i]);
        panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(2, 0, 2, 0);
        status->addWidget(panel);
        sbInfoPanels[i] = panel;
    }
    setStatusBar(status);

    splThumbSheme = new QSplitter(Qt::Horizontal, this);
    splThumbSheme->setObjectName(QStringLiteral("splThumbSheme"));
    splThumbSheme->setHandleWidth(8);
    splThumbSheme->setChildrenCollapsible(false);
    nbrThumbColors = new TthumbnailPane(splThumbSheme);
    nbrThumbColors->setMinimumWidth(60);
    gvColors = new TcolorsKitGrid(nbrThumbColors->nbgColorList->Content());
    nbrThumbColors->nbgColorList->SetContentWidget(gvColors);
    ssbSheme = new TsheetGrid(m_book, splThumbSheme);
    ssbSheme->setObjectName(QStringLiteral("ssbSheme"));
    splThumbSheme->addWidget(nbrThumbColors);
    splThumbSheme->addWidget(ssbSheme);
    splThumbSheme->setStretchFactor(0, 0);
    splThumbSheme->setStretchFactor(1, 1);
    splThumbSheme->setSizes({DesignPaneWidth, width() - DesignPaneWidth});
    setCentralWidget(splThumbSheme);
    connect(splThumbSheme, &QSplitter::splitterMoved, this, [this] { FitThumbnail(); });
    connect(nbrThumbColors, &TthumbnailPane::PreviewAreaResized, this, [this] { FitThumbnail(); });
}

void TfrmZelMain::BindDataModule()
{
    // The menu bar, toolbar buttons and kit list belong to the data module; they are bound now
    // that it exists, before the window is first shown.
    TcommandTable &c = *dmZel->Commands;
    setMenuBar(dmZel->Menus.mmMain);
    tlbGeneral->addAction(c.actStart);
    tlbGeneral->addSeparator();
    tlbGeneral->addActions({c.actFileOpen, c.actFileSave, c.actPrint});
    tlbGeneral->addSeparator();
    tlbGeneral->addAction(c.actDraw);
    tlbGeneral->addSeparator();
    auto *viewType = new QAction(QStringLiteral("Scheme view"), this);
    viewType->setObjectName(QStringLiteral("actViewType"));
    viewType->setToolTip(QStringLiteral("Scheme view"));
    viewType->setMenu(dmZel->Menus.pmViewTypes);
    tlbGeneral->addAction(viewType);
    m_viewTypeAction = viewType;
    tbViewType = qobject_cast<QToolButton *>(tlbGeneral->widgetForAction(viewType));
    tbViewType->setObjectName(QStringLiteral("tbViewType"));
    // A click on the button itself opens the menu as well as one on its arrow.
    tbViewType->setPopupMode(QToolButton::InstantPopup);
    SetViewTypePicture(TcommandTable::PictureIndex(c.ViewModeGroup->checkedAction()));
    connect(tlbGeneral, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { dmZel->Menus.pmToolBar->popup(tlbGeneral->mapToGlobal(at)); });

    gvColors->SetKitList(&dmZel->mdPalette);

    fstMainForm = std::make_unique<TformStorage>(dmZel->apsRegistry, objectName(), true);
    fstMainForm->StoreWindowState(this, [this](TwindowShowState state) {
        switch (state) {
        case TwindowShowState::Normal:
            setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
            break;
        case TwindowShowState::Maximized:
            setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
            break;
        case TwindowShowState::MinimizedApplication:
            setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
            QTimer::singleShot(0, this, [this] { showMinimized(); });
            break;
        }
    });
    fstMainForm->AddInteger(nbrThumbColors->objectName(), QStringLiteral("Width"),
                            [this] { return LeftPaneWidth(); }, [this](int width) { SetLeftPaneWidth(width); });
}

void TfrmZelMain::RestoreSettings()
{
    m_settingsRestored = true;
    RunGuarded([this] { fstMainForm->Restore(); });
}

void TfrmZelMain::showEvent(QShowEvent *event)
{
    if (!m_settingsRestored)
        RestoreSettings();
    QMainWindow::showEvent(event);
}

bool TfrmZelMain::FormCloseQuery()
{
    return RunGuarded([this] { dmZel->Editor->ConfirmSaveChanges(); });
}

void TfrmZelMain::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    // The settings are saved once more by the destroy handler; saving now keeps them even when
    // the program is ended before the window is destroyed.
    if (m_settingsRestored)
        RunGuarded([this] { fstMainForm->Save(); });
    event->accept();
}

int TfrmZelMain::LeftPaneWidth() const
{
    return nbrThumbColors->width();
}

void TfrmZelMain::SetLeftPaneWidth(int width)
{
    const int total = splThumbSheme->width();
    const int pane = qMax(nbrThumbColors->minimumWidth(), width);
    splThumbSheme->setSizes({pane, qMax(1, total - pane - splThumbSheme->handleWidth())});
    FitThumbnail();
}

void TfrmZelMain::ResetView()
{
    nbrThumbColors->imThumbnail->SetPicture(QImage());
    nbrThumbColors->nbgThumbnail->SetContentHeight(SmallGroupHeight);
    nbrThumbColors->nbgColorList->SetContentHeight(SmallGroupHeight);
    FitThumbnail();
    for (int panel = StatusPanelCount - 1; panel >= 0; --panel)
        sbInfoPanels[panel]->clear();
}

void TfrmZelMain::FitThumbnail()
{
    TthumbnailView *view = nbrThumbColors->imThumbnail;
    const QImage &picture = view->Picture();
    const TthumbnailFit fit = ::FitThumbnail(picture.width(), picture.height(), nbrThumbColors->PreviewAreaWidth());
    QString caption = PreviewCaption;
    caption.replace(QStringLiteral("%d"), QString::number(fit.Percent)).replace(QStringLiteral("%%"), QStringLiteral("%"));
    nbrThumbColors->nbgThumbnail->SetCaption(caption);
    if (picture.isNull())
        return;
    view->SetStretch(fit.Stretch);
    nbrThumbColors->nbgThumbnail->SetContentHeight(fit.Height);
}

QString TfrmZelMain::StatusText(int panel) const
{
    return sbInfoPanels[panel]->text();
}

void TfrmZelMain::SetStatusText(int panel, const QString &text)
{
    sbInfoPanels[panel]->setText(text);
}

void TfrmZelMain::SetPreview(const QImage &picture)
{
    nbrThumbColors->imThumbnail->SetPicture(picture);
    FitThumbnail();
}

void TfrmZelMain::SetPreviewPixel(int x, int y, TpackedColor color)
{
    nbrThumbColors->imThumbnail->SetPixel(x, y, qRgb(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF)));
}

void TfrmZelMain::SetKitRowCount(int rows)
{
    nbrThumbColors->nbgColorList->SetContentHeight((rows + 1) * 18);
}

void TfrmZelMain::SetSymbolFontName(const QString &fontName)
{
    gvColors->SetSymbolFontName(fontName);
}

void TfrmZelMain::SetViewTypePicture(int picture)
{
    if (m_viewTypeAction && dmZel)
        m_viewTypeAction->setIcon(dmZel->Images.ilToolbarActive.Icon(picture));
}
