#include "app/app.h"

#include "app/kalo1.h"
#include "app/kalo2.h"
#include "app/kalo3.h"
#include "app/kalo4.h"
#include "app/kaloload.h"

namespace app {

App::App(platform::Platform& os) : os_(os), registry_(os), appSettings_(os) {}

App::~App() = default;

void App::start() {
    kalo1();
}

// Each window is created on first reference; its load step runs after the platform
// has bound it, as the window system would run it.
template <typename F>
static F& loadOnce(std::unique_ptr<F>& form, App& app, platform::Platform& os) {
    if (!form) {
        form = std::make_unique<F>(app);
        os.formCreated(form->id(), form->window);
    }
    return *form;
}

Kalo1& App::kalo1() {
    bool fresh = !kalo1_;
    auto& form = loadOnce(kalo1_, *this, os_);
    if (fresh) form.Form_Load();
    return form;
}

Kalo2& App::kalo2() {
    bool fresh = !kalo2_;
    auto& form = loadOnce(kalo2_, *this, os_);
    if (fresh) form.Form_Load();
    return form;
}

Kalo3& App::kalo3() {
    bool fresh = !kalo3_;
    auto& form = loadOnce(kalo3_, *this, os_);
    if (fresh) form.Form_Load();
    return form;
}

Kalo4& App::kalo4() {
    return loadOnce(kalo4_, *this, os_);
}

KaloLoad& App::kaloLoad() {
    bool fresh = !kaloLoad_;
    auto& form = loadOnce(kaloLoad_, *this, os_);
    if (fresh) form.Form_Load();
    return form;
}

void App::unloadKalo4() {
    if (!kalo4_) return;
    os_.formUnloaded(platform::FormId::KALO4);
    kalo4_.reset();
}

std::string App::dataFolder() {
    if (dataFolder_) return *dataFolder_;
    auto where = os_.location();
    auto& files = os_.files();
    bool portable = files.folderWritable(where.folder);
    if (!portable && !files.ensureFolder(where.userDataFolder)) portable = true;
    dataFolder_ = portable ? where.folder : where.userDataFolder;
    return *dataFolder_;
}

std::optional<std::string> App::codePagePath(const std::string& path) {
    const auto& codePage = os_.codePage();
    if (codePage.toAnsi(path)) return path;
    auto shortForm = os_.files().shortPath(path);
    if (shortForm && codePage.toAnsi(*shortForm)) return shortForm;
    return std::nullopt;
}

void App::endProgram() {
    if (trayIconAdded_) os_.removeTrayIcon();
    trayIconAdded_ = false;
    ended_ = true;
    os_.endProcess();
}

} // namespace app
