#include "kits/ui/kitComboBox.h"

#include <QStringDecoder>

TkitComboBox::TkitComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
}

void TkitComboBox::AddKit(const QByteArray &displayName, const TfileNameObject &file)
{
    QStringDecoder decoder("windows-1251");
    addItem(decoder.isValid() ? QString(decoder(displayName)) : QString::fromLatin1(displayName),
            file.FileName);
}

void TkitComboBox::SelectKit(int index)
{
    setCurrentIndex(index);
}

QString TkitComboBox::SelectedFileName() const
{
    return currentIndex() < 0 ? QString() : currentData().toString();
}
