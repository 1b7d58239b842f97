// The card window: a modal dialog on template 102 that owns the whole card. It hides itself
// while the animation view plays the script "do", and shows its pictures, message and buttons
// when a playing has ended:
//   OnInitDialog -> OnOK (hide, show and activate the view, start "do", start the music)
//   WM_CARD_FINISHED from the view -> stop the music, show the card
//   Repeat / Enter -> OnOK again;  Close / Escape / the close command -> OnCancel, the end.
// The template is visible, so the dialog manager shows the card after WM_INITDIALOG, and its
// loop may show it again when it first goes idle. Until the first playing has ended every such
// showing is taken out of the window's position change (WM_WINDOWPOSCHANGING), so the card
// stays hidden, unpainted, while the first playing runs. (Counting frame paints instead would
// depend on how many the system sends; under Wine that count differs.)
// The window is 630 x 430 card pixels, drawn at the display scale of its monitor: read when the
// card starts and followed when it is dragged to a monitor of another scale (WM_DPICHANGED).
#pragma once

#include "app/card_parts_win.h"
#include "card/card_folder.h"
#include "framework/dialog_win.h"
#include "framework/gdi_win.h"
#include "message/message_edit_win.h"
#include "shell/card_button_win.h"
#include "shell/card_surface_win.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace card {

class CardDialog : public Dialog {
 public:
  // Builds the card from its loaded content: pictures, hot spots, palette, sound bank (when
  // the layout turns sound effects on) and the hidden animation view.
  CardDialog(CardFolder content, CardParts& parts);
  // Deletes the view, the animation file, the pictures and hot spots and the screen context,
  // then stops the music; the controls' objects go last.
  ~CardDialog() override;

  // Shows and activates the figure window. OnOK does so at each playing; the program calls it
  // once before the card window is made, as the person opening the card waits for the figure.
  void ShowFigure();

  // Shows `text` as the card's message, left-aligned or centred as Centred() says.
  void SetMessage(const std::string& text);
  const std::string& MessageText() const { return messageText_; }
  bool Centred() const { return centred_; }
  void SetCentred(bool centred) { centred_ = centred; }
  const CardSurface& Surface() const { return *surface_; }

 protected:
  void DoDataExchange(DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;  // "Repeat": play the card again
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(int id, int code, HWND control) override;

  bool OnEraseBkgnd(HDC dc) override;
  void OnPaint() override;
  bool OnQueryNewPalette() override;
  void OnLButtonDown(UINT keys, POINT client) override;
  void OnMouseMove(UINT keys, POINT client) override;
  void OnLButtonUp(UINT keys, POINT client) override;
  void OnTimer(UINT_PTR id) override;
  bool OnSetCursor(HWND under, UINT hitTest, UINT mouseMsg) override;
  void OnWindowPosChanging(WINDOWPOS& position) override;


 private:
  LRESULT OnCardFinished();
  void GiveMessageTheCardsColours();
  void LoadMessage();
  // Sizes and centres the window and places its controls, at the card look's scale.
  void LayOut();
  void PlaceControls();
  // WM_DPICHANGED: the window has moved to a monitor of another scale.
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

  CardParts& parts_;
  std::string messageText_;
  CardButton newCardButton_;
  LogoButton visitButton_;
  CardButton repeatButton_;
  CardButton closeButton_;
  MessageEdit leftEdit_;
  MessageEdit centredEdit_;
  bool centred_ = false;
  LayoutSettings settings_;
  std::string title_;
  CardMessage loadedMessage_;  // msg.txt, shown when the window is made
  bool firstPlayingEnded_ = false;
  RECT centredTemplatePlace_{};  // the centred edit's place from the template, client pixels
  HICON icon_;
  std::optional<WindowDC> screenDC_;
  std::unique_ptr<CardSurface> surface_;  // pictures and hot spots
  std::unique_ptr<FasFile> fas_;
  std::unique_ptr<FigureView> view_;
};

}  // namespace card
