// The status window's layout against windows that keep values exactly and windows that
// snap them to whole pixels.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "FakeStatusWindow.h"
#include "platform/status_window.h"
#include "status/StatusLayout.h"

namespace orvo {
namespace {

using platform::Measure;
using platform::StatusControl;
using test::FakeStatusWindow;

struct LayoutCase {
  std::string name;
  FakeStatusWindow::Options window;
  float pictureHeight;
  float titleHeight, titleFont;
  float creditsTop, creditsHeight, creditsFont;
  float statusTop, statusHeight, statusFont;
};
class StatusLayoutNumbers : public testing::TestWithParam<LayoutCase> {};

// Values that went through single-precision arithmetic only need to agree to a few ulps.
constexpr float kTol = 0.002f;

TEST_P(StatusLayoutNumbers, FollowTheStepsWithTheValuesTheControlsTook) {
  const LayoutCase& c = GetParam();
  FakeStatusWindow w(c.window);
  StatusLayout().Run(w, "Orvo+ 1.1.19");
  const float width = c.window.clientWidth;

  EXPECT_EQ(w.GetMeasure(StatusControl::Picture, Measure::Left), 0);
  EXPECT_EQ(w.GetMeasure(StatusControl::Picture, Measure::Top), 0);
  EXPECT_EQ(w.GetMeasure(StatusControl::Picture, Measure::Width), width);
  EXPECT_NEAR(w.GetMeasure(StatusControl::Picture, Measure::Height), c.pictureHeight, kTol);
  ASSERT_EQ(w.outerHeights.size(), 1u);
  EXPECT_NEAR(w.OuterHeight(), c.pictureHeight, kTol);

  for (auto label : {StatusControl::Title, StatusControl::Credits, StatusControl::Status}) {
    EXPECT_EQ(w.GetMeasure(label, Measure::Left), 0);
    EXPECT_EQ(w.GetMeasure(label, Measure::Width), width);
  }
  EXPECT_EQ(w.GetMeasure(StatusControl::Title, Measure::Top), 0);
  EXPECT_NEAR(w.GetMeasure(StatusControl::Title, Measure::Height), c.titleHeight, kTol);
  EXPECT_NEAR(w.FontSize(StatusControl::Title), c.titleFont, kTol);
  EXPECT_NEAR(w.GetMeasure(StatusControl::Credits, Measure::Top), c.creditsTop, kTol);
  EXPECT_NEAR(w.GetMeasure(StatusControl::Credits, Measure::Height), c.creditsHeight, kTol);
  EXPECT_NEAR(w.FontSize(StatusControl::Credits), c.creditsFont, kTol);
  EXPECT_NEAR(w.GetMeasure(StatusControl::Status, Measure::Top), c.statusTop, kTol);
  EXPECT_NEAR(w.GetMeasure(StatusControl::Status, Measure::Height), c.statusHeight, kTol);
  EXPECT_NEAR(w.FontSize(StatusControl::Status), c.statusFont, kTol);

  // The status line reaches down to the bottom of the client area.
  EXPECT_NEAR(w.GetMeasure(StatusControl::Status, Measure::Top) + w.GetMeasure(StatusControl::Status, Measure::Height),
              w.InnerHeight(), kTol);
  EXPECT_EQ(w.Caption(StatusControl::Title), "Orvo+ 1.1.19");
  EXPECT_EQ(w.Caption(StatusControl::Credits), kStatusCredits);
  EXPECT_EQ(w.repaintedStatus.size(), 1u);
  EXPECT_FALSE(w.Visible());
}

FakeStatusWindow::Options Exact(float width, float frame) {
  return {.snaps = false, .frameTwips = frame, .clientWidth = width};
}
FakeStatusWindow::Options Snapping(float width, float frame, float twipsPerPixel = 15) {
  return {.snaps = true, .twipsPerPixel = twipsPerPixel, .frameTwips = frame, .clientWidth = width};
}

// Worked by hand from the stored width 5670 and others. In the snapping windows the
// picture's 283.5 pixels become 284, the title's 56.4 pixels 56, the credits' font of
// 22.3 points a 30-pixel 22.5: a layout that used what it asked for instead of what the
// control took would miss these.
INSTANTIATE_TEST_SUITE_P(
    Status, StatusLayoutNumbers,
    testing::Values(
        LayoutCase{"StoredWidthNoFrame", Exact(5670, 0), 4252.501f, 850.5f, 34.525f, 910.5f, 1530.9f, 22.618f,
                   2501.4f, 1751.1f, 22.618f},
        LayoutCase{"StoredWidthWithFrame", Exact(5670, 90), 4252.501f, 832.5f, 33.625f, 892.5f, 1498.5f, 21.97f,
                   2451.0f, 1711.5f, 21.97f},
        LayoutCase{"StoredWidthSnapped", Snapping(5670, 30), 4260, 840, 33.75f, 900, 1515, 22.5f, 2475, 1755, 22.5f},
        LayoutCase{"NarrowSnapped", Snapping(3000, 30), 2250, 450, 14.25f, 510, 810, 8.25f, 1380, 840, 8.25f},
        LayoutCase{"TinyGetsThreePoints", Exact(900, 0), 675.0002f, 135, 3, 195, 243, 3, 498, 177.0002f, 3}),
    [](const auto& info) { return info.param.name; });

struct TitleCase {
  std::string name;
  platform::ProgramVersion version;
  std::string expected;
};
class StatusTitleText : public testing::TestWithParam<TitleCase> {};

TEST_P(StatusTitleText, IsPlainDecimalsWithPoints) {
  EXPECT_EQ(StatusTitle(GetParam().version), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Status, StatusTitleText,
                         testing::Values(TitleCase{"ThisProgram", {1, 1, 19}, "Orvo+ 1.1.19"},
                                         TitleCase{"Zeros", {0, 0, 0}, "Orvo+ 0.0.0"},
                                         TitleCase{"NoLeadingZeros", {2, 10, 105}, "Orvo+ 2.10.105"}),
                         [](const auto& info) { return info.param.name; });

TEST(StatusLayout, ARunReachedFromItsOwnRepaintReturnsAtOnce) {
  FakeStatusWindow w(Exact(5670, 0));
  StatusLayout layout;
  int nested = 0;
  w.onRepaint = [&] {
    if (nested++ == 0) layout.Run(w, "again");
  };
  layout.Run(w, "Orvo+ 1.1.19");
  EXPECT_EQ(w.outerHeights.size(), 1u);
  EXPECT_EQ(w.Caption(StatusControl::Title), "Orvo+ 1.1.19");
}

TEST(StatusLayout, AFailureGoesToTheCallerAndALaterRunStillWorks) {
  StatusLayout layout;
  FakeStatusWindow broken(Exact(5670, 0));
  broken.failOnFont = true;
  EXPECT_THROW(layout.Run(broken, "Orvo+ 1.1.19"), std::runtime_error);
  FakeStatusWindow good(Exact(5670, 0));
  layout.Run(good, "Orvo+ 1.1.19");
  EXPECT_EQ(good.repaintedStatus.size(), 1u);
}

// The platform's own window: the layout's promises hold whatever it snaps to.
TEST(StatusLayout, ThePlatformWindowKeepsTheLayoutsPromises) {
  auto w = platform::CreateStatusWindow();
  ASSERT_NE(w, nullptr);
  StatusLayout().Run(*w, "Orvo+ 1.1.19");
  const float pixel = 1440.0f / 72;  // one pixel at the lowest DPI a window may have
  EXPECT_NEAR(w->GetMeasure(StatusControl::Picture, Measure::Width), w->InnerWidth(), pixel);
  EXPECT_NEAR(w->GetMeasure(StatusControl::Picture, Measure::Height),
              w->GetMeasure(StatusControl::Picture, Measure::Width) / 1.333333f, pixel);
  EXPECT_NEAR(w->GetMeasure(StatusControl::Status, Measure::Top) + w->GetMeasure(StatusControl::Status, Measure::Height),
              w->InnerHeight(), pixel);
  EXPECT_GT(w->FontSize(StatusControl::Title), 3.0f);
  EXPECT_EQ(w->Caption(StatusControl::Title), "Orvo+ 1.1.19");
  EXPECT_FALSE(w->Visible());
}

}  // namespace
}  // namespace orvo
