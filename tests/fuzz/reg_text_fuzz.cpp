// The settings file's reader on any text: what it accepts is written back as a text that
// reads as the same keys and values, and writing that again changes nothing.
#include "settings/reg_text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    settings::RegTextError error{0, ""};
    auto keys = settings::readRegText(text, &error);
    if (!keys) {
        if (error.line < 1 || error.reason.empty()) std::abort(); // a refusal says where, why
        return 0;
    }
    std::string written = settings::writeRegText(*keys);
    auto again = settings::readRegText(written);
    if (!again || *again != *keys) std::abort();
    if (settings::writeRegText(*again) != written) std::abort();
    return 0;
}
