// Three small buttons dialogs hold as members: a button with an information
// image that shows a longer help text in the message pane while the mouse
// rests on it; a button drawn from a strip of four images whose colours
// follow the system colours; and one owner-drawn button of four arrow glyphs
// that asks its dialog to move the selected list entry.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"
#include "platform/framework/image_list.h"
#include "platform/gdi/gdi_owners.h"

class CTipButton : public CButton {
 public:
  ~CTipButton() override;

  int m_message = 0;  // the message number of the tip, 0 for none
  int m_showing = 0;  // the tip is on screen
  AString m_tipText;

  void SetTipMessage(int message);
  void OnMouseMove(UINT flags, CPoint point);

 private:
  UniqueBitmap image_;  // the information image the button shows
  DECLARE_MESSAGE_MAP()
};

// The text of a tip: the message with each "\n" written as two characters
// turned into an empty line between its sentences.
AString TipTextOf(const AString& message);

class CMappedBitmapButton : public CButton {
  DECLARE_DYNAMIC(CMappedBitmapButton)

 public:
  CImageList m_images;   // images 0 normal, 1 pressed, 2 focused, 3 disabled
  int m_bitmapId = -1;
  UINT m_imageFlags = 0;  // the colour depth the image list was made with

  int LoadBitmaps(int bitmapId);
  void SizeToImage();
  int SubclassWithBitmap(int controlId, CWnd* parent, int bitmapId);
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void OnSysColorChange();

 private:
  DECLARE_MESSAGE_MAP()
};

// The image-list colour depth for a bitmap of that many bits per pixel.
UINT ImageListFlagsForDepth(int bitsPerPixel);

// What a move-button strip asks of its dialog: move the selected entry to
// the top (0), one up (1), one down (2) or to the bottom (3).
class CListEntryMover {
 public:
  virtual ~CListEntryMover() = default;
  virtual void MoveSelectedItem(int direction) = 0;
};

class CMoveButtonStrip : public CButton {
 public:
  int m_bitmapWidth = 0;
  int m_bitmapHeight = 0;
  int m_buttonHeight = 0;
  int m_buttonWidth = 0;
  int m_pressed = -1;
  CListEntryMover* m_owner = nullptr;

  // The glyph under a client point: 0..3, or -1.
  int HitTest(POINT point) const;
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);

 private:
  void Press(CPoint point);
  UniqueBitmap glyphs_;
  DECLARE_MESSAGE_MAP()
};
