// Parsing a bounds specification and resolving its corners against reference rectangles.
#include "animation/script/bounds_spec.h"

#include "animation/script/script_numbers.h"

#include <algorithm>
#include <limits>
#include <string>

namespace card {
namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// One corner as written: the offset, the two selectors and the two position letters.
struct Corner {
  Move offset;
  std::int32_t selectorX = 0;
  char horizontal = '\0';
  std::int32_t selectorY = 0;
  char vertical = '\0';
};

// Where the corner's selectors start (after its optional offset) and its parsed fields.
struct CornerParse {
  Corner corner;
  std::size_t selectorsAt = 0;
};

Failure Missing(char what) { return Fail(std::string("Bad syntax - missing '") + what + "'"); }

std::size_t SkipSpace(std::string_view token, std::size_t at) {
  while (at < token.size() && IsCSpace(token[at])) ++at;
  return at;
}

// The character at `at` (NUL past the end), and the index after it.
char TakeChar(std::string_view token, std::size_t& at) {
  if (at >= token.size()) return '\0';
  return token[at++];
}

Result<CornerParse> ParseCorner(std::string_view token, std::size_t at) {
  CornerParse parse;
  if (at < token.size() && token[at] == '[') {
    parse.corner.offset = ParseMove(token, at + 1);
    const std::size_t close = token.find(']', at);
    if (close == kNotFound) return Missing(']');
    at = close + 1;
  }
  parse.selectorsAt = at;
  const ParsedNumber sx = ParseSigned(token, at);
  at = sx.end;
  parse.corner.selectorX = sx.value;
  parse.corner.horizontal = TakeChar(token, at);
  const ParsedNumber sy = ParseSigned(token, at);
  at = sy.end;
  parse.corner.selectorY = sy.value;
  parse.corner.vertical = TakeChar(token, at);
  return parse;
}

class Resolver {
 public:
  explicit Resolver(const BoundsReferences& references) : references_(references) {}

  Result<std::int64_t> X(std::int32_t selector, char position) const {
    Result<Rect> r = Reference(selector);
    if (!r) return Failure{r.error()};
    if (position == 'l') return std::int64_t{r->left};
    if (position == 'c') return r->left + (std::int64_t{r->right} - r->left) / 2;
    return std::int64_t{r->right};
  }

  Result<std::int64_t> Y(std::int32_t selector, char position) const {
    Result<Rect> r = Reference(selector);
    if (!r) return Failure{r.error()};
    if (position == 't') return std::int64_t{r->top};
    if (position == 'm') return r->top + (std::int64_t{r->bottom} - r->top) / 2;
    return std::int64_t{r->bottom};
  }

 private:
  Result<Rect> Reference(std::int32_t selector) const {
    if (selector == 0) return references_.workArea();
    if (selector == 1) return Rect{0, 0, references_.viewWidth, references_.viewHeight};
    // Selector 10 names the first button, whose id is 1 (selector 1 is taken by the view).
    const int id = selector == 10 ? 1 : selector;
    if (std::optional<Rect> control = references_.control(id)) return *control;
    return Fail("Bad bounds - the card window has no control with id " + std::to_string(id));
  }

  const BoundsReferences& references_;
};

std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

Result<Rect> ParseBounds(std::string_view token, const BoundsReferences& references) {
  Result<CornerParse> first = ParseCorner(token, SkipSpace(token, 1));
  if (!first) return Failure{first.error()};
  const std::size_t comma = token.find(',', first->selectorsAt);
  if (comma == kNotFound) return Missing(',');
  Result<CornerParse> second = ParseCorner(token, SkipSpace(token, comma + 1));
  if (!second) return Failure{second.error()};

  const Resolver resolve(references);
  const Corner& a = first->corner;
  const Corner& b = second->corner;
  Result<std::int64_t> left = resolve.X(a.selectorX, a.horizontal);
  if (!left) return Failure{left.error()};
  Result<std::int64_t> top = resolve.Y(a.selectorY, a.vertical);
  if (!top) return Failure{top.error()};
  Result<std::int64_t> right = resolve.X(b.selectorX, b.horizontal);
  if (!right) return Failure{right.error()};
  Result<std::int64_t> bottom = resolve.Y(b.selectorY, b.vertical);
  if (!bottom) return Failure{bottom.error()};
  return Rect{Clamp32(*left + a.offset.dx), Clamp32(*top - a.offset.dy),
              Clamp32(*right + b.offset.dx), Clamp32(*bottom - b.offset.dy)};
}

}  // namespace card
