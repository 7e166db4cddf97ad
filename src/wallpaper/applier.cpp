// The applier: one list entry made the desktop wallpaper through "KALO.bmp".
#include "app/app.h"
#include "app/kalo2.h"
#include "wallpaper/bmp_writer.h"

namespace app {

std::string Kalo2::bitmapPath() const {
    return app_.dataFolder() + app_.os().location().separator + "KALO.bmp";
}

// Selecting the entry runs the preview, which decodes it into `im`; the bitmap is
// written from that picture. An entry that did not load leaves the bitmap and the
// desktop as they were, and a bitmap that was not written is never handed to the
// desktop.
void Kalo2::ApplyWallpaper() {
    long i = rotationIndex.value_or(0);
    if (i < 0 || i >= Wallpaper.count()) return;
    std::string entry = Wallpaper.item(i);
    Wallpaper.setListIndex(i);
    const ui::PicturePtr& picture = im.picture();
    if (!picture || previewPath_ != entry) return;
    std::string bytes = wallpaper::encodeBmp(*picture);
    if (bytes.empty()) return;
    if (!app_.os().files().replaceAtomically(bitmapPath(), bytes)) return;
    app_.os().setDesktopWallpaper(bitmapPath());
}

} // namespace app
