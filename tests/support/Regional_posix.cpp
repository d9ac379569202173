#include <cstdlib>

#include "support/Regional.h"

namespace orvo::test {

void SetDecimalSeparator(const std::string& separator) { ::setenv("LC_ALL", separator == "," ? "de_DE.UTF-8" : "C", 1); }

}  // namespace orvo::test
