#include "common/fontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

struct TfontLookAlike {
    const char *Family;
    const char *LookAlikes[3];
};

// Metric-compatible fonts first (same widths, so cell texts fit as designed), then the nearest shape.
constexpr TfontLookAlike kLookAlikes[] = {
    {"Arial Narrow", {"Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed"}},
    {"Arial", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
    {"MS Sans Serif", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
    {"Tahoma", {"DejaVu Sans Condensed", "Liberation Sans", "DejaVu Sans"}},
    {"Verdana", {"DejaVu Sans", "Liberation Sans", "Nimbus Sans"}},
};

}  // namespace

void InstallFontSubstitutes()
{
    const QStringList installed = QFontDatabase::families();
    for (const TfontLookAlike &font : kLookAlikes) {
        const QString family = QString::fromLatin1(font.Family);
        if (installed.contains(family, Qt::CaseInsensitive))
            continue;
        QStringList lookAlikes;
        for (const char *lookAlike : font.LookAlikes)
            if (installed.contains(QString::fromLatin1(lookAlike), Qt::CaseInsensitive))
                lookAlikes << QString::fromLatin1(lookAlike);
        if (!lookAlikes.isEmpty())
            QFont::insertSubstitutions(family, lookAlikes);
    }
}
