// The documents of printer device contexts: a job of a print queue, or a
// file (print to file, or a printer whose port is a file), written page by
// page in the format the printer takes. Also the settings a device context
// of a print queue is made with: its capabilities, with what the settings
// block (DEVMODE) given to CreateDC asks for.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <cups/cups.h>
#include <cups/pwg.h>

#include "platform/gdi/print_document.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/spool/cups_job.h"
#include "platform/spool/cups_queues.h"
#include "platform/spool/devmode.h"
#include "platform/spool/device_caps.h"
#include "platform/spool/page_writers.h"
#include "platform/spool/spool_internal.h"

namespace spool {

const char* MimeTypeOf(DocumentFormat format) {
  return format == DocumentFormat::CupsRaster ? "application/vnd.cups-raster" : "application/pdf";
}

std::unique_ptr<PageWriter> MakeRasterWriter(ByteSink sink);
std::unique_ptr<PageWriter> MakePdfWriter(ByteSink sink);

std::unique_ptr<PageWriter> MakePageWriter(DocumentFormat format, ByteSink sink) {
  return format == DocumentFormat::CupsRaster ? MakeRasterWriter(std::move(sink)) : MakePdfWriter(std::move(sink));
}

namespace {

// "300dpi", or "1200x600dpi" where a printer prints finer across than down.
std::string ResolutionName(int x, int y) {
  return (x == y ? std::to_string(x) : std::to_string(x) + "x" + std::to_string(y)) + "dpi";
}

// A file written beside its target and put in its place only when the
// document is complete: a failed or cancelled document leaves an existing
// file as it was.
class FileTarget {
 public:
  static mode_t ModeFor(const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
    return 0666 & ~CreationMask();
  }
  // The process's file-creation mask, read without changing it (umask()
  // would, for every thread, while it is read).
  static mode_t CreationMask() {
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
      char line[128];
      unsigned mask = 022;
      while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
      std::fclose(status);
      return static_cast<mode_t>(mask);
    }
    return 022;
  }
  ~FileTarget() { Drop(); }
  bool Open(const std::string& target) {
    target_ = target;
    const size_t slash = target.rfind('/');
    std::string pattern = (slash == std::string::npos ? std::string(".") : target.substr(0, slash)) + "/.tavdoc-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return Fail(errno);
    temp_ = pattern;
    // mkstemp makes the file for its owner alone; the document gets the
    // permissions of the file it replaces, or those of any new file.
    if (::fchmod(fd, ModeFor(target)) != 0) {
      ::close(fd);
      return Fail(errno);
    }
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
      ::close(fd);
      return Fail(errno);
    }
    return true;
  }
  bool Write(std::span<const uint8_t> bytes) {
    if (!file_) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return Fail(errno ? errno : EIO);
    return true;
  }
  bool Commit() {
    if (!file_) return false;
    const bool flushed = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) return Fail(flushed ? errno : flushError);
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) return Fail(errno);
    temp_.clear();
    return true;
  }
  void Drop() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
  }
  int Errno() const { return errno_; }
  std::string Reason() const { return target_ + ": " + std::strerror(errno_ ? errno_ : EIO); }

 private:
  bool Fail(int err) {
    if (!errno_) errno_ = err ? err : EIO;
    return false;
  }
  std::string target_, temp_;
  FILE* file_ = nullptr;
  int errno_ = 0;
};

class SpoolDocument : public gdi::PrintDocument {
 public:
  static gdi::OpenedDocument ToFile(const std::string& path, DocumentFormat format) {
    auto doc = std::unique_ptr<SpoolDocument>(new SpoolDocument);
    doc->file_ = std::make_unique<FileTarget>();
    if (!doc->file_->Open(path)) return Refused(ErrorFromErrno(doc->file_->Errno()), doc->file_->Reason());
    doc->StartWriter(format);
    return Opened(std::move(doc));
  }
  static gdi::OpenedDocument ToQueue(const gdi::DocumentRequest& request, DocumentFormat format) {
    auto doc = std::unique_ptr<SpoolDocument>(new SpoolDocument);
    doc->job_ = std::make_unique<CupsJob>();
    std::vector<JobOption> options;
    if (request.job.copies > 1) options.push_back({"copies", std::to_string(request.job.copies)});
    if (!request.job.media.empty()) options.push_back({"media", request.job.media});
    if (!request.job.source.empty()) options.push_back({"media-source", request.job.source});
    // The resolution the pages were drawn at, across and down, for the
    // filters that render a PDF: as the print system names it, and as the
    // queue's driver does.
    if (request.job.serverQueue && request.device.dpiX > 0 && request.device.dpiY > 0)
      options.push_back({"printer-resolution", ResolutionName(request.device.dpiX, request.device.dpiY)});
    if (!request.job.resolutionChoice.empty()) options.push_back({"Resolution", request.job.resolutionChoice});
    const std::string title = request.docName.empty() ? std::string("Tavrendel") : request.docName;
    if (!doc->job_->Start(request.printer, title, MimeTypeOf(format), options))
      return Refused(ERROR_NOT_SUPPORTED, doc->job_->Error());
    doc->StartWriter(format);
    return Opened(std::move(doc));
  }

