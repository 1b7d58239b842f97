// The card window's life: construction, the show and hide cycle, and destruction in order
// (see card_dialog_win.h). Painting, dragging and hot spots are CardSurface's.
#include "app/card_dialog_win.h"

#include "animation/player/card_view_win.h"
#include "framework/display_dpi_win.h"
#include "res/resource.h"
#include "shell/card_look_win.h"
#include "shell/card_pictures_win.h"
#include "shell/card_window_layout.h"

namespace card {
namespace {

// WM_DPICHANGED, which the headers leave out for the oldest systems the card supports.
constexpr UINT kDpiChanged = 0x02E0;

std::unique_ptr<CardSurface> MakeSurface(const LayoutFile& layout, HCURSOR hand, HICON icon) {
  CardPictures pictures = MakeCardPictures(layout);
  auto surface = std::make_unique<CardSurface>(std::move(pictures.images),
                                               std::move(pictures.hotSpots), hand, icon);
  ApplyCardLook(layout, surface->Logo());
  return surface;
}

}  // namespace

CardDialog::CardDialog(CardFolder content, CardParts& parts)
    : Dialog(IDD_CARD), parts_(parts), settings_(content.layout.settings),
      title_(content.layout.title), loadedMessage_(std::move(content.message)) {
  screenDC_.emplace(nullptr);
  // The card starts at the screen's scale; the window follows its monitor's from then on.
  TheCardLook().scale = ScreenScale();
  HINSTANCE self = GetModuleHandleA(nullptr);
  icon_ = LoadIconA(self, MAKEINTRESOURCEA(IDI_CARD));
  HCURSOR hand = LoadCursorA(self, MAKEINTRESOURCEA(IDC_HAND_POINTER));
  surface_ = MakeSurface(content.layout, hand, icon_);
  if (settings_.soundEffectsOn) parts_.UseSoundBank(std::move(content.sounds));
  fas_ = std::move(content.frames);
  view_ = parts_.MakeView(*fas_, screenDC_->Get(), TheCardLook().palette.Get(), *this);
}

CardDialog::~CardDialog() {
  view_.reset();
  fas_.reset();
  TheCardLook().logo = nullptr;
  surface_.reset();
  screenDC_.reset();
  parts_.StopMusic();
}

void CardDialog::DoDataExchange(DataExchange& dx) {
  dx.Control(IDC_MAKE_NEW_CARD, newCardButton_);
  dx.Control(IDC_VISIT_US, visitButton_);
  dx.Control(IDOK, repeatButton_);
  dx.Control(IDCANCEL, closeButton_);
  dx.Control(IDC_MESSAGE_LEFT, leftEdit_);
  dx.Control(IDC_MESSAGE_CENTRED, centredEdit_);
}

bool CardDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  KeepOwnDialogLayout(Handle());
  // The figure comes first, as the person opening the card waits for it; what only the card
  // window shows is made ready behind it, long before the first frame is due.
  OnOK();
  GiveMessageTheCardsColours();
  centred_ = false;
  LoadMessage();
  SetWindowTextA(Handle(), title_.c_str());
  LayOut();
  SetWindowTextA(Item(IDC_MESSAGE_LEFT), messageText_.c_str());
  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  // OnOK gave the view the keyboard. Returning true would have the dialog manager give it to
  // "Repeat" instead, which activates the hidden card: keys typed during the first playing
  // would replay or close it.
  return false;
}

void CardDialog::GiveMessageTheCardsColours() {
  CardLook& look = TheCardLook();
  // The shadow pass paints on the background brush, so it must exist before the first paint.
  look.MakeBrushes();
  const MessageColours colours{look.colours.messageText, look.colours.messageShadow,
                               look.colours.background, look.backgroundBrush.Get()};
  leftEdit_.SetColours(colours);
  centredEdit_.SetColours(colours);
}

void CardDialog::LayOut() {
  const DisplayScale& scale = TheCardLook().scale;
  const int width = scale.ToDevice(kCardWindowWidth), height = scale.ToDevice(kCardWindowHeight);
  RECT frame;
  GetWindowRect(Handle(), &frame);
  MoveWindow(Handle(), frame.left, frame.top, width, height, FALSE);
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  MoveWindow(Handle(), desktop.left + (desktop.right - desktop.left - width) / 2,
             desktop.top + (desktop.bottom - desktop.top - height) / 2, width, height, FALSE);
  GetWindowRect(Item(IDC_MESSAGE_CENTRED), &centredTemplatePlace_);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&centredTemplatePlace_), 2);
  PlaceControls();
}

