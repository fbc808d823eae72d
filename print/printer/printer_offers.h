// What a printer offers the user to choose from: its media with their sizes,
// its resolutions and its media sources, as its print queue reports them
// (the spooler's own tables for a printer that is no queue of the print
// system), and how a choice becomes the printer's settings block.
#pragma once

#include <string>
#include <vector>

#include "platform/spool/devmode.h"

struct PrinterMedia {
  std::string name;                   // the print system's media name
  int widthTenthsMm = 0, lengthTenthsMm = 0;
};

struct PrinterResolution {
  int x = 0, y = 0;  // dots per inch across and down
  bool operator==(const PrinterResolution&) const = default;
};

struct PrinterOffers {
  std::vector<PrinterMedia> media;
  int defaultMedia = -1;              // index into media, -1 for none
  std::vector<PrinterResolution> resolutions;  // lowest first
  PrinterResolution defaultResolution;
  std::vector<std::string> sources;   // the print system's media-source names
  std::string defaultSource;
};

// False when the spooler knows no such printer.
bool OffersOf(const std::string& printer, PrinterOffers* out);

// The settings-block code of a media-source name: the tractor is the one the
// printing code treats apart (continuous stock, no unprintable margin).
short SourceCode(const std::string& source);
// "300 dpi", or "1200x600 dpi" for a resolution finer across than down.
std::string ResolutionText(PrinterResolution r);
// The resolution the settings ask for when the printer offers it, else its default.
PrinterResolution ChosenResolution(const PrinterOffers& offers, const DEVMODEA& mode);
// The entry of `media` the settings ask for (same size within a millimetre),
// else the default; -1 when the list is empty.
int ChosenMedia(const PrinterOffers& offers, const DEVMODEA& mode);
// The settings with the chosen media, resolution, source and orientation.
void ApplyChoice(const PrinterOffers& offers, int media, PrinterResolution resolution, const std::string& source,
                 bool landscape, DEVMODEA* mode);
