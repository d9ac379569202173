#include "platform/startup_form.h"

#include <windows.h>

#include <cmath>

#include "platform/win32/window_support.h"

namespace orvo::platform {
namespace {

constexpr UINT_PTR kStartTimerId = 1;
constexpr int kLabelId = 100;
constexpr int kIconResourceId = 1;
constexpr const char* kClassName = "OrvoStartupForm";

// The start-up form: no caption, fixed single border, centred on the screen, one label.
class StartupForm {
 public:
  StartupForm(const StartupFormLayout& layout, const std::function<void()>& onFirstTick)
      : layout_(layout), onFirstTick_(onFirstTick) {}

  void Run() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    win32::RegisterWindowClass(kClassName, &StartupForm::WindowProc, LoadIconA(instance, MAKEINTRESOURCEA(kIconResourceId)),
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    dpi_ = win32::ScreenDpi();

    const DWORD style = WS_POPUP | WS_BORDER;
    RECT frame{0, 0, Pixels(layout_.clientWidthTwips), Pixels(layout_.clientHeightTwips)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = CreateWindowExA(0, kClassName, layout_.caption.c_str(), style, x, y, width, height, nullptr,
                                  nullptr, instance, this);
    if (window == nullptr) {  // no window station: the work still runs
      onFirstTick_();
      return;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetTimer(window, kStartTimerId, static_cast<UINT>(layout_.timerIntervalMs), nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (font_) DeleteObject(font_);
  }

 private:
  int Pixels(int twips) const { return MulDiv(twips, dpi_, 1440); }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = win32::WindowOwner<StartupForm>(hwnd, message, lParam);
    return self ? self->Handle(hwnd, message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
  }

  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        CreateLabel(hwnd);
        return 0;
      case WM_TIMER:
        if (wParam == kStartTimerId) {
          // One shot: the timer goes off before anything else, so the tick never runs twice.
          KillTimer(hwnd, kStartTimerId);
          onFirstTick_();
          DestroyWindow(hwnd);
        }
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
  }

  void CreateLabel(HWND hwnd) {
    HWND label = CreateWindowExA(0, "STATIC", layout_.caption.c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER,
                                 Pixels(layout_.labelLeftTwips), Pixels(layout_.labelTopTwips),
                                 Pixels(layout_.labelWidthTwips), Pixels(layout_.labelHeightTwips), hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)), GetModuleHandleA(nullptr),
                                 nullptr);
    const int height = -static_cast<int>(std::lround(layout_.fontPoints * dpi_ / 72.0));
    font_ = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, layout_.fontName.c_str());
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }

  const StartupFormLayout& layout_;
  const std::function<void()>& onFirstTick_;
  int dpi_ = 96;
  HFONT font_ = nullptr;
};

}  // namespace

void RunStartupForm(const StartupFormLayout& layout, const std::function<void()>& onFirstTick) {
  StartupForm(layout, onFirstTick).Run();
}

}  // namespace orvo::platform
