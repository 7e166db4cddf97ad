// The single-instance test: a named mutex in the session namespace, held for the life
// of the process.
#include "win32/services.h"

namespace win32 {

bool claimInstanceMutex(const std::wstring& name) {
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    bool taken = GetLastError() == ERROR_ALREADY_EXISTS;
    (void)mutex; // kept open on purpose: the name lives while this process does
    return taken;
}

bool previousInstanceRunning() {
    static const bool running = claimInstanceMutex(L"Local\\KALO DC single instance");
    return running;
}

} // namespace win32
