// cardkit web DIR OUT.html: the built card folder as one HTML file that plays the card in any
// current browser, offline. The card is checked first, and a card with errors is refused.
#include "tools/cardkit/commands.h"

#include "card/card_files.h"
#include "card/card_folder.h"
#include "content/content_file_names.h"
#include "tools/cardkit/card_checker.h"
#include "tools/cardkit/carried_files.h"
#include "tools/cardkit/file_io.h"
#include "tools/cardkit/web_music.h"
#include "tools/cardkit/web_page.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#ifndef CARD_WEB_ASSETS
#define CARD_WEB_ASSETS ""
#endif

namespace card::kit {
namespace {

namespace fs = std::filesystem;

struct WebOptions {
  std::string folder;
  std::string output;
  std::string assets = CARD_WEB_ASSETS;
  std::string soundfont = kGeneralMidiSoundfont;
  std::string font = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf";
};

// The tune, when the layout plays one and the folder has it.
Result<std::vector<std::uint8_t>> Music(const WebOptions& options) {
  const auto midiPath = FindCardFile(options.folder, kMusicFile);
  auto layout = LoadLayout(options.folder);
  if (!midiPath || !layout || layout->settings.musicOn == 0) return std::vector<std::uint8_t>{};
  auto midi = ReadWholeFile(*midiPath);
  if (!midi) return Failure{midi.error()};
  return RenderMusicMp3(*midi, options.soundfont);
}

Status MakeWebPage(const WebOptions& options) {
  Diagnostics diagnostics = CheckCardFolder(options.folder);
  CheckNoLinks(options.folder, diagnostics);
  if (!diagnostics.All().empty()) PrintDiagnostics(diagnostics, std::cerr);
  if (diagnostics.HasErrors()) {
    return Fail("The card has errors, so no web page was made; `cardkit check` shows them too.");
  }
  if (options.assets.empty()) return Fail("--assets wants the folder of the page's parts.");
  auto parts = ReadWebPageParts(options.assets, options.font);
  if (!parts) return Failure{parts.error()};
  auto card = GatherWebPageCard(options.folder);
  if (!card) return Failure{card.error()};
  auto music = Music(options);
  if (!music) return Failure{music.error()};
  card->music = std::move(music).value();
  auto page = AssembleWebPage(*parts, *card);
  if (!page) return Failure{page.error()};
  return WriteWholeFile(options.output, std::vector<std::uint8_t>(page->begin(), page->end()));
}

}  // namespace

void AddWebCommand(CLI::App& app) {
  auto options = std::make_shared<WebOptions>();
  auto* command = app.add_subcommand(
      "web", "Make one self-contained HTML file that plays the card in a browser");
  command->add_option("DIR", options->folder, "the built card folder")
      ->required()
      ->check(CLI::ExistingDirectory);
  command->add_option("OUT", options->output, "the HTML file to write")->required();
  command->add_option("--assets", options->assets,
                      "the folder of the page's template, script, style and engine")
      ->capture_default_str();
  command->add_option("--soundfont", options->soundfont, "the General MIDI soundfont")
      ->capture_default_str();
  command->add_option("--font", options->font, "the message font (OpenType)")
      ->capture_default_str();
  command->callback([options] {
    const Status status = MakeWebPage(*options);
    if (!status) {
      std::cerr << status.error() << '\n';
      throw CommandFailed();
    }
    std::cout << options->output << ": " << fs::file_size(options->output) << " bytes\n";
  });
}

}  // namespace card::kit
