#include "settings/registry_procs.h"

#include <algorithm>
#include <cstring>

namespace settings {
namespace {

std::string dwordText(const std::string& data) {
    std::uint32_t raw = 0;
    std::memcpy(&raw, data.data(), std::min<std::size_t>(data.size(), 4));
    return std::to_string(std::int32_t(raw));
}

// The text a value of `type` reads as, cut before its first zero character.
std::string valueText(std::uint32_t type, const std::string& data, const platform::CodePage& cp) {
    if (type == platform::REG_DWORD_T) return dwordText(data);
    if (type != platform::REG_SZ_T && type != platform::REG_EXPAND_SZ_T) return {};
    std::string text = cp.fromAnsi(data);
    return text.substr(0, text.find('\0'));
}

// REG_SZ data as the registry documents it: the code page text with its terminating
// zero, so that every reader sees the whole text. Readers cut at the first zero, so
// texts stored without one read the same.
std::optional<std::string> textData(const platform::CodePage& cp, const std::string& text) {
    auto bytes = cp.toAnsi(text);
    if (bytes) bytes->push_back('\0');
    return bytes;
}

std::string appSettingsKey(const std::string& application, const std::string& section) {
    return APP_SETTINGS_KEY + application + "\\" + section;
}

} // namespace

bool RegistryProcedures::WriteRegistryString(std::uint32_t root, const std::string& subKey,
                                             const std::string& name, const std::string& data) {
    auto& reg = os_.registry();
    auto key = reg.createKey(root, subKey);
    if (!key) return false;
    auto bytes = textData(os_.codePage(), data.empty() ? " " : data);
    bool stored = bytes && reg.setString(*key, name, *bytes);
    reg.closeKey(*key);
    return stored;
}

std::string RegistryProcedures::ReadRegistryValue(std::uint32_t root, const std::string& subKey,
                                                  const std::string& name) {
    auto& reg = os_.registry();
    auto key = reg.openKey(root, subKey);
    if (!key) return {};
    std::uint32_t type = platform::REG_NONE_T;
    std::string data;
    std::string text;
    if (reg.query(*key, name, READ_BUFFER_BYTES, type, data))
        text = valueText(type, data, os_.codePage());
    reg.closeKey(*key);
    return text;
}

bool RegistryProcedures::DeleteRegistryValue(std::uint32_t root, const std::string& subKey,
                                             const std::string& name) {
    auto& reg = os_.registry();
    auto key = reg.openKey(root, subKey);
    if (!key) return false;
    bool removed = reg.deleteValue(*key, name);
    reg.closeKey(*key);
    return removed;
}

void RegistryProcedures::writeProgramValue(const std::string& name, const std::string& data) {
    WriteRegistryString(platform::HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, name, data);
}

std::string RegistryProcedures::readProgramValue(const std::string& name) {
    return ReadRegistryValue(platform::HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, name);
}

void RegistryProcedures::ZeroSnowSettings() {
    for (const auto& name : SNOW_SLIDERS)
        writeProgramValue(name, "0");
}

void AppSettings::Save(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& text) {
    auto& reg = os_.registry();
    auto handle =
        reg.createKey(platform::HKEY_CURRENT_USER_ROOT, appSettingsKey(application, section));
    if (!handle) return;
    if (auto bytes = textData(os_.codePage(), text)) reg.setString(*handle, key, *bytes);
    reg.closeKey(*handle);
}

std::string AppSettings::Get(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& defaultText) {
    auto& reg = os_.registry();
    auto handle =
        reg.openKey(platform::HKEY_CURRENT_USER_ROOT, appSettingsKey(application, section));
    if (!handle) return defaultText;
    std::uint32_t type = platform::REG_NONE_T;
    std::string data;
    bool found = reg.query(*handle, key, 64 * 1024, type, data);
    reg.closeKey(*handle);
    if (!found) return defaultText;
    return valueText(type, data, os_.codePage());
}

} // namespace settings
