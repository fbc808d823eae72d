// Enhanced and Windows metafiles held in memory: loading their bits, the
// enhanced header and palette, and playback onto a device context through
// the drawing functions of gdi.h. Playback covers the records of shapes,
// lines, pens, brushes (pattern brushes from the bitmap their record
// holds), object selection, mapping modes and saved states;
// other records are read past.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/kernel/types.h"

struct RECTL {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct SIZEL {
  LONG cx;
  LONG cy;
};

// The documented header of an enhanced metafile (record type 1). A file
// holds it little-endian at its start; GetEnhMetaFileHeader fills this
// in-memory copy field by field.
struct ENHMETAHEADER {
  DWORD iType;
  DWORD nSize;
  RECTL rclBounds;
  RECTL rclFrame;  // 0.01 millimetres
  DWORD dSignature;
  DWORD nVersion;
  DWORD nBytes;
  DWORD nRecords;
  WORD nHandles;
  WORD sReserved;
  DWORD nDescription;
  DWORD offDescription;
  DWORD nPalEntries;
  SIZEL szlDevice;       // reference device, pixels
  SIZEL szlMillimeters;  // reference device, millimetres
  DWORD cbPixelFormat;
  DWORD offPixelFormat;
  DWORD bOpenGL;
  SIZEL szlMicrometers;
};

struct METAFILEPICT {
  LONG mm;
  LONG xExt;
  LONG yExt;
  HMETAFILE hMF;
};

inline constexpr DWORD EMR_HEADER = 1;
inline constexpr DWORD ENHMETA_SIGNATURE = 0x464D4520;

// A copy of an enhanced metafile's bytes; null when they are not one.
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
// A Windows metafile (without its placeable header) as an enhanced one.
// The frame comes from the picture's window extent taken as pixels of the
// reference context (the screen when none), or from the picture
// description when one is given. Null when the bytes are not a metafile.
HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC reference, const METAFILEPICT* picture);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);

// Recording. A metafile device context measures like the reference context
// (the screen when null) and records, as enhanced-metafile records, the
// mapping mode, the window and viewport origins and extents, and BitBlt and
// StretchBlt from a device context (the source's pixels go into the record,
// as 32-bit rows). Drawing calls other than these draw nothing on it yet.
// frame: the picture's frame in 0.01 mm (null: from the recorded bounds);
// description: two texts each ended by a null character. With a file name
// CloseEnhMetaFile also writes the file, and fails (null, no file left) when
// it cannot.
HDC CreateEnhMetaFileA(HDC reference, LPCSTR fileName, const RECT* frame, LPCSTR description);
HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description);
// Ends the recording, deletes the context and returns the metafile.
HENHMETAFILE CloseEnhMetaFile(HDC dc);
// A copy, written to the file when a name is given; null when it cannot be.
HENHMETAFILE CopyEnhMetaFileA(HENHMETAFILE metafile, LPCSTR fileName);
HENHMETAFILE CopyEnhMetaFileW(HENHMETAFILE metafile, LPCWSTR fileName);
// The metafile's bytes: their count with a null buffer, else copied when
// size holds them all (0 otherwise).
UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data);
// With a null buffer: the header's size. Otherwise copies at most size
// bytes of it and returns the number copied (0 for a bad handle).
UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header);
// With a null buffer: the number of palette entries. Otherwise copies at
// most count of them.
UINT GetEnhMetaFilePaletteEntries(HENHMETAFILE metafile, UINT count, PALETTEENTRY* entries);
// Draws the picture so that its frame fills rect. The context's state is
// as it was afterwards.
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);
