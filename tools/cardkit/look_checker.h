// The look check of a card's sources: mistakes the card would show without complaint, found
// while building and given as warnings with the source file and place. Frames whose colours
// will not fit their group's palette, frames with nothing transparent, half-transparent pixels,
// pictures whose transparent colour also stands inside them, a background picture smaller than
// the card, pictures and hot spots under the buttons, a message over a hot spot, and picture
// colours that the layout's palette lacks.
#pragma once

#include "layout/layout_file.h"
#include "tools/cardkit/diagnostics.h"
#include "tools/cardkit/frame_quantiser.h"
#include "tools/cardkit/rgba_image.h"

#include <optional>
#include <string>
#include <vector>

namespace card::kit {

struct SourcePicture {
  std::string file;    // "pictures/back.png"
  std::string bitmap;  // "back.bmp", the name the layout uses
  RgbaImage image;
};

struct MessagePlace {
  bool present = false;
  bool centred = false;
};

void CheckFrameLooks(const std::vector<FrameGroup>& groups, Diagnostics& out);
// `layout` is null when layout.txt did not parse; the checks that need it are left out.
void CheckPictureLooks(const std::vector<SourcePicture>& pictures, const LayoutFile* layout,
                       Diagnostics& out);
void CheckLayoutLooks(const LayoutFile& layout, const std::vector<SourcePicture>& pictures,
                      const MessagePlace& message, Diagnostics& out);

}  // namespace card::kit
