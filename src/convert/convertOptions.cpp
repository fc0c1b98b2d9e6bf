#include "convertOptions.h"

#include "schemeOutputs.h"
#include "wizard/schemeSize.h"

#include <QCommandLineParser>

namespace {

struct TparserSetup {
    QCommandLineParser Parser;
    QCommandLineOption Kit{QStringLiteral("kit"),
                           QStringLiteral("Thread kit: the display name of a kit in the Threads folder "
                                          "beside the program, or the path of a .thr file. "
                                          "Default: the first kit of the list."),
                           QStringLiteral("NAME")};
    QCommandLineOption Width{QStringLiteral("width"),
                             QStringLiteral("Scheme width in stitches (2..1000)."), QStringLiteral("W")};
    QCommandLineOption Height{QStringLiteral("height"),
                              QStringLiteral("Scheme height in stitches (2..1000). With only one of "
                                             "--width and --height the other follows the aspect rule; "
                                             "with neither the size follows the picture's."),
                              QStringLiteral("H")};
    QCommandLineOption KeepAspect{QStringLiteral("keep-aspect"),
                                  QStringLiteral("Keep the picture's aspect (default).")};
    QCommandLineOption NoKeepAspect{QStringLiteral("no-keep-aspect"),
                                    QStringLiteral("Do not keep the picture's aspect.")};
    QCommandLineOption Colors{QStringLiteral("colors"),
                              QStringLiteral("Maximum colors count (2..50, default 25)."),
                              QStringLiteral("N")};
    QCommandLineOption Dither{QStringLiteral("dither"), QStringLiteral("Use dithering (default).")};
    QCommandLineOption NoDither{QStringLiteral("no-dither"), QStringLiteral("Do not dither.")};
    QCommandLineOption Eyesight{QStringLiteral("eyesight"),
                                QStringLiteral("Use features of human eyesight (default).")};
    QCommandLineOption NoEyesight{QStringLiteral("no-eyesight"),
                                  QStringLiteral("Plain color distance.")};
    QCommandLineOption Font{QStringLiteral("font"),
                            QStringLiteral("Symbol font name (default \"Glifa\")."),
                            QStringLiteral("NAME")};
    QCommandLineOption Preview{QStringLiteral("preview"),
                               QStringLiteral("Also write the reduced picture as a PNG file."),
                               QStringLiteral("FILE.png")};

    TparserSetup()
    {
        Parser.setApplicationDescription(
            QStringLiteral("Makes a cross-stitch scheme from a picture (.bmp, .jpg, .jpeg, .gif) as "
                           "the new-scheme wizard does, and writes it as %1.")
                .arg(SupportedOutputKinds()));
        Parser.addHelpOption();
        Parser.addOptions({Kit, Width, Height, KeepAspect, NoKeepAspect, Colors, Dither, NoDither,
                           Eyesight, NoEyesight, Font, Preview});
        Parser.addPositionalArgument(QStringLiteral("PICTURE"), QStringLiteral("The source picture."));
        Parser.addPositionalArgument(QStringLiteral("OUTPUT"),
                                     QStringLiteral("The scheme file to write (%1).")
                                         .arg(SupportedOutputKinds()));
    }
};

int IntegerOption(const QCommandLineParser &parser, const QCommandLineOption &option, int low, int high)
{
    const QString name = QStringLiteral("--") + option.names().constFirst();
    const QString text = parser.value(option);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw EUsageError(QStringLiteral("%1: '%2' is not a whole number within %3..%4")
                              .arg(name, text)
                              .arg(low)
                              .arg(high));
    return value;
}

// The later of an --x / --no-x pair wins, as with most command-line tools.
bool Switch(const QCommandLineParser &parser, const QStringList &arguments,
            const QCommandLineOption &on, const QCommandLineOption &off, bool fallback)
{
    if (!parser.isSet(on) && !parser.isSet(off))
        return fallback;
    const QString onText = QStringLiteral("--") + on.names().constFirst();
    const QString offText = QStringLiteral("--") + off.names().constFirst();
    return arguments.lastIndexOf(onText) > arguments.lastIndexOf(offText);
}

} // namespace

TconvertOptions ParseConvertOptions(const QStringList &arguments)
{
    TparserSetup setup;
    QCommandLineParser &parser = setup.Parser;
    if (!parser.parse(arguments))
        throw EUsageError(parser.errorText());
    TconvertOptions options;
    if (parser.isSet(QStringLiteral("help"))) {
        options.HelpRequested = true;
        return options;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        throw EUsageError(QStringLiteral("expected PICTURE and OUTPUT, got %1 file name(s); see --help")
                              .arg(positional.size()));
    options.Picture = positional[0];
    options.Output = positional[1];
    if (!FindSchemeWriter(options.Output))
        throw EUsageError(QStringLiteral("%1: unsupported output kind; the output must be %2")
                              .arg(options.Output, SupportedOutputKinds()));
    if (parser.isSet(setup.Kit))
        options.Kit = parser.value(setup.Kit);
    if (parser.isSet(setup.Width))
        options.Width = IntegerOption(parser, setup.Width, TschemeSize::MinSide, TschemeSize::MaxSide);
    if (parser.isSet(setup.Height))
        options.Height = IntegerOption(parser, setup.Height, TschemeSize::MinSide, TschemeSize::MaxSide);
    if (parser.isSet(setup.Colors))
        options.Colors = IntegerOption(parser, setup.Colors, 2, 50);
    options.KeepAspect = Switch(parser, arguments, setup.KeepAspect, setup.NoKeepAspect, true);
    options.Dither = Switch(parser, arguments, setup.Dither, setup.NoDither, true);
    options.Eyesight = Switch(parser, arguments, setup.Eyesight, setup.NoEyesight, true);
    if (parser.isSet(setup.Font))
        options.Font = parser.value(setup.Font);
    if (parser.isSet(setup.Preview))
        options.Preview = parser.value(setup.Preview);
    return options;
}

QString ConvertHelpText()
{
    TparserSetup setup;
    return setup.Parser.helpText();
}
