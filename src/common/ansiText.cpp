#include "common/ansiText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char *CodePage = "windows-1251";
}

QString FromAnsi(QByteArrayView bytes)
{
    QStringDecoder decoder(CodePage);
    // Qt without the code page still shows the ASCII part of every text correctly.
    return decoder.isValid() ? QString(decoder(bytes)) : QString::fromLatin1(bytes);
}

QByteArray ToAnsi(const QString &text)
{
    QStringEncoder encoder(CodePage);
    return encoder.isValid() ? QByteArray(encoder(text)) : text.toLatin1();
}

bool IsAnsi(const QString &text)
{
    QStringEncoder encoder(CodePage);
    if (!encoder.isValid())
        return false;
    // Encoding the whole text is what reveals a character the code page lacks.
    static_cast<void>(QByteArray(encoder(text)));
    return !encoder.hasError();
}
