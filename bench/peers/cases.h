// The symbols the library is compared on with its fastest peer, each with the
// request our library gets, the request zint gets for the same picture, and
// the speed the library is held to.
#pragma once

#include <string>
#include <vector>

namespace peers {

// What the library's time is held against.
enum class Goal {
  kFillTimes1_5,  // at most 1.5 times a 32-bit fill of our bitmap
  kFillTimes2,    // at most twice that fill
  kPeer,          // at most zint's time
  kHalfPeer,      // at most half of zint's time
};

struct OurRequest {
  int type = 0;
  int subType = 0;
  int narrowWidth = 0;  // dots
  int barHeight = 0;    // dots
  bool textRow = false;
  int textGap = -1, textHeight = -1;  // dots; -1 keeps the library's default
  int moduleSize2D = 0;
  int qrLevel = 0;
  int rows = 0, columns = 0;
  int pdfLevel = 0;
  int maxiMode = 0;
};

struct PeerRequest {
  int symbology = 0;  // zint's symbology number
  float scale = 1;    // zint: half the module width in pixels
  float height = 0;   // zint: bar height in modules
  bool text = false;
  int option1 = -1, option2 = 0;
};

struct Case {
  std::string name;
  std::string data;
  OurRequest ours;
  PeerRequest peer;   // symbology 0: no peer (a drawing-layer call)
  bool getDIBits = false;  // GetDIBits of an 800 x 200 32-bit bitmap instead of a symbol
  Goal goal;
};

std::vector<Case> PeerCases();
const char* GoalText(Goal goal);

}  // namespace peers
