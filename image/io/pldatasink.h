// Where encoders write to: one memory buffer that takes the whole output and
// grows as needed.
#pragma once

#include <cstddef>
#include <string>

#include "image/bitmap/plbmp.h"
#include "image/bitmap/plobject.h"

class PLDataSink : public PLObject {
 public:
  PLDataSink() = default;
  PLDataSink(const PLDataSink&) = delete;
  PLDataSink& operator=(const PLDataSink&) = delete;
  ~PLDataSink() override = default;

  // A sink over a caller's fixed buffer (kinds that own their buffer pass
  // their own and grow it through Reserve).
  void InitSink(const char* name, PLBYTE* buffer, int size);
  // Forgets buffer and name. Returns 1, or 0 when the output could not be
  // completed (kinds that write somewhere report failures here).
  virtual int Close();

  const char* GetName() const { return m_Name.c_str(); }
  // Appends n bytes and returns n. A buffer that cannot take them (a fixed
  // buffer, or memory that cannot be had) throws PLTextException (11,
  // "Buffer overflow while encoding.\n").
  int WriteBytes(int n, const void* data);
  void WriteByte(PLBYTE b) { WriteBytes(1, &b); }

  PLBYTE* GetBuffer() const { return m_pDataBuf; }
  int GetBytesWritten() const { return m_BytesWritten; }
  int GetBufferSize() const { return m_MaxDataSize; }
  bool IsOpen() const { return m_bOpen; }

 protected:
  // Makes room for at least total bytes; the base cannot grow a caller's
  // buffer. Kinds that own theirs grow it and call SetBuffer.
  virtual bool Reserve(size_t total);
  void SetBuffer(PLBYTE* buffer, int size) { m_pDataBuf = buffer; m_MaxDataSize = size; }

 private:
  PLBYTE* m_pDataBuf = nullptr;
  int m_BytesWritten = 0;
  std::string m_Name;
  int m_MaxDataSize = 0;
  bool m_bOpen = false;
};
