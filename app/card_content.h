// The two content files a card cannot be shown without, read from the current folder: the
// layout (Layout.txt, parsed) and the animation file (Card.FAS, mapped and checked). A missing
// or damaged one gives one sentence that names the file and what is wrong with it.
#pragma once

#include "animation/fas/fas_file.h"
#include "common/result.h"
#include "layout/layout_file.h"

#include <memory>

namespace card {

struct CardContent {
  LayoutFile layout;
  std::unique_ptr<FasFile> fas;
};

Result<CardContent> LoadCardContent();

}  // namespace card
