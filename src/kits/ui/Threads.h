#pragma once
// TfrmThreads: the threads kit dialog. The user picks a kit of the kit folder and sees all its
// threads (number, code, colour, name). It reads kit files only and opens on the first kit.
#include "shell/DialogTemplate.h"

class QLabel;
class QTableView;
class TkitComboBox;
class TthreadTable;

class TfrmThreads : public TfrmDialogTemplate {
    Q_OBJECT
public:
    TfrmThreads(QWidget *owner, const QString &programFolder);

    QLabel *lblKit = nullptr;
    TkitComboBox *cbxPalette = nullptr;
    QTableView *gvColors = nullptr;
    TthreadTable *mdPalette = nullptr;

public slots:
    void cbxPaletteChange();
};
