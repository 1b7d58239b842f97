// Feeds arbitrary messages to the card file naming. The first input byte says how many
// candidate names are taken already. The result must be the first free candidate, in the
// package's folder, named by letters and digits only (or "card"), with ".EXE" at the end; a
// device's name counts as taken without a look at the folder.
#include "content/windows_device_names.h"
#include "newcard/card_file_name.h"
#include "newcard/windows1252_codec.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool IsNameCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int taken = data[0] % 8;
  const std::string_view message(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string_view folder = "C:\\Cards\\";

  int asked = 0;
  const auto fileExists = [&](const std::string&) { return asked++ < taken; };
  const std::string path =
      card::MakeCardFileName(message, "C:\\Cards\\card.exe", card::Windows1252Codec(), fileExists);

  if (asked != taken + 1 || !path.starts_with(folder) || !path.ends_with(".EXE")) std::abort();
  std::string_view name(path);
  name.remove_prefix(folder.size());
  name.remove_suffix(4);
  const std::string_view base = name.substr(0, name.find('('));
  const int number = taken + (card::IsDeviceName(base) ? 1 : 0) + 1;  // 1: no number
  if (number > 1) {
    const std::string suffix = "(" + std::to_string(number) + ")";
    if (!name.ends_with(suffix)) std::abort();
    name.remove_suffix(suffix.size());
  }
  if (name == "card") return 0;
  if (name.empty() || name.size() > card::kMaxCardNameLength) std::abort();
  for (char c : name) {
    if (!IsNameCharacter(c)) std::abort();
  }
  return 0;
}
