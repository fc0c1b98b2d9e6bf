// Reads arbitrary bytes as a kit file's profile text and parses every thread colour in it, then
// parses the bytes themselves split at the first "=" into a code and a value. A malformed number
// is answered with its message; every colour that parses must come out clamped to 0..255.
#include "common/KanvoError.h"
#include "kits/iniFile.h"
#include "kits/threadKits.h"

#include <cstdint>
#include <cstdlib>

namespace {

void ParseAndCheck(const QByteArray &code, const QByteArray &value)
{
    try {
        const TrgbColor color = ParseThreadColor(code, value);
        for (const std::int32_t channel : {color.Red, color.Green, color.Blue}) {
            if (channel < 0 || channel > 255)
                std::abort();
        }
        if (color.Thread != code)
            std::abort();
    } catch (const EKanvoError &) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const TiniFile ini(bytes);
    const std::vector<TiniFile::Tentry> &entries = ini.SectionEntries("THREAD_COLORS");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ParseAndCheck(entries[i].Key, entries[i].Value);
        // A look-up by key answers with the first line of that key, in any case.
        std::size_t first = 0;
        while (!IniNamesEqual(entries[first].Key, entries[i].Key))
            ++first;
        if (ini.ReadString("thread_colors", entries[i].Key.toUpper()) != entries[first].Value)
            std::abort();
    }
    (void)ini.ReadString("GENERAL", "NAME");

    const qsizetype equals = bytes.indexOf('=');
    if (equals >= 0)
        ParseAndCheck(bytes.left(equals), bytes.mid(equals + 1));
    else
        ParseAndCheck(QByteArray(), bytes);
    return 0;
}
