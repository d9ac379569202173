#pragma once
// A status window for the layout tests. It records what is set and can snap like a real
// window: positions to whole pixels (twipsPerPixel), fonts to whole pixel heights at 96
// DPI, and a frame that the client area loses. Without snapping it keeps values exactly.
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/status_window.h"

namespace orvo::test {

class FakeStatusWindow : public platform::StatusWindow {
 public:
  struct Options {
    bool snaps = false;
    float twipsPerPixel = 15;
    float frameTwips = 0;  // outer height less client height
    float clientWidth = 5670;
    float clientHeight = 4560;
  };
  explicit FakeStatusWindow(Options o) : o_(o), outerHeight_(o.clientHeight + o.frameTwips) {}

  float InnerWidth() const override { return o_.clientWidth; }
  float InnerHeight() const override { return outerHeight_ - o_.frameTwips; }
  void SetOuterHeight(float twips) override {
    outerHeight_ = Snap(twips);
    outerHeights.push_back(outerHeight_);
  }
  float OuterHeight() const { return outerHeight_; }

  void SetMeasure(platform::StatusControl c, platform::Measure m, float twips) override {
    measures_[Index(c)][static_cast<std::size_t>(m)] = Snap(twips);
  }
  float GetMeasure(platform::StatusControl c, platform::Measure m) const override {
    return measures_[Index(c)][static_cast<std::size_t>(m)];
  }
  void SetFontSize(platform::StatusControl c, float points) override {
    if (failOnFont) throw std::runtime_error("no such font");
    fonts_[Index(c)] = o_.snaps ? std::round(points * 96 / 72) * 72 / 96 : points;
  }
  float FontSize(platform::StatusControl c) const override { return fonts_[Index(c)]; }
  void SetCaption(platform::StatusControl c, const std::string& text) override { captions_[Index(c)] = text; }
  std::string Caption(platform::StatusControl c) const override { return captions_[Index(c)]; }

  // Records the status line that each repaint shows.
  void Repaint() override {
    repaintedStatus.push_back(captions_[Index(platform::StatusControl::Status)]);
    if (onRepaint) onRepaint();
  }
  void Show() override { visible_ = true; }
  bool Visible() const override { return visible_; }

  std::vector<std::string> repaintedStatus;
  std::vector<float> outerHeights;
  std::function<void()> onRepaint;
  bool failOnFont = false;

 private:
  static std::size_t Index(platform::StatusControl c) { return static_cast<std::size_t>(c); }
  float Snap(float twips) const { return o_.snaps ? std::round(twips / o_.twipsPerPixel) * o_.twipsPerPixel : twips; }

  Options o_;
  float outerHeight_;
  bool visible_ = false;
  std::array<std::array<float, 4>, 4> measures_{};
  std::array<float, 4> fonts_{};
  std::array<std::string, 4> captions_;
};

}  // namespace orvo::test
