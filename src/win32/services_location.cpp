// Where the program runs from, and the screen it runs on.
#include "win32/services.h"

#include <shlobj.h>

namespace win32 {
namespace {

// The running executable's full path; the buffer grows for long paths.
std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

// The folder of `path`, keeping the separator only at a drive root ("C:\").
std::wstring folderOf(const std::wstring& path) {
    std::size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return {};
    std::wstring folder = path.substr(0, cut);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring nameWithoutExtension(const std::wstring& path) {
    std::size_t cut = path.find_last_of(L"\\/");
    std::wstring name = cut == std::wstring::npos ? path : path.substr(cut + 1);
    std::size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring localAppData() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

double twipsPerPixel(HDC screen, int axis) {
    int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

} // namespace

platform::ProgramLocation programLocation() {
    std::wstring path = modulePath();
    platform::ProgramLocation where;
    where.folder = narrow(folderOf(path));
    where.executableName = narrow(nameWithoutExtension(path));
    where.userDataFolder = narrow(localAppData() + L"\\KALO DC");
    where.separator = '\\';
    return where;
}

platform::ScreenMetrics screenMetrics() {
    platform::ScreenMetrics metrics;
    metrics.widthPixels = GetSystemMetrics(SM_CXSCREEN);
    metrics.heightPixels = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    metrics.twipsPerPixelX = twipsPerPixel(screen, LOGPIXELSX);
    metrics.twipsPerPixelY = twipsPerPixel(screen, LOGPIXELSY);
    if (screen) ReleaseDC(nullptr, screen);
    return metrics;
}

} // namespace win32
