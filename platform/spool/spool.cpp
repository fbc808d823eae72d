#include "platform/spool/spool.h"

#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gdi/printer_settings.h"
#include "platform/kernel/kernel.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/spool/cups_job.h"
#include "platform/spool/cups_queues.h"
#include "platform/spool/spool_internal.h"

namespace {

using spool::Destination;
using spool::Printer;

struct Job {
  DWORD id = 0;
  std::string docName;
  std::string target;    // the file that receives the bytes, or the CUPS queue
  std::string tempPath;  // the bytes gather here until the job ends
  FILE* file = nullptr;
  bool cups = false;
  bool inPage = false;
};

struct Open {
  Printer printer;
  std::unique_ptr<Job> job;
};

struct Spooler {
  std::mutex lock;
  std::vector<Printer> added;
  std::map<uintptr_t, Open> handles;
  uintptr_t nextHandle = 0x7000;
  DWORD nextJob = 1;
};

Spooler& Spool() {
  static Spooler* spooler = new Spooler;
  return *spooler;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// The queues of the print server, when one answers.
std::vector<Printer> CupsPrinters() {
  std::vector<Printer> printers;
  for (const spool::CupsQueue& q : spool::CupsQueues())
    printers.push_back({q.name, q.deviceUri.empty() ? "cups:" + q.name : q.deviceUri,
                        q.makeAndModel.empty() ? std::string("CUPS") : q.makeAndModel, Destination::Cups});
  return printers;
}

// Printers of the profile's [Devices] section: "name=driver,port", where a
// port holding a '/' is a file that receives the jobs.
std::vector<Printer> ProfilePrinters() {
  std::vector<Printer> printers;
  std::vector<char> keys(32768);
  const DWORD n = GetProfileStringA("Devices", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()));
  for (size_t at = 0; at < n && keys[at];) {
    const std::string name(&keys[at]);
    at += name.size() + 1;
    char value[1024] = {};
    GetProfileStringA("Devices", name.c_str(), "", value, sizeof value);
    const std::string v(value);
    const size_t comma = v.find(',');
    const std::string driver = v.substr(0, comma);
    const std::string port = comma == std::string::npos ? "FILE:" : v.substr(comma + 1);
    printers.push_back({name, port, driver,
                        port.find('/') != std::string::npos ? Destination::File : Destination::AskForFile});
  }
  return printers;
}

Printer BuiltIn() { return {gdi::kBuiltInPrinter, "FILE:", "Tavrendel Page Printer", Destination::AskForFile}; }

std::vector<Printer> AllPrinters(bool local, bool connections) {
  std::vector<Printer> all;
  if (local) {
    all.push_back(BuiltIn());
    for (Printer& p : ProfilePrinters()) {
      gdi::RegisterPrinterSettings(p.name, gdi::PrinterSettings{});
      all.push_back(std::move(p));
    }
    std::lock_guard<std::mutex> hold(Spool().lock);
    all.insert(all.end(), Spool().added.begin(), Spool().added.end());
  }
  if (connections)
    for (Printer& p : CupsPrinters()) all.push_back(std::move(p));
  return all;
}

}  // namespace

bool spool::FindPrinter(const char* name, Printer* out) {
  if (!name) return false;
  for (const Printer& p : AllPrinters(true, true))
    if (strcasecmp(p.name.c_str(), name) == 0) {
      *out = p;
      return true;
    }
  return false;
}

namespace {
using spool::FindPrinter;

// Packs structures and their strings into the caller's buffer.
class Packer {
 public:
  Packer(LPBYTE buffer, size_t structSize, size_t count, size_t stringBytes)
      : buffer_(buffer), strings_(reinterpret_cast<char*>(buffer) + structSize * count),
        needed_(structSize * count + stringBytes) {}
  size_t Needed() const { return needed_; }
  LPSTR Put(const std::string& s) {
    char* at = strings_;
    std::memcpy(at, s.c_str(), s.size() + 1);
    strings_ += s.size() + 1;
    return at;
  }
  template <class T>
  T* At(size_t i) {
    return reinterpret_cast<T*>(buffer_) + i;
  }

