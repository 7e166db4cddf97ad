#pragma once
// A C++ object behind a real window: the window procedure finds the object through
// the window's user data and hands it every message. No exception leaves a window
// procedure: a failing handler ends quietly and the message loop goes on.
#include <windows.h>

#include <string>

namespace win32 {

class NativeWindow {
  public:
    NativeWindow() = default;
    virtual ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    void destroy();

  protected:
    struct Design {
        const wchar_t* className;
        std::string caption;
        DWORD style = 0;
        DWORD exStyle = 0;
        RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0}; // left, top, width, height
        HWND parent = nullptr;
        HICON icon = nullptr;
    };
    // Registers the class on first use and creates the window for this object.
    void create(const Design& design);
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT dispatch(NativeWindow* self, UINT message, WPARAM wParam,
                            LPARAM lParam) noexcept;
    HWND hwnd_ = nullptr;
};

} // namespace win32
