// The queues of the print system (CUPS) and what each one can do, asked of
// the server through libcups: the destinations with their device and model,
// and per queue the default media with its margins, the media, resolutions
// and media sources it supports, and whether its driver takes raster.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace spool {

struct CupsQueue {
  std::string name;
  std::string deviceUri;
  std::string makeAndModel;
  bool acceptingJobs = true;
};

struct CupsMedia {
  std::string name;  // the print system's media name
  int widthHundredthsMm = 0, lengthHundredthsMm = 0;
  int left = 0, bottom = 0, right = 0, top = 0;  // margins, hundredths of a millimetre
};

struct CupsCapabilities {
  CupsMedia defaultMedia;
  std::vector<CupsMedia> media;
  std::vector<int> resolutions;  // dots per inch across, lowest first
  // Every resolution the queue lists, across and down, in its order (a
  // queue may print finer across than down).
  std::vector<std::pair<int, int>> resolutionPairs;
  int defaultResolution = 0;
  // The driver's own names of its resolutions (its "Resolution" choices,
  // "203dpi", "1200x600dpi"), where the queue has a PPD.
  struct ResolutionChoice {
    int x = 0, y = 0;
    std::string name;
  };
  std::vector<ResolutionChoice> resolutionChoices;
  std::vector<std::string> sources;
  std::string defaultSource;
  // The driver's own filter reads CUPS raster (a label printer): jobs are
  // sent as raster; otherwise as PDF, which the print system turns into
  // what the printer takes.
  bool takesRaster = false;
};

// The queues the server has; empty when no server answers (the reason in *error).
std::vector<CupsQueue> CupsQueues(std::string* error = nullptr);
std::optional<CupsQueue> FindCupsQueue(const std::string& name);
// Asked of the server once per queue for the life of the process.
std::optional<CupsCapabilities> CupsCapabilitiesOf(const std::string& name, std::string* error = nullptr);
// Forgets what was asked (tests that change a queue).
void ForgetCupsCapabilities();

}  // namespace spool
