// The application object: loads the card's content, runs the card window until it is closed,
// and ends the program. A card whose Layout.txt or Card.FAS is missing or damaged is refused
// with one message box that names the file and the problem.
#pragma once

#include "framework/application_win.h"

namespace card {

class CardApp : public Application {
 protected:
  bool InitInstance() override;
};

}  // namespace card
