#pragma once
// How the preview picture fits the left pane: whether it is stretched, how tall its area is (never
// taller than wide) and the percentage shown in the group's caption.
struct TthumbnailFit {
    bool Stretch = false;
    int Height = 0;    // the preview area's new height
    int Percent = 100;
};

// gw x gh: the picture's size (gw 0: no picture); areaWidth: the preview area's width.
TthumbnailFit FitThumbnail(int gw, int gh, int areaWidth);
