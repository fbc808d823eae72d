// Control ids of the font half of the Font/Data pages (the text, paragraph
// and barcode human-readable pages use the same numbers); the resource
// scripts include this file too, so it holds plain #defines only.
#pragma once

#define IDC_FONT_SAMPLE 3
#define IDC_FONT_PRINTER 1251
#define IDC_FONT_TRUETYPE 1252
#define IDC_FONT_TRUETYPE_LIST 1287
#define IDC_FONT_PRINTER_LIST 1297
#define IDC_FONT_PRINTER_NOTE 1286
#define IDC_FONT_SIZE 1282
#define IDC_FONT_WIDTH 1284
#define IDC_FONT_SCRIPT 1145
#define IDC_FONT_SCRIPT_LABEL 1149
#define IDC_FONT_BOLD 1152
#define IDC_FONT_ITALIC 1154
#define IDC_FONT_UNDERLINE 1156
#define IDC_FONT_STRIKEOUT 1158
#define IDC_FONT_WIDTH_LABEL 1289
#define IDC_FONT_SIZE_LABEL 1290
#define IDC_FONT_QUARTER_TURNS 1299
#define IDC_FONT_ROTATION 1353
#define IDC_FONT_ROTATION_LABEL 1354
