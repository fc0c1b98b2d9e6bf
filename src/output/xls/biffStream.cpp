#include "output/xls/biffStream.h"

#include "common/KanvoError.h"

#include <cstring>

namespace {

constexpr std::uint16_t RecordSst = 0x00FC;
constexpr std::uint16_t RecordContinue = 0x003C;

} // namespace

bool BiffCompressible(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

void TbiffStream::End()
{
    const qint64 length = Data.size() - m_recordStart - 4;
    if (length > BiffMaxRecordBody)
        throw EKanvoError(QStringLiteral("Internal error: a workbook record is too long"));
    qToLittleEndian(std::uint16_t(length), Data.data() + m_recordStart + 2);
    m_recordStart = -1;
}

void TbiffStream::Record(std::uint16_t type, const QByteArray &body)
{
    Begin(type);
    Data.append(body);
    End();
}

void TbiffStream::AddDouble(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    qToLittleEndian(bits, bytes);
    Data.append(bytes, 8);
}

void TbiffStream::AddStringBody(const QString &text)
{
    if (BiffCompressible(text)) {
        Add8(0);
        for (const QChar c : text)
            Add8(std::uint8_t(c.unicode()));
    } else {
        Add8(1);
        for (const QChar c : text)
            Add16(c.unicode());
    }
}

void TbiffStream::AddShortString(const QString &text)
{
    const QString cut = text.left(255);
    Add8(std::uint8_t(cut.size()));
    AddStringBody(cut);
}

void TbiffStream::AddLongString(const QString &text)
{
    const QString cut = text.left(0xFFFF);
    Add16(std::uint16_t(cut.size()));
    AddStringBody(cut);
}

void TbiffStream::AddSharedStrings(const std::vector<QString> &strings, std::uint32_t totalReferences)
{
    Begin(RecordSst);
    Add32(totalReferences);
    Add32(std::uint32_t(strings.size()));
    auto space = [this] { return BiffMaxRecordBody - int(Data.size() - m_recordStart - 4); };
    auto nextRecord = [this] {
        End();
        Begin(RecordContinue);
    };
    for (const QString &full : strings) {
        const QString text = full.left(0xFFFF);
        const bool compressed = BiffCompressible(text);
        const int charSize = compressed ? 1 : 2;
        // The length and option byte never split, and take at least one character with them.
        if (space() < 3 + charSize)
            nextRecord();
        Add16(std::uint16_t(text.size()));
        Add8(compressed ? 0 : 1);
        int done = 0;
        while (done < text.size()) {
            int fit = space() / charSize;
            if (fit == 0) {
                nextRecord();
                Add8(compressed ? 0 : 1);
                fit = space() / charSize;
            }
            const int count = std::min<int>(fit, int(text.size()) - done);
            for (int i = done; i < done + count; ++i) {
                if (compressed)
                    Add8(std::uint8_t(text.at(i).unicode()));
                else
                    Add16(text.at(i).unicode());
            }
            done += count;
        }
    }
    End();
}
