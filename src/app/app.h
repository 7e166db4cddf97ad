#pragma once
// The program: the five windows, each created and loaded on first reference, and the
// state the windows share.
#include "platform/platform.h"
#include "settings/registry_procs.h"
#include "snow/snow_state.h"

#include <memory>

namespace app {

class Kalo1;
class Kalo2;
class Kalo3;
class Kalo4;
class KaloLoad;

class App {
  public:
    explicit App(platform::Platform& os);
    ~App();

    void start(); // creates the tray window, whose load step runs the start-up

    Kalo1& kalo1();
    Kalo2& kalo2();
    Kalo3& kalo3();
    Kalo4& kalo4();
    KaloLoad& kaloLoad();
    bool kalo4Loaded() const { return kalo4_ != nullptr; }
    bool kalo3Loaded() const { return kalo3_ != nullptr; }
    void unloadKalo4();

    platform::Platform& os() { return os_; }
    settings::RegistryProcedures& registry() { return registry_; }
    settings::AppSettings& appSettings() { return appSettings_; }
    snow::SnowState& snow() { return snow_; }

    // The executable's name without extension: the application-settings name.
    std::string applicationName() const { return os_.location().executableName; }
    // The folder for the list file and the bitmap: the program folder when it can be
    // written, else the per-user data folder.
    std::string dataFolder();
    // `path` as text the code page holds, for the system's ANSI calls: itself, else its
    // short form where the file system has one; nothing when neither will do.
    std::optional<std::string> codePagePath(const std::string& path);
    // Ends the process, removing the tray icon first.
    void endProgram();
    bool ended() const { return ended_; }

  private:
    platform::Platform& os_;
    settings::RegistryProcedures registry_;
    settings::AppSettings appSettings_;
    snow::SnowState snow_;
    std::unique_ptr<Kalo1> kalo1_;
    std::unique_ptr<Kalo2> kalo2_;
    std::unique_ptr<Kalo3> kalo3_;
    std::unique_ptr<Kalo4> kalo4_;
    std::unique_ptr<KaloLoad> kaloLoad_;
    std::optional<std::string> dataFolder_;
    bool trayIconAdded_ = false;
    bool ended_ = false;
    friend class Kalo1;
};

} // namespace app
