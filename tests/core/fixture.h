#pragma once
// A program under test: a fake platform over a fresh temporary program folder. Also
// used by the fuzz targets, so it needs no test framework.
#include "app/app.h"
#include "app/kalo1.h"
#include "app/kalo2.h"
#include "settings/registry_procs.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

#include <memory>

namespace testing_support {

// The folder goes last, after the program has let go of it.
struct Program : TempFolder {
    fake::FakePlatform os{folder};
    std::unique_ptr<app::App> app = std::make_unique<app::App>(os);

    app::Kalo2& main() { return app->kalo2(); }
    app::Kalo1& tray() { return app->kalo1(); }

    // A picture file the fake loader decodes, of one colour.
    std::string picture(const std::string& name, std::uint32_t colour = 0xFF336699, int w = 4,
                        int h = 3) {
        write(name,
              "PIC " + std::to_string(w) + " " + std::to_string(h) + " " + std::to_string(colour));
        return path(name);
    }

    void setProgramValue(const std::string& name, const std::string& text) {
        os.reg.putText(settings::PROGRAM_KEY, name, text);
    }
    std::optional<std::string> programValue(const std::string& name) const {
        return os.reg.text(settings::PROGRAM_KEY, name);
    }
    void setAppSetting(const std::string& section, const std::string& key,
                       const std::string& text) {
        os.reg.putText(settings::APP_SETTINGS_KEY + "KALO DC\\" + section, key, text);
    }
    std::optional<std::string> appSetting(const std::string& section,
                                          const std::string& key) const {
        return os.reg.text(settings::APP_SETTINGS_KEY + "KALO DC\\" + section, key);
    }
};

// A list file's bytes for the given entries (Western code page text in UTF-8).
inline std::string listBytes(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const auto& entry : entries) {
        bytes += '"'; // appended piece by piece: g++ 12 warns falsely on "x" + string&&
        bytes += *fake::FakeCodePage().toAnsi(entry);
        bytes += "\"\r\n";
    }
    return bytes;
}

} // namespace testing_support
