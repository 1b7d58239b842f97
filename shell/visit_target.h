// What "Visit Us" opens: the local page beside the card when it is there, our web page otherwise.
#pragma once

#include <string>

namespace card {

constexpr const char* kLocalVisitPage = ".\\zelk.htm";
constexpr const char* kWebVisitPage = "http://www.example.com/index_free.htm";

inline std::string VisitTarget(bool localPageExists) {
  return localPageExists ? kLocalVisitPage : kWebVisitPage;
}

}  // namespace card
