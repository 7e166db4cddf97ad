#include "app/snow_on_top.h"

#include "app/app.h"
#include "app/kalo3.h"

namespace app {

void setSnowWindowTopMost(App& app, bool topMost) {
    app.kalo3(); // the first reference creates and loads the window
    auto screen = app.os().screen();
    app.os().setTopMost(platform::FormId::KALO3, topMost, screen.widthPixels, screen.heightPixels);
}

void saveSnowOnTop(App& app, bool ticked) {
    app.appSettings().Save(app.applicationName(), settings::SNOW_ON_TOP.section,
                           settings::SNOW_ON_TOP.key, ticked ? "1" : "0");
}

} // namespace app