 private:
  LPBYTE buffer_;
  char* strings_;
  size_t needed_;
};

template <class Fill>
BOOL Pack(size_t structSize, size_t count, size_t stringBytes, LPBYTE buffer, DWORD bufferSize, LPDWORD needed,
          LPDWORD returned, Fill fill) {
  const size_t total = structSize * count + stringBytes;
  if (needed) *needed = static_cast<DWORD>(total);
  if (returned) *returned = 0;
  if (bufferSize < total || (!buffer && total > 0)) return Fail(ERROR_INSUFFICIENT_BUFFER);
  Packer packer(buffer, structSize, count, stringBytes);
  fill(packer);
  if (returned) *returned = static_cast<DWORD>(count);
  return TRUE;
}

Open* FindOpen(HANDLE h) {
  auto it = Spool().handles.find(reinterpret_cast<uintptr_t>(h));
  return it == Spool().handles.end() ? nullptr : &it->second;
}

HANDLE NewHandle(const Printer& p) {
  std::lock_guard<std::mutex> hold(Spool().lock);
  const uintptr_t id = Spool().nextHandle++;
  Spool().handles[id] = Open{p, nullptr};
  return reinterpret_cast<HANDLE>(id);
}

void DropJob(Job& job) {
  if (job.file) std::fclose(job.file);
  job.file = nullptr;
  if (!job.tempPath.empty()) ::unlink(job.tempPath.c_str());
}

// A raw job's gathered bytes to its queue, as the printer takes them.
bool SendRaw(const Job& job) {
  FILE* in = std::fopen(job.tempPath.c_str(), "rb");
  if (!in) return false;
  spool::CupsJob cups;
  bool ok = cups.Start(job.target, job.docName.empty() ? std::string("Tavrendel") : job.docName,
                       "application/vnd.cups-raw", {});
  uint8_t buffer[65536];
  size_t n;
  while (ok && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0) ok = cups.Write({buffer, n});
  std::fclose(in);
  return ok && cups.Finish();
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

}  // namespace

BOOL EnumPrintersA(DWORD flags, LPSTR, DWORD level, LPBYTE buffer, DWORD bufferSize, LPDWORD needed,
                   LPDWORD returned) {
  if (level != 1 && level != 2) return Fail(ERROR_INVALID_PARAMETER);
  const bool all = flags & PRINTER_ENUM_NAME;
  std::vector<Printer> printers =
      AllPrinters(all || (flags & (PRINTER_ENUM_LOCAL | PRINTER_ENUM_DEFAULT)), all || (flags & PRINTER_ENUM_CONNECTIONS));
  if ((flags & PRINTER_ENUM_DEFAULT) && !all && printers.size() > 1) printers.resize(1);
  size_t strings = 0;
  for (const Printer& p : printers) {
    if (level == 1)
      strings += (p.name + "," + p.driver + ",").size() + 1 + p.name.size() + 1 + 1;
    else
      strings += p.name.size() + 1 + p.port.size() + 1 + p.driver.size() + 1 + std::strlen("RAW") + 1 + 1;
  }
  const size_t structSize = level == 1 ? sizeof(PRINTER_INFO_1A) : sizeof(PRINTER_INFO_2A);
  return Pack(structSize, printers.size(), strings, buffer, bufferSize, needed, returned, [&](Packer& packer) {
    for (size_t i = 0; i < printers.size(); ++i) {
      const Printer& p = printers[i];
      if (level == 1) {
        PRINTER_INFO_1A* info = packer.At<PRINTER_INFO_1A>(i);
        *info = {};
        info->pDescription = packer.Put(p.name + "," + p.driver + ",");
        info->pName = packer.Put(p.name);
        info->pComment = packer.Put("");
      } else {
        PRINTER_INFO_2A* info = packer.At<PRINTER_INFO_2A>(i);
        *info = {};
        info->pPrinterName = packer.Put(p.name);
        info->pPortName = packer.Put(p.port);
        info->pDriverName = packer.Put(p.driver);
        info->pDatatype = packer.Put("RAW");
        info->pComment = packer.Put("");
        info->Attributes = p.destination == Destination::Cups ? PRINTER_ATTRIBUTE_NETWORK : PRINTER_ATTRIBUTE_LOCAL;
      }
    }
  });
}

BOOL EnumPortsA(LPSTR, DWORD level, LPBYTE buffer, DWORD bufferSize, LPDWORD needed, LPDWORD returned) {
  if (level != 1) return Fail(ERROR_INVALID_PARAMETER);
  std::vector<std::string> ports{"FILE:"};
  for (const Printer& p : AllPrinters(true, true)) {
    bool seen = false;
    for (const std::string& q : ports) seen |= strcasecmp(q.c_str(), p.port.c_str()) == 0;
    if (!seen) ports.push_back(p.port);
  }
  size_t strings = 0;
  for (const std::string& s : ports) strings += s.size() + 1;
  return Pack(sizeof(PORT_INFO_1A), ports.size(), strings, buffer, bufferSize, needed, returned, [&](Packer& packer) {
    for (size_t i = 0; i < ports.size(); ++i) packer.At<PORT_INFO_1A>(i)->pName = packer.Put(ports[i]);
  });
}

HANDLE AddPrinterA(LPSTR, DWORD level, LPBYTE printer) {
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(printer);
  if (level != 2 || !info || !info->pPrinterName || !*info->pPrinterName || !info->pPortName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Printer existing;
  if (FindPrinter(info->pPrinterName, &existing)) {
    SetLastError(ERROR_PRINTER_ALREADY_EXISTS);
    return nullptr;
  }
  Printer p{info->pPrinterName, info->pPortName, info->pDriverName ? info->pDriverName : "",
            std::strchr(info->pPortName, '/') ? Destination::File : Destination::AskForFile};
  {
    std::lock_guard<std::mutex> hold(Spool().lock);
    Spool().added.push_back(p);
  }
  gdi::RegisterPrinterSettings(p.name, gdi::PrinterSettings{});
  return NewHandle(p);
}

BOOL DeletePrinter(HANDLE printer) {
  std::lock_guard<std::mutex> hold(Spool().lock);
  Open* open = FindOpen(printer);
  if (!open) return Fail(ERROR_INVALID_HANDLE);
  auto& added = Spool().added;
  for (auto it = added.begin(); it != added.end(); ++it)
    if (strcasecmp(it->name.c_str(), open->printer.name.c_str()) == 0) {
      added.erase(it);
      return TRUE;
    }
  return Fail(ERROR_INVALID_PRINTER_NAME);
}

BOOL OpenPrinterA(LPSTR name, HANDLE* printer, PRINTER_DEFAULTSA*) {
  if (!printer) return Fail(ERROR_INVALID_PARAMETER);
  *printer = nullptr;
  Printer p;
  if (!FindPrinter(name, &p)) return Fail(ERROR_INVALID_PRINTER_NAME);
  *printer = NewHandle(p);
  return TRUE;
}

BOOL ClosePrinter(HANDLE printer) {
  std::lock_guard<std::mutex> hold(Spool().lock);
  Open* open = FindOpen(printer);
  if (!open) return Fail(ERROR_INVALID_HANDLE);
  if (open->job) DropJob(*open->job);  // a job never ended is not delivered
  Spool().handles.erase(reinterpret_cast<uintptr_t>(printer));
  return TRUE;
}

DWORD StartDocPrinterA(HANDLE printer, DWORD level, LPBYTE docInfo) {
  std::lock_guard<std::mutex> hold(Spool().lock);
  Open* open = FindOpen(printer);
  if (!open) return Fail(ERROR_INVALID_HANDLE);
  const auto* doc = reinterpret_cast<const DOC_INFO_1A*>(docInfo);
  if (level != 1 || !doc) return Fail(ERROR_INVALID_PARAMETER);
  if (open->job) return Fail(ERROR_INVALID_PRINTER_STATE);
  if (doc->pDatatype && strcasecmp(doc->pDatatype, "RAW") != 0) return Fail(ERROR_NOT_SUPPORTED);

  auto job = std::make_unique<Job>();
  job->docName = doc->pDocName ? doc->pDocName : "";
  if (doc->pOutputFile && *doc->pOutputFile) {
    job->target = doc->pOutputFile;
  } else if (open->printer.destination == Destination::File) {
    job->target = open->printer.port;
  } else if (open->printer.destination == Destination::Cups) {
    job->target = open->printer.name;
    job->cups = true;
  } else {
    return Fail(ERROR_INVALID_PARAMETER);  // a "FILE:" port needs an output file
  }
  // The bytes gather beside the destination (or in the temporary folder for
  // a queue) and reach the destination only when the job ends.
  std::string pattern = (job->cups ? std::string("/tmp") : FolderOf(job->target)) + "/.tavjob-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return Fail(ErrorFromErrno(errno));
  job->tempPath = name.data();
  job->file = ::fdopen(fd, "wb");
  if (!job->file) {
    ::close(fd);
    ::unlink(job->tempPath.c_str());
    return Fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  job->id = Spool().nextJob++;
  const DWORD id = job->id;
  open->job = std::move(job);
  return id;
}

BOOL StartPagePrinter(HANDLE printer) {
  std::lock_guard<std::mutex> hold(Spool().lock);
  Open* open = FindOpen(printer);
  if (!open) return Fail(ERROR_INVALID_HANDLE);
  if (!open->job || open->job->inPage) return Fail(ERROR_INVALID_PRINTER_STATE);
  open->job->inPage = true;
  return TRUE;
}

BOOL WritePrinter(HANDLE printer, LPVOID buffer, DWORD count, LPDWORD written) {
  if (written) *written = 0;
  std::lock_guard<std::mutex> hold(Spool().lock);
  Open* open = FindOpen(printer);
  if (!open) return Fail(ERROR_INVALID_HANDLE);
  if (!open->job || !open->job->file) return Fail(ERROR_INVALID_PRINTER_STATE);
  if (count > 0 && !buffer) return Fail(ERROR_INVALID_PARAMETER);
  const size_t n = count ? std::fwrite(buffer, 1, count, open->job->file) : 0;
  if (written) *written = static_cast<DWORD>(n);
  if (n != count) return Fail(ErrorFromErrno(errno ? errno : EIO));
  return TRUE;
}

BOOL EndPagePrinter(HANDLE printer) {
  std::lock_guard<std::mutex> hold(Spool().lock);
  Open* open = FindOpen(printer);
  if (!open) return Fail(ERROR_INVALID_HANDLE);
  if (!open->job || !open->job->inPage) return Fail(ERROR_INVALID_PRINTER_STATE);
  open->job->inPage = false;
  return TRUE;
}

BOOL EndDocPrinter(HANDLE printer) {
  std::unique_ptr<Job> job;
  {
    std::lock_guard<std::mutex> hold(Spool().lock);
    Open* open = FindOpen(printer);
    if (!open) return Fail(ERROR_INVALID_HANDLE);
    if (!open->job) return Fail(ERROR_INVALID_PRINTER_STATE);
    job = std::move(open->job);
  }
  const bool flushed = std::fflush(job->file) == 0 && ::fsync(::fileno(job->file)) == 0;
  const bool closed = std::fclose(job->file) == 0;
  job->file = nullptr;
  if (!flushed || !closed) {
    const DWORD error = ErrorFromErrno(errno ? errno : EIO);
    DropJob(*job);
    return Fail(error);
  }
  if (job->cups) {
    const bool sent = SendRaw(*job);
    DropJob(*job);
    return sent ? TRUE : Fail(ERROR_NOT_SUPPORTED);
  }
  if (std::rename(job->tempPath.c_str(), job->target.c_str()) != 0) {
    const DWORD error = ErrorFromErrno(errno);
    DropJob(*job);
    return Fail(error);
  }
  return TRUE;
}

BOOL AbortPrinter(HANDLE printer) {
  std::lock_guard<std::mutex> hold(Spool().lock);
  Open* open = FindOpen(printer);
  if (!open) return Fail(ERROR_INVALID_HANDLE);
  if (!open->job) return Fail(ERROR_INVALID_PRINTER_STATE);
  DropJob(*open->job);
  open->job.reset();
  return TRUE;
}
