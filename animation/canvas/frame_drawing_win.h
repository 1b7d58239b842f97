// Draws one frame of Card.FAS straight from the mapped file: its pixel array through the mask
// or the image block of its palette record, at the top-left corner of a device context, at the
// frame's size at a display scale (each frame pixel a block of device pixels, never blended),
// with a given raster operation. FasFile checked every block when the file was
// opened, so the drawing call never reads beyond the frame's pixels or the block's colours.
#pragma once

#include "animation/fas/fas_file.h"
#include "common/display_scale.h"

#include <windows.h>

#include <cstdint>

namespace card {

// What StretchDIBits returns: the number of scan lines drawn, 0 on failure.
int DrawFrameMask(const FasFile& fas, std::int32_t frameId, HDC dc, DWORD rop,
                  const DisplayScale& scale = {});
int DrawFrameImage(const FasFile& fas, std::int32_t frameId, HDC dc, DWORD rop,
                   const DisplayScale& scale = {});

}  // namespace card
