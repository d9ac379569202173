#pragma once
// The status window as the platform provides it: a captionless window with a fixed border,
// a picture control and three label controls lying over it. All sizes are twips (1440 per
// inch); the window converts them to what it really uses, so a value read back can differ
// from the value set (on Windows every position snaps to a whole pixel and every font to a
// whole pixel height). The layout therefore reads back what each control took.
//
// Win32: a real window, hidden until Show(); the picture is the RCDATA resource of the
// program (see win32/resource_ids.h) stretched to the picture control, the labels are
// drawn over it in yellow Arial with transparent backgrounds. POSIX: keeps the geometry,
// fonts and captions exactly as set and draws nothing.
#include <memory>
#include <string>

namespace orvo::platform {

enum class StatusControl { Picture, Title, Credits, Status };
enum class Measure { Left, Top, Width, Height };

class StatusWindow {
 public:
  virtual ~StatusWindow() = default;

  // The client area in twips as it is now.
  virtual float InnerWidth() const = 0;
  virtual float InnerHeight() const = 0;
  // The window's outer height (client area plus frame) in twips.
  virtual void SetOuterHeight(float twips) = 0;

  virtual void SetMeasure(StatusControl control, Measure measure, float twips) = 0;
  virtual float GetMeasure(StatusControl control, Measure measure) const = 0;
  // Font size in points.
  virtual void SetFontSize(StatusControl control, float points) = 0;
  virtual float FontSize(StatusControl control) const = 0;
  // A label's text; a CR (alone or before LF) starts a new line.
  virtual void SetCaption(StatusControl control, const std::string& text) = 0;
  virtual std::string Caption(StatusControl control) const = 0;

  // Repaints the whole window before returning (nothing to do while it is hidden).
  virtual void Repaint() = 0;
  // Makes the window visible, centred on its owner or on the screen when it has none.
  virtual void Show() = 0;
  virtual bool Visible() const = 0;
};

// A new window at the stored size (client area 5670 x 4560 twips), not visible.
std::unique_ptr<StatusWindow> CreateStatusWindow();

}  // namespace orvo::platform
