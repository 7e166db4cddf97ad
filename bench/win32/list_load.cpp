// Loading and saving a long picture list in the real Windows program: the list file of
// 32,767 and of 100,000 entries read into the main window's list box at start and the
// window shown, and the list written back, against reading and writing the same file alone. Prints
// the times and their ratios; asserts nothing.
#include "app/app.h"
#include "app/kalo2.h"
#include "rotation/list_file.h"
#include "temp_folder.h"
#include "win32/win32_platform.h"

#include <chrono>
#include <cstdio>

#include <windows.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string listBytes(int entries) {
    std::string bytes;
    for (int i = 0; i < entries; ++i)
        bytes += "\"C:\\Users\\Ann\\Pictures\\Holidays 2025\\IMG_" + std::to_string(100000 + i) +
                 ".jpg\"\r\n";
    return bytes;
}

// A bare list box of the same style, holding no strings, given the count: what the
// window system itself costs for the list.
double listBoxAlone(int entries) {
    HWND box = CreateWindowExW(0, L"LISTBOX", L"",
                               LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                   WS_VSCROLL,
                               0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    auto start = Clock::now();
    SendMessageW(box, LB_SETCOUNT, WPARAM(entries), 0);
    const double ms = msSince(start);
    DestroyWindow(box);
    return ms;
}

// The main window brought on screen and painted, its list's rows drawn.
void showMainWindow(const win32::Win32Platform& os) {
    HWND main = os.windowOf(platform::FormId::KALO2);
    ShowWindow(main, SW_SHOWNOACTIVATE);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void measure(int entries) {
    services_test::TempFolder folder;
    win32::Win32Files files;
    const std::string list = folder.file(rotation::LIST_FILE_NAME), bytes = listBytes(entries);
    files.replaceAtomically(list, bytes);
    auto start = Clock::now();
    files.read(list);
    const double readAlone = msSince(start);
    win32::Seams seams;
    seams.location = platform::ProgramLocation{folder.path(), "KALO DC", folder.path(), '\\'};
    seams.messageBox = [](const std::string&, const std::string&, int) {};
    seams.previousInstance = [] { return false; };
    seams.endProcess = [] {};
    win32::Win32Platform os(seams);
    start = Clock::now();
    rotation::decodeListFile(bytes, os.codePage());
    const double decode = msSince(start);
    app::App program(os);
    os.attach(program);
    start = Clock::now();
    program.start(); // the main window loads the list into its list box
    showMainWindow(os);
    const double load = msSince(start);
    start = Clock::now();
    files.replaceAtomically(list, bytes);
    const double writeAlone = msSince(start);
    start = Clock::now();
    program.kalo2().SaveImageList();
    const double save = msSince(start);
    const double boxAlone = listBoxAlone(entries);
    std::printf(
        "%6d entries: load and show %8.1f ms (its records decoded alone %6.1f ms, a bare list "
        "box given the count %6.1f ms), the file read alone %6.1f ms, ratio %6.1f\n"
        "%6s                   save %8.1f ms, the file written alone %6.1f ms, ratio %6.1f\n",
        entries, load, decode, boxAlone, readAlone, load / readAlone, "", save, writeAlone,
        save / writeAlone);
}

} // namespace

int main() {
    for (int entries : {1, 32767, 100000}) // one entry: the start-up itself
        measure(entries);
}
