// The table of what a card may carry (see card_file_types.h).
#include "content/card_file_types.h"

#include <algorithm>
#include <array>

namespace card {
namespace {

struct Extension {
  std::string_view extension;  // lower case, with its dot
  CardFileType type;
  std::string_view mediaType;  // for a type a hot spot may open
};

constexpr std::array<Extension, 11> kExtensions = {{
    {".txt", CardFileType::Text, "text/plain"},
    {".fas", CardFileType::Content, ""},
    {".was", CardFileType::Content, ""},
    {".bmp", CardFileType::Picture, "image/bmp"},
    {".mid", CardFileType::Content, ""},
    {".htm", CardFileType::Page, "text/html"},
    {".html", CardFileType::Page, "text/html"},
    {".css", CardFileType::Style, ""},
    {".png", CardFileType::Picture, "image/png"},
    {".gif", CardFileType::Picture, "image/gif"},
    {".jpg", CardFileType::Picture, "image/jpeg"},
}};

const Extension* Find(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return nullptr;
  std::string lowered(name.substr(dot));
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  const auto found = std::find_if(kExtensions.begin(), kExtensions.end(),
                                  [&](const Extension& e) { return e.extension == lowered; });
  return found == kExtensions.end() ? nullptr : &*found;
}

}  // namespace

CardFileType CardFileTypeOf(std::string_view name) {
  const Extension* found = Find(name);
  return found ? found->type : CardFileType::None;
}

bool MayOpen(CardFileType type) {
  return type == CardFileType::Text || type == CardFileType::Page ||
         type == CardFileType::Picture;
}

std::string_view MediaTypeOf(std::string_view name) {
  const Extension* found = Find(name);
  return found ? found->mediaType : std::string_view();
}

std::string CarriedExtensions() {
  std::string list;
  for (const Extension& e : kExtensions) {
    if (!list.empty()) list += ", ";
    list += e.extension;
  }
  return list;
}

}  // namespace card
