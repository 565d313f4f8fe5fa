/* A program that runs for as many seconds as its argument says: a running
   program file for the tests that look for one. */
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv) {
  Sleep(argc > 1 ? (DWORD)atoi(argv[1]) * 1000 : 30000);
  return 0;
}
