#pragma once
// The command line of kanvo-convert: what to convert, into what, and the wizard's choices.
#include "common/KanvoError.h"

#include <QString>
#include <QStringList>
#include <optional>

// A command line that cannot be understood; the program answers it with exit code 2.
class EUsageError : public EKanvoError {
public:
    using EKanvoError::EKanvoError;
};

struct TconvertOptions {
    QString Picture;
    QString Output;
    QString Kit;       // a kit's display name or a .thr path; empty: the first kit of the list
    QString Preview;   // PNG file for the reduced picture; empty: none
    std::optional<int> Width;
    std::optional<int> Height;
    bool KeepAspect = true;
    int Colors = 25;
    bool Dither = true;
    bool Eyesight = true;
    QString Font = QStringLiteral("Glifa");
    bool HelpRequested = false;
};

// arguments as QCoreApplication::arguments() gives them, program name first. Throws EUsageError.
TconvertOptions ParseConvertOptions(const QStringList &arguments);
QString ConvertHelpText();
