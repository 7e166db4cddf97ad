// The applier: one list entry made the desktop wallpaper through "KALO.bmp".
#include "app/app.h"
#include "app/kalo2.h"
#include "wallpaper/bmp_writer.h"

#include <algorithm>
#include <utility>

namespace app {

std::string Kalo2::bitmapPath() const {
    return app_.dataFolder() + app_.os().location().separator + "KALO.bmp";
}

// Selecting the entry runs the preview, which decodes it; the picture is handed over
// here rather than kept by the preview.
ui::PicturePtr Kalo2::selectForApply(long index, const ui::PixelPlace& place) {
    handOverDecoded_ = true;
    applyPlace_ = place;
    Wallpaper.setListIndex(index);
    handOverDecoded_ = false;
    applyPlace_ = nullptr;
    return std::exchange(decoded_, nullptr);
}

// A decoder that tries again after another gave up starts a new file.
std::uint8_t* Kalo2::bitmapRows(std::unique_ptr<platform::FileInPlace>& bitmap, int width,
                                int height) {
    bitmap.reset();
    const std::size_t size = wallpaper::bmpFileBytes(width, height);
    if (size == 0) return nullptr;
    bitmap = app_.os().files().makeInPlace(bitmapPath(), size);
    if (!bitmap) return nullptr;
    wallpaper::writeBmpHeaders(bitmap->bytes(), width, height);
    return bitmap->bytes() + wallpaper::BMP_HEADERS_BYTES;
}

// The picture is decoded straight into the rows of the new KALO.bmp, made in place: its
// pages are the only full-size copy, taken by no second block and no write, and they go
// when this returns (the preview keeps its own small copy). A decoder that kept its own
// rows has them copied in. An entry that did not load leaves the bitmap and the desktop as
// they were, and a bitmap that was not written is never handed to the desktop. KALO.bmp
// is made anew at every change, so its replacement does not wait for the disk.
void Kalo2::ApplyWallpaper() {
    long i = rotationIndex.value_or(0);
    if (i < 0 || i >= Wallpaper.count()) return;
    std::string entry = Wallpaper.item(i);
    std::unique_ptr<platform::FileInPlace> bitmap;
    auto place = [&](int width, int height) { return bitmapRows(bitmap, width, height); };
    const ui::PicturePtr picture = selectForApply(i, place);
    if (!picture || previewPath_ != entry || !picture->whole()) return;
    if (!bitmap || picture->borrowed != bitmap->bytes() + wallpaper::BMP_HEADERS_BYTES) {
        std::uint8_t* rows = bitmapRows(bitmap, picture->width, picture->height);
        if (!rows) return;
        std::copy_n(picture->data(), picture->stride() * std::size_t(picture->height), rows);
    }
    if (!bitmap->commit()) return;
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
