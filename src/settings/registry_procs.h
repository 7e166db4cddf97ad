#pragma once
// The two registry procedures every stored value goes through, and the
// application-settings store laid over the same registry.
#include "platform/platform.h"
#include "settings/keys.h"

#include <string>

namespace settings {

constexpr std::size_t READ_BUFFER_BYTES = 1024;

class RegistryProcedures {
  public:
    explicit RegistryProcedures(platform::Platform& os) : os_(os) {}

    // Creates or opens the key and stores `data` as REG_SZ; an empty text is stored
    // as one blank. A text the code page cannot hold is not stored altered: false.
    bool WriteRegistryString(std::uint32_t root, const std::string& subKey, const std::string& name,
                             const std::string& data);
    // The value as text; the empty text for anything missing or unreadable.
    std::string ReadRegistryValue(std::uint32_t root, const std::string& subKey,
                                  const std::string& name);
    // Removes the value if the key exists; true when it was removed.
    bool DeleteRegistryValue(std::uint32_t root, const std::string& subKey,
                             const std::string& name);

    // The program key under HKEY_CURRENT_USER.
    void writeProgramValue(const std::string& name, const std::string& data);
    std::string readProgramValue(const std::string& name);

    // "0" under each snow slider's value.
    void ZeroSnowSettings();

  private:
    platform::Platform& os_;
};

// Per-user settings addressed by application, section and key.
class AppSettings {
  public:
    explicit AppSettings(platform::Platform& os) : os_(os) {}
    void Save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& text);
    std::string Get(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& defaultText);

  private:
    platform::Platform& os_;
};

} // namespace settings
