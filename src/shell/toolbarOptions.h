#pragma once
// The two toolbar options, "Big buttons" and "Show captions", and how they lay the toolbar out:
// 48-pixel or 16-pixel pictures, captions below or right of the picture, or none.
#include <QSize>
#include <Qt>

class QAction;
class QToolBar;

struct TtoolbarLook {
    int PictureSize;              // 48 or 16
    Qt::ToolButtonStyle Style;    // captions below, right, or none
    bool operator==(const TtoolbarLook &) const = default;
};

// The layout table of the two options.
TtoolbarLook ToolbarLookFor(bool bigButtons, bool captions);

class TtoolbarOptions {
public:
    TtoolbarOptions(QAction *bigButtons, QAction *captions);

    // The toolbar the options apply to; laid out at once.
    void SetToolbar(QToolBar *toolbar);
    QToolBar *Toolbar() const { return m_toolbar; }

    // Toggle one option and lay the toolbar out again; a checkable action has already toggled
    // itself when it was clicked, so the click handlers only lay out.
    void actTBBigButtonsExecute();
    void actTBCaptionsExecute();
    void LayOut();

    // After the stored ticks have been read into the actions.
    void fstDataModuleRestorePlacement();

private:
    QAction *m_bigButtons;
    QAction *m_captions;
    QToolBar *m_toolbar = nullptr;
};
