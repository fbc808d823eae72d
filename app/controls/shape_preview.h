// The static control that previews a picture file with the field's picture
// settings applied: rotation, mirror, negative, grey or dithered black and
// white, brightness and contrast. The open dialog and the image pages show
// their pictures through it.
#pragma once

#include <memory>

#include "foundation/string/astring.h"
#include "image/bitmap/plwinbmp.h"
#include "platform/framework.h"

class CShapePreview : public CStatic {
 public:
  CShapePreview() = default;
  ~CShapePreview() override = default;

  AString m_fileName;
  std::unique_ptr<PLWinBmp> m_picture;  // decoded, brightness and contrast applied
  int m_rotation = 0;                   // thousandths of a degree
  int m_brightness = 0;                 // -100 .. 100
  int m_contrast = 0;                   // -100 .. 800
  BYTE m_negative = 0;
  BYTE m_mirror = 0;      // 0 none, 1 left-right, 2 upside down, 3 both
  BYTE m_colourMode = 0;  // 0 none, 1 dithered black and white, 2 grey
  BYTE m_dither = 0;      // 0 Floyd-Steinberg, 1 Bayer, 2 ordered, 3 Burkes

  // 1 when a picture is shown, 0 for no name, a missing file or one that
  // cannot be read.
  int SetImageFile(const char* fileName, int mirror, int rotation, int brightness, int contrast, int negative,
                   int colourMode, int dither);

  // Where the picture goes in a client rectangle (public for tests).
  RECT DrawingRect(const RECT& client) const;

  BOOL OnEraseBkgnd(CDC* dc);
  void OnPaint();

 private:
  void Decode();
  void Repaint(bool erase);
  DECLARE_MESSAGE_MAP()
};
