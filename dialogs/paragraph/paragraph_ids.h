// Resource and control ids of the paragraph sheet's pages and the paragraph
// text dialog; the resource script includes this file too, so it holds
// plain #defines only.
#pragma once

#define IDD_PARA_FONT_PAGE 223
#define IDD_PARA_OPTIONS_PAGE 224
#define IDD_PARA_FORMAT_PAGE 225

// Font / Data page: where the data-source panel sits.
#define IDC_PARA_PANEL_PLACE 1951

// Where the Font / Data page opens the paragraph text dialog.
#define IDC_PARA_EDIT_TEXT 1954

// The paragraph text dialog.
#define IDD_PARAGRAPH_TEXT 226
#define IDC_PTEXT_EDIT 1001
#define IDC_PTEXT_OPEN 1234
#define IDC_PTEXT_FILE 1513

// Format page.
#define IDC_PARA_JUSTIFY 1481
#define IDC_PARA_SPACING 1503
#define IDC_PARA_SPACING_SPIN 1504
#define IDC_PARA_WIDTH 1497
#define IDC_PARA_WIDTH_SPIN 1507
#define IDC_PARA_WRAP 1489
#define IDC_PARA_FIT 1490
#define IDC_PARA_INDENT_KIND 1488
#define IDC_PARA_INDENT 1499
#define IDC_PARA_SAMPLE 1555

// Options page.
#define IDC_PARA_NAME 1493
#define IDC_PARA_NO_PRINT 1579
#define IDC_PARA_LOCK 1480
#define IDC_PARA_FORE_COLOUR 1201
#define IDC_PARA_BACK_COLOUR 1202
#define IDC_PARA_LANGUAGE 1139
#define IDC_PARA_TAB 1507
#define IDC_PARA_TAB_SPIN 1508

