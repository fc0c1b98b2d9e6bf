#pragma once
// Thread kit files (INI form: GENERAL/NAME, THREAD_COLORS, THREAD_NAMES) and the kit list that
// the wizard's and the threads dialog's drop-down lists are filled with.
#include "colour/rgbColors.h"

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// The object attached to each kit list entry: the kit file's full path.
struct TfileNameObject {
    QString FileName;
};

// What a kit drop-down list offers to FillThreadKits.
class IKitList {
public:
    virtual ~IKitList() = default;
    virtual void AddKit(const QByteArray &displayName, const TfileNameObject &file) = 0;
    virtual void SelectKit(int index) = 0;
};

// The folder the kits live in: "Threads" beside the program.
QString KitFolder(const QString &programFolder);
// Lists every *.thr file of the kit folder in file-name order and selects the first entry.
void FillThreadKits(IKitList &list, const QString &programFolder);

QByteArray ReadKitName(const QString &fileName);
using TthreadEntries = std::vector<std::pair<QByteArray, QByteArray>>;  // (code, value text)
TthreadEntries ReadThreadColors(const QString &fileName);
// Throws EKanvoError "'%s' is not a valid integer value".
TrgbColor ParseThreadColor(const QByteArray &code, const QByteArray &value);
QByteArray ReadThreadName(const QString &fileName, const QByteArray &code);
