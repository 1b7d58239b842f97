// `cardkit build`: turns a card source folder that a person writes by hand into the card folder
// the card reads, then checks the result.
//
//   SRC/layout.txt          Layout.txt, UTF-8, naming the .bmp files made from pictures/
//   SRC/message.txt         the message, UTF-8; a first line "@centred" centres it
//   SRC/scripts.txt         "name = script text" entries (see scripts_reader.h)
//   SRC/frames/<group>/<key>.png   the figure's frames, RGBA, all one size
//   SRC/sounds/<NAME>.wav   sound effects, any WAV; the clip is named NAME upper-cased
//   SRC/pictures/<name>.png pictures of the card; each becomes <name>.bmp
//   SRC/music.mid           the tune, copied as card.mid
//   SRC/files/...           copied into the card folder as they are
#pragma once

#include "tools/cardkit/diagnostics.h"

#include <filesystem>
#include <string>
#include <vector>

namespace card::kit {

// Builds SRC into OUT (created when missing) and checks OUT. Problems of the sources are named
// by their source file; problems the check finds in the scripts are named by their place in
// scripts.txt. Output files are written as far as the sources allow even when there are errors.
// `written`, when given, receives the names of the files written into OUT, in that order.
Diagnostics BuildCard(const std::filesystem::path& source, const std::filesystem::path& out,
                      std::vector<std::string>* written = nullptr);

}  // namespace card::kit
