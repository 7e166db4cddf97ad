// Whole-file reads and atomic replacement with the wide file calls, so that any
// UTF-8 path works whatever the ANSI code page.
#include "platform/file_in_memory.h"
#include "win32/services.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

namespace win32 {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

// Reads let other programs go on reading, writing and deleting the file (an editor or a
// backup tool holding it open); writes to the program's own temporary files share reads.
FileHandle openFile(const std::wstring& path, DWORD access, DWORD creation, DWORD flags = 0) {
    const DWORD sharing = access == GENERIC_READ
                              ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                              : FILE_SHARE_READ;
    HANDLE handle = CreateFileW(path.c_str(), access, sharing, nullptr, creation,
                                FILE_ATTRIBUTE_NORMAL | flags, nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool writeAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool readAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) return false;
    bytes.assign(std::size_t(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

bool isFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

} // namespace

std::optional<std::string> Win32Files::read(const std::string& path) {
    FileHandle file = openFile(widen(path), GENERIC_READ, OPEN_EXISTING);
    std::string bytes;
    if (!file || !readAll(file.get(), bytes)) return std::nullopt;
    return bytes;
}

bool Win32Files::exists(const std::string& path) {
    return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::writeAtomically(const std::string& path, const PieceSource& pieces,
                                 platform::Durability durability) {
    Win32FileSteps steps;
    return platform::replaceThroughTemporary(steps, path, pieces, durability);
}

// A picture's rows lie in this memory only until the change is done.
std::unique_ptr<platform::FileInPlace> Win32Files::makeInPlace(const std::string& path,
                                                               std::size_t size) {
    if (size == 0) return nullptr;
    try {
        return std::make_unique<platform::FileInMemory>(*this, path, size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

Win32FileSteps::~Win32FileSteps() {
    if (file_) CloseHandle(file_);
}

bool Win32FileSteps::create(const std::string& temporary, const std::string&) {
    file_ = openFile(widen(temporary), GENERIC_WRITE, CREATE_ALWAYS).release();
    return file_ != nullptr;
}

bool Win32FileSteps::write(const std::string& bytes) {
    return writeAll(file_, bytes);
}

bool Win32FileSteps::flush() {
    return FlushFileBuffers(file_);
}

bool Win32FileSteps::close() {
    return CloseHandle(std::exchange(file_, nullptr));
}

bool Win32FileSteps::rename(const std::string& temporary, const std::string& target) {
    return MoveFileExW(widen(temporary).c_str(), widen(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool Win32FileSteps::remove(const std::string& temporary) {
    return DeleteFileW(widen(temporary).c_str());
}

bool Win32Files::folderWritable(const std::string& folder) {
    std::wstring probe = widen(folder);
    if (!probe.empty() && !isSeparator(probe.back())) probe += L'\\';
    probe += L"~kalo-write-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    if (!openFile(probe, GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY)) return false;
    return DeleteFileW(probe.c_str());
}

bool Win32Files::ensureFolder(const std::string& folder) {
    std::wstring path = widen(folder);
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && !isSeparator(path[i])) continue;
        std::wstring prefix = path.substr(0, i);
        if (prefix.back() != L':' && !isFolder(prefix)) CreateDirectoryW(prefix.c_str(), nullptr);
    }
    return isFolder(path);
}

std::optional<std::string> Win32Files::shortPath(const std::string& path) {
    std::wstring wide = widen(path);
    DWORD length = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring shortened(length, L'\0');
    length = GetShortPathNameW(wide.c_str(), shortened.data(), length);
    if (length == 0 || length >= shortened.size()) return std::nullopt;
    shortened.resize(length);
    if (shortened == wide) return std::nullopt;
    return narrow(shortened);
}

} // namespace win32
