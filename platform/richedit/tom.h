// The text object model of the text services: a document (ITextDocument)
// the host gets from the services' QueryInterface, ranges of its text
// (ITextRange), the selection as a range (ITextSelection), and the
// character and paragraph formats of a range (ITextFont, ITextPara).
// The interfaces derive from IUnknown only (there is no automation here) and
// hold the methods the system uses, named and valued as documented; the
// slots are this layer's own.
#pragma once

#include "platform/kernel/com_types.h"
#include "platform/kernel/types.h"

// {8CC497C1..C4-A1DF-11CE-8098-00AA0047BE5D}
inline constexpr IID IID_ITextSelection{0x8CC497C1, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
inline constexpr IID IID_ITextRange{0x8CC497C2, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
inline constexpr IID IID_ITextFont{0x8CC497C3, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
inline constexpr IID IID_ITextPara{0x8CC497C4, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

// Values of the model's "tom" constants.
inline constexpr LONG tomFalse = 0, tomTrue = -1, tomUndefined = -9999999, tomToggle = -9999998,
                      tomAutoColor = -9999997;
inline constexpr LONG tomStart = 32, tomEnd = 0;           // Collapse
inline constexpr LONG tomCharacter = 1, tomStory = 6;      // units
inline constexpr LONG tomNone = 0, tomSingle = 1;          // underline
inline constexpr LONG tomAlignLeft = 0, tomAlignCenter = 1, tomAlignRight = 2, tomAlignJustify = 3;
inline constexpr LONG tomSuspend = -9999995, tomResume = -9999994;

class ITextFont : public IUnknown {
 public:
  // Effects: tomTrue, tomFalse, or tomUndefined when the range mixes them;
  // setting takes tomTrue, tomFalse or tomToggle.
  virtual HRESULT GetBold(LONG* value) = 0;
  virtual HRESULT SetBold(LONG value) = 0;
  virtual HRESULT GetItalic(LONG* value) = 0;
  virtual HRESULT SetItalic(LONG value) = 0;
  virtual HRESULT GetUnderline(LONG* value) = 0;  // tomNone, tomSingle
  virtual HRESULT SetUnderline(LONG value) = 0;
  virtual HRESULT GetForeColor(LONG* value) = 0;  // a COLORREF, or tomAutoColor
  virtual HRESULT SetForeColor(LONG value) = 0;
  virtual HRESULT GetName(BSTR* name) = 0;        // freed by the caller
  virtual HRESULT SetName(BSTR name) = 0;
  virtual HRESULT GetSize(float* points) = 0;     // tomUndefined when mixed
  virtual HRESULT SetSize(float points) = 0;

 protected:
  ~ITextFont() = default;
};

class ITextPara : public IUnknown {
 public:
  virtual HRESULT GetAlignment(LONG* value) = 0;  // tomAlignLeft...
  virtual HRESULT SetAlignment(LONG value) = 0;
  // Indents in points: the first line's relative to the others.
  virtual HRESULT GetFirstLineIndent(float* points) = 0;
  virtual HRESULT GetLeftIndent(float* points) = 0;
  virtual HRESULT GetRightIndent(float* points) = 0;
  virtual HRESULT SetIndents(float first, float left, float right) = 0;
  virtual HRESULT GetSpaceBefore(float* points) = 0;
  virtual HRESULT SetSpaceBefore(float points) = 0;
  virtual HRESULT GetSpaceAfter(float* points) = 0;
  virtual HRESULT SetSpaceAfter(float points) = 0;

 protected:
  ~ITextPara() = default;
};

class ITextRange : public IUnknown {
 public:
  virtual HRESULT GetText(BSTR* text) = 0;  // paragraph ends as '\r'; freed by the caller
  virtual HRESULT SetText(BSTR text) = 0;   // the range then holds the new text
  virtual HRESULT GetChar(LONG* ch) = 0;
  virtual HRESULT GetDuplicate(ITextRange** range) = 0;
  virtual HRESULT GetStart(LONG* cp) = 0;
  virtual HRESULT SetStart(LONG cp) = 0;
  virtual HRESULT GetEnd(LONG* cp) = 0;
  virtual HRESULT SetEnd(LONG cp) = 0;
  virtual HRESULT GetFont(ITextFont** font) = 0;
  virtual HRESULT GetPara(ITextPara** para) = 0;
  virtual HRESULT GetStoryLength(LONG* count) = 0;
  virtual HRESULT Collapse(LONG start) = 0;  // tomStart or tomEnd
  virtual HRESULT SetRange(LONG active, LONG other) = 0;
  virtual HRESULT Select() = 0;  // the selection becomes this range
  // Deletes the range's text (a count of 0), else `count` characters after
  // it (before it when negative) when it is empty; *deleted may be null.
  virtual HRESULT Delete(LONG unit, LONG count, LONG* deleted) = 0;

 protected:
  ~ITextRange() = default;
};

// The selection: a range whose ends are the services' selection.
class ITextSelection : public ITextRange {
 protected:
  ~ITextSelection() = default;
};

class ITextDocument : public IUnknown {
 public:
  virtual HRESULT GetName(BSTR* name) = 0;  // no file: a null name and S_FALSE
  virtual HRESULT GetSelection(ITextSelection** selection) = 0;
  virtual HRESULT GetStoryCount(LONG* count) = 0;
  virtual HRESULT GetSaved(LONG* saved) = 0;  // tomTrue when not modified
  virtual HRESULT SetSaved(LONG saved) = 0;
  virtual HRESULT New() = 0;
  // The display stays as it is while frozen; the count of freezes comes back.
  virtual HRESULT Freeze(LONG* count) = 0;
  virtual HRESULT Unfreeze(LONG* count) = 0;
  // Undoes or redoes `count` steps; *done (may be null) says how many were.
  virtual HRESULT Undo(LONG count, LONG* done) = 0;
  virtual HRESULT Redo(LONG count, LONG* done) = 0;
  virtual HRESULT Range(LONG start, LONG end, ITextRange** range) = 0;
  // The range at a screen point of the last drawing (degenerate).
  virtual HRESULT RangeFromPoint(LONG x, LONG y, ITextRange** range) = 0;

 protected:
  ~ITextDocument() = default;
};
