#include "win32/program_icon.h"

#include "win32/resources/resource_ids.h"

namespace win32 {

// Falls back to the system's application icon in a program built without the
// resources (the tests).
HICON programIcon(bool small) {
    int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KALO_DC), IMAGE_ICON,
                             size, size, LR_DEFAULTCOLOR | LR_SHARED);
    if (icon) return static_cast<HICON>(icon);
    return LoadIconW(nullptr, MAKEINTRESOURCEW(32512)); // IDI_APPLICATION
}

} // namespace win32
