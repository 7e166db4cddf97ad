// The stored-text conversions on any text: a number is finite, rounding lands on the
// nearest whole number, and a text either converts or throws the conversion's own error;
// a text the program stores reads back as it was written.
#include "settings/conversions.h"
#include "settings/registry_procs.h"
#include "support/fake_platform.h"

#include <cmath>
#include <cstdlib>

namespace {

void checkNumber(const std::string& text, char separator) {
    auto number = settings::parseNumber(text, separator);
    if (number && !std::isfinite(*number)) std::abort();
    try {
        double value = settings::toDouble(text, separator);
        if (!number || value != *number) std::abort();
        std::int32_t whole = settings::toInt32(text, separator);
        if (std::fabs(double(whole) - value) > 0.5) std::abort();
    } catch (const settings::ConversionError&) {
        if (number) std::abort();
    } catch (const settings::OverflowError&) {
        if (!number || std::fabs(*number) < 2147483647.0) std::abort();
    }
    try {
        settings::toTruth(text, separator);
    } catch (const settings::ConversionError&) {
    }
}

void checkStoredText(const std::string& text) {
    fake::FakePlatform os(""); // the registry only: no file is touched
    settings::RegistryProcedures registry(os);
    registry.writeProgramValue("c1", text);
    std::string read = registry.readProgramValue("C1");
    auto ansi = os.cp.toAnsi(text); // a text that is well-formed UTF-8 comes back as it went
    bool plain = ansi && os.cp.fromAnsi(*ansi) == text && text.find('\0') == std::string::npos &&
                 !text.empty() && ansi->size() < settings::READ_BUFFER_BYTES;
    if (plain && read != text) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    checkNumber(text, data[0] & 1 ? ',' : '.');
    checkStoredText(text);
    return 0;
}
