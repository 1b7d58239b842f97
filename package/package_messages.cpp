// The texts of a card package's message boxes (see package_messages.h).
#include "package/package_messages.h"

namespace card {

std::string DamagedCardText(std::string_view reason) {
  return "This card file is damaged, so the card cannot be shown.\r\n\r\n" + std::string(reason);
}

std::string UnpackFailedText(std::string_view folder, std::string_view reason) {
  return "The card cannot be unpacked into the folder " + std::string(folder) + ".\r\n\r\n" +
         std::string(reason);
}

}  // namespace card
