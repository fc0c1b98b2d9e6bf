#include "wizard/schemeSize.h"

#include <algorithm>

int TschemeSize::Bounded(long long value)
{
    return int(std::clamp<long long>(value, MinSide, MaxSide));
}

// The products below are taken in 64 bits: a large picture side times a requested value passes
// the 32-bit range long before either factor looks unusual.
void TschemeSize::RequestWidth(int value)
{
    if (KeepAspect && SourceWidth > 0 && SourceHeight > 0) {
        Height = Bounded(static_cast<long long>(SourceHeight) * value / SourceWidth);
        Width = Bounded(value);
    } else {
        Width = Bounded(value);
    }
}

void TschemeSize::RequestHeight(int value)
{
    if (KeepAspect && SourceWidth > 0 && SourceHeight > 0) {
        Width = Bounded(static_cast<long long>(SourceWidth) * value / SourceHeight);
        Height = Bounded(value);
    } else {
        Height = Bounded(value);
    }
}

void TschemeSize::SetWidthByProgram(int value)
{
    if (value != Width)
        RequestWidth(value);
}

void TschemeSize::SetHeightByProgram(int value)
{
    if (value != Height)
        RequestHeight(value);
}

void TschemeSize::FitPicture(int pictureWidth, int pictureHeight)
{
    SourceWidth = pictureWidth;
    SourceHeight = pictureHeight;
    SetWidthByProgram(pictureWidth);
    SetHeightByProgram(pictureHeight);
    if (pictureWidth > Width || pictureHeight > Height) {
        if (pictureWidth >= pictureHeight)
            SetHeightByProgram(int(static_cast<long long>(pictureHeight) * Width / pictureWidth));
        else
            SetWidthByProgram(int(static_cast<long long>(pictureWidth) * Height / pictureHeight));
    }
}

QString StitchesStatusText(int width, int height, const QString &stitchesWord)
{
    return QStringLiteral("%1x%2 %3").arg(width).arg(height).arg(stitchesWord);
}

QString ThreadsStatusText(int usedColors, const QString &threadsWord)
{
    return QStringLiteral("%1 %2").arg(usedColors).arg(threadsWord);
}
