// Stand-in for a companion program (the device list editor or the updater)
// until the real one is built. The program carries it and starts it exactly
// as it will carry and start the real one; the stand-in only leaves
// "<name>.started" in its working directory, so that a start can be seen,
// and ends.
#include <cstdio>
#include <string>

int main() {
  const std::string name = VANTRELL_COMPANION_NAME;
  if (std::FILE* marker = std::fopen((name + ".started").c_str(), "w")) {
    std::fprintf(marker, "%s stand-in started\n", name.c_str());
    std::fclose(marker);
  }
  std::fprintf(stderr, "%s: stand-in companion program, nothing to do yet\n", name.c_str());
  return 0;
}
