#include "kitChoice.h"
#include "common/ansiText.h"

#include "common/KanvoError.h"
#include "kits/threadKits.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <vector>

namespace {

class TkitEntries : public IKitList {
public:
    struct Entry {
        QByteArray DisplayName;
        QString FileName;
    };
    std::vector<Entry> Entries;
    int Selected = -1;

    void AddKit(const QByteArray &displayName, const TfileNameObject &file) override
    {
        Entries.push_back({displayName, file.FileName});
    }
    void SelectKit(int index) override { Selected = index; }
};

bool LooksLikePath(const QString &argument)
{
    return argument.endsWith(QLatin1String(".thr"), Qt::CaseInsensitive)
           || argument.contains(QLatin1Char('/')) || QFileInfo(argument).isFile();
}

TchosenKit KitFromFile(const QString &argument)
{
    const QFileInfo info(argument);
    // A missing kit file reads as an empty kit; here that would only surface later as a kit
    // without threads, so say what is really wrong.
    if (!info.isFile())
        throw EKanvoError(QStringLiteral("%1: kit file not found").arg(argument));
    return {info.absoluteFilePath(), ReadKitName(info.absoluteFilePath())};
}

} // namespace

TchosenKit ChooseKit(const QString &kitArgument, const QString &programFolder)
{
    if (!kitArgument.isEmpty() && LooksLikePath(kitArgument))
        return KitFromFile(kitArgument);

    TkitEntries kits;
    FillThreadKits(kits, programFolder);
    const QString folder = QDir::toNativeSeparators(KitFolder(programFolder));
    if (kits.Entries.empty())
        throw EKanvoError(QStringLiteral("%1: no thread kit (.thr file) found").arg(folder));
    if (kitArgument.isEmpty()) {
        const auto &first = kits.Entries[std::size_t(kits.Selected < 0 ? 0 : kits.Selected)];
        return {first.FileName, first.DisplayName};
    }
    // An exact match first, as the wizard restores a kit by its text; then one that differs in case.
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (const auto &entry : kits.Entries)
            if (FromAnsi(entry.DisplayName).compare(kitArgument, sensitivity) == 0)
                return {entry.FileName, entry.DisplayName};

    QStringList known;
    for (const auto &entry : kits.Entries)
        known << QLatin1Char('"') + FromAnsi(entry.DisplayName) + QLatin1Char('"');
    throw EKanvoError(QStringLiteral("unknown thread kit \"%1\" (the kits in %2 are %3)")
                          .arg(kitArgument, folder, known.join(QStringLiteral(", "))));
}
