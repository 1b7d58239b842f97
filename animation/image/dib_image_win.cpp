// Loading and transparent drawing of card pictures.
#include "animation/image/dib_image_win.h"

#include "animation/image/transparency_tables.h"

#include <array>
#include <vector>

namespace card {
namespace {

static_assert(sizeof(TableColour) == sizeof(RGBQUAD), "TableColour mirrors RGBQUAD");

constexpr UINT kMaxTableEntries = 256;

// The same source rectangle blitted onto `target` with `rop`.
void Blit(HDC dc, const RECT& target, HDC source, POINT from, DWORD rop) {
  BitBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
         source, from.x, from.y, rop);
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
