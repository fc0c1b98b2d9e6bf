#pragma once
// TfrmDialogTemplate: the frame every secondary window shares: a sky-blue header band for the
// dialog's title, a white footer band for its buttons, the client part between them, and a help
// link in the footer that no dialog shows yet. Dialogs place their header and footer content at
// fixed positions, so the bands are plain panels without layouts.
#include <QDialog>

class QLabel;
class QWidget;

class TfrmDialogTemplate : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDialogTemplate(QWidget *owner);

    static constexpr int BandHeight = 41;

    QWidget *pnlHeader = nullptr;
    QWidget *pnlClient = nullptr;  // fills the space between the bands; dialogs give it a layout
    QWidget *pnlFooter = nullptr;
    QLabel *imgHelp = nullptr;
    QLabel *lblHelp = nullptr;

    // Header title label at (8, 8), Verdana 14 point navy; dialogs that want one call this.
    QLabel *AddCaptionLabel(const QString &text);
    // The fixed border the message box, the about box and the wizard use.
    void SetFixedClientSize(int width, int height);

public slots:
    void lblHelpClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
