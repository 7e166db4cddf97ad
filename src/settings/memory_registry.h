#pragma once
// The registry's rules over values held in memory: keys under HKEY_CURRENT_USER only,
// key paths and value names matched without regard to case (their first spelling
// kept), typed values, handles that must be open. A store that keeps the values
// somewhere (a file) overrides persist(); a change it cannot keep is undone.
#include "platform/platform.h"

#include <map>
#include <string>

namespace settings {

class MemoryRegistry : public platform::Registry {
  public:
    struct Value {
        std::uint32_t type = platform::REG_SZ_T;
        std::string data;
        bool operator==(const Value&) const = default;
    };
    struct NamedValue {
        std::string name; // as first written
        Value value;
        bool operator==(const NamedValue&) const = default;
    };
    struct Key {
        std::string path;                         // as first created, no trailing '\'
        std::map<std::string, NamedValue> values; // by lower-cased name
        bool operator==(const Key&) const = default;
    };
    using Keys = std::map<std::string, Key>; // by lower-cased path

    std::optional<platform::KeyHandle> createKey(std::uint32_t root,
                                                 const std::string& subKey) override;
    std::optional<platform::KeyHandle> openKey(std::uint32_t root,
                                               const std::string& subKey) override;
    bool setString(platform::KeyHandle key, const std::string& name,
                   const std::string& bytes) override;
    bool query(platform::KeyHandle key, const std::string& name, std::size_t bufferSize,
               std::uint32_t& type, std::string& data) override;
    bool deleteValue(platform::KeyHandle key, const std::string& name) override;
    void closeKey(platform::KeyHandle key) override;

    // Direct access: keys are paths under HKEY_CURRENT_USER.
    void put(const std::string& subKey, const std::string& name, Value value);
    std::optional<Value> get(const std::string& subKey, const std::string& name) const;
    // A REG_SZ value's text, cut before its terminating zero; nothing for another type.
    std::optional<std::string> text(const std::string& subKey, const std::string& name) const;
    const Keys& keys() const { return keys_; }
    void replaceAll(Keys keys) { keys_ = std::move(keys); }
    std::size_t openHandles() const { return open_.size(); }

    static std::string foldCase(std::string text);
    static std::string trimmedPath(std::string subKey);

  protected:
    // Keeps the values after a change; false undoes the change.
    virtual bool persist() { return true; }
    // Takes in what another writer stored since, before a key is opened or created.
    virtual void refresh() {}

  private:
    bool change(platform::KeyHandle key, const std::function<bool(Key&)>& edit);

    Keys keys_;
    std::map<platform::KeyHandle, std::string> open_; // handle -> lower-cased path
    platform::KeyHandle next_ = 0x100;
};

} // namespace settings
