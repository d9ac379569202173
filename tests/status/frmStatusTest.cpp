// The Message property: loading on first use, the status line, the repaint after each change.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "FakeStatusWindow.h"
#include "platform/program_info.h"
#include "status/frmStatus.h"

namespace orvo {
namespace {

using test::FakeStatusWindow;

// Hands out snapping fake windows and keeps a pointer to each so that a test can look inside.
struct Windows {
  std::vector<FakeStatusWindow*> made;
  bool nextFails = false;
  frmStatus::WindowFactory Factory() {
    return [this] {
      auto w = std::make_unique<FakeStatusWindow>(FakeStatusWindow::Options{true, 30});
      w->failOnFont = std::exchange(nextFails, false);
      made.push_back(w.get());
      return w;
    };
  }
};

TEST(StatusMessage, EitherFirstUseLoadsAndLaysOutOnceWithoutShowing) {
  for (bool reading : {true, false}) {
    Windows windows;
    frmStatus form(windows.Factory());
    for (int use = 0; use < 2; ++use) reading ? (void)form.Message() : form.SetMessage("x");
    ASSERT_EQ(windows.made.size(), 1u);
    EXPECT_EQ(windows.made[0]->outerHeights.size(), 1u);
    EXPECT_EQ(windows.made[0]->Caption(platform::StatusControl::Title), StatusTitle(platform::Version()));
    EXPECT_FALSE(windows.made[0]->Visible());
    form.Show();
    EXPECT_TRUE(windows.made[0]->Visible());
  }
}

TEST(StatusMessage, ReadsBackWhatWasSetAndRepaintsAfterEachChange) {
  Windows windows;
  windows.nextFails = true;
  frmStatus form(windows.Factory());
  EXPECT_THROW(form.SetMessage("Indexing core.ini"), std::runtime_error);  // goes to the caller
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.Message(), "");  // the next use loads again
  form.SetMessage("Indexing core.ini");
  EXPECT_EQ(form.Message(), "Indexing core.ini");
  form.SetMessage("Indexing player.ini");
  form.SetMessage("");
  EXPECT_EQ(form.Message(), "");
  // The load routine's own repaint, then one per change, each showing the new text.
  EXPECT_EQ(windows.made.at(1)->repaintedStatus, (std::vector<std::string>{"", "Indexing core.ini", "Indexing player.ini", ""}));
  StatusWindow().SetMessage("Indexing core.ini");
  EXPECT_EQ(StatusWindow().Message(), "Indexing core.ini");
}

}  // namespace
}  // namespace orvo
