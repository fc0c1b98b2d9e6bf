#pragma once
// A BIFF8 record stream under construction: records of a type and a body of at most 8224 bytes,
// little-endian fields, the format's Unicode strings, and the shared string table, which is split
// over CONTINUE records the way the format requires (a string's characters may run on into the
// next record, which then repeats the string's option byte).
#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstdint>
#include <vector>

inline constexpr int BiffMaxRecordBody = 8224;

class TbiffStream {
public:
    QByteArray Data;

    qint64 Position() const { return Data.size(); }

    // Starts a record; the body follows through the Add functions; End writes its length.
    void Begin(std::uint16_t type)
    {
        m_recordStart = Data.size();
        Add16(type);
        Add16(0);
    }
    void End();
    // A whole record at once.
    void Record(std::uint16_t type, const QByteArray &body);

    void Add8(std::uint8_t value) { Data.append(char(value)); }
    void Add16(std::uint16_t value)
    {
        char bytes[2];
        qToLittleEndian(value, bytes);
        Data.append(bytes, 2);
    }
    void Add32(std::uint32_t value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        Data.append(bytes, 4);
    }
    void AddDouble(double value);
    void AddZeros(int count) { Data.append(count, '\0'); }
    // A string with an 8-bit length (sheet, font and name texts) or a 16-bit one.
    void AddShortString(const QString &text);
    void AddLongString(const QString &text);
    // Option byte and characters, no length (built-in name texts).
    void AddStringBody(const QString &text);

    void Patch32(qint64 at, std::uint32_t value) { qToLittleEndian(value, Data.data() + at); }

    // SST: totalReferences cells refer to the strings; CONTINUE records follow where needed.
    void AddSharedStrings(const std::vector<QString> &strings, std::uint32_t totalReferences);

private:
    qint64 m_recordStart = -1;
};

// True when every character fits in one byte, so the string can be stored compressed.
bool BiffCompressible(const QString &text);
