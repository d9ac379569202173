#include "status/frmStatus.h"

#include <utility>

namespace orvo {
namespace {
StatusMessageObserver& Observer() {
  static StatusMessageObserver observer;
  return observer;
}
}  // namespace

StatusMessageObserver SetStatusMessageObserver(StatusMessageObserver observer) {
  return std::exchange(Observer(), std::move(observer));
}

frmStatus::frmStatus() : frmStatus(platform::CreateStatusWindow) {}

frmStatus::frmStatus(WindowFactory factory) : factory_(std::move(factory)) {}

platform::StatusWindow& frmStatus::Window() {
  if (!window_) {
    // The window counts as loaded while its layout runs (a repaint that reaches back here
    // finds it), but a window whose loading failed is dropped again.
    window_ = factory_();
    try {
      layout_.Run(*window_, StatusTitle(platform::Version()));
    } catch (...) {
      window_.reset();
      throw;
    }
  }
  return *window_;
}

std::string frmStatus::Message() { return Window().Caption(platform::StatusControl::Status); }

void frmStatus::SetMessage(const std::string& text) {
  platform::StatusWindow& window = Window();
  window.SetCaption(platform::StatusControl::Status, text);
  // At once, not at the next idle moment: the caller is usually in a long blocking step.
  window.Repaint();
  if (Observer()) Observer()(text);
}

void frmStatus::Show() { Window().Show(); }

frmStatus& StatusWindow() {
  static frmStatus window;
  return window;
}

}  // namespace orvo
