#include "kits/iniFile.h"

#include <QFile>

#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray TrimBlanks(const char *begin, const char *end)
{
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    return QByteArray(begin, end - begin);
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

QByteArray Unquoted(const QByteArray &value)
{
    if (value.size() >= 2) {
        const char first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

const std::vector<TiniFile::Tentry> kNoEntries;

}  // namespace

bool IniNamesEqual(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

TiniFile::TiniFile(const QByteArray &text)
{
    const char *pos = text.constData();
    const char *const end = pos + text.size();
    // Lines before the first section header belong to no section and cannot be read.
    Tsection *current = nullptr;
    while (pos < end) {
        const char *lineEnd = static_cast<const char *>(memchr(pos, '\n', size_t(end - pos)));
        if (!lineEnd)
            lineEnd = end;
        const char *lineBegin = pos;
        pos = lineEnd < end ? lineEnd + 1 : end;

        while (lineBegin < lineEnd && IsBlank(*lineBegin))
            ++lineBegin;
        if (lineBegin == lineEnd || *lineBegin == ';')
            continue;

        if (*lineBegin == '[') {
            const char *close = static_cast<const char *>(
                memchr(lineBegin + 1, ']', size_t(lineEnd - lineBegin - 1)));
            const QByteArray name = TrimBlanks(lineBegin + 1, close ? close : lineEnd);
            current = nullptr;
            // Only the first section of a name is ever answered, so later ones are not kept.
            if (!FindSection(name)) {
                m_sections.push_back({name, {}});
                current = &m_sections.back();
            }
            continue;
        }

        if (!current)
            continue;
        const char *equals = static_cast<const char *>(memchr(lineBegin, '=', size_t(lineEnd - lineBegin)));
        if (!equals)
            continue;
        QByteArray key = TrimBlanks(lineBegin, equals);
        if (key.isEmpty())
            continue;
        current->Entries.push_back({std::move(key), Unquoted(TrimBlanks(equals + 1, lineEnd))});
    }
}

TiniFile TiniFile::FromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return TiniFile();
    return TiniFile(file.read(MaxFileBytes));
}

const TiniFile::Tsection *TiniFile::FindSection(const QByteArray &section) const
{
    for (const Tsection &candidate : m_sections) {
        if (IniNamesEqual(candidate.Name, section))
            return &candidate;
    }
    return nullptr;
}

QByteArray TiniFile::ReadString(const QByteArray &section, const QByteArray &key,
                                const QByteArray &defaultValue) const
{
    if (const Tsection *found = FindSection(section)) {
        for (const Tentry &entry : found->Entries) {
            if (IniNamesEqual(entry.Key, key))
                return entry.Value;
        }
    }
    return defaultValue;
}

const std::vector<TiniFile::Tentry> &TiniFile::SectionEntries(const QByteArray &section) const
{
    const Tsection *found = FindSection(section);
    return found ? found->Entries : kNoEntries;
}

bool TiniFile::SectionExists(const QByteArray &section) const
{
    return FindSection(section) != nullptr;
}
