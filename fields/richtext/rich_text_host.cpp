#include "fields/richtext/rich_text_host.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "image/decode/rich_picture.h"
#include "platform/gdi/gdi_owners.h"
#include "platform/nls/nls.h"
#include "platform/user/controls/controls.h"

namespace {

// The one host of the program (main thread only).
CRichTextHost* g_host = nullptr;

// The host measures in hundredths of a millimetre: 2540 to the inch.
constexpr int kUnitsPerInch = 2540;
constexpr LONG kUnbounded = 10000;

}  // namespace

HRESULT InitDefaultCharFormat(CHARFORMAT2W& cf, HFONT font) {
  LOGFONTA lf{};
  HGDIOBJ source = font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
  if (!source || GetObjectA(source, sizeof lf, &lf) == 0) return E_FAIL;
  cf = CHARFORMAT2W{};
  cf.cbSize = sizeof(CHARFORMAT2W);
  int dpiY = 96;
  {
    WindowDc screen;
    if (screen) dpiY = std::max(1, GetDeviceCaps(screen.get(), LOGPIXELSY));
  }
  cf.yHeight = -lf.lfHeight * 1440 / dpiY;
  cf.yOffset = 0;
  cf.crTextColor = 0;
  DWORD effects = CFE_AUTOCOLOR | CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT;
  if (lf.lfWeight < FW_BOLD) effects &= ~CFE_BOLD;
  if (!lf.lfItalic) effects &= ~CFE_ITALIC;
  if (!lf.lfUnderline) effects &= ~CFE_UNDERLINE;
  if (!lf.lfStrikeOut) effects &= ~CFE_STRIKEOUT;
  cf.dwEffects = effects;
  cf.dwMask = CFM_ALL | CFM_BACKCOLOR | CFM_LCID | CFM_UNDERLINETYPE | CFM_WEIGHT | CFM_CHARSET;
  cf.bCharSet = lf.lfCharSet;
  cf.bPitchAndFamily = lf.lfPitchAndFamily;
  MultiByteToWideChar(CP_ACP, 0, lf.lfFaceName, -1, cf.szFaceName, LF_FACESIZE_RICHEDIT);
  cf.szFaceName[LF_FACESIZE_RICHEDIT - 1] = 0;
  return S_OK;
}

void InitDefaultParaFormat(PARAFORMAT2& pf) {
  pf = PARAFORMAT2{};
  pf.cbSize = sizeof(PARAFORMAT2);
  pf.dwMask = PFM_ALL | PFM_SPACEBEFORE | PFM_SPACEAFTER | PFM_LINESPACING;
  pf.wAlignment = PFA_LEFT;
  pf.cTabCount = 1;
  pf.rgxTabs[0] = 720;
}

CRichTextHost::CRichTextHost() {
  {
    WindowDc screen;
    if (screen) {
      screenDpiX_ = std::max(1, GetDeviceCaps(screen.get(), LOGPIXELSX));
      screenDpiY_ = std::max(1, GetDeviceCaps(screen.get(), LOGPIXELSY));
    }
  }
  charFormat_ = new CHARFORMAT2W{};
  InitDefaultCharFormat(*charFormat_, nullptr);
  InitDefaultParaFormat(paraFormat_);
}

CRichTextHost::~CRichTextHost() {
  if (services_) services_->Release();
  if (document_) document_->Release();
  delete charFormat_;
}

HRESULT CRichTextHost::QueryInterface(REFIID, void** object) {
  if (object) *object = nullptr;
  return S_FALSE;
}

int CRichTextHost::Init() {
  // The fields' rich text shows its PNG and JPEG pictures decoded.
  image::InstallRichPictureDecoder();
  IUnknown* unknown = nullptr;
  if (CreateTextServices(nullptr, this, &unknown) != S_OK || !unknown) return 1;
  void* services = nullptr;
  if (unknown->QueryInterface(IID_ITextServices, &services) == S_OK) services_ = static_cast<ITextServices*>(services);
  void* document = nullptr;
  if (unknown->QueryInterface(IID_ITextDocument, &document) == S_OK) document_ = static_cast<IUnknown*>(document);
  unknown->Release();
  return services_ ? 0 : 1;
}

