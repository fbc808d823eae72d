// Printers and ports by name, and files sent raw to a printer.
#pragma once

#include "foundation/build.h"
#include "foundation/containers/aarray.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

// Local and connected printers: each printer's name, port and driver is
// appended to the arrays given (unless countOnly). Returns the count, or -1
// after showing "EnumPrinters() Failed! Error: %d\n".
int EnumPrinterNames(AArray<AString>* names, AArray<AString>* ports, AArray<AString>* drivers, bool countOnly);

// Port names; mode 1 keeps only names beginning with "com" (without case).
// Returns the count; 0 when there is no memory.
int EnumPortNames(AArray<AString>& out, int mode);
// Port names; with comOnly only "COMn..." names (longer than 3 characters,
// "Com" without case, a digit fourth). -1 when the ports cannot be listed.
int EnumPortsFiltered(AArray<AString>& out, bool comOnly);
int EnumComPorts(AArray<AString>& out);

// The "device" value of the profile's "windows" section up to its first ','
// (empty when there is none); returns the name's length.
int GetDefaultPrinterName(AString& out);

// Whether the user wants a job to go on (asked after every block written).
using KeepGoingFn = bool (*)();

// Sends the file as a raw job of one page. The printer is tried every second
// until openTimeoutSeconds have passed from the first attempt, then "Cannot
// open printer! Please check connection." is shown and 0 returned. Returns 1
// only when the whole file was written and the job ended; a file that cannot
// be read, a write error or keepGoing answering false aborts the job and
// returns 0.
int SendFileToPrinter(const char* docName, const char* printer, const char* path, KeepGoingFn keepGoing,
                      int openTimeoutSeconds = 60);

FOUNDATION_END
