// Windows and enhanced metafiles built record by record from their
// documented layouts, for the metafile decoder tests (no tool at hand
// writes either format).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tests/image/byte_builder.h"

namespace wmftest {

using Bytes = std::vector<uint8_t>;

using imgtest::Put16;
using imgtest::Put32;

// A Windows metafile: records of 16-bit parameters.
class WmfBuilder {
 public:
  WmfBuilder& Record(int function, std::initializer_list<int> words) {
    Put32(m_Records, 3 + int64_t(words.size()));
    Put16(m_Records, function);
    for (int w : words) Put16(m_Records, w);
    return *this;
  }
  WmfBuilder& WindowExt(int cx, int cy) { return Record(0x020C, {cy, cx}); }
  WmfBuilder& WindowOrg(int x, int y) { return Record(0x020B, {y, x}); }
  // Solid pen and brush: colour as 0x00BBGGRR.
  WmfBuilder& Pen(int width, uint32_t colour) {
    return Record(0x02FA, {0, width, 0, int(colour & 0xFFFF), int(colour >> 16)});
  }
  WmfBuilder& Brush(uint32_t colour) { return Record(0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0}); }
  WmfBuilder& Select(int slot) { return Record(0x012D, {slot}); }
  WmfBuilder& Delete(int slot) { return Record(0x01F0, {slot}); }
  WmfBuilder& Rectangle(int l, int t, int r, int b) { return Record(0x041B, {b, r, t, l}); }
  WmfBuilder& Ellipse(int l, int t, int r, int b) { return Record(0x0418, {b, r, t, l}); }

  Bytes Build(int objects = 4) const {
    Bytes records = m_Records;
    Put32(records, 3);
    Put16(records, 0);  // end of file
    Bytes out;
    Put16(out, 1);
    Put16(out, 9);
    Put16(out, 0x300);
    Put32(out, int64_t(18 + records.size()) / 2);
    Put16(out, objects);
    Put32(out, 8);
    Put16(out, 0);
    out.insert(out.end(), records.begin(), records.end());
    return out;
  }
  // With the 22-byte placeable header in front.
  Bytes BuildPlaceable(int left, int top, int right, int bottom, int unitsPerInch) const {
    Bytes out;
    Put32(out, 0x9AC6CDD7);
    Put16(out, 0);
    Put16(out, left);
    Put16(out, top);
    Put16(out, right);
    Put16(out, bottom);
    Put16(out, unitsPerInch);
    Put32(out, 0);
    Put16(out, 0);
    Bytes body = Build();
    out.insert(out.end(), body.begin(), body.end());
    return out;
  }

 private:
  Bytes m_Records;
};

// An enhanced metafile: a header record, records of 32-bit parameters and
// an end-of-file record that may carry a palette.
class EmfBuilder {
 public:
  EmfBuilder& Record(uint32_t type, std::initializer_list<int64_t> values) {
    Put32(m_Records, type);
    Put32(m_Records, 8 + 4 * int64_t(values.size()));
    for (int64_t v : values) Put32(m_Records, v);
    ++m_Count;
    return *this;
  }
  EmfBuilder& Pen(int index, int width, uint32_t colour) { return Record(38, {index, 0, width, 0, colour}); }
  EmfBuilder& Brush(int index, uint32_t colour) { return Record(39, {index, 0, colour, 0}); }
  EmfBuilder& Select(int64_t index) { return Record(37, {index}); }
  EmfBuilder& Rectangle(int l, int t, int r, int b) { return Record(43, {l, t, r, b}); }
  EmfBuilder& Ellipse(int l, int t, int r, int b) { return Record(42, {l, t, r, b}); }
  EmfBuilder& Palette(std::vector<uint32_t> entries) {
    m_Palette = std::move(entries);
    return *this;
  }

  // frame in hundredths of a millimetre; the reference device in pixels and
  // millimetres.
  Bytes Build(int frameRight, int frameBottom, int devicePx = 1920, int deviceMm = 508) const {
    Bytes eof;
    Put32(eof, 14);
    Put32(eof, 20 + 4 * int64_t(m_Palette.size()));
    Put32(eof, int64_t(m_Palette.size()));
    Put32(eof, m_Palette.empty() ? 0 : 16);
    for (uint32_t e : m_Palette) Put32(eof, e);
    Put32(eof, 20 + 4 * int64_t(m_Palette.size()));
    const int64_t total = 108 + int64_t(m_Records.size() + eof.size());
    Bytes out;
    Put32(out, 1);
    Put32(out, 108);
    for (int v : {0, 0, 0, 0}) Put32(out, v);  // bounds
    for (int v : {0, 0, frameRight, frameBottom}) Put32(out, v);
    Put32(out, 0x464D4520);
    Put32(out, 0x10000);
    Put32(out, total);
    Put32(out, m_Count + 2);
    Put16(out, 8);
    Put16(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, int64_t(m_Palette.size()));
    for (int v : {devicePx, devicePx, deviceMm, deviceMm}) Put32(out, v);
    for (int64_t v : {int64_t(0), int64_t(0), int64_t(0), int64_t(deviceMm) * 1000, int64_t(deviceMm) * 1000}) Put32(out, v);
    out.insert(out.end(), m_Records.begin(), m_Records.end());
    out.insert(out.end(), eof.begin(), eof.end());
    return out;
  }

 private:
  Bytes m_Records;
  std::vector<uint32_t> m_Palette;
  int m_Count = 0;
};

}  // namespace wmftest
