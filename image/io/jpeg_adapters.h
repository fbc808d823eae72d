// Glue between libjpeg and the data sources and sinks, and an error manager
// whose fatal-error exit never returns into libjpeg.
#pragma once

#include <csetjmp>
#include <cstdio>

// The platform's TRUE and FALSE must be seen before libjpeg defines its macros.
#include "platform/kernel/types.h"

#include <jpeglib.h>

#include "image/io/pldatasink.h"
#include "image/io/pldatasource.h"

// libjpeg error manager: the fatal-error routine formats the message (with
// "\n" appended), passes it to RaiseError with code 6 and longjmps to
// jumpBuffer. The code that starts libjpeg work does `if (setjmp(err.jumpBuffer))`
// first and keeps no object with a destructor alive across that region.
struct PLJpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jumpBuffer;
  char message[JMSG_LENGTH_MAX + 2];
};
// Fills the manager (jpeg_std_error plus the routine above) and returns the
// pointer to store in the compress or decompress record's err field.
jpeg_error_mgr* InitJpegErrorManager(PLJpegErrorManager* manager);

// Destination manager writing through the sink in blocks of 8192 bytes. A
// sink that cannot take the bytes raises libjpeg error 37 (file write) through
// the error manager, so no exception crosses libjpeg.
void InstallJpegSinkDestination(j_compress_ptr cinfo, PLDataSink* sink);

// Source manager over a memory block. Data that ends early gives warning 120
// and an end-of-image marker. When progress is not null and the decompressor
// has no progress manager, one calling it is installed; the client data is set
// to the source so that the routine can call its NotifyProgress.
void InstallJpegMemorySource(j_decompress_ptr cinfo, const JOCTET* data, int size, PLDataSource* source,
                             void (*progress)(j_common_ptr));
