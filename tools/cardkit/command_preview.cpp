// cardkit preview DIR OUT.gif [--card OUT.png]: an animated GIF of one run of the card's script,
// ten frames a second, the figure over a plain backdrop that stands for the desktop; and, on
// request, the card window as it shows after the run.
#include "tools/cardkit/commands.h"

#include "card/card_folder.h"
#include "tools/cardkit/card_window_preview.h"
#include "tools/cardkit/file_io.h"
#include "tools/cardkit/png_writer.h"
#include "tools/cardkit/preview_renderer.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

namespace card::kit {
namespace {

struct PreviewArguments {
  std::string folder;
  std::string out;
  std::string size = "800x600";
  std::string backdrop = "58,110,165";
  std::string at = "0,0";
  std::string card;  // the card window's PNG; empty for none
  PreviewOptions options;
};

// Fills the options from their text forms; false, having said why, when one does not parse.
bool ParseArguments(PreviewArguments& arguments) {
  char end = 0;
  int r = 0, g = 0, b = 0;
  if (std::sscanf(arguments.size.c_str(), "%dx%d%c", &arguments.options.width,
                  &arguments.options.height, &end) != 2) {
    std::cerr << "--size wants WIDTHxHEIGHT, such as 800x600, not \"" << arguments.size << "\".\n";
    return false;
  }
  if (std::sscanf(arguments.backdrop.c_str(), "%d,%d,%d%c", &r, &g, &b, &end) != 3 || r < 0 ||
      r > 255 || g < 0 || g > 255 || b < 0 || b > 255) {
    std::cerr << "--backdrop wants R,G,B from 0 to 255, not \"" << arguments.backdrop << "\".\n";
    return false;
  }
  arguments.options.backdrop = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                static_cast<std::uint8_t>(b)};
  if (std::sscanf(arguments.at.c_str(), "%d,%d%c", &arguments.options.windowAt.x,
                  &arguments.options.windowAt.y, &end) != 2) {
    std::cerr << "--at wants X,Y, not \"" << arguments.at << "\".\n";
    return false;
  }
  return true;
}

Status WriteCardWindow(const std::string& folder, const std::string& out) {
  auto card = LoadCardFolder(folder);
  if (!card) return Fail(card.error());
  auto picture = RenderCardWindow(*card, folder);
  if (!picture) return Fail(picture.error());
  if (Status written = WriteWholeFile(out, EncodePng(*picture)); !written) return written;
  std::cerr << out << ": the card window, " << picture->width << " x " << picture->height
            << " (hot spots outlined)\n";
  return {};
}

}  // namespace

void AddPreviewCommand(CLI::App& app) {
  auto arguments = std::make_shared<PreviewArguments>();
  auto* command =
      app.add_subcommand("preview", "Render one run of a card's animation as an animated GIF");
  command->footer(
      "Each GIF frame after the first stores only the part that changed, as GIF allows; to take "
      "frames out alone, coalesce them first: convert OUT.gif -coalesce frame-%03d.png");
  command->add_option("DIR", arguments->folder, "the card folder")->required();
  command->add_option("OUT", arguments->out, "the GIF file to write")->required();
  command->add_option("--size", arguments->size, "the backdrop (and work area), WIDTHxHEIGHT")
      ->capture_default_str();
  command->add_option("--backdrop", arguments->backdrop, "the backdrop's colour, R,G,B")
      ->capture_default_str();
  command->add_option("--at", arguments->at, "the figure window's top-left at the start, X,Y")
      ->capture_default_str();
  command
      ->add_option("--ticks", arguments->options.ticks, "stop after this many tenths of a second")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  command->add_option("--script", arguments->options.script, "the script to play")
      ->capture_default_str();
  command->add_option("--card", arguments->card,
                      "also draw the card window as the card shows it, hot spots outlined, "
                      "into this PNG file");
  command->callback([arguments] {
    if (!ParseArguments(*arguments)) throw CommandFailed();
    auto preview = RenderPreview(arguments->folder, arguments->options);
    if (!preview) {
      std::cerr << preview.error() << "\n";
      throw CommandFailed();
    }
    for (const std::string& message : preview->messages) {
      std::cerr << "message box at " << message << "\n";
    }
    if (Status status = WriteWholeFile(arguments->out, preview->gif); !status) {
      std::cerr << status.error() << "\n";
      throw CommandFailed();
    }
    std::cerr << arguments->out << ": " << preview->ticks / 10.0 << " seconds\n";
    if (arguments->card.empty()) return;
    if (Status status = WriteCardWindow(arguments->folder, arguments->card); !status) {
      std::cerr << status.error() << "\n";
      throw CommandFailed();
    }
  });
}

}  // namespace card::kit
