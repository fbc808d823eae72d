// The print spooler: printers and their ports, and raw jobs sent to a printer.
// Printers are destinations: a file destination (a printer whose port is a
// file path) receives a job's bytes in that file, written whole when the job
// ends; printers of a CUPS server (when one runs and its client commands are
// installed) receive raw jobs through it. The printers are the built-in page
// printer of the graphics area, those of the profile's [Devices] section
// ("name=driver,port"), those added with AddPrinterA (for the life of the
// process) and the CUPS queues.
#pragma once

#include "platform/kernel/types.h"
#include "platform/spool/devmode.h"

inline constexpr DWORD PRINTER_ENUM_DEFAULT = 0x00000001;
inline constexpr DWORD PRINTER_ENUM_LOCAL = 0x00000002;
inline constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x00000004;
inline constexpr DWORD PRINTER_ENUM_NAME = 0x00000008;

inline constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x00000040;
inline constexpr DWORD PRINTER_ATTRIBUTE_NETWORK = 0x00000010;

inline constexpr DWORD ERROR_INVALID_PRINTER_NAME = 1801;
inline constexpr DWORD ERROR_PRINTER_ALREADY_EXISTS = 1802;
inline constexpr DWORD ERROR_INVALID_PRINTER_STATE = 1906;
inline constexpr DWORD ERROR_PRINT_CANCELLED = 63;

struct PRINTER_INFO_1A {
  DWORD Flags;
  LPSTR pDescription;
  LPSTR pName;
  LPSTR pComment;
};

struct PRINTER_INFO_2A {
  LPSTR pServerName;
  LPSTR pPrinterName;
  LPSTR pShareName;
  LPSTR pPortName;
  LPSTR pDriverName;
  LPSTR pComment;
  LPSTR pLocation;
  LPVOID pDevMode;
  LPSTR pSepFile;
  LPSTR pPrintProcessor;
  LPSTR pDatatype;
  LPSTR pParameters;
  LPVOID pSecurityDescriptor;
  DWORD Attributes;
  DWORD Priority;
  DWORD DefaultPriority;
  DWORD StartTime;
  DWORD UntilTime;
  DWORD Status;
  DWORD cJobs;
  DWORD AveragePPM;
};

struct PORT_INFO_1A {
  LPSTR pName;
};

struct DOC_INFO_1A {
  LPSTR pDocName;
  LPSTR pOutputFile;
  LPSTR pDatatype;
};

struct PRINTER_DEFAULTSA {
  LPSTR pDatatype;
  LPVOID pDevMode;
  DWORD DesiredAccess;
};

// Levels 1 and 2. The structures come first in the buffer, their strings
// after them. With too small a buffer: FALSE, ERROR_INSUFFICIENT_BUFFER and
// the size needed in *needed.
BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD bufferSize, LPDWORD needed,
                   LPDWORD returned);
// Level 1: "FILE:", and the ports of the printers.
BOOL EnumPortsA(LPSTR name, DWORD level, LPBYTE buffer, DWORD bufferSize, LPDWORD needed, LPDWORD returned);

// Level 2: name, port (a file path makes a file destination) and driver.
// Returns a handle as OpenPrinterA does; null when the name is taken.
HANDLE AddPrinterA(LPSTR serverName, DWORD level, LPBYTE printer);
BOOL DeletePrinter(HANDLE printer);

BOOL OpenPrinterA(LPSTR name, HANDLE* printer, PRINTER_DEFAULTSA* defaults);
BOOL ClosePrinter(HANDLE printer);
// Level 1; data type "RAW" (or none). Returns the job number, 0 on failure.
DWORD StartDocPrinterA(HANDLE printer, DWORD level, LPBYTE docInfo);
BOOL StartPagePrinter(HANDLE printer);
BOOL WritePrinter(HANDLE printer, LPVOID buffer, DWORD count, LPDWORD written);
BOOL EndPagePrinter(HANDLE printer);
// Delivers the job: a file destination's file is replaced by the job's bytes.
BOOL EndDocPrinter(HANDLE printer);
// Drops the job; nothing is delivered.
BOOL AbortPrinter(HANDLE printer);
