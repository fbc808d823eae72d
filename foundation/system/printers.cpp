#include "foundation/system/printers.h"

#include <strings.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <thread>

#include "foundation/system/system_message.h"
#include "platform/kernel/kernel.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/spool/spool.h"

FOUNDATION_BEGIN

namespace {

constexpr size_t kBlockSize = 10240;

// A zeroed buffer a little longer than asked, aligned for the structures.
std::unique_ptr<uint64_t[]> ZeroedBuffer(DWORD bytes) {
  return std::unique_ptr<uint64_t[]>(new (std::nothrow) uint64_t[(bytes + 8) / 8 + 1]());
}

void ShowError(const char* format, DWORD error) {
  char text[128];
  std::snprintf(text, sizeof text, format, static_cast<int>(error));
  ShowSystemMessage(text, "");
}

bool IsComName(const char* name) {
  return std::strlen(name) > 3 && strncasecmp(name, "Com", 3) == 0 && std::isdigit(static_cast<unsigned char>(name[3]));
}

// Ports at level 1; null (and the error) when they cannot be listed.
std::unique_ptr<uint64_t[]> ListPorts(DWORD* count, DWORD* error) {
  DWORD needed = 0;
  *count = 0;
  *error = 0;
  if (!EnumPortsA(nullptr, 1, nullptr, 0, &needed, count) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    *error = GetLastError();
    return nullptr;
  }
  auto buffer = ZeroedBuffer(needed);
  if (!buffer) {
    *error = ERROR_NOT_ENOUGH_MEMORY;
    return nullptr;
  }
  if (!EnumPortsA(nullptr, 1, reinterpret_cast<LPBYTE>(buffer.get()), needed, &needed, count)) {
    *error = GetLastError();
    return nullptr;
  }
  return buffer;
}

}  // namespace

int EnumPrinterNames(AArray<AString>* names, AArray<AString>* ports, AArray<AString>* drivers, bool countOnly) {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  if (!EnumPrintersA(kFlags, nullptr, 2, nullptr, 0, &needed, &count) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    ShowError("EnumPrinters() Failed! Error: %d\n", GetLastError());
    return -1;
  }
  auto buffer = ZeroedBuffer(needed);
  if (!buffer) {
    ShowError("HeapAlloc() Failed! Error: %d\n", ERROR_NOT_ENOUGH_MEMORY);
    return -1;
  }
  if (!EnumPrintersA(kFlags, nullptr, 2, reinterpret_cast<LPBYTE>(buffer.get()), needed, &needed, &count)) {
    ShowError("EnumPrinters() Failed! Error: %d\n", GetLastError());
    return -1;
  }
  if (!countOnly) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.get());
    for (DWORD i = 0; i < count; ++i) {
      if (names) names->Add(AString(info[i].pPrinterName ? info[i].pPrinterName : ""));
      if (ports) ports->Add(AString(info[i].pPortName ? info[i].pPortName : ""));
      if (drivers) drivers->Add(AString(info[i].pDriverName ? info[i].pDriverName : ""));
    }
  }
  return static_cast<int>(count);
}

int EnumPortNames(AArray<AString>& out, int mode) {
  DWORD count = 0, error = 0;
  auto buffer = ListPorts(&count, &error);
  if (!buffer) return 0;
  const auto* ports = reinterpret_cast<const PORT_INFO_1A*>(buffer.get());
  int kept = 0;
  for (DWORD i = 0; i < count; ++i) {
    if (mode == 1 && strncasecmp(ports[i].pName, "com", 3) != 0) continue;
    out.Add(AString(ports[i].pName));
    ++kept;
  }
  return kept;
}

int EnumPortsFiltered(AArray<AString>& out, bool comOnly) {
  DWORD count = 0, error = 0;
  auto buffer = ListPorts(&count, &error);
  if (!buffer) return -1;
  const auto* ports = reinterpret_cast<const PORT_INFO_1A*>(buffer.get());
  int kept = 0;
  for (DWORD i = 0; i < count; ++i) {
    if (comOnly && !IsComName(ports[i].pName)) continue;
    out.Add(AString(ports[i].pName));
    ++kept;
  }
  return kept;
}

int EnumComPorts(AArray<AString>& out) { return EnumPortsFiltered(out, true); }

int GetDefaultPrinterName(AString& out) {
  char device[513] = {};
  GetProfileStringA("windows", "device", "", device, 512);
  if (char* comma = std::strchr(device, ',')) *comma = '\0';
  out = device;
  return static_cast<int>(std::strlen(device));
}

int SendFileToPrinter(const char* docName, const char* printer, const char* path, KeepGoingFn keepGoing,
                      int openTimeoutSeconds) {
  HANDLE h = nullptr;
  const auto first = std::chrono::steady_clock::now();
  while (!OpenPrinterA(const_cast<LPSTR>(printer), &h, nullptr)) {
    if (std::chrono::steady_clock::now() - first >= std::chrono::seconds(openTimeoutSeconds)) {
      ShowSystemMessage("Cannot open printer! Please check connection.", "");
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
  }

  // The file is opened before the job starts, so that an unreadable file
  // leaves no empty job behind.
  FILE* file = path ? fopenA(path, "rb") : nullptr;
  if (!file) {
    ClosePrinter(h);
    return 0;
  }
  DOC_INFO_1A doc{const_cast<LPSTR>(docName), nullptr, const_cast<LPSTR>("RAW")};
  bool ok = StartDocPrinterA(h, 1, reinterpret_cast<LPBYTE>(&doc)) != 0;
  bool inDoc = ok;
  ok = ok && StartPagePrinter(h);
  if (ok) {
    std::unique_ptr<char[]> block(new char[kBlockSize]);
    for (;;) {
      const size_t n = std::fread(block.get(), 1, kBlockSize, file);
      if (n > 0) {
        DWORD written = 0;
        if (!WritePrinter(h, block.get(), static_cast<DWORD>(n), &written) || written != n) {
          ok = false;
          break;
        }
      }
      if (n < kBlockSize) {
        ok = !std::ferror(file);
        break;
      }
      if (keepGoing && !keepGoing()) {
        ok = false;
        break;
      }
    }
  }
  std::fclose(file);
  if (ok) {
    ok = EndPagePrinter(h) && EndDocPrinter(h);
    inDoc = false;
  }
  if (inDoc && !ok) AbortPrinter(h);
  ClosePrinter(h);
  return ok ? 1 : 0;
}

FOUNDATION_END
