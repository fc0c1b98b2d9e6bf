#include "view/thumbnailFit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

TthumbnailFit FitThumbnail(int gw, int gh, int areaWidth)
{
    TthumbnailFit fit;
    if (gw <= 0 || gh <= 0) {
        // No picture: the area keeps its height and the caption reads 100%.
        fit.Height = -1;
        return fit;
    }
    if (gw > areaWidth) {
        fit.Stretch = true;
        // Rounded to the nearest, halves to even (the default rounding mode of nearbyint).
        const int h = int(std::nearbyint(double(gh) * double(areaWidth) / double(gw)));
        fit.Height = std::min(h, areaWidth);
    } else if (gh > areaWidth) {
        fit.Stretch = true;
        fit.Height = areaWidth;
    } else {
        fit.Stretch = false;
        fit.Height = gh;
    }
    fit.Percent = std::min(100, int(std::int64_t(fit.Height) * 100 / gh));
    return fit;
}
