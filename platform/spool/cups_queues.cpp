#include "platform/spool/cups_queues.h"

#include <strings.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include <cups/cups.h>

namespace spool {
namespace {

struct DestList {
  cups_dest_t* dests = nullptr;
  int count = 0;
  ~DestList() { cupsFreeDests(count, dests); }
};

struct InfoOwner {
  void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using UniqueInfo = std::unique_ptr<cups_dinfo_t, InfoOwner>;

std::string OptionOf(const cups_dest_t& dest, const char* name) {
  const char* value = cupsGetOption(name, dest.num_options, dest.options);
  return value ? value : "";
}

CupsMedia MediaOf(const cups_size_t& size) {
  return {size.media, size.width, size.length, size.left, size.bottom, size.right, size.top};
}

constexpr int PerInch(int perCentimetre) { return (perCentimetre * 254 + 50) / 100; }

// "300dpi", "1200x600dpi" or "118dpcm": dots per inch across and down;
// nothing for any other name.
std::optional<std::pair<int, int>> ResolutionOfChoice(std::string_view name) {
  const auto number = [&name](int& out) {
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), out);
    if (error != std::errc() || out <= 0) return false;
    name.remove_prefix(static_cast<size_t>(end - name.data()));
    return true;
  };
  int x = 0, y = 0;
  if (!number(x)) return std::nullopt;
  y = x;
  if (!name.empty() && name.front() == 'x') {
    name.remove_prefix(1);
    if (!number(y)) return std::nullopt;
  }
  if (name == "dpcm") {
    x = PerInch(x);
    y = PerInch(y);
  } else if (name != "dpi") {
    return std::nullopt;
  }
  return std::make_pair(x, y);
}

// What the queue's PPD says (queues without one are driverless and take
// PDF): whether its driver's filters read raster, and the names of its
// resolutions.
void ReadPpd(const std::string& queue, CupsCapabilities& caps) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::tmpfile(), &std::fclose);
  if (!file) return;
  const std::string resource = "/printers/" + queue + ".ppd";
  if (cupsGetFd(CUPS_HTTP_DEFAULT, resource.c_str(), fileno(file.get())) != HTTP_STATUS_OK) return;
  std::rewind(file.get());
  char line[1024];
  static constexpr std::string_view kResolution = "*Resolution ";
  while (std::fgets(line, sizeof line, file.get())) {
    const std::string_view text(line);
    if (text.rfind(kResolution, 0) == 0) {
      // "*Resolution NAME/Text: code": the choice's name.
      const std::string_view rest = text.substr(kResolution.size());
      const std::string_view name = rest.substr(0, rest.find_first_of("/:"));
      if (const auto dpi = ResolutionOfChoice(name))
        caps.resolutionChoices.push_back({dpi->first, dpi->second, std::string(name)});
      continue;
    }
    if (text.rfind("*cupsFilter:", 0) != 0 && text.rfind("*cupsFilter2:", 0) != 0) continue;
    // "source [destination] cost program": a real program reading raster
    // (a "-" only passes the document on unchanged).
    const size_t open = text.find('"'), close = text.rfind('"');
    if (open == std::string_view::npos || close <= open) continue;
    const std::string_view filter = text.substr(open + 1, close - open - 1);
    const std::string_view program = filter.substr(filter.rfind(' ') + 1);
    if (filter.rfind("application/vnd.cups-raster ", 0) == 0 && program != "-") caps.takesRaster = true;
  }
}

