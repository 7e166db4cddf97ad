// The applier: one list entry made the desktop wallpaper through "KALO.bmp".
#include "app/app.h"
#include "app/kalo2.h"
#include "wallpaper/bmp_writer.h"

#include <utility>

namespace app {

std::string Kalo2::bitmapPath() const {
    return app_.dataFolder() + app_.os().location().separator + "KALO.bmp";
}

// Selecting the entry runs the preview, which decodes it; the picture is handed over
// here rather than kept by the preview.
ui::PicturePtr Kalo2::selectForApply(long index) {
    handOverDecoded_ = true;
    Wallpaper.setListIndex(index);
    handOverDecoded_ = false;
    return std::exchange(decoded_, nullptr);
}

// The bitmap is written from the decoded picture, which goes when this returns: the
// preview keeps its own small copy. An entry that did not load leaves the bitmap and the
// desktop as they were, and a bitmap that was not written is never handed to the desktop.
// KALO.bmp is made anew at every change, so its replacement does not wait for the disk.
void Kalo2::ApplyWallpaper() {
    long i = rotationIndex.value_or(0);
    if (i < 0 || i >= Wallpaper.count()) return;
    std::string entry = Wallpaper.item(i);
    const ui::PicturePtr picture = selectForApply(i);
    if (!picture || previewPath_ != entry) return;
    wallpaper::BmpPieces pieces(*picture);
    if (!pieces.valid()) return;
    auto source = [&pieces](std::string& piece) { return pieces.next(piece); };
    if (!app_.os().files().writeAtomically(bitmapPath(), source, platform::Durability::Unflushed))
        return;
    if (auto desktopPath = app_.codePagePath(bitmapPath()))
        return app_.os().setDesktopWallpaper(*desktopPath, picture);
    if (std::exchange(desktopPathReported_, true)) return;
    app_.os().messageBox("Unable to set " + bitmapPath() +
                             " as the wallpaper. The name of its folder holds characters that "
                             "the system code page cannot store, and it has no short name to use "
                             "instead. Move KALO DC to a folder with a plain name.",
                         "Error", platform::MB_CRITICAL);
}

} // namespace app