  ~SpoolDocument() override {
    if (!done_) Cancel();
  }
  bool AddPage(const gdi::PrintedPage& page) override {
    if (done_) return false;
    if (!writer_->AddPage(page)) return Failed();
    return true;
  }
  bool Finish() override {
    if (done_) return false;
    done_ = true;
    if (!writer_->Finish()) return Failed();
    const bool delivered = file_ ? file_->Commit() : job_->Finish();
    if (!delivered) return Failed();
    return true;
  }
  void Cancel() override {
    done_ = true;
    if (file_) file_->Drop();
    if (job_) job_->Cancel();
  }
  int JobId() const override { return job_ ? job_->Id() : 1; }
  const std::string& Error() const override { return error_; }
  DWORD ErrorCode() const override { return code_; }

 private:
  SpoolDocument() = default;
  static gdi::OpenedDocument Opened(std::unique_ptr<SpoolDocument> doc) {
    gdi::OpenedDocument out;
    out.document = std::move(doc);
    return out;
  }
  static gdi::OpenedDocument Refused(DWORD code, std::string reason) {
    gdi::OpenedDocument out;
    out.refused = true;
    out.error = code;
    out.reason = std::move(reason);
    return out;
  }
  void StartWriter(DocumentFormat format) {
    writer_ = MakePageWriter(format, [this](std::span<const uint8_t> bytes) {
      return file_ ? file_->Write(bytes) : job_->Write(bytes);
    });
  }
  // The first reason wins: the target's (a full disk, a refused job) before
  // the writer's.
  bool Failed() {
    if (error_.empty()) {
      if (file_ && file_->Errno()) {
        error_ = file_->Reason();
        code_ = ErrorFromErrno(file_->Errno());
      } else if (job_ && !job_->Error().empty()) {
        error_ = job_->Error();
        code_ = ERROR_NOT_SUPPORTED;
      } else {
        error_ = writer_->Error();
        code_ = ERROR_NOT_ENOUGH_MEMORY;
      }
    }
    Cancel();
    return false;
  }

  std::unique_ptr<FileTarget> file_;
  std::unique_ptr<CupsJob> job_;
  std::unique_ptr<PageWriter> writer_;
  bool done_ = false;
  std::string error_;
  DWORD code_ = 0;
};

DocumentFormat FormatFor(const Printer& printer) {
  if (printer.destination != Destination::Cups) return DocumentFormat::Pdf;
  const auto caps = CupsCapabilitiesOf(printer.name);
  return caps && caps->takesRaster ? DocumentFormat::CupsRaster : DocumentFormat::Pdf;
}

gdi::OpenedDocument OpenDocument(const gdi::DocumentRequest& request) {
  Printer printer;
  const bool known = FindPrinter(request.printer.c_str(), &printer);
  if (!request.outputFile.empty())
    return SpoolDocument::ToFile(request.outputFile, known ? FormatFor(printer) : DocumentFormat::Pdf);
  if (!known) {
    if (!request.job.serverQueue) return {};
    gdi::OpenedDocument gone;
    gone.refused = true;
    gone.error = ERROR_NOT_SUPPORTED;
    gone.reason = "The print queue " + request.printer + " could not be reached: " + cupsLastErrorString();
    return gone;
  }
  switch (printer.destination) {
    case Destination::Cups: return SpoolDocument::ToQueue(request, FormatFor(printer));
    case Destination::File: return SpoolDocument::ToFile(printer.port, DocumentFormat::Pdf);
    case Destination::AskForFile: break;
  }
  return {};  // no destination of its own: the pages stay with the device context
}

int Dots(int hundredthsMm, int dpi) { return static_cast<int>((static_cast<long long>(hundredthsMm) * dpi + 1270) / 2540); }

struct Resolution {
  int x = 0, y = 0;
};

// A resolution the queue lists with `across` dots per inch across: square
// dots where it has them; square when it lists resolutions across only.
std::optional<Resolution> ListedAcross(const CupsCapabilities& caps, int across) {
  std::optional<Resolution> found;
  for (const auto& [x, y] : caps.resolutionPairs)
    if (x == across && (!found || x == y)) found = Resolution{x, y};
  if (!found && std::find(caps.resolutions.begin(), caps.resolutions.end(), across) != caps.resolutions.end())
    found = Resolution{across, across};
  return found;
}

