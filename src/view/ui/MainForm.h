#pragma once
// TfrmZelMain: the main window. A toolbar over the scheme: on the left the preview picture and
// the colours kit, a splitter, and the scheme sheets filling the rest; a status bar with the
// scheme's name, size, colour count and kit. It creates the data module, shows what the scheme
// commands write to it (status texts, preview, kit rows) and turns clicks on the sheet into
// drawing while "Draw" is ticked. Closing it asks about unsaved changes once.
#include "document/schemeView.h"
#include "shell/DataModule.h"
#include "view/sheetBook.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QSplitter;
class QToolBar;
class QToolButton;
class TcolorsKitGrid;
class TformStorage;
class TsheetGrid;
class TthumbnailPane;

class TfrmZelMain : public QMainWindow, public IschemeView {
    Q_OBJECT
public:
    explicit TfrmZelMain(const TmainFormOptions &options = {});
    ~TfrmZelMain() override;

    static constexpr int DesignPaneWidth = 222;
    static constexpr int SmallGroupHeight = 42;

    QString ProgramFolder;   // ends with a separator
    QString PreviewCaption;  // "Preview (%d%%)"

    QToolBar *tlbGeneral = nullptr;
    QToolButton *tbViewType = nullptr;
    QLabel *sbInfoPanels[StatusPanelCount] = {};
    TthumbnailPane *nbrThumbColors = nullptr;
    QSplitter *splThumbSheme = nullptr;
    TsheetGrid *ssbSheme = nullptr;
    TcolorsKitGrid *gvColors = nullptr;
    TdmZel *dmZel = nullptr;
    std::unique_ptr<TformStorage> fstMainForm;

    TsheetBook &SheetBook() { return m_book; }

    // IschemeView
    void ResetView() override;
    QString StatusText(int panel) const override;
    void SetStatusText(int panel, const QString &text) override;
    QString StitchesText() const override { return m_stitchesText; }
    QString ThreadsText() const override { return m_threadsText; }
    void SetPreview(const QImage &picture) override;
    void SetPreviewPixel(int x, int y, TpackedColor color) override;
    void SetKitRowCount(int rows) override;
    void SetSymbolFontName(const QString &fontName) override;

    void FitThumbnail();
    // The toolbar's view button shows the picture of the ticked view mode.
    void SetViewTypePicture(int picture);
    int LeftPaneWidth() const;
    void SetLeftPaneWidth(int width);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildControls();
    void BindDataModule();
    void RestoreSettings();
    bool FormCloseQuery();

    TsheetBook m_book{2};
    QAction *m_viewTypeAction = nullptr;
    QString m_stitchesText;
    QString m_threadsText;
    bool m_settingsRestored = false;
    bool m_closing = false;
};
