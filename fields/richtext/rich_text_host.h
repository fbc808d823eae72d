// The windowless rich-text host: one shared instance that streams RTF into
// the platform's text services, measures its natural size and draws it into
// any device context at a zoom. Used from the main thread only.
#pragma once

#include <cstdint>
#include <span>

#include "platform/richedit/richedit.h"
#include "platform/richedit/text_host_defaults.h"

// What the program asks of the host, beside what the text services ask.
class IRichTextHost {
 public:
  virtual ~IRichTextHost() = default;
  // Logical units of the screen; 0 on success, 1 without services.
  virtual int GetNaturalHeight(int width, int* height) = 0;
  virtual int GetNaturalWidth(int height, int* width) = 0;
  virtual int Init() = 0;
  virtual int Draw(HDC dc, const RECT* bounds, double zoom) = 0;
  // Replaces the text with RTF (or plain text) bytes; 0 on success.
  virtual int SetText(const void* data, int length) = 0;
  // The host is not reference counted: it lives until FreeRichTextHost.
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
};

class CRichTextHost final : public richedit::TextHostDefaults, public IRichTextHost {
 public:
  CRichTextHost();
  ~CRichTextHost() override;
  CRichTextHost(const CRichTextHost&) = delete;
  CRichTextHost& operator=(const CRichTextHost&) = delete;

  // IRichTextHost
  int GetNaturalHeight(int width, int* height) override;
  int GetNaturalWidth(int height, int* width) override;
  int Init() override;
  int Draw(HDC dc, const RECT* bounds, double zoom) override;
  int SetText(const void* data, int length) override;
  ULONG AddRef() override { return 0; }
  ULONG Release() override { return 0; }

  // Sends the zoom as the services take it: n/6400 below 1, n/64 above.
  void SetZoom(double zoom);
  // Changes the size of all the text by `points` and collapses the selection.
  void StepFontSize(int points);
  ITextServices* Services() const { return services_; }

  // IUnknown
  HRESULT QueryInterface(REFIID iid, void** object) override;

  // ITextHost, beside the defaults of a windowless host
  HRESULT TxGetClientRect(LPRECT rect) override;
  HRESULT TxGetViewInset(LPRECT inset) override;
  HRESULT TxGetCharFormat(const CHARFORMATW** format) override;
  HRESULT TxGetParaFormat(const PARAFORMAT** format) override;
  HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
  HRESULT TxGetMaxLength(DWORD* length) override;
  HRESULT TxGetScrollBars(DWORD* scrollBars) override;
  HRESULT OnTxCharFormatChange(const CHARFORMATW* format) override;
  HRESULT OnTxParaFormatChange(const PARAFORMAT* format) override;
  HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
  HRESULT TxGetSelectionBarWidth(LONG* width) override;

 private:
  static DWORD StreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG bytes, LONG* done);
  int NaturalSize(LONG* width, LONG* height, SIZE extent);

  RECT client_{};
  RECT inset_{};
  int screenDpiX_ = 96, screenDpiY_ = 96;
  CHARFORMAT2W* charFormat_ = nullptr;  // 116 bytes, owned
  PARAFORMAT2 paraFormat_{};
  DWORD scrollBars_ = 0;
  DWORD propertyBits_ = TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP | TXTBIT_USECURRENTBKG;
  LONG maxLength_ = -1;
  std::span<const uint8_t> stream_;
  size_t streamPos_ = 0;
  ITextServices* services_ = nullptr;
  IUnknown* document_ = nullptr;  // the text document, when the services give one
};

// Fills a character format (116 bytes) from a font (null: the system font);
// E_FAIL when the font cannot be read.
HRESULT InitDefaultCharFormat(CHARFORMAT2W& format, HFONT font);
// Size 188, left aligned, one tab stop at 720 twips.
void InitDefaultParaFormat(PARAFORMAT2& format);

// The shared host, made on first use; null when it cannot be made.
IRichTextHost* GetRichTextHost();
void FreeRichTextHost();
// The height in mils of rich text laid out at a width in mils; 0 without a
// host. Measured at zoom 1 whatever the last drawing left.
int MeasureRichTextHeight(const void* rtf, int length, int widthMils);
// The same with the size of all the text changed by fontStep points first.
int MeasureRichTextHeightStepped(const void* rtf, int length, int widthMils, int fontStep);
// Draws the text last given to the host.
int DrawRichText(HDC dc, const RECT* bounds, double zoom);
// Streams the text in, steps its font size by fontStep points (0: none) and
// draws it at the zoom.
int DrawRichTextScaled(HDC dc, const void* rtf, int length, const RECT* bounds, int fontStep, double zoom);
