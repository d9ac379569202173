// Win32 status window: a captionless popup with a single fixed border. The picture and the
// labels are drawn by the window itself (windowless, like the form's image and label
// controls), so the labels' backgrounds are truly transparent over the picture. Every
// position is kept in whole pixels and every font in whole pixel heights; the twips that
// the layout reads back are those.
#include "platform/status_window.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "platform/win32/resource_ids.h"
#include "platform/win32/resource_picture.h"
#include "platform/win32/win_error.h"
#include "platform/win32/window_support.h"

namespace orvo::platform {
namespace {

constexpr const char* kClassName = "OrvoStatusWindow";
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;  // fixed border, no caption, no control box
constexpr int kStoredClientWidthTwips = 5670;
constexpr int kStoredClientHeightTwips = 4560;
constexpr COLORREF kLabelColour = RGB(255, 255, 0);
constexpr COLORREF kNoPictureColour = RGB(11, 21, 51);
constexpr float kDesignerFontPoints = 8.25f;

// A lone CR starts a new line on the form's labels; DrawText wants CR LF.
std::string WithCrLf(const std::string& text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    result += text[i];
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) result += '\n';
  }
  return result;
}

class Win32StatusWindow final : public StatusWindow {
 public:
  Win32StatusWindow() : picture_(ORVO_STATUS_PICTURE) {
    dpi_ = win32::ScreenDpi();
    win32::RegisterWindowClass(kClassName, &Win32StatusWindow::WindowProc);

    try {
      for (auto& c : controls_) SetFontSizeOf(c, kDesignerFontPoints);
      RECT frame{0, 0, Pixels(kStoredClientWidthTwips), Pixels(kStoredClientHeightTwips)};
      AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
      SetLastError(ERROR_SUCCESS);  // a registration that found the class leaves a code behind
      hwnd_ = CreateWindowExA(0, kClassName, "", kStyle, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
      if (!hwnd_) {
        const DWORD code = GetLastError();
        win32::ThrowWin32Error(code ? code : ERROR_INVALID_WINDOW_HANDLE);
      }
    } catch (...) {
      DeleteFonts();
      throw;
    }
  }

  ~Win32StatusWindow() override {
    if (hwnd_) DestroyWindow(hwnd_);
    DeleteFonts();
  }

  float InnerWidth() const override { return Twips(ClientRect().right); }
  float InnerHeight() const override { return Twips(ClientRect().bottom); }
  void SetOuterHeight(float twips) override {
    RECT r;
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, Pixels(twips), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void SetMeasure(StatusControl c, Measure m, float twips) override { Slot(c).pixels[Index(m)] = Pixels(twips); }
  float GetMeasure(StatusControl c, Measure m) const override { return Twips(Slot(c).pixels[Index(m)]); }
  void SetFontSize(StatusControl c, float points) override { SetFontSizeOf(Slot(c), points); }
  float FontSize(StatusControl c) const override { return Slot(c).fontPixels * 72.0f / static_cast<float>(dpi_); }
  void SetCaption(StatusControl c, const std::string& text) override { Slot(c).caption = text; }
  std::string Caption(StatusControl c) const override { return Slot(c).caption; }

  void Repaint() override {
    // Painted before returning: the caller may go straight back into a long blocking step.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

  void Show() override {
    CentreOnOwner();
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
  }
  bool Visible() const override { return IsWindowVisible(hwnd_) != FALSE; }

 private:
  struct Control {
    std::array<int, 4> pixels{};  // left, top, width, height
    int fontPixels = 0;
    HFONT font = nullptr;
    std::string caption;
    RECT Rect() const { return {pixels[0], pixels[1], pixels[0] + pixels[2], pixels[1] + pixels[3]}; }
  };

  static std::size_t Index(Measure m) { return static_cast<std::size_t>(m); }
  Control& Slot(StatusControl c) { return controls_[static_cast<std::size_t>(c)]; }
  const Control& Slot(StatusControl c) const { return controls_[static_cast<std::size_t>(c)]; }
  int Pixels(float twips) const { return static_cast<int>(std::lround(twips * static_cast<float>(dpi_) / 1440.0f)); }
  float Twips(int pixels) const { return static_cast<float>(pixels) * 1440.0f / static_cast<float>(dpi_); }
  RECT ClientRect() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r;
  }

  void DeleteFonts() {
    for (auto& c : controls_)
      if (c.font) DeleteObject(std::exchange(c.font, nullptr));
  }

  void SetFontSizeOf(Control& c, float points) {
    const int pixels = std::max(1, static_cast<int>(std::lround(points * static_cast<float>(dpi_) / 72.0f)));
    HFONT font = CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
    if (!font) win32::ThrowLastError();
    if (c.font) DeleteObject(c.font);
    c.font = font;
    c.fontPixels = pixels;
  }

  // On the window that is active in this program, or on the work area when there is none.
  void CentreOnOwner() {
    RECT area{};
    HWND owner = GetActiveWindow();
    if (owner && owner != hwnd_) {
      GetWindowRect(owner, &area);
    } else {
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT r;
    GetWindowRect(hwnd_, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }

  // Draws into a bitmap first and copies it in one go, so a repaint never flickers.
  void Paint(HDC target) {
    const RECT client = ClientRect();
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);

    HBRUSH background = CreateSolidBrush(kNoPictureColour);
    FillRect(dc, &client, background);
    DeleteObject(background);
    picture_.Draw(dc, Slot(StatusControl::Picture).Rect());

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabelColour);
    for (StatusControl label : {StatusControl::Title, StatusControl::Credits, StatusControl::Status}) {
      const Control& c = Slot(label);
      RECT r = c.Rect();
      HGDIOBJ oldFont = SelectObject(dc, c.font);
      const std::string text = WithCrLf(c.caption);
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
      SelectObject(dc, oldFont);
    }

    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = win32::WindowOwner<Win32StatusWindow>(hwnd, message, lParam);
    if (self) {
      switch (message) {
        case WM_ERASEBKGND:
          return 1;  // Paint covers every pixel
        case WM_PAINT: {
          PAINTSTRUCT ps;
          HDC dc = BeginPaint(hwnd, &ps);
          self->Paint(dc);
          EndPaint(hwnd, &ps);
          return 0;
        }
        case WM_NCDESTROY:
          SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
          break;
        default:
          break;
      }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  win32::ResourcePicture picture_;
  int dpi_ = 96;
  HWND hwnd_ = nullptr;
  std::array<Control, 4> controls_;
};

}  // namespace

std::unique_ptr<StatusWindow> CreateStatusWindow() { return std::make_unique<Win32StatusWindow>(); }

}  // namespace orvo::platform
