#pragma once
// TiniFile reads a text of INI form the way Windows profile files are read: "[section]" headers,
// key=value lines, section names and keys compared without regard to (ASCII) case, blanks around
// section names, keys and values dropped, a value enclosed in matching single or double quotes
// handed back without them. Values stay 8-bit bytes. A key listed twice in a section answers with
// its first line's value, and a section name listed twice is answered from its first occurrence.
// Lines that are blank, start with ";" or hold no "=" carry no key. Any byte sequence is accepted;
// nothing in the text is an error.
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

class TiniFile {
public:
    struct Tentry {
        QByteArray Key;
        QByteArray Value;
    };

    TiniFile() = default;
    explicit TiniFile(const QByteArray &text);
    // A file that is missing or cannot be read gives an empty profile, like a missing section.
    static TiniFile FromFile(const QString &fileName);

    // The value of the first line of Key in Section, or Default when there is none.
    QByteArray ReadString(const QByteArray &section, const QByteArray &key,
                          const QByteArray &defaultValue = {}) const;
    // Every key line of Section in file order, duplicates included; empty when it is missing.
    const std::vector<Tentry> &SectionEntries(const QByteArray &section) const;
    bool SectionExists(const QByteArray &section) const;

    // Kit files are a few kilobytes; anything beyond this is not read, so that pointing the
    // reader at some huge file cannot exhaust memory.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

private:
    struct Tsection {
        QByteArray Name;
        std::vector<Tentry> Entries;
    };
    const Tsection *FindSection(const QByteArray &section) const;

    std::vector<Tsection> m_sections;
};

// ASCII case-insensitive equality, as profile names and keys are compared.
bool IniNamesEqual(const QByteArray &a, const QByteArray &b);
