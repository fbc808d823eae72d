// A windowless host for the text services, answering as the label fields'
// host does: rich, multi-line, word-wrapped, transparent, no scroll bars.
#pragma once

#include <string_view>

#include "platform/richedit/text_host_defaults.h"
#include "platform/win.h"

namespace richtest {

class TestHost : public richedit::FormatKeepingHost {
 public:
  TestHost() {
    charFormat_.dwMask |= CFM_BOLD | CFM_ITALIC;
    paraFormat_.dwMask |= PFM_TABSTOPS;
    paraFormat_.cTabCount = 1;
    paraFormat_.rgxTabs[0] = 720;
  }
  HRESULT QueryInterface(REFIID, void** object) override {
    if (object) *object = nullptr;
    return S_FALSE;
  }
  ULONG AddRef() override { return 0; }
  ULONG Release() override { return 0; }
  HRESULT TxGetClientRect(LPRECT rect) override {
    *rect = RECT{};
    return S_OK;
  }
  HRESULT TxGetViewInset(LPRECT inset) override {
    *inset = RECT{};
    return S_OK;
  }
  HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override {
    *style = backStyle;
    return S_OK;
  }
  HRESULT TxGetMaxLength(DWORD* length) override {
    *length = static_cast<DWORD>(-1);
    return S_OK;
  }
  HRESULT TxGetPropertyBits(DWORD, DWORD* bits) override {
    *bits = propertyBits;
    return S_OK;
  }
  HRESULT TxGetSelectionBarWidth(LONG* width) override {
    *width = 100;
    return S_OK;
  }

  DWORD propertyBits = TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP | TXTBIT_USECURRENTBKG;
  TXTBACKSTYLE backStyle = TXTBACK_TRANSPARENT;
};

// Text services for a host, released when it goes.
class Services {
 public:
  explicit Services(ITextHost* host) {
    IUnknown* unknown = nullptr;
    if (CreateTextServices(nullptr, host, &unknown) == S_OK) {
      unknown->QueryInterface(IID_ITextServices, reinterpret_cast<void**>(&services_));
      unknown->Release();
    }
  }
  ~Services() {
    if (services_) services_->Release();
  }
  Services(const Services&) = delete;
  Services& operator=(const Services&) = delete;
  ITextServices* operator->() const { return services_; }
  ITextServices* get() const { return services_; }
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    LRESULT result = 0;
    services_->TxSendMessage(msg, wParam, lParam, &result);
    return result;
  }
  // Streams RTF in as the host does (SF_RTF | SF_UNICODE).
  void SetRtf(std::string_view rtf) const {
    struct Source {
      std::string_view data;
      size_t at = 0;
    } source{rtf};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, [](DWORD_PTR cookie, LPBYTE buffer, LONG bytes, LONG* done) -> DWORD {
                        auto* s = reinterpret_cast<Source*>(cookie);
                        const size_t n = std::min<size_t>(static_cast<size_t>(bytes), s->data.size() - s->at);
                        std::copy_n(s->data.data() + s->at, n, buffer);
                        s->at += n;
                        *done = static_cast<LONG>(n);
                        return 0;
                      }};
    Send(EM_STREAMIN, SF_RTF | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
  }

 private:
  ITextServices* services_ = nullptr;
};

}  // namespace richtest
