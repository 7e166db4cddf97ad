#include "support/fake_platform.h"

#include "platform/file_in_memory.h"
#include "wallpaper/bmp_writer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>

namespace fake {
namespace fs = std::filesystem;

void FakeRegistry::putText(const std::string& subKey, const std::string& name,
                           const std::string& text) {
    put(subKey, name, Value{platform::REG_SZ_T, FakeCodePage().toAnsi(text).value()});
}

std::optional<std::string> FakeRegistry::text(const std::string& subKey,
                                              const std::string& name) const {
    auto text = MemoryRegistry::text(subKey, name);
    return text ? std::optional(FakeCodePage().fromAnsi(*text)) : std::nullopt;
}

// Latin-1: each byte is the character of its number, the letters of the Western code page
// that the tests use.
std::optional<std::string> FakeCodePage::toAnsi(const std::string& utf8) const {
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
        const unsigned char lead = utf8[pos], next = pos + 1 < utf8.size() ? utf8[pos + 1] : 0;
        if (lead >= 0x80 && ((lead != 0xC2 && lead != 0xC3) || (next & 0xC0) != 0x80))
            return std::nullopt; // not UTF-8, or not in the code page
        out += lead < 0x80 ? char(lead) : char((lead & 0x03) << 6 | (utf8[++pos] & 0x3F));
    }
    return out;
}

std::string FakeCodePage::fromAnsi(const std::string& ansi) const {
    std::string out;
    for (const unsigned char b : ansi)
        out += undefined.find(char(b)) != std::string::npos ? std::string("\uFFFD")
               : b < 0x80                                   ? std::string(1, char(b))
                          : std::string{char(0xC0 | b >> 6), char(0x80 | (b & 0x3F))};
    return out;
}

