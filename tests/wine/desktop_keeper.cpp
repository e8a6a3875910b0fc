// Keeps the desktop of a Wine test session alive.
//
// Wine starts its desktop process (explorer.exe) from the first program that
// needs the desktop, and that process inherits the program's standard output
// and error. When the last program on the desktop ends, the desktop process
// lingers for several seconds before it quits, and CTest, which reads a
// test's output until every writer has closed it, waits with it: every GUI
// test took about ten seconds longer than its work. session.sh starts this
// program once, with its output going to a file: it starts the desktop
// itself and stays on it, so every test finds the desktop running and is
// over as soon as its program ends.

#include <windows.h>

#include <cstdio>

int main() {
  if (GetDesktopWindow() == nullptr) {
    std::fprintf(stderr, "desktop_keeper: no desktop window\n");
    return 1;
  }
  // session.sh waits for this line before it runs the tests.
  std::printf("ready\n");
  std::fflush(stdout);
  Sleep(INFINITE);
  return 0;
}
