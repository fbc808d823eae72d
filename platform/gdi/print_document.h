// Where a printer device context's pages go. Between StartDoc and EndDoc a
// printer device context that has a document hands each page to it at
// EndPage and frees the page, so a long run holds one page at a time. The
// spooler opens the documents (a job of a print queue, or a file); a
// printer no spooler delivers to keeps its pages for the caller
// (TakePrintedPages).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/printer_settings.h"

// StartDocA answers the job number, or SP_ERROR (the reason in
// gdi::LastPrintError and GetLastError); EndPage and EndDoc fail with
// SP_ERROR when the document could not take the page or be delivered.
inline constexpr int SP_ERROR = -1;

namespace gdi {

// One printed page: the drawable part of the physical page, 32-bit
// 0x00RRGGBB pixels, top row first.
struct PrintedPage {
  const uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  size_t stride = 0;  // in pixels
  SIZE physical{0, 0};
  POINT offset{0, 0};  // of the drawable part on the physical page
  int dpiX = 0, dpiY = 0;
  // True when every pixel is pure black or pure white.
  bool blackAndWhite = false;
  uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * stride + x]; }
};

class PrintDocument {
 public:
  virtual ~PrintDocument() = default;  // a document never finished is cancelled
  virtual bool AddPage(const PrintedPage& page) = 0;
  virtual bool Finish() = 0;
  virtual void Cancel() = 0;
  // The job number (above 0) StartDoc returns.
  virtual int JobId() const = 0;
  // The reason of the last failure, for messages.
  virtual const std::string& Error() const = 0;
  // The Win32 error code of the last failure.
  virtual DWORD ErrorCode() const = 0;
};

// What a job asks of the printer beyond the page (from the settings block
// the device context was made with).
struct JobSettings {
  int copies = 1;
  std::string media;   // the print system's media name; empty: the printer's default
  std::string source;  // media source; empty: the printer's default
  bool landscape = false;
  // The queue's driver's own name of the resolution the pages are drawn at
  // ("1200x600dpi"); empty when the driver names none.
  std::string resolutionChoice;
  // A queue of the print server: its documents go to the server, and fail
  // when it cannot be reached.
  bool serverQueue = false;
};

struct QueueSettings {
  PrinterSettings device;
  JobSettings job;
};

struct DocumentRequest {
  std::string printer;
  std::string docName;
  std::string outputFile;  // empty: the printer's own destination
  PrinterSettings device;
  JobSettings job;
};

// What opening a document gave: a document, or a refusal with its reason,
// or neither when the printer is none of the opener's (its pages then stay
// with the device context).
struct OpenedDocument {
  std::unique_ptr<PrintDocument> document;
  bool refused = false;
  DWORD error = 0;
  std::string reason;
};
using DocumentOpener = OpenedDocument (*)(const DocumentRequest& request);
void SetDocumentOpener(DocumentOpener opener);

// Settings of printers the graphics area was not told about, asked for by
// name with the settings block CreateDC was given (may be null; the spooler
// answers for its queues); nullopt for an unknown name.
using PrinterSettingsSource = std::optional<QueueSettings> (*)(const std::string& name, const void* devMode);
void SetPrinterSettingsSource(PrinterSettingsSource source);

// The reason the last StartDoc, EndPage or EndDoc of this thread failed.
const std::string& LastPrintError();

}  // namespace gdi
