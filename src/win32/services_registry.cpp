// The raw registry calls of advapi32, with key and value names in the ANSI code page.
#include "win32/services.h"

#include <algorithm>

namespace win32 {
namespace {

// Roots are 32-bit numbers that Windows sign-extends into a handle.
HKEY rootHandle(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

HKEY keyHandle(platform::KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

std::optional<std::string> ansiName(const std::string& utf8) {
    return Win32CodePage{}.toAnsi(utf8);
}

} // namespace

std::optional<platform::KeyHandle> Win32Registry::createKey(std::uint32_t root,
                                                            const std::string& subKey) {
    auto name = ansiName(subKey);
    if (!name) return std::nullopt;
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(rootHandle(root), name->c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return reinterpret_cast<platform::KeyHandle>(key);
}

std::optional<platform::KeyHandle> Win32Registry::openKey(std::uint32_t root,
                                                          const std::string& subKey) {
    auto name = ansiName(subKey);
    if (!name) return std::nullopt;
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootHandle(root), name->c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return std::nullopt;
    return reinterpret_cast<platform::KeyHandle>(key);
}

bool Win32Registry::setString(platform::KeyHandle key, const std::string& name,
                              const std::string& bytes) {
    auto valueName = ansiName(name);
    if (!valueName) return false;
    LONG status = RegSetValueExA(keyHandle(key), valueName->c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size()));
    return status == ERROR_SUCCESS;
}

bool Win32Registry::query(platform::KeyHandle key, const std::string& name, std::size_t bufferSize,
                          std::uint32_t& type, std::string& data) {
    auto valueName = ansiName(name);
    if (!valueName) return false;
    std::string buffer(bufferSize, '\0');
    DWORD size = DWORD(bufferSize);
    DWORD valueType = REG_NONE;
    LONG status = RegQueryValueExA(keyHandle(key), valueName->c_str(), nullptr, &valueType,
                                   reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status != ERROR_SUCCESS) return false;
    type = valueType;
    data = buffer.substr(0, std::min<std::size_t>(size, bufferSize));
    return true;
}

bool Win32Registry::deleteValue(platform::KeyHandle key, const std::string& name) {
    auto valueName = ansiName(name);
    return valueName && RegDeleteValueA(keyHandle(key), valueName->c_str()) == ERROR_SUCCESS;
}

void Win32Registry::closeKey(platform::KeyHandle key) {
    RegCloseKey(keyHandle(key));
}

} // namespace win32
