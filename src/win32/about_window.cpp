#include "win32/about_window.h"

#include "win32/fonts.h"
#include "win32/program_icon.h"
#include "win32/services.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr DWORD ABOUT_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr const auto& L = app::layout::ABOUT;
constexpr auto CLIENT = app::layout::inPixels(L.client);

bool opensLink(UINT message, WPARAM key) {
    return message == WM_KEYDOWN && (key == VK_RETURN || key == VK_SPACE);
}

// The link as a keyboard stop: a focus rectangle while it has the focus, and Enter or
// the space bar open it as a click does.
LRESULT CALLBACK linkProcedure(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (message == WM_GETDLGCODE && key && opensLink(key->message, wParam)) return DLGC_WANTMESSAGE;
    if (opensLink(message, wParam)) {
        SendMessageW(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED),
                     LPARAM(link));
        return 0;
    }
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) InvalidateRect(link, nullptr, TRUE);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(link, linkProcedure, 1);
    LRESULT result = DefSubclassProc(link, message, wParam, lParam);
    if (message == WM_PAINT && GetFocus() == link) {
        RECT area{};
        GetClientRect(link, &area);
        HDC dc = GetDC(link);
        DrawFocusRect(dc, &area);
        ReleaseDC(link, dc);
    }
    return result;
}

} // namespace

AboutWindow::AboutWindow(app::Kalo4& form, std::function<void()> unload)
    : FormWindow(form.window), form_(form), unload_(std::move(unload)) {
    SIZE outer = outerSize(scaled(CLIENT.width), scaled(CLIENT.height), ABOUT_STYLE, false);
    POINT at = centredOnScreen(outer.cx, outer.cy);
    create({L"KALO DC about",
            form.window.caption(),
            ABOUT_STYLE,
            0,
            {at.x, at.y, outer.cx, outer.cy},
            nullptr,
            programIcon(false)});
    controls_ = std::make_unique<ControlSet>(hwnd(), 1000);
    createControls();
    addToolTips();
    bindModel();
}

void AboutWindow::createControls() {
    auto& c = *controls_;
    HWND texts[] = {c.label(form_.Label1, L.Label1), c.label(form_.Label2, L.Label2),
                    c.label(form_.Label3, L.Label3),
                    link_ = c.label(form_.Label786, L.Label786, SS_LEFT | WS_TABSTOP)};
    frame_ = c.label(form_.Frame1, L.Frame1, SS_ETCHEDFRAME);
    SetWindowPos(link_, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE); // the link takes clicks over the frame
    for (HWND text : texts)
        SendMessageW(text, WM_SETFONT, WPARAM(namedFont(L"MS Sans Serif", 8)), FALSE);
    ok_ = c.button(form_.ok, L.ok);
    SendMessageW(ok_, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    SetWindowSubclass(link_, linkProcedure, 1, 0);
}

void AboutWindow::addToolTips() {
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                            0, 0, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    std::wstring text = widen(app::LINK_TIP);
    for (HWND control : {link_, frame_}) {
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text.data();
        SendMessageW(tips_, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
}

LRESULT AboutWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = commonMessage(message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_SETCURSOR:
        if (!isLink(reinterpret_cast<HWND>(wParam))) break;
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649))); // IDC_HAND
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) != link_) break;
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE: // no closing handler of its own: the box is unloaded
        unload_();
        return 0;
    case DM_GETDEFID: // Enter is OK
        return MAKELRESULT(GetDlgCtrlID(ok_), DC_HASDEFID);
    case WM_COMMAND: // Esc
        if (LOWORD(wParam) != IDCANCEL) break;
        unload_();
        return 0;
    case WM_ACTIVATE: // the focus goes back to its control, at first OK
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (IsChild(hwnd(), GetFocus())) focus_ = GetFocus();
        } else if (!HIWORD(wParam)) {
            SetFocus(focus_ ? focus_ : ok_);
        }
        return 0;
    }
    return defaultHandling(message, wParam, lParam);
}

} // namespace win32
