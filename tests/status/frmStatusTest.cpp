// The Message property: loading on first use, the status line, the repaint after each change.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "FakeStatusWindow.h"
#include "platform/program_info.h"
#include "status/frmStatus.h"

namespace orvo {
namespace {

using platform::StatusControl;
using test::FakeStatusWindow;

// Hands out fake windows and keeps a pointer to each so the test can look inside.
struct Windows {
  std::vector<FakeStatusWindow*> made;
  bool nextFails = false;
  frmStatus::WindowFactory Factory() {
    return [this] {
      auto w = std::make_unique<FakeStatusWindow>(FakeStatusWindow::Options{.snaps = true, .frameTwips = 30});
      w->failOnFont = std::exchange(nextFails, false);
      made.push_back(w.get());
      return w;
    };
  }
};

// Each way of first touching the window loads it once, lays it out and leaves it hidden.
struct FirstUseCase {
  std::string name;
  void (*touch)(frmStatus&);
};
class StatusFirstUse : public testing::TestWithParam<FirstUseCase> {};

TEST_P(StatusFirstUse, LoadsAndLaysOutOnceWithoutShowing) {
  Windows windows;
  frmStatus form(windows.Factory());
  EXPECT_FALSE(form.Loaded());
  GetParam().touch(form);
  GetParam().touch(form);
  ASSERT_EQ(windows.made.size(), 1u);
  FakeStatusWindow& w = *windows.made[0];
  EXPECT_TRUE(form.Loaded());
  EXPECT_EQ(w.outerHeights.size(), 1u);
  EXPECT_EQ(w.Caption(StatusControl::Title), StatusTitle(platform::Version()));
  EXPECT_FALSE(w.Visible());
}

INSTANTIATE_TEST_SUITE_P(Status, StatusFirstUse,
                         testing::Values(FirstUseCase{"Reading", [](frmStatus& f) { (void)f.Message(); }},
                                         FirstUseCase{"Setting", [](frmStatus& f) { f.SetMessage("x"); }}),
                         [](const auto& info) { return info.param.name; });

TEST(StatusMessage, ReadsBackWhatWasSetAndRepaintsAfterEachChange) {
  Windows windows;
  frmStatus form(windows.Factory());
  EXPECT_EQ(form.Message(), "");
  form.SetMessage("Indexing core.ini");
  EXPECT_EQ(form.Message(), "Indexing core.ini");
  form.SetMessage("Indexing player.ini");
  form.SetMessage("");
  EXPECT_EQ(form.Message(), "");
  // The load routine's own repaint, then one per change, each showing the new text.
  const std::vector<std::string> expected = {"", "Indexing core.ini", "Indexing player.ini", ""};
  EXPECT_EQ(windows.made.at(0)->repaintedStatus, expected);
}

TEST(StatusMessage, ShowMakesTheWindowVisible) {
  Windows windows;
  frmStatus form(windows.Factory());
  form.Show();
  EXPECT_TRUE(windows.made.at(0)->Visible());
}

TEST(StatusMessage, AFailedLoadGoesToTheCallerAndTheNextUseLoadsAgain) {
  Windows windows;
  windows.nextFails = true;
  frmStatus form(windows.Factory());
  EXPECT_THROW(form.SetMessage("Indexing core.ini"), std::runtime_error);
  EXPECT_FALSE(form.Loaded());
  form.SetMessage("Indexing core.ini");
  ASSERT_EQ(windows.made.size(), 2u);
  EXPECT_EQ(form.Message(), "Indexing core.ini");
}

TEST(StatusMessage, TheProgramWideWindowKeepsTheMessage) {
  StatusWindow().SetMessage("Indexing core.ini");
  EXPECT_EQ(StatusWindow().Message(), "Indexing core.ini");
  EXPECT_EQ(&StatusWindow(), &StatusWindow());
}

}  // namespace
}  // namespace orvo
