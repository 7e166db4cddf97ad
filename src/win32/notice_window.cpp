#include "win32/notice_window.h"

#include "win32/fonts.h"

namespace win32 {

namespace {

constexpr DWORD NOTICE_STYLE = WS_POPUP | WS_DLGFRAME;
constexpr const auto& L = app::layout::NOTICE;
constexpr auto CLIENT = app::layout::inPixels(L.client);

} // namespace

NoticeWindow::NoticeWindow(app::KaloLoad& form) : FormWindow(form.window) {
    SIZE outer = outerSize(scaled(CLIENT.width), scaled(CLIENT.height), NOTICE_STYLE, false);
    POINT at = centredOnScreen(outer.cx, outer.cy);
    create({L"KALO DC notice",
            form.window.caption(),
            NOTICE_STYLE,
            WS_EX_TOPMOST,
            {at.x, at.y, outer.cx, outer.cy}});
    controls_ = std::make_unique<ControlSet>(hwnd(), 1000);
    HFONT verdana = namedFont(L"Verdana", 11, true);
    for (HWND text : {controls_->label(form.Label1, L.Label1, SS_CENTER),
                      controls_->label(form.Label2, L.Label2, SS_CENTER)})
        SendMessageW(text, WM_SETFONT, WPARAM(verdana), FALSE);
    bindModel();
}

LRESULT NoticeWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = commonMessage(message, wParam, lParam)) return *answer;
    return defaultHandling(message, wParam, lParam);
}

} // namespace win32
