// Loading and transparent drawing of card pictures.
#include "animation/image/dib_image_win.h"

#include "animation/image/transparency_tables.h"

#include <array>
#include <vector>

namespace card {
namespace {

static_assert(sizeof(TableColour) == sizeof(RGBQUAD), "TableColour mirrors RGBQUAD");

constexpr UINT kMaxTableEntries = 256;

// The source rectangle `from` blitted onto `target` with `rop`; stretched pixel by pixel
// (whole pixels repeated or dropped, never blended) when the sizes differ.
void Blit(HDC dc, const RECT& target, HDC source, const RECT& from, DWORD rop) {
  const int width = target.right - target.left, height = target.bottom - target.top;
  const int fromWidth = from.right - from.left, fromHeight = from.bottom - from.top;
  if (width == fromWidth && height == fromHeight) {
    BitBlt(dc, target.left, target.top, width, height, source, from.left, from.top, rop);
    return;
  }
  const int previous = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, target.left, target.top, width, height, source, from.left, from.top, fromWidth,
             fromHeight, rop);
  if (previous) SetStretchBltMode(dc, previous);
}

void SetTable(HDC dc, const std::vector<TableColour>& table) {
  SetDIBColorTable(dc, 0, static_cast<UINT>(table.size()),
                   reinterpret_cast<const RGBQUAD*>(table.data()));
}

HBITMAP LoadSection(const std::string& path) {
  if (path.empty()) return nullptr;
  return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

}  // namespace

DibImage::DibImage(const std::string& path) : bitmap_(LoadSection(path)) {
  DIBSECTION section{};
  if (bitmap_ && GetObjectA(bitmap_, sizeof section, &section) == sizeof section) {
    width_ = section.dsBm.bmWidth;
    height_ = section.dsBm.bmHeight;
  } else {
    bitmap_.Reset();  // not a section we can draw: treat as not loaded
  }
}

void DibImage::Draw(HDC dc, int x, int y) const {
  DrawTransparent(dc, RECT{x, y, x + width_, y + height_}, POINT{0, 0}, 0, 0);
}

void DibImage::DrawTransparent(HDC dc, RECT target, POINT source, COLORREF swapFrom,
                               COLORREF swapTo) const {
  const RECT from{source.x, source.y, source.x + target.right - target.left,
                  source.y + target.bottom - target.top};
  DrawPart(dc, target, from, swapFrom, swapTo);
}

void DibImage::DrawStretched(HDC dc, RECT target, COLORREF swapFrom, COLORREF swapTo) const {
  DrawPart(dc, target, RECT{0, 0, width_, height_}, swapFrom, swapTo);
}

void DibImage::DrawPart(HDC dc, RECT target, RECT source, COLORREF swapFrom,
                        COLORREF swapTo) const {
  if (!bitmap_) return;
  CompatibleDC picture(nullptr);
  Selection selected(picture, bitmap_);

  std::array<RGBQUAD, kMaxTableEntries> quads{};
  const UINT count = GetDIBColorTable(picture, 0, kMaxTableEntries, quads.data());
  if (count == 0) {
    // No colour table: the two passes with the same source give the source itself.
    Blit(dc, target, picture, source, SRCAND);
    Blit(dc, target, picture, source, SRCPAINT);
    return;
  }
  std::vector<TableColour> saved(count);
  for (UINT i = 0; i < count; ++i) {
    saved[i] = {quads[i].rgbBlue, quads[i].rgbGreen, quads[i].rgbRed, quads[i].rgbReserved};
  }
  const COLORREF key = GetPixel(picture, 0, 0);
  const DrawingTables tables = BuildDrawingTables(saved, key, swapFrom, swapTo);

  SetTable(picture, tables.mask);
  Blit(dc, target, picture, source, SRCAND);
  SetTable(picture, tables.colour);
  Blit(dc, target, picture, source, SRCPAINT);
  SetTable(picture, saved);
}

}  // namespace card
