#pragma once
// The scheme size in stitches as the Size page keeps it: the width and height fields, the source
// picture's size they are derived from and the "Save source aspect" flag, with the size rule that
// every change of a field goes through. Both fields always lie within 2..1000.
#include <QString>

class TschemeSize {
public:
    static constexpr int MinSide = 2;
    static constexpr int MaxSide = 1000;
    // The spin fields start at their lower bound in every run of the wizard; the first Next on the
    // Picture page then takes the picture's size from there.
    static constexpr int StartSide = MinSide;

    int Width = StartSide;
    int Height = StartSide;
    int SourceWidth = 0;
    int SourceHeight = 0;
    bool KeepAspect = true;

    // The size rule for a requested value, which may lie outside 2..1000: with the aspect kept the
    // other side is derived from the requested one, then both are held within range.
    void RequestWidth(int value);
    void RequestHeight(int value);
    // A program setting a field: the rule runs only when the value differs from the current one.
    void SetWidthByProgram(int value);
    void SetHeightByProgram(int value);
    // A spin button or arrow key: the requested value is the current one plus or minus one.
    void StepWidth(int delta) { RequestWidth(Width + delta); }
    void StepHeight(int delta) { RequestHeight(Height + delta); }

    // Next on the Picture page: take the picture's size, then shrink a picture that exceeds the
    // limits so that its longer side fits.
    void FitPicture(int pictureWidth, int pictureHeight);

    static int Bounded(long long value);
};

// Status bar texts: "400x300 stitches", "12 threads" (the words as the status panels hold them).
QString StitchesStatusText(int width, int height, const QString &stitchesWord = QStringLiteral("stitches"));
QString ThreadsStatusText(int usedColors, const QString &threadsWord = QStringLiteral("threads"));
