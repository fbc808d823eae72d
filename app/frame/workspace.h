// The workspace file: the layouts open at exit, their windows and scroll
// positions, and the current folder, so the next start opens them again.
// Little-endian, no magic: a 272-byte header (layout-maximised flag, two
// colours, the current folder) and 312-byte records.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/win.h"

// One layout window.
struct WorkspaceRecord {
  RECT rect{};        // the layout child, in client coordinates of the MDI client
  LONG scrollX = 0;   // the active view's scroll position, pixels
  LONG scrollY = 0;
  std::string path;   // the layout file's full path
};

class CWorkspace {
 public:
  static constexpr size_t kPathBytes = 260;
  static constexpr size_t kHeaderBytes = 12 + kPathBytes;
  static constexpr size_t kRecordBytes = 52 + kPathBytes;

  // The bytes of the file; a record or folder that would not fit its field
  // with its terminating zero is left out (folder: written empty).
  std::vector<uint8_t> Encode() const;
  // Reads a file's bytes. Records with an empty, unterminated or oversized
  // path are skipped; rectangles that are not well-formed become empty (the
  // window then gets the default size). Returns whether a record was read.
  bool Decode(std::span<const uint8_t> bytes);

  // Clears the file's read-only attribute and writes it whole (through a
  // temporary file beside it, so a failed write leaves the old one). 1 on success.
  int Write() const;
  // 0 when the file can't be read; otherwise whether a record was read.
  int Read();

  std::string m_path;
  int32_t m_layoutMaximised = 0;
  uint32_t m_colour1 = 0x009B9B91;
  uint32_t m_colour2 = 0x00FFE1D7;
  std::string m_currentFolder;
  std::vector<WorkspaceRecord> m_records;
};

// A record's window rectangle with the default size for an empty one: 300
// wide when its width is 0 or less, 200 high when its height is.
RECT WorkspaceWindowRect(RECT stored);
// A stored scroll position brought inside what the label allows in a window
// of that size: 0 .. label size - window size, per axis.
POINT ClampWorkspaceScroll(POINT stored, SIZE labelPixels, RECT window);
