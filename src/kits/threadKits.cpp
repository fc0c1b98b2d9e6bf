#include "kits/threadKits.h"

#include "common/KanvoError.h"
#include "kits/iniFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

const QByteArray kGeneralSection = "GENERAL";
const QByteArray kNameKey = "NAME";
const QByteArray kColorsSection = "THREAD_COLORS";
const QByteArray kNamesSection = "THREAD_NAMES";

QString FromAnsi(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.isValid() ? QString(decoder(bytes)) : QString::fromLatin1(bytes);
}

// Drops the characters of code 32 and below from both ends.
QByteArray TrimControls(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return text.mid(begin, end - begin);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The integer conversion the kit values have always been read with: leading blanks, a sign, then
// decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X". Decimal values must lie in
// the signed 32-bit range; hexadecimal ones may use all 32 bits and are taken as two's complement,
// so "$FFFFFFFF" is -1, as that conversion has it.
std::optional<std::int32_t> ToInt32(const QByteArray &text)
{
    const char *pos = text.constData();
    const char *const end = pos + text.size();
    while (pos < end && *pos == ' ')
        ++pos;
    bool negative = false;
    if (pos < end && (*pos == '-' || *pos == '+')) {
        negative = *pos == '-';
        ++pos;
    }
    bool hex = false;
    if (pos < end && (*pos == '$' || *pos == 'x' || *pos == 'X')) {
        hex = true;
        ++pos;
    } else if (end - pos >= 2 && pos[0] == '0' && (pos[1] == 'x' || pos[1] == 'X')) {
        hex = true;
        pos += 2;
    }
    if (pos == end)
        return std::nullopt;

    std::uint64_t magnitude = 0;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; pos < end; ++pos) {
        const int digit = hex ? HexDigit(*pos) : ((*pos >= '0' && *pos <= '9') ? *pos - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + std::uint64_t(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    std::uint32_t bits = std::uint32_t(magnitude);
    if (negative)
        bits = 0u - bits;
    return std::int32_t(bits);
}

std::int32_t ToInt32OrThrow(const QByteArray &text)
{
    if (const std::optional<std::int32_t> value = ToInt32(text))
        return *value;
    throw EKanvoError(QStringLiteral("'%1' is not a valid integer value").arg(FromAnsi(text)));
}

// Takes the text before the first "," of rest (empty when there is none) and leaves in rest what
// follows that ",".
QByteArray TakeField(QByteArray &rest)
{
    const qsizetype comma = rest.indexOf(',');
    if (comma < 0)
        return {};
    QByteArray field = TrimControls(rest.left(comma));
    rest = rest.mid(comma + 1);
    return field;
}

}  // namespace

QString KitFolder(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Threads"));
}

void FillThreadKits(IKitList &list, const QString &programFolder)
{
    const QString folder = KitFolder(programFolder);
    QDir dir(folder);
    // Windows matches "*.thr" without regard to case; QDir's name filters do the same. Only
    // regular files: opening a pipe that happens to match would block the reader for good.
    QStringList names = dir.entryList({QStringLiteral("*.thr")}, QDir::Files | QDir::Hidden, QDir::Unsorted);
    if (names.isEmpty())
        return;
    // Folder listings come back in no defined order; the kit list must look the same on every
    // machine, so the names are put in byte order of their on-disk form.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QFile::encodeName(a) < QFile::encodeName(b);
    });
    for (const QString &name : names) {
        const TfileNameObject object{QDir(folder).filePath(name)};
        list.AddKit(ReadKitName(object.FileName), object);
    }
    list.SelectKit(0);
}

QByteArray ReadKitName(const QString &fileName)
{
    return TiniFile::FromFile(fileName).ReadString(kGeneralSection, kNameKey);
}

TthreadEntries ReadThreadColors(const QString &fileName)
{
    const TiniFile ini = TiniFile::FromFile(fileName);
    const std::vector<TiniFile::Tentry> &lines = ini.SectionEntries(kColorsSection);
    // One pair per line, but a code asked for by name always answers with its first line's
    // value, whichever line listed it.
    QHash<QByteArray, QByteArray> firstValues;
    firstValues.reserve(qsizetype(lines.size()));
    for (const TiniFile::Tentry &line : lines) {
        const QByteArray folded = line.Key.toLower();
        if (!firstValues.contains(folded))
            firstValues.insert(folded, line.Value);
    }

    TthreadEntries entries;
    entries.reserve(lines.size());
    for (const TiniFile::Tentry &line : lines)
        entries.emplace_back(line.Key, firstValues.value(line.Key.toLower()));
    return entries;
}

TrgbColor ParseThreadColor(const QByteArray &code, const QByteArray &value)
{
    QByteArray rest = TrimControls(value);
    const QByteArray redText = TakeField(rest);
    const QByteArray greenText = TakeField(rest);
    const QByteArray blueText = TrimControls(rest);
    const std::int32_t red = ToInt32OrThrow(redText);
    const std::int32_t green = ToInt32OrThrow(greenText);
    const std::int32_t blue = ToInt32OrThrow(blueText);
    return TrgbColor(red, green, blue, code);
}

QByteArray ReadThreadName(const QString &fileName, const QByteArray &code)
{
    return TiniFile::FromFile(fileName).ReadString(kNamesSection, code);
}
