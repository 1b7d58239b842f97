// A small card for the card window's tests: a layout value and a checked Card.FAS, both made in
// memory.
#pragma once

#include "animation/fas/fas_file.h"
#include "layout/layout_file.h"

#include <memory>

namespace card::test {

// Title "Tiny card", sound and music off, no pictures, no hot spots, a three-entry palette.
LayoutFile TinyLayout();
// An 8 x 8 figure with one frame and the script "do".
std::unique_ptr<FasFile> TinyFas();

}  // namespace card::test
