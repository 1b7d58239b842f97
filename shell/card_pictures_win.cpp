// From layout values to the card window's pictures and look (see card_pictures_win.h).
#include "shell/card_pictures_win.h"

#include "shell/card_look_win.h"

namespace card {

CardPictures MakeCardPictures(const LayoutFile& layout) {
  CardPictures pictures;
  const auto place = [](const LayoutImage& image) {
    return std::make_unique<PlacedImage>(image.x, image.y, CardPicturePath(image.fileName));
  };
  pictures.images.push_back(layout.logo ? place(*layout.logo) : nullptr);
  for (const LayoutImage& image : layout.images) pictures.images.push_back(place(image));
  for (const LayoutHotSpot& spot : layout.hotSpots) {
    HotSpot hotSpot;
    hotSpot.target = spot.target;
    hotSpot.hoverImage = spot.hoverImage;
    hotSpot.rect = spot.rect;
    hotSpot.fromColour = spot.fromColour;
    hotSpot.toColour = spot.toColour;
    pictures.hotSpots.push_back(std::move(hotSpot));
  }
  return pictures;
}

void ApplyCardLook(const LayoutFile& layout, const PlacedImage* logo) {
  CardLook& look = TheCardLook();
  look.colours = layout.colours;
  look.palette = MakeCardPalette(layout.palette);
  look.logo = logo;
}

}  // namespace card
