// Message-sequence checks for window tests: a window records the messages it is given, and the
// record is compared with an expected table in which some entries may be optional.
#pragma once

#include "framework/message_names_win.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace card::test {

struct Expected {
  UINT msg;
  bool optional = false;
};

// "" when `actual`, reduced to the messages the table names, follows the table; otherwise a
// readable account of the first difference.
inline std::string CompareSequence(const std::vector<UINT>& actual,
                                   const std::vector<Expected>& expected) {
  std::vector<UINT> seen;
  for (UINT msg : actual) {
    if (std::any_of(expected.begin(), expected.end(), [&](const Expected& e) { return e.msg == msg; }))
      seen.push_back(msg);
  }
  auto describe = [&] {
    std::string text = "\n  got:";
    for (UINT msg : seen) text += " " + MessageName(msg);
    text += "\n  expected:";
    for (const Expected& e : expected) text += " " + MessageName(e.msg) + (e.optional ? "?" : "");
    return text;
  };
  size_t i = 0;
  for (const Expected& e : expected) {
    if (i < seen.size() && seen[i] == e.msg) {
      ++i;
    } else if (!e.optional) {
      return "missing " + MessageName(e.msg) + describe();
    }
  }
  if (i != seen.size()) return "unexpected " + MessageName(seen[i]) + describe();
  return "";
}

}  // namespace card::test
