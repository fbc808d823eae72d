// A static text, check box, radio button or push button of a dialog that
// paints itself, so that its caption shows in the interface language and its
// code page, and push buttons get a flat frame. Two push buttons can be tied
// into a pair of mutually exclusive toggle buttons.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

// Messages of paired buttons: read the checked state; set it (wParam the
// state, lParam the notify flag). A notify window answers WM_USER with its
// default button's id in the low byte.
inline constexpr UINT WM_SKIN_GETCHECK = WM_USER + 10;
inline constexpr UINT WM_SKIN_SETCHECK = WM_USER + 11;
// The bitmap shown on a checked paired button.
inline constexpr int IDB_SKIN_PAIR_CHECK = 118;

class CSkinCtrl : public CButton {
 public:
  CSkinCtrl() = default;
  ~CSkinCtrl() override = default;

  // Takes over an existing child window; false (and nothing done) when the
  // window already has a permanent framework object.
  bool SubclassControl(HWND window);

  int GetCheck() const { return checked_; }
  // Stores the toggle state and returns the old one. With notify the owner
  // hears a click; without it the partner takes the opposite state.
  int SetCheck(int state, int notify);
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  BOOL PreTranslateMessage(MSG* msg) override;

  // The window asked for the default-button id and told of clicks; null
  // means the control's owner.
  void SetNotifyWindow(CWnd* window) { notify_ = window; }
  // Ties this button to another: from place 0 Left or Up moves to the
  // partner, from place 1 Right or Down.
  void SetPartner(HWND partner, int placeInPair) {
    partner_ = partner;
    placeInPair_ = placeInPair;
  }
  HWND Partner() const { return partner_; }

  const AString& Caption() const { return caption_; }
  void SetCaption(const AString& caption) { caption_ = caption; }
  const RECT& CaptionRect() const { return captionRect_; }
  bool IsStatic() const { return isStatic_; }
  bool IsSelfDrawnButton() const { return selfDrawn_; }
  bool IsCheckOrRadio() const { return kind_ == Kind::kCheck || kind_ == Kind::kRadio; }

 protected:
  void OnPaint();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnKeyUp(UINT ch, UINT repeat, UINT flags);
  void OnKillFocus(CWnd* next);
  void OnSetFocus(CWnd* old);
  BOOL OnEraseBkgnd(CDC* dc);
  LRESULT OnGetCheck(WPARAM, LPARAM);
  LRESULT OnSetCheck(WPARAM state, LPARAM notify);
  LRESULT OnDlgCode(WPARAM, LPARAM msg);
  LRESULT OnSetText(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  enum class Kind { kStatic, kCheck, kRadio, kPush };
  struct ButtonState {
    bool focus = false;
    bool pressed = false;
    bool disabled = false;
  };

  CWnd* NotifyWindow() const;
  // The keys of the control's own: Return and Space on a push button, the
  // arrows towards the partner and Space on a paired one.
  bool HandlesKey(int key) const;
  bool HandleKey(int key);
  bool Swallows() const { return selfDrawn_ && !partner_; }
  void PaintCaptionControl(HDC dc);
  void DrawPushButton(HDC dc, const RECT& client, const ButtonState& state);
  void Repaint() { Invalidate(FALSE); }

  CWnd* notify_ = nullptr;
  bool selfDrawn_ = false;
  bool isStatic_ = false;
  bool mousePressed_ = false;
  bool mouseInside_ = false;
  RECT captionRect_{};
  AString caption_;
  HWND partner_ = nullptr;
  int checked_ = 0;
  int placeInPair_ = 0;
  Kind kind_ = Kind::kPush;
};
