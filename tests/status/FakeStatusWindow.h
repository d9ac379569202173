#pragma once
// A status window for the tests. Without snapping it keeps every value exactly; with
// snapping it behaves like a real window: positions to whole pixels, fonts to whole pixel
// heights at 96 DPI, and a frame that the client area loses.
#include <array>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/status_window.h"

namespace orvo::test {

class FakeStatusWindow : public platform::StatusWindow {
 public:
  struct Options {
    bool snaps = false;
    float frameTwips = 0;  // outer height less client height
    float clientWidth = 5670;
  };
  explicit FakeStatusWindow(Options o) : o_(o) {}

  float InnerWidth() const override { return o_.clientWidth; }
  float InnerHeight() const override { return outerHeight_ - o_.frameTwips; }
  void SetOuterHeight(float twips) override { outerHeights.push_back(outerHeight_ = Snap(twips)); }
  void SetMeasure(platform::StatusControl c, platform::Measure m, float twips) override {
    measures_[At(c)][static_cast<std::size_t>(m)] = Snap(twips);
  }
  float GetMeasure(platform::StatusControl c, platform::Measure m) const override {
    return measures_[At(c)][static_cast<std::size_t>(m)];
  }
  void SetFontSize(platform::StatusControl c, float points) override {
    if (failOnFont) throw std::runtime_error("no such font");
    fonts_[At(c)] = o_.snaps ? std::round(points * 96 / 72) * 72 / 96 : points;
  }
  float FontSize(platform::StatusControl c) const override { return fonts_[At(c)]; }
  void SetCaption(platform::StatusControl c, const std::string& text) override { captions_[At(c)] = text; }
  std::string Caption(platform::StatusControl c) const override { return captions_[At(c)]; }
  // Records the status line that each repaint shows.
  void Repaint() override {
    repaintedStatus.push_back(captions_[At(platform::StatusControl::Status)]);
    if (onRepaint) onRepaint();
  }
  void Show() override { visible_ = true; }
  bool Visible() const override { return visible_; }

  std::vector<std::string> repaintedStatus;
  std::vector<float> outerHeights;
  std::function<void()> onRepaint;
  bool failOnFont = false;

 private:
  static std::size_t At(platform::StatusControl c) { return static_cast<std::size_t>(c); }
  float Snap(float twips) const { return o_.snaps ? std::round(twips / 15) * 15 : twips; }

  Options o_;
  float outerHeight_ = 4560 + o_.frameTwips;
  bool visible_ = false;
  std::array<std::array<float, 4>, 4> measures_{};
  std::array<float, 4> fonts_{};
  std::array<std::string, 4> captions_;
};

}  // namespace orvo::test
