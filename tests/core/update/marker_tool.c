/* A companion tool for the update tests on Windows, where a started tool must
   be an executable image: started, it leaves the file named on the last
   "marker: " line of its own file (text after the image, which the loader
   ignores) in its working directory. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static char* ReadOwnFile(long* size) {
  wchar_t self[MAX_PATH];
  if (GetModuleFileNameW(NULL, self, MAX_PATH) == 0) return NULL;
  FILE* in = _wfopen(self, L"rb");
  if (in == NULL) return NULL;
  fseek(in, 0, SEEK_END);
  *size = ftell(in);
  fseek(in, 0, SEEK_SET);
  char* bytes = malloc((size_t)*size + 1);
  if (bytes != NULL && fread(bytes, 1, (size_t)*size, in) != (size_t)*size) *size = 0;
  fclose(in);
  return bytes;
}

int main(void) {
  static const char kTag[] = "\nmarker: ";
  long size = 0;
  char* bytes = ReadOwnFile(&size);
  if (bytes == NULL) return 1;
  const char* name = NULL;
  for (long i = 0; i + (long)sizeof(kTag) - 1 <= size; ++i) {
    if (memcmp(bytes + i, kTag, sizeof(kTag) - 1) == 0) name = bytes + i + sizeof(kTag) - 1;
  }
  if (name == NULL) return 1;
  char marker[MAX_PATH] = "";
  size_t length = 0;
  while (name + length < bytes + size && name[length] != '\n' && length + 1 < sizeof(marker)) ++length;
  memcpy(marker, name, length);
  FILE* out = fopen(marker, "w");
  if (out == NULL) return 1;
  fputs("started\n", out);
  fclose(out);
  free(bytes);
  return 0;
}
