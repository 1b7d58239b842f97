// Whole-file read through the C library, so the same code serves card.exe and the tools and
// no stream exception (a folder given as the path) can escape.
#include "layout/layout_reader.h"

#include <cstdio>
#include <memory>

namespace card {

std::string ReadLayoutText(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (!file) return {};
  std::string text;
  char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) text.append(chunk, got);
  if (std::ferror(file.get())) return {};
  return text;
}

}  // namespace card
