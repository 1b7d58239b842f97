// An off-screen drawing surface compatible with the screen.
#include "animation/image/memory_dc_win.h"

namespace card {

MemoryDC::MemoryDC(HDC screen, int width, int height)
    : width_(width),
      height_(height),
      bitmap_(CreateCompatibleBitmap(screen, width, height)),
      dc_(nullptr) {
  SelectObject(dc_, bitmap_);
  SetBkColor(dc_, RGB(0, 0, 0));
  SetTextColor(dc_, RGB(255, 255, 255));
}

}  // namespace card
