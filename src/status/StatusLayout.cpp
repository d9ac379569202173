#include "status/StatusLayout.h"

namespace orvo {
namespace {

using platform::Measure;
using platform::StatusControl;

// The picture keeps the 800 x 600 image's proportions; the literal is the one the window
// has always used, not 4/3.
constexpr float kPictureRatio = 1.333333f;
constexpr float kTitleShare = 0.2f;
constexpr float kCreditsToTitle = 1.8f;
constexpr float kCreditsFontShare = 0.4f;
constexpr float kLabelGap = 60;  // twips between title, credits and status

class RunningMark {
 public:
  explicit RunningMark(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningMark() { flag_ = false; }
  RunningMark(const RunningMark&) = delete;
  RunningMark& operator=(const RunningMark&) = delete;

 private:
  bool& flag_;
};

}  // namespace

std::string StatusTitle(const platform::ProgramVersion& version) {
  return "Orvo+ " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.revision);
}

void StatusLayout::Run(platform::StatusWindow& w, const std::string& title) const {
  if (running_) return;
  RunningMark mark(running_);
  const auto get = [&](StatusControl c, Measure m) { return w.GetMeasure(c, m); };

  w.SetMeasure(StatusControl::Picture, Measure::Top, 0);
  w.SetMeasure(StatusControl::Picture, Measure::Left, 0);
  w.SetMeasure(StatusControl::Picture, Measure::Width, w.InnerWidth());
  w.SetMeasure(StatusControl::Picture, Measure::Height, get(StatusControl::Picture, Measure::Width) / kPictureRatio);

  // From here on the inner height is the picture's height less the window's frame.
  w.SetOuterHeight(get(StatusControl::Picture, Measure::Height));

  w.SetMeasure(StatusControl::Title, Measure::Top, 0);
  w.SetMeasure(StatusControl::Title, Measure::Left, 0);
  w.SetMeasure(StatusControl::Title, Measure::Width, w.InnerWidth());
  w.SetMeasure(StatusControl::Title, Measure::Height, w.InnerHeight() * kTitleShare);
  const float titleHeight = get(StatusControl::Title, Measure::Height);
  w.SetFontSize(StatusControl::Title, common_.RightFontSize(titleHeight));
  w.SetCaption(StatusControl::Title, title);

  w.SetMeasure(StatusControl::Credits, Measure::Top, get(StatusControl::Title, Measure::Top) + titleHeight + kLabelGap);
  w.SetMeasure(StatusControl::Credits, Measure::Left, 0);
  w.SetMeasure(StatusControl::Credits, Measure::Width, w.InnerWidth());
  w.SetMeasure(StatusControl::Credits, Measure::Height, titleHeight * kCreditsToTitle);
  const float creditsHeight = get(StatusControl::Credits, Measure::Height);
  w.SetFontSize(StatusControl::Credits, common_.RightFontSize(creditsHeight * kCreditsFontShare));
  w.SetCaption(StatusControl::Credits, kStatusCredits);

  const float statusTop = get(StatusControl::Credits, Measure::Top) + creditsHeight + kLabelGap;
  w.SetMeasure(StatusControl::Status, Measure::Top, statusTop);
  w.SetMeasure(StatusControl::Status, Measure::Left, 0);
  w.SetMeasure(StatusControl::Status, Measure::Width, w.InnerWidth());
  w.SetMeasure(StatusControl::Status, Measure::Height, w.InnerHeight() - get(StatusControl::Status, Measure::Top));
  w.SetFontSize(StatusControl::Status, w.FontSize(StatusControl::Credits));

  w.Repaint();
}

}  // namespace orvo
