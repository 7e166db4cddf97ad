#include "app/kalo4.h"

#include "app/app.h"

namespace app {

Kalo4::Kalo4(App& app) : Form(app, platform::FormId::KALO4, MAIN_CAPTION) {
    Frame1.Click = [this] { Frame1_Click(); };
    Label786.Click = [this] { Label786_Click(); };
    ok.Click = [this] { ok_Click(); };
}

std::intptr_t Kalo4::Link(const std::string& address) {
    return app_.os().shellOpen(address);
}

void Kalo4::Frame1_Click() {
    Link(WEB_SITE);
}

void Kalo4::Label786_Click() {
    Link(WEB_SITE);
}

// Destroys this form: nothing may touch it afterwards.
void Kalo4::ok_Click() {
    app_.unloadKalo4();
}

} // namespace app
