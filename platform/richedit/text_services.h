// The windowless text services: a document, a selection and the rich-edit
// messages on them, laid out and drawn into any device context for a host.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/richedit/dc_render.h"
#include "platform/richedit/text_document.h"
#include "platform/richedit/tom_objects.h"
#include "platform/richedit/undo_history.h"

namespace richedit {

class TextServices final : public ITextServices {
 public:
  explicit TextServices(ITextHost* host);

  // IUnknown
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override;

  // ITextServices
  HRESULT TxSendMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  HRESULT TxDraw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC draw, HDC target,
                 LPCRECT bounds, LPCRECT metafileBounds, LPCRECT update, BOOL (*cont)(DWORD_PTR),
                 DWORD_PTR contParam, LONG viewId) override;
  HRESULT TxGetHScroll(LONG* min, LONG* max, LONG* pos, LONG* page, BOOL* enabled) override;
  HRESULT TxGetVScroll(LONG* min, LONG* max, LONG* pos, LONG* page, BOOL* enabled) override;
  HRESULT OnTxSetCursor(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT, INT, INT) override { return S_OK; }
  HRESULT TxQueryHitPoint(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT, INT, INT, DWORD* hit) override;
  HRESULT OnTxInPlaceActivate(LPCRECT) override { return S_OK; }
  HRESULT OnTxInPlaceDeactivate() override { return S_OK; }
  HRESULT OnTxUIActivate() override { return S_OK; }
  HRESULT OnTxUIDeactivate() override { return S_OK; }
  HRESULT TxGetText(LPWSTR* text) override;
  HRESULT TxSetText(LPCWSTR text) override;
  HRESULT TxGetCurTargetX(LONG* x) override;
  HRESULT TxGetBaseLinePos(LONG* pos) override;
  HRESULT TxGetNaturalSize(DWORD aspect, HDC draw, HDC target, DVTARGETDEVICE* device, DWORD mode,
                           const SIZE* extent, LONG* width, LONG* height) override;
  HRESULT TxGetDropTarget(void** target) override;
  HRESULT OnTxPropertyBitsChange(DWORD mask, DWORD bits) override;
  HRESULT TxGetCachedSize(DWORD* width, DWORD* height) override;

  const TextDocument& document() const { return doc_; }
  // For a control over the services: what changed, where the selection is,
  // and positions in the last drawing.
  uint64_t changes() const { return changes_; }
  CHARRANGE Selection() const { return CHARRANGE{static_cast<LONG>(selMin_), static_cast<LONG>(selMax_)}; }
  void SetSelectionRange(LONG cpMin, LONG cpMax) { SetSelection(cpMin, cpMax); }
  bool ReadOnly() const { return (bits_ & TXTBIT_READONLY) != 0; }
  // The top-left of a character's cell and its line's height in the last drawing.
  POINT PointFromChar(size_t cp, int* lineHeight = nullptr) const;
  size_t CharFromPoint(POINT point) const;
  // The first character of the line above or below the one holding cp, at the same x.
  size_t LineStep(size_t cp, int lines) const;
  // For the text object model (tom_document.cpp): changes of a range, each
  // one step that can be undone; the saved state; freezing the display.
  // Return whether anything changed.
  bool ReplaceRange(size_t from, size_t to, std::u16string_view text, bool undoable = true);
  bool ChangeCharFormat(size_t from, size_t to, const CHARFORMAT2W& format);
  bool ChangeParaFormat(size_t from, size_t to, const PARAFORMAT2& format);
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  bool UndoStep() { return Undo(); }
  bool RedoStep() { return Redo(); }
  void ClearAll();
  LONG Freeze() { return ++frozen_; }
  LONG Unfreeze();  // back at 0, the host is asked to redraw
  // The lines of the last drawing or measuring.
  const Layout& LastLayout() const { return last_; }
  // A screen point in the coordinates of the last drawing (the host's client area).
  void ScreenToDrawing(POINT& point) const { host_->TxScreenToClient(&point); }
  bool Frozen() const { return frozen_ > 0; }
  double Zoom() const { return zoomNum_ > 0 && zoomDen_ > 0 ? static_cast<double>(zoomNum_) / zoomDen_ : 1.0; }

 private:
  ~TextServices() = default;
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);
  // Replaces the selection (or everything) with text or RTF bytes.
  void Put(std::span<const uint8_t> bytes, UINT codePage, bool selection);
  void PutText(std::u16string text, bool selection);
  void PutRtf(const TextDocument& rtf, bool selection);
  LRESULT StreamIn(WPARAM format, EDITSTREAM* stream);
  LRESULT StreamOut(WPARAM format, EDITSTREAM* stream);
  LRESULT FormatRange(bool render, const FORMATRANGE* range);
  LRESULT SetFontSize(int delta);
  void SetSelection(LONG cpMin, LONG cpMax);
  std::u16string Selected() const;
  void ReadHostFormats();
  Layout LayOutFor(HDC dc, int width, double zoom);
  // Undo and redo: the document and selection before each change.
  void Remember();
  bool Undo();
  bool Redo();

  ITextHost* host_;
  ULONG references_ = 1;
  TextDocument doc_;
  size_t selMin_ = 0, selMax_ = 0;
  std::optional<CharFormat> insertion_;  // a format set on an empty selection
  LONG zoomNum_ = 0, zoomDen_ = 0;
  size_t limit_ = SIZE_MAX;
  DWORD bits_ = 0;
  DWORD eventMask_ = 0;
  DWORD textMode_ = TM_RICHTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE;
  DWORD options_ = 0;
  bool modified_ = false;
  bool hideSelection_ = false;
  std::optional<COLORREF> background_;
  Layout last_;  // of the last drawing or measuring
  POINT lastOrigin_{0, 0};
  uint64_t changes_ = 0;
  UndoHistory history_;
  LONG frozen_ = 0;
  TomDocument tom_{this};
  SIZE lastSize_{0, 0};
};

}  // namespace richedit
