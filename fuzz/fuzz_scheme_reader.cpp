// Feeds arbitrary bytes to the scheme file reader and, when they make a scheme, checks that the
// raster is sound and survives being written and read again unchanged. Reader errors are the
// expected answer to most inputs; a crash, a hang or a broken round trip is a fault.
#include "common/KanvoError.h"
#include "document/serializableSheme.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TserializableBitmap scheme;
    std::unique_ptr<TindexBitmap> bitmap;
    try {
        ReadSchemeXml(scheme, bytes);
        bitmap = scheme.ToIndexBitmap();
    } catch (const EKanvoError &) {
        return 0;
    }

    Check(bitmap->Indices.size() == std::size_t(bitmap->Width) * std::size_t(bitmap->Height));
    for (const std::int32_t index : bitmap->Indices)
        Check(index >= 0 && index < bitmap->ColorCount());

    const TserializableBitmap copied = TserializableBitmap::CreateFromBitmap(*bitmap, scheme.FontName, scheme.DMCPalette);
    QByteArray written;
    try {
        written = SchemeXmlText(copied);
    } catch (const EKanvoError &) {
        // The writer may refuse only a string that could not be read back.
        bool unwritable = !IsWritableSchemeString(copied.FontName) || !IsWritableSchemeString(copied.DMCPalette) ||
                          !IsWritableSchemeString(copied.Pixels);
        for (const TserializableColor &color : copied.Colors)
            unwritable = unwritable || !IsWritableSchemeString(color.Name);
        Check(unwritable);
        return 0;
    }
    TserializableBitmap again;
    ReadSchemeXml(again, written);  // a throw here escapes and is reported as a fault
    const std::unique_ptr<TindexBitmap> copy = again.ToIndexBitmap();
    Check(again.FontName == scheme.FontName && again.DMCPalette == scheme.DMCPalette);
    Check(copy->Width == bitmap->Width && copy->Height == bitmap->Height && copy->Indices == bitmap->Indices);
    Check(copy->ColorCount() == bitmap->ColorCount());
    for (std::int32_t i = 0; i < bitmap->ColorCount(); ++i) {
        const TcountColor &a = bitmap->GetColor(i);
        const TcountColor &b = copy->GetColor(i);
        Check(a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue && a.Count == b.Count &&
              a.Symbol == b.Symbol && a.Thread == b.Thread);
    }
    return 0;
}
