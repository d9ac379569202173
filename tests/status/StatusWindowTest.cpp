// The status window: its layout against fake windows that keep values exactly or snap them
// to whole pixels, and against the platform's own window; then the Message property.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <stdexcept>

#include "platform/program_info.h"
#include "platform/status_window.h"
#include "status/StatusLayout.h"
#include "status/frmStatus.h"

namespace orvo {
namespace {

using platform::Measure;
using Control = platform::StatusControl;

// Snapping behaves like a real window: positions to whole pixels, fonts to whole pixel
// heights at 96 DPI, and a frame (outer less client height) that the client area loses.
class FakeStatusWindow : public platform::StatusWindow {
 public:
  struct Options { bool snaps = false; float frameTwips = 0, clientWidth = 5670; };
  explicit FakeStatusWindow(Options o) : o_(o) {
    for (auto& control : measures_) control.fill(7);  // a form-designer position the layout must overwrite
  }

  float InnerWidth() const override { return o_.clientWidth; }
  float InnerHeight() const override { return outerHeight_ - o_.frameTwips; }
  void SetOuterHeight(float twips) override { outerHeights.push_back(outerHeight_ = Snap(twips)); }
  void SetMeasure(Control c, Measure m, float twips) override { measures_[At(c)][static_cast<std::size_t>(m)] = Snap(twips); }
  float GetMeasure(Control c, Measure m) const override { return measures_[At(c)][static_cast<std::size_t>(m)]; }
  void SetFontSize(Control c, float points) override {
    if (failOnFont) throw std::runtime_error("no such font");
    fonts_[At(c)] = o_.snaps ? std::round(points * 96 / 72) * 72 / 96 : points;
  }
  float FontSize(Control c) const override { return fonts_[At(c)]; }
  void SetCaption(Control c, const std::string& text) override { captions_[At(c)] = text; }
  std::string Caption(Control c) const override { return captions_[At(c)]; }
  void Repaint() override { repaintedStatus.push_back(captions_[At(Control::Status)]); }
  void Show() override { visible_ = true; }
  bool Visible() const override { return visible_; }

  std::vector<std::string> repaintedStatus;  // the status line that each repaint showed
  std::vector<float> outerHeights;
  bool failOnFont = false;

 private:
  static std::size_t At(Control c) { return static_cast<std::size_t>(c); }
  float Snap(float twips) const { return o_.snaps ? std::round(twips / 15) * 15 : twips; }

