// UTF-8 <-> UTF-16 for the wide Windows calls, and the system's ANSI code page for the
// bytes that go into the registry, the list file and the "A" calls.
#include "win32/services.h"

#include <type_traits>

namespace win32 {
namespace {

// Text of ASCII characters only: the same in UTF-8, UTF-16 and every ANSI code page, so it
// is copied without a call (a long list file is mostly such text).
template <typename Text> bool isAscii(const Text& text) {
    for (auto c : text)
        if (std::make_unsigned_t<typename Text::value_type>(c) >= 0x80) return false;
    return true;
}

std::wstring toWide(UINT codePage, const std::string& bytes) {
    if (isAscii(bytes)) return std::wstring(bytes.begin(), bytes.end());
    int length = MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(std::size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), wide.data(), length);
    return wide;
}

// Bytes of `wide` in `codePage`; `lost` tells whether a character had no representation.
std::string toBytes(UINT codePage, const std::wstring& wide, bool* lost) {
    if (lost) *lost = false;
    if (isAscii(wide)) return std::string(wide.begin(), wide.end());
    bool exact = codePage != CP_UTF8 && lost;
    DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL* used = exact ? &usedDefault : nullptr;
    int length = WideCharToMultiByte(codePage, flags, wide.data(), int(wide.size()), nullptr, 0,
                                     nullptr, used);
    std::string bytes(std::size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, flags, wide.data(), int(wide.size()), bytes.data(), length,
                            nullptr, used);
    if (lost) *lost = usedDefault || length <= 0;
    return bytes;
}

} // namespace

std::wstring widen(const std::string& utf8) {
    return toWide(CP_UTF8, utf8);
}

std::string narrow(const std::wstring& wide) {
    return toBytes(CP_UTF8, wide, nullptr);
}

std::optional<std::string> Win32CodePage::toAnsi(const std::string& utf8) const {
    if (isAscii(utf8)) return utf8;
    std::wstring wide = widen(utf8);
    if (wide.find(L'\xFFFD') != std::wstring::npos) return std::nullopt; // not valid UTF-8
    bool lost = false;
    std::string ansi = toBytes(GetACP(), wide, &lost);
    if (lost && !wide.empty()) return std::nullopt;
    return ansi;
}

std::string Win32CodePage::fromAnsi(const std::string& ansi) const {
    if (isAscii(ansi)) return ansi;
    return narrow(toWide(GetACP(), ansi));
}

char Win32CodePage::decimalSeparator() const {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 0) return '.';
    return separator[0] > 0 && separator[0] < 0x80 ? char(separator[0]) : '.';
}

} // namespace win32
