// kanvo-convert: turns a picture into a cross-stitch scheme file from the command line, with the
// choices the new-scheme wizard offers. Exit codes: 0 done, 1 a file could not be read or written,
// 2 the command line is wrong.
#include "colour/rgbBitmaps.h"
#include "common/ansiText.h"
#include "common/KanvoError.h"
#include "convertJob.h"
#include "convertOptions.h"
#include "kitChoice.h"
#include "schemeOutputs.h"
#include "workbookOutput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSaveFile>
#include <cstdio>

namespace {

void Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

// Image decoders chatter on damaged files; the one line this program prints says what matters.
void QuietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        Print(stderr, message + QLatin1Char('\n'));
}

QByteArray CheckedAnsi(const QString &text, const QString &what)
{
    if (!IsAnsi(text))
        throw EUsageError(QStringLiteral("%1: \"%2\" has characters the scheme file cannot hold")
                              .arg(what, text));
    return ToAnsi(text);
}

// An error message that names the file, prefixed with it when the message itself does not.
QString NamingFile(const QString &fileName, const QString &message)
{
    return message.contains(fileName) ? message : QStringLiteral("%1: %2").arg(fileName, message);
}

// Writes the PNG into a temporary file that becomes the preview only once committed, so that a
// failure on either output leaves no half of the pair behind.
void StagePreview(QSaveFile &file, const QImage &preview)
{
    if (!file.open(QIODevice::WriteOnly))
        throw EKanvoError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    if (!preview.save(&file, "PNG"))
        throw EKanvoError(QStringLiteral("%1: cannot write the PNG picture").arg(file.fileName()));
}

void CommitPreview(QSaveFile &file)
{
    if (!file.commit())
        throw EKanvoError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
}

int Run()
{
    QElapsedTimer timer;
    timer.start();
    QStringList arguments = QCoreApplication::arguments();
    TakeWorkbookOptions(arguments);
    const TconvertOptions options = ParseConvertOptions(arguments);
    if (options.HelpRequested) {
        QString help = ConvertHelpText();
        if (!help.endsWith(QLatin1Char('\n')))
            help += QLatin1Char('\n');
        Print(stdout, help + WorkbookHelpText());
        return 0;
    }
    if (IsSchemeFileInput(options.Picture))
        return ConvertSchemeFile(options);
    const QByteArray fontName = CheckedAnsi(options.Font, QStringLiteral("--font"));
    const TchosenKit kit = ChooseKit(options.Kit, QCoreApplication::applicationDirPath());
    const TconvertResult result = ConvertPicture(options, kit);

    QSaveFile preview(options.Preview);
    if (!options.Preview.isEmpty())
        StagePreview(preview, result.Preview);
    const TschemeWriter write = FindSchemeWriter(options.Output);
    try {
        write(*result.Scheme, fontName, kit.DisplayName, options.Output);
    } catch (const EKanvoError &error) {
        throw EKanvoError(NamingFile(options.Output, error.Message()));
    }
    if (!options.Preview.isEmpty())
        CommitPreview(preview);

    Print(stdout, QStringLiteral("%1: %2x%3 stitches, %4 colors chosen, %5 used, %6 ms\n")
                      .arg(options.Output)
                      .arg(result.Width)
                      .arg(result.Height)
                      .arg(result.Scheme->ColorCount())
                      .arg(result.Scheme->UsedColorCount())
                      .arg(timer.elapsed()));
    return 0;
}

// Messages are printed on one line, whatever line breaks the text carries.
QString OneLine(const QString &message)
{
    return message.simplified();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kanvo-convert"));
    qInstallMessageHandler(QuietMessages);
    try {
        return Run();
    } catch (const EUsageError &error) {
        Print(stderr, QStringLiteral("kanvo-convert: %1\n").arg(OneLine(error.Message())));
        return 2;
    } catch (const EKanvoError &error) {
        Print(stderr, QStringLiteral("kanvo-convert: %1\n").arg(OneLine(error.Message())));
        return 1;
    } catch (const std::bad_alloc &) {
        Print(stderr, QStringLiteral("kanvo-convert: out of memory\n"));
        return 1;
    }
}
