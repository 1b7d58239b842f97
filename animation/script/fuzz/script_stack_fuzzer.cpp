// Reads arbitrary text token by token. Besides the sanitizers' checks, every token must be
// exactly the text it removed: what was ahead is the token followed by what is left (a group
// removes only its opener, a sound group may turn its closer into the sound mark).
// Input: a flags byte (bit 0: a sound plays), then the script.
#include "animation/script/script_stack.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string WithoutLeadingSpaces(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool soundBusy = data[0] & 1;
  card::ScriptStack stack;
  Check(stack.PushFront({reinterpret_cast<const char*>(data + 1), size - 1}));
  for (;;) {
    const std::string ahead = WithoutLeadingSpaces(stack.Remaining());
    const card::Token token = stack.NextToken(soundBusy);
    const std::string left = stack.Remaining();
    switch (token.kind) {
      case card::TokenKind::End:
        Check(left.empty());
        return 0;
      case card::TokenKind::Wait:
        Check(soundBusy && left == ahead && ahead.rfind("(!", 0) == 0);
        return 0;  // a waiting step reads nothing more
      case card::TokenKind::Group:
        Check(left == ahead.substr(1) && ahead.compare(0, token.text.size(), token.text) == 0);
        break;
      case card::TokenKind::SoundGroup:
        Check(!soundBusy && left.size() + 1 == ahead.size());
        Check(token.text.empty() || (token.text.rfind("(!", 0) == 0 &&
                                     left.compare(0, token.text.size() - 1, token.text, 1) == 0));
        break;
      default:
        Check(!token.text.empty() && ahead == token.text + left);
        break;
    }
  }
}
