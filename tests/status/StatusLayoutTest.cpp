// The status window's layout against windows that keep values exactly and windows that
// snap them to whole pixels, and against the platform's own window.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "FakeStatusWindow.h"
#include "status/StatusLayout.h"

namespace orvo {
namespace {

using platform::Measure;
using platform::StatusControl;
using test::FakeStatusWindow;

float Bottom(const platform::StatusWindow& w, StatusControl c) {
  return w.GetMeasure(c, Measure::Top) + w.GetMeasure(c, Measure::Height);
}

TEST(StatusLayout, FollowsTheStepsWithTheValuesTheControlsTook) {
  struct Case { const char* name; FakeStatusWindow::Options window; float picture, title, titleFont, creditsTop, credits, creditsFont, statusTop, status, statusFont; };
  // Worked by hand. In the snapping windows (1 pixel of frame above and below) the picture's
  // 283.5 pixels become 284, the title's 56.4 pixels 56, and the credits' 22.3 points a
  // 30-pixel 22.5.
  const Case cases[] = {{"Stored", {false, 0}, 4252.50098f, 850.5f, 34.525f, 910.5f, 1530.9f, 22.618f, 2501.4f, 1751.1f, 22.618f},
                        {"StoredFramed", {false, 90}, 4252.50098f, 832.5f, 33.625f, 892.5f, 1498.5f, 21.97f, 2451, 1711.5f, 21.97f},
                        {"StoredSnapped", {true, 30}, 4260, 840, 33.75f, 900, 1515, 22.5f, 2475, 1755, 22.5f},
                        {"NarrowSnapped", {true, 30, 3000}, 2250, 450, 14.25f, 510, 810, 8.25f, 1380, 840, 8.25f},
                        {"TinyGetsThreePoints", {false, 0, 900}, 675.000183f, 135, 3, 195, 243, 3, 498, 177.0002f, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeStatusWindow w(c.window);
    StatusLayout().Run(w, "Orvo+ 1.1.19");
    // Exactly: the window's literal 1.333333 and 4/3 differ by two units in the last place.
    EXPECT_EQ(w.GetMeasure(StatusControl::Picture, Measure::Height), c.picture);
    EXPECT_EQ(w.outerHeights, std::vector<float>{c.picture});
    for (auto control : {StatusControl::Picture, StatusControl::Title, StatusControl::Credits, StatusControl::Status})
      EXPECT_EQ(w.GetMeasure(control, Measure::Left) + w.GetMeasure(control, Measure::Width), c.window.clientWidth);
    const float got[] = {w.GetMeasure(StatusControl::Title, Measure::Height), w.FontSize(StatusControl::Title),
                         w.GetMeasure(StatusControl::Credits, Measure::Top), w.GetMeasure(StatusControl::Credits, Measure::Height),
                         w.FontSize(StatusControl::Credits), w.GetMeasure(StatusControl::Status, Measure::Top),
                         w.GetMeasure(StatusControl::Status, Measure::Height), w.FontSize(StatusControl::Status)};
    const float want[] = {c.title, c.titleFont, c.creditsTop, c.credits, c.creditsFont, c.statusTop, c.status, c.statusFont};
    for (std::size_t i = 0; i < std::size(want); ++i) EXPECT_NEAR(got[i], want[i], 0.002f) << "value " << i;  // a few ulps
    EXPECT_EQ(w.GetMeasure(StatusControl::Title, Measure::Top), 0);
    EXPECT_NEAR(Bottom(w, StatusControl::Status), w.InnerHeight(), 0.002f);
    EXPECT_EQ(w.Caption(StatusControl::Title) + "|" + w.Caption(StatusControl::Credits), "Orvo+ 1.1.19|" + std::string(kStatusCredits));
    EXPECT_EQ(w.repaintedStatus.size(), 1u);
    EXPECT_FALSE(w.Visible());
  }
  EXPECT_EQ(StatusTitle({2, 10, 105}), "Orvo+ 2.10.105");
}

TEST(StatusLayout, ARunFromItsOwnRepaintReturnsAtOnceAndAFailureLeavesLaterRunsWorking) {
  FakeStatusWindow w({}), broken({});
  StatusLayout layout;
  w.onRepaint = [&] { layout.Run(w, "again"); };
  layout.Run(w, "Orvo+ 1.1.19");
  EXPECT_EQ(w.outerHeights.size(), 1u);
  EXPECT_EQ(w.Caption(StatusControl::Title), "Orvo+ 1.1.19");
  broken.failOnFont = true;
  EXPECT_THROW(layout.Run(broken, "Orvo+ 1.1.19"), std::runtime_error);
  w.onRepaint = nullptr;
  layout.Run(w, "Orvo+ 1.1.19");
  EXPECT_EQ(w.repaintedStatus.size(), 2u);
}

// The platform's own window keeps the layout's promises whatever it snaps to.
TEST(StatusLayout, ThePlatformWindow) {
  auto w = platform::CreateStatusWindow();
  StatusLayout().Run(*w, "Orvo+ 1.1.19");
  const float pixel = 1440.0f / 72;  // one pixel at the lowest DPI a screen may have
  EXPECT_NEAR(w->GetMeasure(StatusControl::Picture, Measure::Width), w->InnerWidth(), pixel);
  EXPECT_NEAR(w->GetMeasure(StatusControl::Picture, Measure::Height), w->InnerWidth() / 1.333333f, pixel);
  EXPECT_NEAR(Bottom(*w, StatusControl::Status), w->InnerHeight(), pixel);
  EXPECT_NEAR(w->FontSize(StatusControl::Status), w->FontSize(StatusControl::Credits), 0.001f);
  EXPECT_EQ(w->Caption(StatusControl::Title), "Orvo+ 1.1.19");
  EXPECT_FALSE(w->Visible());
}

}  // namespace
}  // namespace orvo
