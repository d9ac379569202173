// POSIX status window: no display is assumed, so the window keeps its geometry, fonts and
// captions exactly as they are set (no snapping) and draws nothing. Its frame takes no
// room: the client area is the whole window.
#include "platform/status_window.h"

#include <array>

namespace orvo::platform {
namespace {

constexpr float kStoredClientWidth = 5670;
constexpr float kStoredClientHeight = 4560;

class HeadlessStatusWindow final : public StatusWindow {
 public:
  float InnerWidth() const override { return width_; }
  float InnerHeight() const override { return height_; }
  void SetOuterHeight(float twips) override { height_ = twips; }

  void SetMeasure(StatusControl c, Measure m, float twips) override { Slot(c).measures[Index(m)] = twips; }
  float GetMeasure(StatusControl c, Measure m) const override { return Slot(c).measures[Index(m)]; }
  void SetFontSize(StatusControl c, float points) override { Slot(c).fontPoints = points; }
  float FontSize(StatusControl c) const override { return Slot(c).fontPoints; }
  void SetCaption(StatusControl c, const std::string& text) override { Slot(c).caption = text; }
  std::string Caption(StatusControl c) const override { return Slot(c).caption; }

  void Repaint() override {}
  void Show() override { visible_ = true; }
  bool Visible() const override { return visible_; }

 private:
  struct Control {
    std::array<float, 4> measures{};
    float fontPoints = 8.25f;  // the form designer's default font size
    std::string caption;
  };
  static std::size_t Index(Measure m) { return static_cast<std::size_t>(m); }
  Control& Slot(StatusControl c) { return controls_[static_cast<std::size_t>(c)]; }
  const Control& Slot(StatusControl c) const { return controls_[static_cast<std::size_t>(c)]; }

  float width_ = kStoredClientWidth;
  float height_ = kStoredClientHeight;
  bool visible_ = false;
  std::array<Control, 4> controls_;
};

}  // namespace

std::unique_ptr<StatusWindow> CreateStatusWindow() { return std::make_unique<HeadlessStatusWindow>(); }

}  // namespace orvo::platform
