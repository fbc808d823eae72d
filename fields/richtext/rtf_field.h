// Rich-text fields through the shared rich-text host: their size and their
// picture.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "fields/model/field_kinds.h"
#include "image/bitmap/plwinbmp.h"

// The bytes of the field's linked rich-text file; false when it cannot be read.
bool ReadRtfFieldText(const CRtfField& field, std::vector<uint8_t>& out);
// (width, height of the text laid out at the width) in mils; a field whose
// file cannot be read keeps its stored size.
SIZE MeasureRtfFieldSize(CRtfField& field);
// The field's text drawn on its background at a pixel size (null: the field's
// size at the screen's resolution), scaled so the field's width fills the
// picture's; null without a width, a readable file or a size.
std::unique_ptr<PLWinBmp> BuildRtfFieldPicture(const CRtfField& field, const int* sizeXY);
