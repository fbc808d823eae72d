// The skin every dialog, property page and property sheet of the designer
// embeds: it translates the dialog's texts through the interface language
// file, turns push buttons, boxes and text statics into skinned controls
// that draw their own translated captions, draws group boxes and, in a
// language other than English, the caption bar and its close button.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "app/ui/skin_ctrl.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"

// Posted by a dialog to itself after its set-up: the whole dialog repaints
// once the skin's drawing can follow the first paint.
inline constexpr UINT WM_SKIN_REFRESH = 0x449;
// The dialog whose texts are skinned even in English.
inline constexpr int kAlwaysSkinnedDialog = 100;

using SkinPaintCallback = void (*)(HDC dc, CWnd* owner);

// Set when the program is asked to quit; each open dialog then cancels
// itself once, at its next message.
void SetDialogQuitRequest(bool requested);
bool DialogQuitRequest();

class CDialogSkin {
 public:
  CDialogSkin() = default;
  ~CDialogSkin();
  CDialogSkin(const CDialogSkin&) = delete;
  CDialogSkin& operator=(const CDialogSkin&) = delete;

  // Translates the caption and skins the owner's controls (in English only
  // for dialog 100). Returns 1.
  int Attach(CWnd* owner, int dialogId);
  // Deletes the skinned controls (their windows stay).
  void Detach();
  void TranslateCaption();
  void Paint(HDC dc);
  void PaintCaption();
  // -1 for default handling, else the hit value handled.
  int OnNcButtonDown(CPoint screenPoint);
  int OnNcHitTest(CPoint screenPoint);
  void OnButtonUp(CPoint clientPoint);
  BOOL PreTranslateMessage(MSG* msg);

  // The caption's share of the owner's messages, the same for the dialog
  // base, the property sheet and a plain dialog: `byDefault` runs the
  // window's own handling of the message being handled, and the caption is
  // painted over what that drew.
  template <class Default>
  LRESULT HandleNcPaint(Default byDefault) {
    const LRESULT result = byDefault();
    PaintCaption();
    return result;
  }
  template <class Default>
  LRESULT HandleNcActivate(WPARAM active, Default byDefault) {
    SetCaptionActive(active ? 1 : 0);
    byDefault();
    PaintCaption();
    return TRUE;
  }
  template <class Default>
  LRESULT HandleNcButtonDown(CPoint screenPoint, Default byDefault) {
    return OnNcButtonDown(screenPoint) == -1 ? byDefault() : 0;
  }
  template <class Default>
  LRESULT HandleButtonUp(CPoint clientPoint, Default byDefault) {
    OnButtonUp(clientPoint);
    return byDefault();
  }
  template <class Default>
  LRESULT HandleNcHitTest(CPoint screenPoint, Default byDefault) {
    const int hit = OnNcHitTest(screenPoint);
    return hit == -1 ? byDefault() : hit;
  }

  // Cancels the owner once for a quit request (pages go with their sheet).
  void TakeQuitRequest();
  // Repaints the skinned controls that show the focus.
  void RefreshFocusLook();

  // Sets a control's text (unless already set) and the caption its skin
  // draws; 0 when the owner has no such control.
  int SetDlgItemText(int id, const char* text, bool textAlreadySet = false);
  void GetDlgItemString(int id, AString& out) const;
  // Moves control id next to control refId (see the dialog bases); 1.
  int AlignControl(int id, int refId, const SIZE* size, double factor, bool keepOwnX);
  void RestoreControls();
  SkinPaintCallback SetPaintCallback(SkinPaintCallback callback);

  void SetCaptionKey(const char* key) { captionKey_ = key; }
  const AString& CaptionText() const { return captionText_; }
  void SetPageFlag(bool page) { pageFlag_ = page; }
  void SetCaptionActive(int active) { captionActive_ = active; }
  CWnd* Owner() const { return owner_; }
  int DialogId() const { return dialogId_; }
  // The skinned control of a child window, or null.
  CSkinCtrl* SkinOf(HWND control) const;
  size_t SkinnedCount() const { return skinned_.size(); }
  const RECT& CloseButtonRect() const { return closeRect_; }

 private:
  struct MovedControl {
    HWND window;
    RECT initial;
    int width;
    int height;
    UINT flags;
  };

  bool Skinned() const;
  bool PaintsCaption() const;
  int HitCloseButton(CPoint screenPoint) const;
  void DrawCloseButton(bool pushed);
  void ComputeCloseRect();
  void PaintGroupBoxes(HDC dc);

  CWnd* owner_ = nullptr;
  int refreshPending_ = 1;
  bool pageFlag_ = false;
  int dialogId_ = -1;
  std::unordered_map<HWND, std::unique_ptr<CSkinCtrl>> skinned_;
  std::vector<MovedControl> moved_;
  AString captionText_;
  AString captionKey_;
  RECT closeRect_{};
  SkinPaintCallback paintCallback_ = nullptr;
  int captionActive_ = 1;
  int closePressed_ = 0;
  int closeHover_ = 0;
  bool quitTaken_ = false;
};

// The text of a dialog item of a window.
void GetDlgItemString(HWND window, int id, AString& out);
