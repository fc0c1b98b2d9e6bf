#include "convertJob.h"

#include "colour/ocTrees.h"
#include "colour/rgbBitmaps.h"
#include "common/KanvoError.h"
#include "kits/threadKits.h"
#include "wizard/schemeSize.h"
#include "wizard/sourcePicture.h"
#include "wizard/symbolSelection.h"

TconvertResult::TconvertResult() = default;
TconvertResult::TconvertResult(TconvertResult &&) noexcept = default;
TconvertResult::~TconvertResult() = default;

namespace {

std::unique_ptr<TocTree> LoadKit(const TchosenKit &kit)
{
    std::unique_ptr<TocTree> tree;
    try {
        tree = TocTree::LoadThreadKit(kit.FileName);
    } catch (const EKanvoError &error) {
        throw EKanvoError(QStringLiteral("%1: %2").arg(kit.FileName, error.Message()));
    }
    // The reduction needs at least one thread to choose from.
    if (!tree || !tree->Color)
        throw EKanvoError(QStringLiteral("%1: the kit has no threads").arg(kit.FileName));
    return tree;
}

TschemeSize SchemeSizeFor(const TconvertOptions &options, const QImage &picture)
{
    TschemeSize size;
    size.KeepAspect = options.KeepAspect;
    size.FitPicture(picture.width(), picture.height());
    if (options.Width && options.Height) {
        // Both sides asked for: that is the size, whatever the picture's aspect.
        size.Width = *options.Width;
        size.Height = *options.Height;
    } else if (options.Width) {
        size.RequestWidth(*options.Width);
    } else if (options.Height) {
        size.RequestHeight(*options.Height);
    }
    return size;
}

} // namespace

TconvertResult ConvertPicture(const TconvertOptions &options, const TchosenKit &kit)
{
    // The wizard loads the kit when it opens, before any picture.
    std::unique_ptr<TocTree> kitTree = LoadKit(kit);
    const QImage source = LoadSourcePicture(options.Picture);
    const TschemeSize size = SchemeSizeFor(options, source);

    TconvertResult result;
    result.Width = size.Width;
    result.Height = size.Height;
    const QImage scaled = ScalePictureNearest(source, size.Width, size.Height);
    result.Preview = QImage(size.Width, size.Height, QImage::Format_RGB32);
    result.Preview.fill(Qt::white);

    const TrgbBitmap pictureColors(scaled);
    // A fresh start analyses in the distance mode the program starts with; the chosen mode
    // applies from the reduction on, as in the wizard.
    TrgbColor::SetUseEyesight(true);
    pictureColors.Analyse(*kitTree);
    TrgbColor::SetUseEyesight(options.Eyesight);
    result.Scheme = pictureColors.Reduce(options.Colors, options.Dither, *kitTree, result.Preview);

    AssignSymbols(DefaultSymbolSelection(result.Scheme->ColorCount()), *result.Scheme);
    return result;
}
