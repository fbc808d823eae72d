// A printer's settings as the device-mode structure carries them (the
// printer form of its union), with the documented field flags and values.
// The spooler fills it for its printers (DocumentProperties); printer device
// contexts and the print dialog read it.
#pragma once

#include "platform/kernel/types.h"

inline constexpr int CCHDEVICENAME = 32;
inline constexpr int CCHFORMNAME = 32;
inline constexpr WORD DM_SPECVERSION = 0x0401;

struct DEVMODEA {
  BYTE dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;  // tenths of a millimetre
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;  // dots per inch across, or a DMRES_ value
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  BYTE dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmNup;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
  DWORD dmPanningWidth;
  DWORD dmPanningHeight;
};
static_assert(sizeof(DEVMODEA) == 156);
using DEVMODE = DEVMODEA;
using LPDEVMODEA = DEVMODEA*;
using PDEVMODEA = DEVMODEA*;
using LPDEVMODE = DEVMODEA*;

// dmFields
inline constexpr DWORD DM_ORIENTATION = 0x1, DM_PAPERSIZE = 0x2, DM_PAPERLENGTH = 0x4, DM_PAPERWIDTH = 0x8,
                       DM_SCALE = 0x10, DM_COPIES = 0x100, DM_DEFAULTSOURCE = 0x200, DM_PRINTQUALITY = 0x400,
                       DM_COLOR = 0x800, DM_DUPLEX = 0x1000, DM_YRESOLUTION = 0x2000, DM_TTOPTION = 0x4000,
                       DM_COLLATE = 0x8000, DM_FORMNAME = 0x10000;
inline constexpr short DMORIENT_PORTRAIT = 1, DMORIENT_LANDSCAPE = 2;
inline constexpr short DMPAPER_LETTER = 1, DMPAPER_LEGAL = 5, DMPAPER_EXECUTIVE = 7, DMPAPER_A3 = 8,
                       DMPAPER_A4 = 9, DMPAPER_A5 = 11, DMPAPER_B5 = 13, DMPAPER_USER = 256;
inline constexpr short DMBIN_UPPER = 1, DMBIN_ONLYONE = 1, DMBIN_LOWER = 2, DMBIN_MIDDLE = 3, DMBIN_MANUAL = 4,
                       DMBIN_ENVELOPE = 5, DMBIN_ENVMANUAL = 6, DMBIN_AUTO = 7, DMBIN_TRACTOR = 8;
inline constexpr short DMRES_DRAFT = -1, DMRES_LOW = -2, DMRES_MEDIUM = -3, DMRES_HIGH = -4;
inline constexpr short DMCOLOR_MONOCHROME = 1, DMCOLOR_COLOR = 2;
inline constexpr short DMCOLLATE_FALSE = 0, DMCOLLATE_TRUE = 1;
