// Message boxes and the file-open dialog.
#include "win32/services.h"

#include <commdlg.h>

namespace win32 {
namespace {

// "Name|patterns|Name|patterns" as the dialog wants it: zero-separated, two zeros at the end.
std::wstring dialogFilter(const std::string& filter) {
    std::wstring wide = widen(filter);
    for (wchar_t& c : wide)
        if (c == L'|') c = L'\0';
    wide.push_back(L'\0');
    wide.push_back(L'\0');
    return wide;
}

bool isFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Where the dialog opens: a folder as it stands, a file as its folder with its name typed in.
struct InitialLocation {
    std::wstring folder, fileName;
};

InitialLocation initialLocation(const std::string& location) {
    std::wstring path = widen(location);
    if (path.empty() || isFolder(path)) return {path, {}};
    std::size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return {{}, path};
    std::wstring folder = path.substr(0, cut);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return {folder, path.substr(cut + 1)};
}

constexpr std::size_t FILE_BUFFER_CHARS = 32768;

} // namespace

void messageBox(HWND owner, const std::string& text, const std::string& title, int style) {
    MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), MB_OK | UINT(style));
}

// A failure with an error code is the dialog refusing the request; without one, a cancel.
std::optional<std::string> openFileDialog(HWND owner,
                                          const platform::Platform::OpenFileRequest& request) {
    std::wstring title = widen(request.title);
    std::wstring filter = dialogFilter(request.filter);
    InitialLocation start = initialLocation(request.initialLocation);
    std::wstring file(FILE_BUFFER_CHARS, L'\0');
    start.fileName.copy(file.data(), FILE_BUFFER_CHARS - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(FILE_BUFFER_CHARS);
    dialog.lpstrInitialDir = start.folder.empty() ? nullptr : start.folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = DWORD(request.flags);
    if (!GetOpenFileNameW(&dialog))
        return CommDlgExtendedError() == 0 ? std::optional<std::string>("") : std::nullopt;
    return narrow(file.substr(0, file.find(L'\0')));
}

} // namespace win32
