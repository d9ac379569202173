// Program entry of the loader on POSIX.
int RunLoader();

int main() { return RunLoader(); }
