#include "app/app.h"
#include "app/kalo2.h"
#include "rotation/list_file.h"
#include "settings/errors.h"

namespace app {
namespace {

const std::string OPEN_TITLE = "[KALO] Open Image File";
const std::string OPEN_FILTER = "Image Files|*.;*.jpg;*.bmp;*.gif;*.png|All Files|*.*";
constexpr int OPEN_FLAGS = 12; // no read-only box, keep the current directory

} // namespace

std::string Kalo2::listFilePath() const {
    return app_.dataFolder() + app_.os().location().separator + rotation::LIST_FILE_NAME;
}

// A path the code page cannot hold would be stored altered; its short form stands in
// for it where there is one, else the file is refused. Empty when refused.
static std::string storablePath(App& app, const std::string& path) {
    if (auto storable = app.codePagePath(path)) return *storable;
    app.os().messageBox("Unable to add " + path +
                            "\nIts name holds characters that the system code page cannot store, "
                            "and it has no short name to use instead. Rename the file or move it "
                            "to a folder with a plain name, then add it again.",
                        "Error", platform::MB_CRITICAL);
    return {};
}

// The Add dialog, opening where the last picked file was (else the program folder).
static platform::Platform::OpenFileRequest openImageRequest(App& app) {
    platform::Platform::OpenFileRequest request;
    request.title = OPEN_TITLE;
    request.filter = OPEN_FILTER;
    request.flags = OPEN_FLAGS;
    request.initialLocation =
        app.appSettings().Get(settings::LAST_FILE_APPLICATION, settings::LAST_FILE.section,
                              settings::LAST_FILE.key, app.os().location().folder);
    return request;
}

// A dialog that refuses the last file picked (a name too long or no longer valid) opens
// again at the program folder; only a cancel adds nothing.
static std::string pickImage(App& app) {
    auto request = openImageRequest(app);
    auto picked = app.os().openFileDialog(request);
    if (picked) return *picked;
    request.initialLocation = app.os().location().folder;
    return app.os().openFileDialog(request).value_or("");
}

void Kalo2::add_Click() {
    std::string picked = pickImage(app_);
    if (picked.empty()) return;
    std::string path = storablePath(app_, picked);
    if (path.empty()) return;
    app_.appSettings().Save(settings::LAST_FILE_APPLICATION, settings::LAST_FILE.section,
                            settings::LAST_FILE.key, path);
    Wallpaper.add(path);
    c2.setEnabled(true);
    SaveImageList();
}

// The entry to select once entry `index` is gone: the next one, or the one before
// when it was the last; the empty text (nothing) when it was the only one.
static std::string successorText(const ui::ListBox& list, long index) {
    if (index < list.count() - 1) return list.item(index + 1);
    return index > 0 ? list.item(index - 1) : std::string();
}

void Kalo2::del_Click() {
    long index = Wallpaper.listIndex();
    if (index == -1) {
        app_.os().messageBox("You must Select the file to delete.", "Delete",
                             platform::MB_EXCLAMATION);
        return;
    }
    std::string next = successorText(Wallpaper, index);
    Wallpaper.removeAt(index);
    SaveImageList();
    Wallpaper.setFocus();
    Wallpaper.selectText(next);
}

// Rewrites the list file through a temporary file, so a failed write keeps the old
// list. It does not yield to events, so no other save can start meanwhile.
bool Kalo2::SaveImageList() {
    auto& os = app_.os();
    auto bytes = ReadUnreadList()
                     ? rotation::encodeListFile(Wallpaper.items(), os.codePage(), rawRecords_)
                     : std::nullopt;
    if (bytes && os.files().replaceAtomically(listFilePath(), *bytes)) return true;
    os.messageBox("Unable to access " + listFilePath() + ". The playlist will not be saved",
                  "Error", platform::MB_CRITICAL);
    return false;
}

// A list file that was there but could not be read at start (held by another program)
// is never saved over unread: each save reads it again first, and once it reads, its
// entries go before the ones added meanwhile.
bool Kalo2::ReadUnreadList() {
    if (!listUnread_) return true;
    auto bytes = app_.os().files().read(listFilePath());
    if (!bytes) return false;
    listUnread_ = false;
    auto entries = rotation::decodeListFile(*bytes, app_.os().codePage(), &rawRecords_);
    for (auto& added : Wallpaper.items())
        entries.push_back(added);
    Wallpaper.clear();
    for (auto& entry : entries)
        Wallpaper.add(std::move(entry));
    return true;
}

// Appends the list file's entries, letting pending events run before each one.
// A list file that cannot be read ends the window's start-up; one that is there is
// reported, and kept from being saved over.
void Kalo2::LoadImageList() {
    auto& os = app_.os();
    auto bytes = os.files().read(listFilePath());
    if (!bytes && os.files().exists(listFilePath())) {
        listUnread_ = true;
        os.messageBox("Unable to read " + listFilePath() +
                          ". Another program may be using it. Your Image list is kept as it "
                          "is, and is not saved until it can be read.",
                      "Error", platform::MB_CRITICAL);
    }
    if (!bytes) throw settings::FileError("the list file cannot be read");
    for (auto& entry : rotation::decodeListFile(*bytes, os.codePage(), &rawRecords_)) {
        os.doEvents();
        Wallpaper.add(std::move(entry));
    }
}

// A list holding only the marker that a reset leaves is reset again.
void Kalo2::CheckEmptyListMarker() {
    if (Wallpaper.count() == 1 && Wallpaper.item(0) == rotation::EMPTY_LIST_MARKER) reset_Click();
}

} // namespace app
