#include "image/decode/plpicdec.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/pltextexception.h"
#include "image/io/plfilesource.h"
#include "image/io/plmemsource.h"
#include "image/io/plresourcesource.h"
#include "image/io/pltrace.h"

PLPicDecoder::~PLPicDecoder() {
  // The source belongs to whoever opened it last; a decoder destroyed while
  // open closes it.
  if (m_pDataSrc) {
    m_pDataSrc->Close();
    delete m_pDataSrc;
    m_pDataSrc = nullptr;
  }
}

void PLPicDecoder::SetDescription(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha,
                                  bool greyscale, PLPoint resolution) {
  SetInfo(PLPoint{width, height}, bpp, fileBpp, fileSize, resolution, alpha, greyscale);
}

int PLPicDecoder::OpenFile(const char* fileName, ProgressNotifier* notifier) {
  auto source = std::make_unique<PLFileSource>(notifier);
  if (!fileName || source->Open(fileName) != PL_OPEN_OK) {
    char text[300];
    std::snprintf(text, sizeof text, "Opening %s failed", fileName ? fileName : "");
    char line[400];
    std::snprintf(line, sizeof line, "Decoder error: %s\n", text);
    Trace(0, line);
    return 0;
  }
  m_pDataSrc = source.release();
  return 1;
}

int PLPicDecoder::DecodeSource(PLDataSource* source, PLBmp* bmp, int wantedBpp) {
  m_pDataSrc = source;
  try {
    if (!Open(source)) {
      Close();
      return 0;
    }
    int result = MakeBmp(bmp, wantedBpp);
    Close();
    return result;
  } catch (...) {
    Close();
    throw;
  }
}

int PLPicDecoder::MakeBmpFromFile(const char* fileName, PLBmp* bmp, int wantedBpp, ProgressNotifier* notifier) {
  if (!OpenFile(fileName, notifier)) return 0;
  PLDataSource* source = m_pDataSrc;
  m_pDataSrc = nullptr;
  return DecodeSource(source, bmp, wantedBpp);
}

int PLPicDecoder::MakeBmpFromResource(HINSTANCE instance, int resourceId, PLBmp* bmp, int wantedBpp,
                                      const char* resourceType) {
  char line[128];
  std::snprintf(line, sizeof line, "--- Decoding resource ID %i. ---\n", resourceId);
  Trace(1, line);
  auto source = std::make_unique<PLResourceSource>();
  if (source->Open(instance, resourceId, resourceType) != PL_OPEN_OK) {
    std::snprintf(line, sizeof line, "Decoder error: Opening resource %i failed\n", resourceId);
    Trace(0, line);
    return 0;
  }
  return DecodeSource(source.release(), bmp, wantedBpp);
}

int PLPicDecoder::MakeBmpFromMemory(const unsigned char* data, int size, PLBmp* bmp, int wantedBpp) {
  char line[128];
  std::snprintf(line, sizeof line, "--- Decoding from memory at %p. ---\n", static_cast<const void*>(data));
  Trace(1, line);
  auto source = std::make_unique<PLMemSource>();
  if (source->Open(data, size) != PL_OPEN_OK) {
    std::snprintf(line, sizeof line, "Decoder error: Reading from memory at %p failed\n",
                  static_cast<const void*>(data));
    Trace(0, line);
    return 0;
  }
  return DecodeSource(source.release(), bmp, wantedBpp);
}

int PLPicDecoder::MakeBmp(PLBmp* bmp, int wantedBpp) {
  if (!bmp) return 0;
  const bool direct = wantedBpp == 0 || wantedBpp == GetBitsPerPixel();
  std::unique_ptr<PLAnyBmp> temporary;
  PLBmp* target = bmp;
  if (!direct) {
    temporary = std::make_unique<PLAnyBmp>();
    target = temporary.get();
  }
  if (!target->CreateFromInfo(*this)) return 0;
  target->SetFileBitsPerPixel(GetFileBitsPerPixel());
  target->SetFileSize(GetFileSize());
  if (!GetImage(*target)) return 0;
  if (!direct) bmp->CreateCopy(*temporary, wantedBpp);
  return 1;
}

void PLPicDecoder::Close() {
  if (m_pDataSrc) {
    m_pDataSrc->Close();
    delete m_pDataSrc;
    m_pDataSrc = nullptr;
  }
}

void PLPicDecoder::UnpackPackBits(const PLBYTE* packed, size_t packedSize, PLBYTE* out, size_t outSize) {
  size_t in = 0, pos = 0;
  while (in < packedSize) {
    const unsigned h = packed[in++];
    if (h < 128) {
      size_t n = std::min<size_t>(h + 1, packedSize - in);
      size_t fit = pos < outSize ? std::min(n, outSize - pos) : 0;
      if (fit) std::memcpy(out + pos, packed + in, fit);
      in += n;
      pos += n;
    } else if (h > 128) {
      if (in >= packedSize) break;
      const PLBYTE value = packed[in++];
      size_t n = 257 - h;
      size_t fit = pos < outSize ? std::min(n, outSize - pos) : 0;
      if (fit) std::memset(out + pos, value, fit);
      pos += n;
    }
  }
}

const PLBYTE* PLPicDecoder::UnpackPackBitsRow(PLBYTE* buffer, PLDataSource* source, int width, int rowBytes,
                                              int packedLength) {
  (void)width;
  if (rowBytes < 8) return source->ReadBytes(rowBytes);
  const PLBYTE* packed = source->ReadBytes(packedLength);
  std::memset(buffer, 0, size_t(rowBytes));
  UnpackPackBits(packed, size_t(packedLength), buffer, size_t(rowBytes));
  return buffer;
}
