// Program entry of the loader on Windows: a GUI program without a console.
#include <windows.h>

int RunLoader();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunLoader(); }
