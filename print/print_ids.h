// Resource and control ids of the print dialogs; the resource script
// includes this file too, so it holds plain #defines only.
#pragma once

// The status window of the print thread.
#define IDD_PRINT_STATUS 122
#define IDC_PRINT_STATUS_LINE 1103
#define IDC_PRINT_STATUS_PRINTING 1102

// The print dialog.
#define IDD_PRINT_JOB 193
#define IDC_PRINT_TO_IMAGE 1237
#define IDC_PRINT_EACH_IMAGE 1244
#define IDC_PRINT_QUANTITY 1238
#define IDC_PRINT_QUANTITY_SPIN 1330
#define IDC_PRINT_PREVIEW 3
#define IDC_PRINT_RUN 1239
#define IDC_PRINT_PREFERENCES 1240
#define IDC_PRINT_QUANTITY_LABEL 1248
#define IDC_PRINT_NO_PRINTER_TIP 182
#define IDC_PRINT_IMAGES_TIP 1530
#define IDC_PRINT_IMAGES_HINT 1843
#define IDC_PRINT_MARGIN_GROUP 1846
#define IDC_PRINT_LEFT_LABEL 1844
#define IDC_PRINT_TOP_LABEL 1845
#define IDC_PRINT_LEFT 1800
#define IDC_PRINT_TOP 1801
#define IDC_PRINT_LEFT_SPIN 1331
#define IDC_PRINT_TOP_SPIN 1332
#define IDC_PRINT_NO_PRINTER 1904
#define IDC_PRINT_DPI_WARNING 1905
// Print to file: the document the printer's queue would get, kept in a file.
#define IDC_PRINT_TO_FILE 1236

// Interface messages of the print dialog: the layout has no printer, the
// printer's resolution differs from the layout's, several image files, a
// picture type the dialog cannot write.
#define MSG_PRINT_NO_PRINTER 35016
#define MSG_PRINT_DPI_DIFFERS 20007
#define MSG_PRINT_SEVERAL_IMAGES 35018
#define MSG_PRINT_NO_POSTSCRIPT 35025

// The bar of the print preview and its controls (the framework's preview
// commands keep their numbers).
#define IDD_PRINT_PREVIEW_BAR 101
#define IDC_PREVIEW_PRINT_PAGE 1621
#define IDC_PREVIEW_LAST 58119
#define IDC_PREVIEW_NEXT 58114
#define IDC_PREVIEW_PREV 58115
#define IDC_PREVIEW_FIRST 58120
#define IDC_PREVIEW_ZOOM_IN 58117
#define IDC_PREVIEW_ZOOM_OUT 58118
#define IDC_PREVIEW_PAGES 1599
#define IDC_PREVIEW_CLOSE 58112
#define IDC_PREVIEW_KEEP 58116
#define IDC_PREVIEW_PAGE 1623
#define IDC_PREVIEW_PAGE_LABEL 1622
#define IDC_PREVIEW_PAGE_COUNT 1620
// The pages menu of the preview: one page, two pages.
#define ID_PREVIEW_ONE_PAGE 32789
#define ID_PREVIEW_TWO_PAGES 32790
#define IDC_PRINT_PROMPTS 1249

// The printer dialogs: the layout's resolution or printer, the printer list,
// and the printer's own settings as its queue offers them.
#define IDD_PRINTER_DPI 260
#define IDC_DPI_VALUE 1834
#define IDC_DPI_SELECT_PRINTER 1641
#define IDC_DPI_UNSELECT_PRINTER 1642
#define IDC_DPI_CHANGE 1036
#define IDC_DPI_PRINTER_LINE 1261
#define IDC_DPI_TIP 182
#define IDD_CHOOSE_PRINTER 173
#define IDC_CHOOSE_PRINTER_LIST 1110
#define IDD_PRINTER_PREFERENCES 262
#define IDC_PREFS_PRINTER 1270
#define IDC_PREFS_MEDIA_LABEL 1271
#define IDC_PREFS_MEDIA 1272
#define IDC_PREFS_RESOLUTION_LABEL 1273
#define IDC_PREFS_RESOLUTION 1274
#define IDC_PREFS_SOURCE_LABEL 1275
#define IDC_PREFS_SOURCE 1276
#define IDC_PREFS_ORIENTATION 1277
#define IDC_PREFS_PORTRAIT 1278
#define IDC_PREFS_LANDSCAPE 1279
// The resolution hint of the resolution dialog; "Please enter %s.".
#define MSG_DPI_HINT 35015
#define MSG_PLEASE_ENTER 50083
