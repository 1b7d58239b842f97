// Frame drawing from the mapped Card.FAS.
#include "animation/canvas/frame_drawing_win.h"

namespace card {
namespace {

int DrawFrame(const FasFile& fas, std::int32_t frameId, const std::uint8_t* block, HDC dc,
              DWORD rop, const DisplayScale& scale) {
  // The block is a BITMAPINFOHEADER and 16 colours, possibly at an odd offset of the view. x86
  // reads unaligned data without harm, so it is handed over where it lies, uncopied.
  const auto* info = reinterpret_cast<const BITMAPINFO*>(block);
  if (!scale.IsIdentity()) SetStretchBltMode(dc, COLORONCOLOR);
  return StretchDIBits(dc, 0, 0, scale.ToDevice(fas.Width()), scale.ToDevice(fas.Height()), 0, 0,
                       fas.Width(), fas.Height(), fas.FrameBits(frameId), info, DIB_RGB_COLORS,
                       rop);
}

}  // namespace

int DrawFrameMask(const FasFile& fas, std::int32_t frameId, HDC dc, DWORD rop,
                  const DisplayScale& scale) {
  return DrawFrame(fas, frameId, fas.MaskInfo(frameId), dc, rop, scale);
}

int DrawFrameImage(const FasFile& fas, std::int32_t frameId, HDC dc, DWORD rop,
                   const DisplayScale& scale) {
  return DrawFrame(fas, frameId, fas.ImageInfo(frameId), dc, rop, scale);
}

}  // namespace card
