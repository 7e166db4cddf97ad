#include "settings/memory_registry.h"

#include <cctype>

namespace settings {

std::string MemoryRegistry::foldCase(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string MemoryRegistry::trimmedPath(std::string subKey) {
    while (!subKey.empty() && subKey.back() == '\\')
        subKey.pop_back();
    return subKey;
}

std::optional<platform::KeyHandle> MemoryRegistry::createKey(std::uint32_t root,
                                                             const std::string& subKey) {
    if (root != platform::HKEY_CURRENT_USER_ROOT) return std::nullopt;
    refresh();
    std::string path = trimmedPath(subKey), folded = foldCase(path);
    if (!keys_.count(folded)) {
        keys_[folded].path = path;
        if (!persist()) return keys_.erase(folded), std::nullopt;
    }
    open_[next_] = folded;
    return next_++;
}

std::optional<platform::KeyHandle> MemoryRegistry::openKey(std::uint32_t root,
                                                           const std::string& subKey) {
    if (root != platform::HKEY_CURRENT_USER_ROOT) return std::nullopt;
    refresh();
    std::string folded = foldCase(trimmedPath(subKey));
    if (!keys_.count(folded)) return std::nullopt;
    open_[next_] = folded;
    return next_++;
}

// Applies an edit to the key behind an open handle and keeps it, or undoes it.
bool MemoryRegistry::change(platform::KeyHandle key, const std::function<bool(Key&)>& edit) {
    auto handle = open_.find(key);
    if (handle == open_.end() || !keys_.count(handle->second)) return false;
    Key& target = keys_[handle->second];
    Key before = target;
    if (!edit(target)) return false;
    if (persist()) return true;
    keys_[handle->second] = std::move(before);
    return false;
}

bool MemoryRegistry::setString(platform::KeyHandle key, const std::string& name,
                               const std::string& bytes) {
    return change(key, [&](Key& k) {
        auto& slot = k.values[foldCase(name)];
        if (slot.name.empty()) slot.name = name;
        slot.value = Value{platform::REG_SZ_T, bytes};
        return true;
    });
}

bool MemoryRegistry::deleteValue(platform::KeyHandle key, const std::string& name) {
    return change(key, [&](Key& k) { return k.values.erase(foldCase(name)) == 1; });
}

bool MemoryRegistry::query(platform::KeyHandle key, const std::string& name, std::size_t bufferSize,
                           std::uint32_t& type, std::string& data) {
    auto handle = open_.find(key);
    if (handle == open_.end()) return false;
    auto found = keys_.find(handle->second);
    if (found == keys_.end()) return false;
    auto value = found->second.values.find(foldCase(name));
    if (value == found->second.values.end() || value->second.value.data.size() > bufferSize)
        return false;
    type = value->second.value.type;
    data = value->second.value.data;
    return true;
}

void MemoryRegistry::closeKey(platform::KeyHandle key) {
    open_.erase(key);
}

void MemoryRegistry::put(const std::string& subKey, const std::string& name, Value value) {
    std::string path = trimmedPath(subKey);
    Key& key = keys_[foldCase(path)];
    if (key.path.empty()) key.path = path;
    auto& slot = key.values[foldCase(name)];
    if (slot.name.empty()) slot.name = name;
    slot.value = std::move(value);
}

std::optional<MemoryRegistry::Value> MemoryRegistry::get(const std::string& subKey,
                                                         const std::string& name) const {
    auto key = keys_.find(foldCase(trimmedPath(subKey)));
    if (key == keys_.end()) return std::nullopt;
    auto value = key->second.values.find(foldCase(name));
    if (value == key->second.values.end()) return std::nullopt;
    return value->second.value;
}

std::optional<std::string> MemoryRegistry::text(const std::string& subKey,
                                                const std::string& name) const {
    auto value = get(subKey, name);
    if (!value || value->type != platform::REG_SZ_T) return std::nullopt;
    return value->data.substr(0, value->data.find('\0'));
}

} // namespace settings