std::vector<int> ResolutionsOf(ipp_attribute_t* attribute) {
  std::vector<int> out;
  for (int i = 0; i < ippGetCount(attribute); ++i) {
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    int x = ippGetResolution(attribute, i, &y, &units);
    if (units == IPP_RES_PER_CM) x = PerInch(x);
    if (x > 0 && std::find(out.begin(), out.end(), x) == out.end()) out.push_back(x);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::pair<int, int>> PairsOf(ipp_attribute_t* attribute) {
  std::vector<std::pair<int, int>> out;
  for (int i = 0; i < ippGetCount(attribute); ++i) {
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    int x = ippGetResolution(attribute, i, &y, &units);
    if (units == IPP_RES_PER_CM) x = PerInch(x), y = PerInch(y);
    if (x > 0 && y > 0) out.emplace_back(x, y);
  }
  return out;
}

std::vector<std::string> StringsOf(ipp_attribute_t* attribute) {
  std::vector<std::string> out;
  for (int i = 0; i < ippGetCount(attribute); ++i)
    if (const char* s = ippGetString(attribute, i, nullptr)) out.emplace_back(s);
  return out;
}

std::optional<CupsCapabilities> Ask(cups_dest_t* dest, std::string* error) {
  UniqueInfo info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest));
  if (!info) {
    if (error) *error = cupsLastErrorString();
    return std::nullopt;
  }
  CupsCapabilities caps;
  cups_size_t size{};
  if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info.get(), CUPS_MEDIA_FLAGS_DEFAULT, &size))
    caps.defaultMedia = MediaOf(size);
  const int mediaCount = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info.get(), CUPS_MEDIA_FLAGS_DEFAULT);
  for (int i = 0; i < mediaCount; ++i)
    if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info.get(), i, CUPS_MEDIA_FLAGS_DEFAULT, &size))
      caps.media.push_back(MediaOf(size));
  ipp_attribute_t* resolutions = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info.get(), "printer-resolution");
  caps.resolutions = ResolutionsOf(resolutions);
  caps.resolutionPairs = PairsOf(resolutions);
  const std::vector<int> defaults =
      ResolutionsOf(cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info.get(), "printer-resolution"));
  caps.defaultResolution = !defaults.empty() ? defaults.front() : caps.resolutions.empty() ? 0 : caps.resolutions.back();
  caps.sources = StringsOf(cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info.get(), "media-source"));
  const std::vector<std::string> source =
      StringsOf(cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info.get(), "media-source"));
  caps.defaultSource = source.empty() ? std::string() : source.front();
  ReadPpd(dest->name, caps);
  return caps;
}

struct Cache {
  std::mutex lock;
  std::map<std::string, CupsCapabilities> byQueue;
};
Cache& TheCache() {
  static Cache* cache = new Cache;
  return *cache;
}

}  // namespace

std::vector<CupsQueue> CupsQueues(std::string* error) {
  DestList list;
  list.count = cupsGetDests2(CUPS_HTTP_DEFAULT, &list.dests);
  std::vector<CupsQueue> out;
  if (list.count <= 0 && error) *error = cupsLastErrorString();
  for (int i = 0; i < list.count; ++i) {
    const cups_dest_t& d = list.dests[i];
    if (d.instance) continue;  // instances are option sets of a queue, not queues
    out.push_back({d.name, OptionOf(d, "device-uri"), OptionOf(d, "printer-make-and-model"),
                   OptionOf(d, "printer-is-accepting-jobs") != "false"});
  }
  return out;
}

std::optional<CupsQueue> FindCupsQueue(const std::string& name) {
  for (CupsQueue& q : CupsQueues())
    if (strcasecmp(q.name.c_str(), name.c_str()) == 0) return std::move(q);
  return std::nullopt;
}

std::optional<CupsCapabilities> CupsCapabilitiesOf(const std::string& name, std::string* error) {
  Cache& cache = TheCache();
  {
    std::lock_guard hold(cache.lock);
    if (auto it = cache.byQueue.find(name); it != cache.byQueue.end()) return it->second;
  }
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
  if (!dest) {
    if (error) *error = cupsLastErrorString();
    return std::nullopt;
  }
  std::optional<CupsCapabilities> caps = Ask(dest, error);
  cupsFreeDests(1, dest);
  if (caps) {
    std::lock_guard hold(cache.lock);
    cache.byQueue[name] = *caps;
  }
  return caps;
}

void ForgetCupsCapabilities() {
  std::lock_guard hold(TheCache().lock);
  TheCache().byQueue.clear();
}

}  // namespace spool