// The resolution the settings block asks for (dots per inch across, and
// down where it gives them) when the queue lists it, else the queue's
// default. A block that gives no resolution down asks for square dots.
Resolution ResolutionAskedOf(const CupsCapabilities& caps, const DEVMODEA* dm) {
  const int byDefault = caps.defaultResolution > 0 ? caps.defaultResolution : 300;
  const Resolution chosen = ListedAcross(caps, byDefault).value_or(Resolution{byDefault, byDefault});
  if (!dm || !(dm->dmFields & DM_PRINTQUALITY) || dm->dmPrintQuality <= 0) return chosen;
  const int across = dm->dmPrintQuality;
  const int down = (dm->dmFields & DM_YRESOLUTION) && dm->dmYResolution > 0 ? dm->dmYResolution : across;
  for (const auto& [x, y] : caps.resolutionPairs)
    if (x == across && y == down) return {x, y};
  return ListedAcross(caps, across).value_or(chosen);
}

// A print queue's device settings: its default media and resolution, or what
// the settings block asks for among what the queue supports.
std::optional<gdi::QueueSettings> SettingsOfQueue(const std::string& name, const void* block) {
  Printer printer;
  if (!FindPrinter(name.c_str(), &printer) || printer.destination != Destination::Cups) return std::nullopt;
  const auto caps = CupsCapabilitiesOf(printer.name);
  if (!caps) return std::nullopt;
  const auto* dm = static_cast<const DEVMODEA*>(block);
  const Resolution dpi = ResolutionAskedOf(*caps, dm);
  CupsMedia media = caps->defaultMedia;
  gdi::PrinterSettings s;
  gdi::JobSettings job;
  int width = 0, length = 0;  // asked for, hundredths of a millimetre
  if (dm && (dm->dmFields & (DM_PAPERWIDTH | DM_PAPERLENGTH)) == (DM_PAPERWIDTH | DM_PAPERLENGTH) &&
      dm->dmPaperWidth > 0 && dm->dmPaperLength > 0) {
    width = dm->dmPaperWidth * 10;
    length = dm->dmPaperLength * 10;
  } else if (dm && (dm->dmFields & DM_PAPERSIZE)) {
    if (const PaperForm* form = PaperFormOf(dm->dmPaperSize)) {
      width = form->widthTenthsMm * 10;
      length = form->lengthTenthsMm * 10;
    }
  }
  if (width > 0 && length > 0) {
    // The queue's own media of that size names it in the job; the document
    // carries its size either way, so a size the queue does not list is
    // printed without a media name.
    media.widthHundredthsMm = width;
    media.lengthHundredthsMm = length;
    for (const CupsMedia& m : caps->media)
      if (std::abs(m.widthHundredthsMm - width) <= 100 && std::abs(m.lengthHundredthsMm - length) <= 100) {
        job.media = m.name;
        media.left = m.left, media.right = m.right, media.top = m.top, media.bottom = m.bottom;
        break;
      }
    if (job.media.empty()) {
      // A size of its own, named as the print system names custom sizes.
      char name[128];
      if (pwgFormatSizeName(name, sizeof name, "custom", nullptr, width, length, nullptr)) job.media = name;
    }
  }
  if (media.widthHundredthsMm <= 0 || media.lengthHundredthsMm <= 0) {
    media.widthHundredthsMm = 21590;  // no media reported: Letter
    media.lengthHundredthsMm = 27940;
  }
  job.landscape = dm && (dm->dmFields & DM_ORIENTATION) && dm->dmOrientation == DMORIENT_LANDSCAPE;
  if (job.landscape) {
    std::swap(media.widthHundredthsMm, media.lengthHundredthsMm);
    media = CupsMedia{media.name, media.widthHundredthsMm, media.lengthHundredthsMm, media.bottom, media.right, media.top, media.left};
  }
  if (dm && (dm->dmFields & DM_DEFAULTSOURCE) && dm->dmDefaultSource == DMBIN_TRACTOR) {
    job.source = "tractor";
    media.left = media.right = media.top = media.bottom = 0;  // continuous forms: no unprintable edge
  }
  if (dm && (dm->dmFields & DM_COPIES) && dm->dmCopies > 0) job.copies = dm->dmCopies;
  s.dpiX = dpi.x;
  s.dpiY = dpi.y;
  for (const auto& choice : caps->resolutionChoices)
    if (choice.x == dpi.x && choice.y == dpi.y) job.resolutionChoice = choice.name;
  job.serverQueue = true;
  s.page = SIZE{Dots(media.widthHundredthsMm, dpi.x), Dots(media.lengthHundredthsMm, dpi.y)};
  s.printableOffset = POINT{Dots(media.left, dpi.x), Dots(media.top, dpi.y)};
  s.printable = SIZE{std::max(1, s.page.cx - s.printableOffset.x - Dots(media.right, dpi.x)),
                     std::max(1, s.page.cy - s.printableOffset.y - Dots(media.bottom, dpi.y))};
  return gdi::QueueSettings{s, job};
}

const bool g_installed = [] {
  gdi::SetDocumentOpener(OpenDocument);
  gdi::SetPrinterSettingsSource(SettingsOfQueue);
  return true;
}();

}  // namespace
}  // namespace spool