  Options o_;
  float outerHeight_ = 4560 + o_.frameTwips;
  bool visible_ = false;
  std::array<std::array<float, 4>, 4> measures_{};
  std::array<float, 4> fonts_{};
  std::array<std::string, 4> captions_;
};

float Bottom(const platform::StatusWindow& w, Control c) {
  return w.GetMeasure(c, Measure::Top) + w.GetMeasure(c, Measure::Height);
}

TEST(StatusLayout, FollowsTheStepsWithTheValuesTheControlsTook) {
  // Worked by hand: the picture's height, then the title's height and font, the credits' and the status line's top,
  // height and font. Snapped (1 pixel of frame above and below) the picture's 283.5 pixels become 284, the title's
  // 56.4 pixels 56, and the credits' 22.3 points a 30-pixel 22.5.
  struct Case { const char* name; FakeStatusWindow::Options window; float picture; std::array<float, 8> rest; };
  const Case cases[] = {{"Stored", {false, 0}, 4252.50098f, {850.5f, 34.525f, 910.5f, 1530.9f, 22.618f, 2501.4f, 1751.1f, 22.618f}},
                        {"StoredSnapped", {true, 30}, 4260, {840, 33.75f, 900, 1515, 22.5f, 2475, 1755, 22.5f}},
                        {"TinyGetsThreePoints", {false, 0, 900}, 675.000183f, {135, 3, 195, 243, 3, 498, 177.0002f, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeStatusWindow w(c.window);
    StatusLayout().Run(w, "Orvo+ 1.1.19");
    // Exactly: the window's literal 1.333333 and 4/3 differ by two units in the last place.
    EXPECT_EQ(w.outerHeights, std::vector<float>{c.picture});
    EXPECT_EQ(w.GetMeasure(Control::Picture, Measure::Height), c.picture);
    for (auto control : {Control::Picture, Control::Title, Control::Credits, Control::Status})
      EXPECT_EQ(w.GetMeasure(control, Measure::Left) + w.GetMeasure(control, Measure::Width), c.window.clientWidth);
    const float got[] = {w.GetMeasure(Control::Title, Measure::Height), w.FontSize(Control::Title),
                         w.GetMeasure(Control::Credits, Measure::Top), w.GetMeasure(Control::Credits, Measure::Height),
                         w.FontSize(Control::Credits), w.GetMeasure(Control::Status, Measure::Top),
                         w.GetMeasure(Control::Status, Measure::Height), w.FontSize(Control::Status)};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_NEAR(got[i], c.rest[i], 0.002f) << "value " << i;  // a few ulps
    for (auto control : {Control::Picture, Control::Title}) EXPECT_EQ(w.GetMeasure(control, Measure::Top), 0);
    EXPECT_NEAR(Bottom(w, Control::Status), w.InnerHeight(), 0.002f);
    EXPECT_EQ(w.Caption(Control::Title) + "|" + w.Caption(Control::Credits), "Orvo+ 1.1.19|" + std::string(kStatusCredits));
    EXPECT_EQ(w.repaintedStatus.size(), 1u);
    EXPECT_FALSE(w.Visible());
  }
  EXPECT_EQ(StatusTitle({2, 10, 105}), "Orvo+ 2.10.105");
}

// The platform's own window keeps the layout's promises whatever it snaps to.
TEST(StatusLayout, ThePlatformWindow) {
  auto w = platform::CreateStatusWindow();
  StatusLayout().Run(*w, "Orvo+ 1.1.19");
  const float pixel = 1440.0f / 72;  // one pixel at the lowest DPI a screen may have
  EXPECT_NEAR(w->GetMeasure(Control::Picture, Measure::Height), w->InnerWidth() / 1.333333f, pixel);
  EXPECT_NEAR(Bottom(*w, Control::Status), w->InnerHeight(), pixel);
  EXPECT_NEAR(w->FontSize(Control::Status), w->FontSize(Control::Credits), 0.001f);
  EXPECT_EQ(w->Caption(Control::Title), "Orvo+ 1.1.19");
  EXPECT_FALSE(w->Visible());
}

// The first use loads and lays out once without showing; a load that fails goes to the
// caller and the next use loads again; each change repaints at once.
TEST(StatusMessage, LoadsOnFirstUseReadsBackWhatWasSetAndRepaintsAfterEachChange) {
  std::vector<FakeStatusWindow*> made;
  frmStatus form([&] {
    auto w = std::make_unique<FakeStatusWindow>(FakeStatusWindow::Options{true, 30});
    w->failOnFont = made.empty();
    made.push_back(w.get());
    return w;
  });
  EXPECT_THROW(form.SetMessage("Indexing core.ini"), std::runtime_error);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.Message(), "");
  form.SetMessage("Indexing core.ini");
  EXPECT_EQ(form.Message(), "Indexing core.ini");
  form.SetMessage("Indexing player.ini");
  form.SetMessage("");
  EXPECT_EQ(form.Message(), "");
  ASSERT_EQ(made.size(), 2u);
  EXPECT_EQ(made[1]->outerHeights.size(), 1u);
  EXPECT_EQ(made[1]->Caption(Control::Title), StatusTitle(platform::Version()));
  // The load routine's own repaint, then one per change, each showing the new text.
  EXPECT_EQ(made[1]->repaintedStatus, (std::vector<std::string>{"", "Indexing core.ini", "Indexing player.ini", ""}));
  EXPECT_FALSE(made[1]->Visible());
  form.Show();
  EXPECT_TRUE(made[1]->Visible());
}

}  // namespace
}  // namespace orvo
