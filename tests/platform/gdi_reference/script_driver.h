// Runs a drawing script: a table of cases, each drawn into a fresh 32-bit
// top-down DIB section. The same source is built against our platform layer
// (inside the platform tests) and, cross-compiled, against the reference
// implementation of the drawing interface, so both sides read one script.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gdiscript {

struct CaseResult {
  std::string name;
  int width = 0, height = 0;
  // How far (in pixels) an edge may sit from the reference's: 0 for the
  // integer rules, 1 for curves.
  int edge = 0;
  // A known departure from the reference, not mended yet: the test checks
  // that it still departs (and says so when it no longer does).
  bool departs = false;
  std::string error;             // a command the driver could not run
  std::vector<uint32_t> pixels;  // top-down rows, 0x00RRGGBB
};

// One case a row: "name: command args; command args; ...", a trailing '\'
// continues the row, '#' starts a comment. Numbers may be documented names
// (SRCCOPY, R2_XORPEN, PS_DASH|PS_GEOMETRIC, MM_ANISOTROPIC, ...); colours
// are rrggbb. Commands:
//   canvas W H                 a white 32-bit top-down DIB section to draw on
//   dib NAME W H BPP up|down COLOUR... ROWS   a DIB section in its own DC
//                              (ROWS: hex digits choosing the colours, '/'
//                              between rows, top row first)
//   map / wext / vext / worg / vorg / xform    mapping mode, extents, origins,
//                              world transform (m11 m12 m21 m22 dx dy)
//   pen STYLE WIDTH COLOUR     CreatePen;  xpen STYLE WIDTH COLOUR [DASH...]
//   brush solid C | hatch N C | pattern DIB | dibpattern DIB | null
//   rop2 / bkmode / bkcolor / textcolor / fillmode / stretchmode / brushorg / arcdir
//   move / line / polyline / polygon / bezier / rect / ellipse / roundrect /
//   arc / chord / pie / pixel / fillrect / framerect / invertrect / patblt
//   bitblt / stretchblt / stretchdibits   with a DIB's name as the source
//   rgn NAME rect|ellipse|roundrect|polygon MODE|combine A B MODE ...;
//   fillrgn / framergn / paintrgn / invertrgn / cliprgn [NAME]
//   beginpath / endpath / closefigure / strokepath / fillpath /
//   strokeandfillpath / widenpath / flattenpath / bezierto X Y ...
//   reselect DIB X Y           marks (X, Y) when a second DC refuses the bitmap
//   edge N                     the case's edge tolerance
//   departs                    a known departure (see CaseResult::departs)
std::vector<CaseResult> RunScript(const std::string& text);

// The results as text: "case NAME W H EDGE [error]" and H rows of hex pixels.
std::string FormatResults(const std::vector<CaseResult>& results);
std::vector<CaseResult> ParseResults(const std::string& text);

}  // namespace gdiscript
