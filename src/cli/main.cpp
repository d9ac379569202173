// orvo: the INI engine and the common utilities from a shell or a batch file.
#include "cli/Run.h"

int main(int argc, char** argv) { return orvo::cli::Run(argc, argv); }
