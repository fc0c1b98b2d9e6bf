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
// Adds one entry (the kit's NAME, its file) for every *.thr file of the kit folder, hidden ones
// included, in byte order of the file names, then selects the first entry. A missing or empty
// folder adds nothing and selects nothing.
void FillThreadKits(IKitList &list, const QString &programFolder);

// The readers open the file by its full path each time. A missing file, section or key reads as
// empty, never as an error.
QByteArray ReadKitName(const QString &fileName);
using TthreadEntries = std::vector<std::pair<QByteArray, QByteArray>>;  // (code, value text)
// One pair per THREAD_COLORS line in file order; a code listed again takes its first line's value.
TthreadEntries ReadThreadColors(const QString &fileName);
// "r, g, b" with each number decimal or hexadecimal ("$", "x", "0x"), clamped to 0..255; throws
// EKanvoError "'%s' is not a valid integer value" naming the first text that is no 32-bit integer.
TrgbColor ParseThreadColor(const QByteArray &code, const QByteArray &value);
QByteArray ReadThreadName(const QString &fileName, const QByteArray &code);
