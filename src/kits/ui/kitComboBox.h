#pragma once
// A drop-down list of the kits found in the kit folder (cbxPalette of the threads dialog and the
// wizard): each entry shows the kit's name and carries its file's full path.
#include "kits/threadKits.h"

#include <QComboBox>

class TkitComboBox : public QComboBox, public IKitList {
    Q_OBJECT
public:
    explicit TkitComboBox(QWidget *parent = nullptr);

    void AddKit(const QByteArray &displayName, const TfileNameObject &file) override;
    void SelectKit(int index) override;

    // The kit file of the selected entry; empty when the list is empty.
    QString SelectedFileName() const;
};
