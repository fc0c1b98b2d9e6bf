#include "schemeOutputs.h"

#include "document/schemeFile.h"
#include "workbookOutput.h"

#include <QFileInfo>
#include <QStringList>
#include <array>

namespace {

struct TschemeOutputKind {
    const char *Suffix;
    const char *Description;
    TschemeWriter Writer;
};

const std::array<TschemeOutputKind, 2> OutputKinds{{
    {"zel", "a .zel scheme file", &SaveSchemeFile},
    {"xls", "an .xls workbook", &SaveSchemeWorkbook},
}};

} // namespace

TschemeWriter FindSchemeWriter(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const TschemeOutputKind &kind : OutputKinds)
        if (suffix == QLatin1String(kind.Suffix))
            return kind.Writer;
    return nullptr;
}

QString SupportedOutputKinds()
{
    QStringList descriptions;
    for (const TschemeOutputKind &kind : OutputKinds)
        descriptions << QString::fromLatin1(kind.Description);
    return descriptions.join(QStringLiteral(" or "));
}
