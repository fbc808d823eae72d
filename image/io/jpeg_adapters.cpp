#include "image/io/jpeg_adapters.h"

#include <cstring>

#include "image/io/pltrace.h"

namespace {

constexpr size_t kJpegBlock = 8192;
// libjpeg message codes (jerror.h): a failed write, and data that ends early.
constexpr int kJerrFileWrite = 37;  // JERR_FILE_WRITE
constexpr int kJwrnJpegEof = 120;   // JWRN_JPEG_EOF
const JOCTET kEndOfImage[2] = {0xFF, 0xD9};

void ErrorExit(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<PLJpegErrorManager*>(cinfo->err);
  char buffer[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, buffer);
  std::snprintf(manager->message, sizeof manager->message, "%s\n", buffer);
  RaiseError(6, manager->message);
  std::longjmp(manager->jumpBuffer, 1);
}

struct SinkDestination {
  jpeg_destination_mgr pub;
  PLDataSink* sink;
  JOCTET* buffer;
};

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
  dest->buffer = static_cast<JOCTET*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, kJpegBlock));
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = kJpegBlock;
}

// Writes n bytes; a sink that cannot take them ends the compression through
// the error manager (no exception may pass through libjpeg's frames).
void WriteBlock(j_compress_ptr cinfo, SinkDestination* dest, size_t n) {
  bool ok = false;
  try {
    ok = dest->sink->WriteBytes(int(n), dest->buffer) == int(n);
  } catch (...) {
    ok = false;
  }
  if (!ok) {
    cinfo->err->msg_code = kJerrFileWrite;
    (*cinfo->err->error_exit)(reinterpret_cast<j_common_ptr>(cinfo));
  }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
  WriteBlock(cinfo, dest, kJpegBlock);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = kJpegBlock;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
  size_t n = kJpegBlock - dest->pub.free_in_buffer;
  if (n > 0) WriteBlock(cinfo, dest, n);
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

void SupplyEndOfImage(j_decompress_ptr cinfo) {
  cinfo->err->msg_code = kJwrnJpegEof;
  (*cinfo->err->emit_message)(reinterpret_cast<j_common_ptr>(cinfo), -1);
  cinfo->src->next_input_byte = kEndOfImage;
  cinfo->src->bytes_in_buffer = 2;
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  SupplyEndOfImage(cinfo);
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long n) {
  if (n <= 0) return;
  if (size_t(n) < cinfo->src->bytes_in_buffer) {
    cinfo->src->next_input_byte += n;
    cinfo->src->bytes_in_buffer -= size_t(n);
  } else {
    SupplyEndOfImage(cinfo);
  }
}

}  // namespace

jpeg_error_mgr* InitJpegErrorManager(PLJpegErrorManager* manager) {
  std::memset(manager->message, 0, sizeof manager->message);
  jpeg_error_mgr* err = jpeg_std_error(&manager->pub);
  err->error_exit = ErrorExit;
  return err;
}

void InstallJpegSinkDestination(j_compress_ptr cinfo, PLDataSink* sink) {
  if (!cinfo->dest) {
    cinfo->dest = static_cast<jpeg_destination_mgr*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(SinkDestination)));
  }
  auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
  dest->pub.init_destination = InitDestination;
  dest->pub.empty_output_buffer = EmptyOutputBuffer;
  dest->pub.term_destination = TermDestination;
  dest->sink = sink;
  dest->buffer = nullptr;
}

void InstallJpegMemorySource(j_decompress_ptr cinfo, const JOCTET* data, int size, PLDataSource* source,
                             void (*progress)(j_common_ptr)) {
  if (!cinfo->src) {
    cinfo->src = static_cast<jpeg_source_mgr*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(jpeg_source_mgr)));
  }
  if (progress && !cinfo->progress) {
    cinfo->progress = static_cast<jpeg_progress_mgr*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(jpeg_progress_mgr)));
    std::memset(cinfo->progress, 0, sizeof(jpeg_progress_mgr));
    cinfo->progress->progress_monitor = progress;
  }
  cinfo->client_data = source;
  jpeg_source_mgr* src = cinfo->src;
  src->init_source = InitSource;
  src->fill_input_buffer = FillInputBuffer;
  src->skip_input_data = SkipInputData;
  src->resync_to_restart = jpeg_resync_to_restart;
  src->term_source = TermSource;
  src->next_input_byte = data;
  src->bytes_in_buffer = size > 0 ? size_t(size) : 0;
}
