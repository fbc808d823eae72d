// Resource numbers of the shared controls' pictures.
#pragma once

#define IDB_MOVE_ARROWS 143  // 16 x 60: the glyphs top, up, down and bottom, 15 high each
#define IDB_FONT_TYPES 167   // 32 x 15: a plain font, a TrueType font
#define IDB_TIP_INFO 182     // 15 x 15: the information image of tip buttons