void CardDialog::PlaceControls() {
  const DisplayScale& scale = TheCardLook().scale;
  for (const ControlPlace& place : kCardControlPlaces) {
    // At 100 % the centred edit keeps its place from the template; scaled, the template's
    // dialog units no longer match card pixels, so it goes where the table says.
    Rect r = scale.ToDevice(place.rect);
    if (place.id == IDC_MESSAGE_CENTRED && scale.IsIdentity()) {
      const RECT& t = centredTemplatePlace_;
      r = Rect{t.left, t.top, t.right, t.bottom};
    }
    MoveWindow(Item(place.id), r.left, r.top, r.Width(), r.Height(), TRUE);
  }
  leftEdit_.SetScale(scale);
  centredEdit_.SetScale(scale);
}

LRESULT CardDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  TheCardLook().scale = DisplayScale::FromDpi(LOWORD(wParam));
  const DisplayScale& scale = TheCardLook().scale;
  // The window goes where the system suggests, at the size the card takes at the new scale.
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
               scale.ToDevice(kCardWindowWidth), scale.ToDevice(kCardWindowHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
  InvalidateRect(Handle(), nullptr, TRUE);
  return 0;
}

void CardDialog::LoadMessage() {
  if (loadedMessage_.centred) centred_ = true;
  SetMessage(loadedMessage_.text);
}

void CardDialog::SetMessage(const std::string& text) {
  messageText_ = text;
  SetWindowTextA(Item(IDC_MESSAGE_LEFT), text.c_str());
  SetWindowTextA(Item(IDC_MESSAGE_CENTRED), text.c_str());
  ShowWindow(Item(IDC_MESSAGE_LEFT), centred_ ? SW_HIDE : SW_SHOW);
  ShowWindow(Item(IDC_MESSAGE_CENTRED), centred_ ? SW_SHOW : SW_HIDE);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CardDialog::ShowFigure() {
  if (!view_) return;
  ShowWindow(view_->Handle(), SW_SHOW);
  SetActiveWindow(view_->Handle());
}

void CardDialog::OnOK() {
  ShowWindow(Handle(), SW_HIDE);
  if (!view_) {
    // Nothing to play: the playing has ended at once.
    OnCardFinished();
    return;
  }
  ShowFigure();
  view_->Start("do");
  if (settings_.musicOn) parts_.StartMusic(settings_.musicRepeats != 0);
}

LRESULT CardDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CARD_FINISHED:  // LRESULT OnCardFinished()
      return OnCardFinished();
    case kDpiChanged:  // LRESULT OnDpiChanged(WORD dpi, const RECT* suggested)
      return OnDpiChanged(wParam, lParam);
    default:
      return Dialog::HandleMessage(msg, wParam, lParam);
  }
}

LRESULT CardDialog::OnCardFinished() {
  parts_.StopMusic();
  firstPlayingEnded_ = true;
  ShowWindow(Handle(), SW_SHOW);
  return 0;
}

void CardDialog::OnWindowPosChanging(WINDOWPOS& position) {
  // The dialog manager and its loop show the card as soon as it exists; it stays hidden until
  // the first playing has ended.
  if (!firstPlayingEnded_) {
    position.flags &= ~SWP_SHOWWINDOW;
    position.flags |= SWP_NOACTIVATE;
  }
  Default();
}

bool CardDialog::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && id == IDC_VISIT_US) {
    surface_->VisitUs();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_MAKE_NEW_CARD) {
    parts_.MakeNewCard(*this);
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

bool CardDialog::OnEraseBkgnd(HDC dc) { return surface_->EraseBackground(dc); }

void CardDialog::OnPaint() { surface_->Paint(Handle()); }

bool CardDialog::OnQueryNewPalette() { return surface_->RealisePalette(Handle()); }

void CardDialog::OnLButtonDown(UINT, POINT client) {
  Default();
  surface_->ButtonDown(Handle(), client);
}

void CardDialog::OnMouseMove(UINT, POINT client) {
  surface_->MouseMove(Handle(), client);
  Default();
}

void CardDialog::OnLButtonUp(UINT, POINT) {
  surface_->ButtonUp(Handle());
  Default();
}

void CardDialog::OnTimer(UINT_PTR) { surface_->Timer(Handle()); }

bool CardDialog::OnSetCursor(HWND, UINT, UINT) {
  if (surface_->SetHandCursor()) return true;
  return Default() != 0;
}

}  // namespace card