DWORD CRichTextHost::StreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG bytes, LONG* done) {
  auto* host = reinterpret_cast<CRichTextHost*>(cookie);
  const size_t left = host->stream_.size() - host->streamPos_;
  const size_t n = std::min(left, static_cast<size_t>(std::max<LONG>(bytes, 0)));
  if (n) std::memcpy(buffer, host->stream_.data() + host->streamPos_, n);
  host->streamPos_ += n;
  if (done) *done = static_cast<LONG>(n);
  return 0;
}

int CRichTextHost::SetText(const void* data, int length) {
  if (!services_) return 1;
  stream_ = data && length > 0 ? std::span(static_cast<const uint8_t*>(data), static_cast<size_t>(length))
                               : std::span<const uint8_t>();
  streamPos_ = 0;
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(this), 0, &CRichTextHost::StreamCallback};
  services_->TxSendMessage(EM_STREAMIN, SF_RTF | SF_UNICODE, reinterpret_cast<LPARAM>(&es), nullptr);
  stream_ = {};
  streamPos_ = 0;
  return 0;
}

void CRichTextHost::SetZoom(double zoom) {
  if (!services_) return;
  if (zoom < 1) {
    services_->TxSendMessage(EM_SETZOOM, static_cast<WPARAM>(static_cast<LONG>(zoom * 6400)), 6400, nullptr);
  } else {
    services_->TxSendMessage(EM_SETZOOM, static_cast<WPARAM>(static_cast<LONG>(zoom * 64)), 64, nullptr);
  }
}

void CRichTextHost::StepFontSize(int points) {
  if (!services_ || points == 0) return;
  services_->TxSendMessage(EM_SETSEL, 0, -1, nullptr);
  services_->TxSendMessage(EM_SETFONTSIZE, static_cast<WPARAM>(points), 0, nullptr);
  services_->TxSendMessage(EM_SETSEL, static_cast<WPARAM>(-1), 0, nullptr);
}

int CRichTextHost::Draw(HDC dc, const RECT* bounds, double zoom) {
  if (!services_ || !dc || !bounds) return 1;
  SetZoom(zoom);
  services_->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, bounds, nullptr, nullptr, nullptr, 0,
                    TXTVIEW_INACTIVE);
  return 0;
}

int CRichTextHost::NaturalSize(LONG* width, LONG* height, SIZE extent) {
  if (!services_) return 1;
  // Laid out on the screen in hundredths of a millimetre, so that a size
  // does not depend on the screen's pixels more than its fonts do.
  WindowDc screen;
  UniqueDc dc(CreateCompatibleDC(screen.get()));
  if (!dc) return 1;
  SetMapMode(dc.get(), MM_ANISOTROPIC);
  SetWindowExtEx(dc.get(), kUnitsPerInch, kUnitsPerInch, nullptr);
  SetViewportExtEx(dc.get(), screenDpiX_, screenDpiY_, nullptr);
  services_->TxGetNaturalSize(DVASPECT_CONTENT, dc.get(), nullptr, nullptr, TXTNS_FITTOCONTENT, &extent, width,
                              height);
  return 0;
}

int CRichTextHost::GetNaturalHeight(int width, int* height) {
  LONG w = width, h = kUnbounded;
  const int r = NaturalSize(&w, &h, SIZE{width, kUnbounded});
  if (r == 0 && height) *height = static_cast<int>(h);
  return r;
}

int CRichTextHost::GetNaturalWidth(int height, int* width) {
  LONG w = kUnbounded, h = height;
  const int r = NaturalSize(&w, &h, SIZE{kUnbounded, height});
  if (r == 0 && width) *width = static_cast<int>(w);
  return r;
}

