// The objects of the text object model over the text services: the document
// (a part of the services object, sharing its references), ranges (the
// selection among them), and the fonts and paragraphs of ranges.
#pragma once

#include "platform/richedit/richedit.h"
#include "platform/richedit/tom.h"

namespace richedit {

class TextServices;

class TomDocument final : public ITextDocument {
 public:
  explicit TomDocument(TextServices* services) : services_(services) {}

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  HRESULT GetName(BSTR* name) override;
  HRESULT GetSelection(ITextSelection** selection) override;
  HRESULT GetStoryCount(LONG* count) override;
  HRESULT GetSaved(LONG* saved) override;
  HRESULT SetSaved(LONG saved) override;
  HRESULT New() override;
  HRESULT Freeze(LONG* count) override;
  HRESULT Unfreeze(LONG* count) override;
  HRESULT Undo(LONG count, LONG* done) override;
  HRESULT Redo(LONG count, LONG* done) override;
  HRESULT Range(LONG start, LONG end, ITextRange** range) override;
  HRESULT RangeFromPoint(LONG x, LONG y, ITextRange** range) override;

 private:
  TextServices* services_;
};

// A range of the services' text; for the selection, its ends are the selection's.
ITextSelection* NewTomRange(TextServices* services, LONG start, LONG end, bool selection);

}  // namespace richedit
