#include "print/printer/printer_offers.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/spool/cups_queues.h"
#include "platform/spool/device_caps.h"
#include "platform/spool/spool.h"

namespace {

// The media sources the settings block has codes for, by the print
// system's names for them.
struct SourceName {
  std::string_view name;
  short code;
};
constexpr SourceName kSources[] = {{"auto", DMBIN_AUTO},     {"top", DMBIN_UPPER},     {"main", DMBIN_UPPER},
                                   {"bottom", DMBIN_LOWER},  {"middle", DMBIN_MIDDLE}, {"manual", DMBIN_MANUAL},
                                   {"envelope", DMBIN_ENVELOPE}, {"tractor", DMBIN_TRACTOR}};
static_assert(std::size(kSources) == 8);

bool QueueOffers(const std::string& printer, PrinterOffers* out) {
  const auto caps = spool::CupsCapabilitiesOf(printer);
  if (!caps) return false;
  for (const spool::CupsMedia& m : caps->media) {
    // Sizes in hundredths of a millimetre, to the nearest tenth.
    out->media.push_back({m.name, (m.widthHundredthsMm + 5) / 10, (m.lengthHundredthsMm + 5) / 10});
    if (m.name == caps->defaultMedia.name) out->defaultMedia = static_cast<int>(out->media.size()) - 1;
  }
  for (const auto& [x, y] : caps->resolutionPairs)
    if (std::find(out->resolutions.begin(), out->resolutions.end(), PrinterResolution{x, y}) == out->resolutions.end())
      out->resolutions.push_back({x, y});
  std::sort(out->resolutions.begin(), out->resolutions.end(),
            [](PrinterResolution a, PrinterResolution b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
  out->defaultResolution = {caps->defaultResolution, caps->defaultResolution};
  out->sources = caps->sources;
  out->defaultSource = caps->defaultSource;
  return true;
}

void TableOffers(const std::string& printer, PrinterOffers* out) {
  for (const spool::PaperForm& p : spool::PaperForms()) out->media.push_back({p.name, p.widthTenthsMm, p.lengthTenthsMm});
  for (int r : spool::ResolutionsOf(printer)) out->resolutions.push_back({r, r});
  if (!out->resolutions.empty()) out->defaultResolution = out->resolutions.back();
  for (const SourceName& s : kSources)
    for (const spool::PaperSource& p : spool::PaperSources())
      if (p.code == s.code && std::find(out->sources.begin(), out->sources.end(), s.name) == out->sources.end())
        out->sources.emplace_back(s.name);
  out->defaultSource = "auto";
}

}  // namespace

bool OffersOf(const std::string& printer, PrinterOffers* out) {
  *out = PrinterOffers{};
  HANDLE handle = nullptr;
  if (!OpenPrinterA(const_cast<LPSTR>(printer.c_str()), &handle, nullptr)) return false;
  ClosePrinter(handle);
  if (!spool::FindCupsQueue(printer) || !QueueOffers(printer, out)) TableOffers(printer, out);
  return true;
}

short SourceCode(const std::string& source) {
  for (const SourceName& s : kSources)
    if (s.name == source) return s.code;
  return DMBIN_AUTO;
}

std::string ResolutionText(PrinterResolution r) {
  return (r.x == r.y ? std::to_string(r.x) : std::to_string(r.x) + "x" + std::to_string(r.y)) + " dpi";
}

PrinterResolution ChosenResolution(const PrinterOffers& offers, const DEVMODEA& mode) {
  if ((mode.dmFields & DM_PRINTQUALITY) && mode.dmPrintQuality > 0) {
    const bool down = (mode.dmFields & DM_YRESOLUTION) && mode.dmYResolution > 0;
    const PrinterResolution asked{mode.dmPrintQuality, down ? mode.dmYResolution : mode.dmPrintQuality};
    if (std::find(offers.resolutions.begin(), offers.resolutions.end(), asked) != offers.resolutions.end()) return asked;
  }
  return offers.defaultResolution;
}

int ChosenMedia(const PrinterOffers& offers, const DEVMODEA& mode) {
  const bool sized = (mode.dmFields & (DM_PAPERWIDTH | DM_PAPERLENGTH)) == (DM_PAPERWIDTH | DM_PAPERLENGTH);
  if (sized)
    for (size_t i = 0; i < offers.media.size(); ++i)
      if (std::abs(offers.media[i].widthTenthsMm - mode.dmPaperWidth) <= 10 &&
          std::abs(offers.media[i].lengthTenthsMm - mode.dmPaperLength) <= 10)
        return static_cast<int>(i);
  if (offers.defaultMedia >= 0) return offers.defaultMedia;
  return offers.media.empty() ? -1 : 0;
}

void ApplyChoice(const PrinterOffers& offers, int media, PrinterResolution resolution, const std::string& source,
                 bool landscape, DEVMODEA* mode) {
  if (media >= 0 && media < static_cast<int>(offers.media.size())) {
    const PrinterMedia& m = offers.media[static_cast<size_t>(media)];
    mode->dmFields = (mode->dmFields & ~DM_PAPERSIZE) | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME;
    mode->dmPaperWidth = static_cast<short>(m.widthTenthsMm);
    mode->dmPaperLength = static_cast<short>(m.lengthTenthsMm);
    mode->dmPaperSize = DMPAPER_USER;
    std::memset(mode->dmFormName, 0, sizeof mode->dmFormName);
    std::memcpy(mode->dmFormName, m.name.data(), std::min(m.name.size(), sizeof mode->dmFormName - 1));
  }
  if (resolution.x > 0 && resolution.y > 0) {
    mode->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
    mode->dmPrintQuality = static_cast<short>(resolution.x);
    mode->dmYResolution = static_cast<short>(resolution.y);
  }
  if (!source.empty()) {
    mode->dmFields |= DM_DEFAULTSOURCE;
    mode->dmDefaultSource = SourceCode(source);
  }
  mode->dmFields |= DM_ORIENTATION;
  mode->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}