HRESULT CRichTextHost::TxGetClientRect(LPRECT rect) {
  if (rect) *rect = client_;
  return S_OK;
}

HRESULT CRichTextHost::TxGetViewInset(LPRECT inset) {
  if (inset) *inset = inset_;
  return S_OK;
}

HRESULT CRichTextHost::TxGetCharFormat(const CHARFORMATW** format) {
  if (format) *format = reinterpret_cast<const CHARFORMATW*>(charFormat_);
  return S_OK;
}

HRESULT CRichTextHost::TxGetParaFormat(const PARAFORMAT** format) {
  if (format) *format = reinterpret_cast<const PARAFORMAT*>(&paraFormat_);
  return S_OK;
}

HRESULT CRichTextHost::TxGetBackStyle(TXTBACKSTYLE* style) {
  if (style) *style = TXTBACK_TRANSPARENT;
  return S_OK;
}

HRESULT CRichTextHost::TxGetMaxLength(DWORD* length) {
  if (length) *length = static_cast<DWORD>(maxLength_);
  return S_OK;
}

HRESULT CRichTextHost::TxGetScrollBars(DWORD* scrollBars) {
  if (scrollBars) *scrollBars = scrollBars_;
  return S_OK;
}

HRESULT CRichTextHost::OnTxCharFormatChange(const CHARFORMATW* format) {
  // Only as many bytes as the given format says it has, never more than ours.
  if (format) std::memcpy(charFormat_, format, std::min<size_t>(format->cbSize, sizeof(CHARFORMAT2W)));
  return S_OK;
}

HRESULT CRichTextHost::OnTxParaFormatChange(const PARAFORMAT* format) {
  if (format) std::memcpy(&paraFormat_, format, std::min<size_t>(format->cbSize, sizeof(PARAFORMAT2)));
  return S_OK;
}

HRESULT CRichTextHost::TxGetPropertyBits(DWORD, DWORD* bits) {
  if (bits) *bits = propertyBits_;
  return S_OK;
}

HRESULT CRichTextHost::TxGetSelectionBarWidth(LONG* width) {
  if (width) *width = 100;
  return S_OK;
}

IRichTextHost* GetRichTextHost() {
  if (!g_host) {
    auto host = std::make_unique<CRichTextHost>();
    host->Init();
    g_host = host.release();
  }
  return g_host;
}

void FreeRichTextHost() {
  delete g_host;
  g_host = nullptr;
}

int MeasureRichTextHeight(const void* rtf, int length, int widthMils) {
  return MeasureRichTextHeightStepped(rtf, length, widthMils, 0);
}

int MeasureRichTextHeightStepped(const void* rtf, int length, int widthMils, int fontStep) {
  GetRichTextHost();
  if (!g_host || !g_host->Services()) return 0;
  g_host->SetText(rtf, length);
  // The zoom of the last drawing is not the text's: measure at 1.
  g_host->Services()->TxSendMessage(EM_SETZOOM, 0, 0, nullptr);
  g_host->StepFontSize(fontStep);
  int height = 0;
  g_host->GetNaturalHeight(static_cast<int>(widthMils * 2.54), &height);
  return static_cast<int>(height / 2.54);
}

int DrawRichText(HDC dc, const RECT* bounds, double zoom) {
  GetRichTextHost();
  if (!g_host) return 0;
  return g_host->Draw(dc, bounds, zoom) == 0 ? 1 : 0;
}

int DrawRichTextScaled(HDC dc, const void* rtf, int length, const RECT* bounds, int fontStep, double zoom) {
  GetRichTextHost();
  if (!g_host || !g_host->Services()) return 0;
  g_host->SetText(rtf, length);
  g_host->SetZoom(zoom);
  g_host->StepFontSize(fontStep);
  return g_host->Draw(dc, bounds, zoom) == 0 ? 1 : 0;
}
