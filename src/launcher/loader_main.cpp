// The loader has no main routine of its own: loading the start-up form runs everything.
#include "launcher/frmIcon.h"

int RunLoader() {
  orvo::frmIcon form;
  form.Show();
  return 0;
}
