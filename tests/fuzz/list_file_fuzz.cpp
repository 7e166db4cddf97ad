// The list file's reader on any bytes: what it reads is written back, and the written
// file reads as the same entries and is written again byte for byte.
#include "rotation/list_file.h"
#include "support/fake_platform.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fake::FakeCodePage codePage;
    if (data[0] & 1) codePage.undefined = "\x81\x8D\x8F\x90\x9D"; // as a DBCS leaves some bytes
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    rotation::RawRecords raw;
    auto entries = rotation::decodeListFile(bytes, codePage, &raw);
    auto written = rotation::encodeListFile(entries, codePage, raw);
    if (!written) std::abort(); // every entry read came from a record it can go back to
    if (rotation::decodeListFile(*written, codePage) != entries) std::abort();
    if (rotation::encodeListFile(entries, codePage, raw) != written) std::abort();
    return 0;
}