// The core's paths are UTF-8, on every system the tests run on.
static fs::path utf8Path(const std::string& path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

bool FakeFiles::exists(const std::string& path) {
    return fs::exists(utf8Path(path));
}

std::optional<std::string> FakeFiles::read(const std::string& path) {
    if (std::ranges::count(unreadable, path)) return std::nullopt;
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool FakeFiles::writeAtomically(const std::string& path, const PieceSource& pieces,
                                platform::Durability durability) {
    ++replaceCalls;
    std::string bytes, piece;
    for (; pieces(piece); piece.clear())
        bytes += piece;
    if (failWrites || !folderWritable(path.substr(0, path.find_last_of("/\\")))) return false;
    std::ofstream(utf8Path(path + ".tmp"), std::ios::binary) << bytes;
    std::error_code error;
    fs::rename(utf8Path(path + ".tmp"), utf8Path(path), error);
    if (!error && durability == platform::Durability::Flushed) flushed.push_back(path);
    return !error;
}

std::unique_ptr<platform::FileInPlace> FakeFiles::makeInPlace(const std::string& path,
                                                              std::size_t size) {
    if (refuseInPlace) return nullptr;
    inPlaceSizes.push_back(size);
    return std::make_unique<platform::FileInMemory>(*this, path, size);
}

bool FakeFiles::folderWritable(const std::string& folder) {
    return !std::ranges::count(readOnlyFolders, folder) && fs::is_directory(utf8Path(folder));
}

bool FakeFiles::ensureFolder(const std::string& folder) {
    std::error_code error;
    fs::create_directories(utf8Path(folder), error);
    return folderWritable(folder);
}

FakePlatform::FakePlatform(std::string programFolder)
    : where{programFolder, "KALO DC", programFolder + "/userdata/KALO DC", '/'} {}

// A picture file holds "PIC width height colour": a solid colour of that size. One that
// goes on with " cut" ends early: its size is read, its rows placed, then it fails.
ui::PicturePtr FakePlatform::loadPicture(const std::string& path, const ui::PixelPlace& place) {
    auto bytes = fs.read(path);
    ++decodes;
    int width = 0, height = 0;
    unsigned colour = 0;
    if (!bytes || std::sscanf(bytes->c_str(), "PIC %d %d %u", &width, &height, &colour) != 3 ||
        width <= 0 || height <= 0)
        return nullptr;
    auto picture = std::make_shared<ui::Picture>(ui::Picture::placed(place, width, height));
    if (bytes->find(" cut") != std::string::npos) return nullptr;
    decodedInPlace += picture->borrowed != nullptr;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture->set(x, y, colour);
    std::erase_if(decodedPictures, [](const auto& seen) { return seen.expired(); });
    decodedPictures.push_back(picture);
    return picture;
}

long FakePlatform::heldDecodedPictures() const {
    return std::ranges::count_if(decodedPictures, [](const auto& seen) { return !seen.expired(); });
}

void FakePlatform::setDesktopWallpaper(const std::optional<std::string>& path,
                                       const ui::PicturePtr& held) {
    wallpaperCalls.push_back(path);
    wallpaperPictures.push_back(held ? wallpaper::encodeBmp(*held) : "");
}

void FakePlatform::messageBox(const std::string& text, const std::string& title, int style) {
    boxes.push_back({text, title, style});
    // Runs for the first box only; a nested box just records.
    if (auto during = std::exchange(whileBoxOpen, nullptr)) during();
}

std::optional<std::string> FakePlatform::openFileDialog(const OpenFileRequest& request) {
    dialogRequests.push_back(request);
    if (dialogAnswers.empty()) return "";
    auto answer = dialogAnswers.front();
    dialogAnswers.erase(dialogAnswers.begin());
    return answer;
}

// Each window's showing and hiding is noted; a shown snow window is maximised over the
// screen, as it is designed.
void FakePlatform::formCreated(platform::FormId form, ui::Window& window) {
    windows[form] = &window;
    window.frontRequested = [this, form] { fronted.push_back(form); };
    window.viewChanged = [this, form, &window] {
        std::string& changes = shownHidden[form];
        const char now = window.visible() ? '+' : '-';
        if (changes.empty() ? now == '+' : changes.back() != now) changes += now;
        if (form == platform::FormId::KALO3) fillScreen(window);
    };
}

void FakePlatform::fillScreen(ui::Window& window) {
    double w = metrics.widthPixels * metrics.twipsPerPixelX;
    double h = metrics.heightPixels * metrics.twipsPerPixelY;
    if (window.visible() && (window.width() != w || window.height() != h)) window.resized(w, h);
}

void FakePlatform::setTopMost(platform::FormId form, bool topMost, int width, int height) {
    topMostCalls.push_back({topMost, width, height});
    if (windows.count(form)) windows[form]->setVisible(true);
}

void FakePlatform::watchTimer(ui::Timer& timer) {
    timers_.push_back({&timer, now_ + timer.interval()});
    timer.changed = [this, &timer] { // a changed timer counts its interval from now
        for (auto& w : timers_)
            if (w.timer == &timer) w.due = now_ + timer.interval();
    };
}

void FakePlatform::unwatchTimer(ui::Timer& timer) {
    timer.changed = nullptr;
    std::erase_if(timers_, [&](const Watched& w) { return w.timer == &timer; });
}

FakePlatform::Watched* FakePlatform::nextDue(long limit) {
    Watched* best = nullptr;
    for (auto& w : timers_) {
        if (!w.timer->runs() || w.due > limit) continue;
        if (!best || w.due < best->due) best = &w;
    }
    return best;
}

void FakePlatform::advance(long ms) {
    long limit = now_ + ms;
    for (Watched* next; !ended && (next = nextDue(limit));) {
        now_ = std::max(now_, next->due);
        next->due = now_ + next->timer->interval();
        next->timer->fire();
    }
    now_ = limit;
}

const std::string NEW = "new bytes, given in three pieces";

// Real file steps of which the one numbered `at` fails, counted from 1 in the order they run.
struct FaultyFileSteps : platform::FileSteps {
    FaultyFileSteps(platform::FileSteps& real, int at) : real(real), at(at) {}
    platform::FileSteps& real;
    const int at;
    int ran = 0; // the steps run so far
    bool flushed = false;
    bool fails() { return ++ran == at; }

    bool create(const std::string& temp, const std::string& target) override {
        return !fails() && real.create(temp, target);
    }
    bool write(const std::string& bytes) override { return !fails() && real.write(bytes); }
    bool flush() override {
        flushed = true;
        return !fails() && real.flush();
    }
    bool close() override {
        const bool closed = real.close(); // the file goes either way
        return !fails() && closed;
    }
    bool rename(const std::string& temp, const std::string& target) override {
        return !fails() && real.rename(temp, target);
    }
    void syncFolderOf(const std::string& target) override { real.syncFolderOf(target); }
    bool remove(const std::string& temp) override { return !fails() && real.remove(temp); }
};

// Replaces a file holding `old` (or none) with steps of which step `at` fails; "" when that
// left the old file and no temporary (the new file once no step failed), and flushed only
// when asked to.
static std::string brokenReplacement(platform::FileSteps& real, const std::string& folder, int at,
                                     const std::optional<std::string>& old,
                                     platform::Durability durability) {
    const bool flushing = durability == platform::Durability::Flushed;
    const std::string target = folder + "/fails-at-" + std::to_string(at) + (old ? "" : "-new") +
                               (flushing ? "" : "-unflushed");
    FakeFiles files;
    if (old) files.replaceAtomically(target, *old);
    FaultyFileSteps steps(real, at);
    auto pieces = [given = 0](std::string& piece) mutable {
        return given < 3 && !(piece = NEW.substr(11 * given++, 11)).empty();
    };
    const bool result = platform::replaceThroughTemporary(steps, target, pieces, durability),
               hit = at <= steps.ran, left = files.exists(target + ".tmp");
    if (steps.flushed && !flushing) return target + ": flushed\n";
    if (std::tuple(result, files.read(target), left) == std::tuple(!hit, hit ? old : NEW, false))
        return "";
    return target + (result ? ": true, " : ": false, ") + files.read(target).value_or("<absent>") +
           (left ? ", temporary left\n" : "\n");
}

std::string brokenReplacements(platform::FileSteps& real, const std::string& folder) {
    std::string broken;
    for (int at = 1; at <= 8; ++at) // create, 3 writes, flush, close, rename; 8 fails none
        for (auto old : {std::optional<std::string>("old bytes"), std::optional<std::string>()})
            for (auto durability : {platform::Durability::Flushed, platform::Durability::Unflushed})
                broken += brokenReplacement(real, folder, at, old, durability);
    return broken;
}

} // namespace fake
