// The loader has no main routine of its own: loading the start-up form runs everything. Its
// exit status tells a script how the run went: 0 when the launch sequence reached its end,
// 1 when its handler took over, with one line on stderr naming the step (a program without
// a console, as the Windows loader is, shows it only where stderr is redirected).
#include <cstdio>
#include <string>

#include "launcher/frmIcon.h"

int RunLoader() {
  orvo::frmIcon form;
  form.Show();
  if (form.LaunchFailure().empty()) return 0;
  const std::string line = "orvo-loader: " + form.LaunchFailure() + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  return 1;
}
