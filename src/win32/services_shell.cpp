// Opening an address with the shell's default action.
#include "win32/services.h"

#include <shellapi.h>

namespace win32 {

std::intptr_t shellOpen(const std::string& address) {
    auto ansi = Win32CodePage{}.toAnsi(address);
    if (!ansi) return SE_ERR_FNF; // a name the code page cannot hold names no file
    HINSTANCE result =
        ShellExecuteA(nullptr, nullptr, ansi->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result);
}

} // namespace win32
