// Any bytes read as a list file give the strings it holds or a reason to refuse it, never
// both; a list that was read is written back and read again unchanged.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "app/SiteSwapListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::currentInput().assign(reinterpret_cast<const char*>(data), size);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SiteSwapListFile::Parsed parsed = SiteSwapListFile::parse(bytes);
    if (!parsed.ok) {
        FUZZ_CHECK(!parsed.reason.isEmpty(), "refused without a reason");
        FUZZ_CHECK(parsed.strings.isEmpty(), "refused but strings kept");
        return 0;
    }
    FUZZ_CHECK(parsed.reason.isEmpty(), "read with a reason: " + parsed.reason.toStdString());
    const SiteSwapListFile::Parsed again =
        SiteSwapListFile::parse(SiteSwapListFile::serialize(parsed.strings));
    FUZZ_CHECK(again.ok, "written list unreadable: " + again.reason.toStdString());
    FUZZ_CHECK(again.strings == parsed.strings, "written list reads back different");
    return 0;
}
