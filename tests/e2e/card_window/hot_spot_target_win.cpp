// hot_spot_target.exe: the program a test card's hot spot opens. It leaves the file
// "hot-spot-opened.txt" beside itself holding its command line, which tells the test that the
// card ran it, and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string marker(path, length);
  marker = marker.substr(0, marker.find_last_of('\\') + 1) + "hot-spot-opened.txt";
  // Written under another name first, so the test never reads a half-written file.
  const std::string partial = marker + ".part";
  FILE* out = std::fopen(partial.c_str(), "w");
  if (!out) return 1;
  std::fputs(GetCommandLineA(), out);
  std::fclose(out);
  return MoveFileA(partial.c_str(), marker.c_str()) ? 0 : 1;
}
