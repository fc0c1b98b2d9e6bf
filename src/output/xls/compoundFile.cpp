#include "output/xls/compoundFile.h"

#include "common/KanvoError.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t SectorSize = 512;
constexpr std::uint32_t EntriesPerSector = SectorSize / 4;
constexpr std::uint32_t HeaderFatSlots = 109;
constexpr std::uint32_t FreeSector = 0xFFFFFFFF;
constexpr std::uint32_t EndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t FatSector = 0xFFFFFFFD;
constexpr std::uint32_t DifatSector = 0xFFFFFFFC;
constexpr std::uint32_t NoStream = 0xFFFFFFFF;
constexpr std::uint32_t SmallStreamLimit = 4096;

void Put16(QByteArray &bytes, int at, std::uint16_t value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void Put32(QByteArray &bytes, int at, std::uint32_t value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void Write(QIODevice &device, const char *data, qint64 size)
{
    if (device.write(data, size) != size)
        throw EKanvoError(device.errorString());
}

void Write(QIODevice &device, const QByteArray &bytes)
{
    Write(device, bytes.constData(), bytes.size());
}

// One 128-byte directory entry. type: 1 storage, 2 stream, 5 root.
QByteArray DirectoryEntry(const QString &name, std::uint8_t type, std::uint32_t child,
                          std::uint32_t start, std::uint32_t size)
{
    QByteArray entry(128, '\0');
    const int chars = int(name.size());
    for (int i = 0; i < chars; ++i)
        Put16(entry, 2 * i, name.at(i).unicode());
    Put16(entry, 64, std::uint16_t(2 * (chars + 1)));
    entry[66] = char(type);
    entry[67] = 1;  // black in the directory's red-black tree
    Put32(entry, 68, NoStream);
    Put32(entry, 72, NoStream);
    Put32(entry, 76, child);
    Put32(entry, 116, start);
    Put32(entry, 120, size);
    return entry;
}

} // namespace

void WriteCompoundFile(QIODevice &device, const QString &streamName, const QByteArray &stream)
{
    if (streamName.isEmpty() || streamName.size() > 31)
        throw EKanvoError(QStringLiteral("Invalid stream name \"%1\"").arg(streamName));
    const std::uint32_t streamBytes = std::uint32_t(stream.size());
    if (streamBytes < SmallStreamLimit)
        throw EKanvoError(QStringLiteral("The stream must be padded to %1 bytes").arg(SmallStreamLimit));

    // Layout: stream sectors, one directory sector, allocation table sectors, index sectors.
    const std::uint32_t streamSectors = (streamBytes + SectorSize - 1) / SectorSize;
    const std::uint32_t directorySectors = 1;
    std::uint32_t fatSectors = 1, difatSectors = 0;
    for (;;) {
        const std::uint32_t total = streamSectors + directorySectors + fatSectors + difatSectors;
        const std::uint32_t needFat = (total + EntriesPerSector - 1) / EntriesPerSector;
        const std::uint32_t needDifat =
            needFat > HeaderFatSlots ? (needFat - HeaderFatSlots + EntriesPerSector - 2) / (EntriesPerSector - 1) : 0;
        if (needFat == fatSectors && needDifat == difatSectors)
            break;
        fatSectors = std::max(fatSectors, needFat);
        difatSectors = std::max(difatSectors, needDifat);
    }
    const std::uint32_t directoryStart = streamSectors;
    const std::uint32_t fatStart = directoryStart + directorySectors;
    const std::uint32_t difatStart = fatStart + fatSectors;

    std::vector<std::uint32_t> fat(std::size_t(fatSectors) * EntriesPerSector, FreeSector);
    for (std::uint32_t s = 0; s < streamSectors; ++s)
        fat[s] = s + 1 < streamSectors ? s + 1 : EndOfChain;
    fat[directoryStart] = EndOfChain;
    for (std::uint32_t s = 0; s < fatSectors; ++s)
        fat[fatStart + s] = FatSector;
    for (std::uint32_t s = 0; s < difatSectors; ++s)
        fat[difatStart + s] = DifatSector;

    QByteArray header(int(SectorSize), '\0');
    static const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(std::begin(signature), std::end(signature), header.data());
    Put16(header, 24, 0x003E);   // minor version
    Put16(header, 26, 0x0003);   // major version: 512-byte sectors
    Put16(header, 28, 0xFFFE);   // little-endian
    Put16(header, 30, 9);        // sector size 2^9
    Put16(header, 32, 6);        // small sector size 2^6
    Put32(header, 44, fatSectors);
    Put32(header, 48, directoryStart);
    Put32(header, 56, SmallStreamLimit);
    Put32(header, 60, EndOfChain);  // no small-sector table
    Put32(header, 64, 0);
    Put32(header, 68, difatSectors ? difatStart : EndOfChain);
    Put32(header, 72, difatSectors);
    for (std::uint32_t i = 0; i < HeaderFatSlots; ++i)
        Put32(header, int(76 + 4 * i), i < fatSectors ? fatStart + i : FreeSector);
    Write(device, header);

    Write(device, stream);
    const std::uint32_t tail = streamSectors * SectorSize - streamBytes;
    if (tail)
        Write(device, QByteArray(int(tail), '\0'));

    QByteArray directory = DirectoryEntry(QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
    directory += DirectoryEntry(streamName, 2, NoStream, 0, streamBytes);
    directory += QByteArray(int(SectorSize) - directory.size(), '\0');
    for (int i = 2; i < 4; ++i) {  // unused entries still carry "no sibling, no child"
        Put32(directory, 128 * i + 68, NoStream);
        Put32(directory, 128 * i + 72, NoStream);
        Put32(directory, 128 * i + 76, NoStream);
    }
    Write(device, directory);

    QByteArray fatBytes(int(fat.size() * 4), '\0');
    for (std::size_t i = 0; i < fat.size(); ++i)
        Put32(fatBytes, int(4 * i), fat[i]);
    Write(device, fatBytes);

    for (std::uint32_t d = 0; d < difatSectors; ++d) {
        QByteArray sector(int(SectorSize), '\0');
        for (std::uint32_t i = 0; i < EntriesPerSector - 1; ++i) {
            const std::uint32_t fatIndex = HeaderFatSlots + d * (EntriesPerSector - 1) + i;
            Put32(sector, int(4 * i), fatIndex < fatSectors ? fatStart + fatIndex : FreeSector);
        }
        Put32(sector, int(SectorSize - 4), d + 1 < difatSectors ? difatStart + d + 1 : EndOfChain);
        Write(device, sector);
    }
}
