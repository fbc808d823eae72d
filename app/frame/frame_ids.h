// Resource, command and window ids of the main frame, its bars and its
// status panes. The resource script includes this file too, so it holds
// plain #defines only.
#pragma once

// Resources of the main frame: its menu, accelerators, title and tool bar
// (2), its icon (3), the tool bars' bitmaps and the menus' check mark.
#define IDR_MAINFRAME 2
#define IDI_MAINFRAME 3
#define IDB_TOOLS_BAR 159
#define IDB_VIEWTOOL_BAR 126
#define IDB_ALIGNTOOL_BAR 181
#define IDB_MENU_CHECK 117
// A layout window's menu (the frame's own menu with the layout's commands)
// and its document strings; the smaller menu of reader mode.
#define IDR_LAYOUTMENU 4
#define IDR_READERMENU 7

// Bars of the frame.
#define IDW_STANDARD_BAR 59392
#define IDW_TOOLS_BAR 57691
#define IDW_STATUS_BAR 59393

// Status panes, in their order on the bar; their strings are blanks that
// size them. The read-only pane's text is IDS_READ_ONLY.
#define ID_PANE_DPI 61410
#define ID_PANE_PRINTER 61411
#define ID_PANE_LABEL_SIZE 61412
#define ID_PANE_CURSOR 61413
#define ID_PANE_READ_ONLY 61416
#define IDS_READ_ONLY 61417

// Strings the frame asks and reports with.
#define IDS_RELOAD_MODIFIED 43
#define IDS_CANNOT_OPEN_FILE 48
#define IDS_RELOAD_UNMODIFIED 55

// Commands the frame handles, routes or shows.
#define ID_FILE_NEW_LAYOUT 57600
#define ID_FILE_OPEN_LAYOUT 57601
#define ID_FILE_CLOSE_LAYOUT 57602
#define ID_FILE_SAVE_LAYOUT 57603
#define ID_FILE_SAVE_LAYOUT_AS 57604
#define ID_FILE_PRINT_LAYOUT 57607
#define ID_FILE_RECENT_FIRST 57616
#define ID_EDIT_COPY_FIELDS 57634
#define ID_EDIT_CUT_FIELDS 57635
#define ID_EDIT_PASTE_FIELDS 57637
#define ID_EDIT_UNDO_LAYOUT 57643
#define ID_EDIT_REDO_LAYOUT 57644
#define ID_WINDOW_CASCADE_LAYOUTS 57650
#define ID_WINDOW_TILE_LAYOUTS 57651
#define ID_APP_ABOUT_BOX 57664
#define ID_APP_EXIT_PROGRAM 57665
#define ID_HELP_CONTENT 57670
#define ID_RELOAD_ACTIVE_FILE 57671
#define ID_VIEW_STATUS_BAR_TOGGLE 59393
#define ID_VIEW_STANDARD_BAR 59392
#define ID_VIEW_TOOLS_BAR 57693
#define ID_HELP_BUTTON 32775
#define ID_SET_TARGET_DPI 57835
#define ID_DEFAULT_SETTINGS 57816
#define ID_DEFAULT_FOLDERS 57820
#define ID_TEXT_FILES 57821
#define ID_COUNTER_FILES 57823
#define ID_LIKELY_DATA_SOURCES 57831

// The Tools bar.
#define ID_BORDER_SETUP 57803
#define ID_ADD_BARCODE 57800
#define ID_ADD_HIBC_BARCODE 57801
#define ID_ADD_TEXT 57795
#define ID_ADD_PARAGRAPH 57796
#define ID_ADD_IMAGE 57798
#define ID_ADD_LINE 57793
#define ID_ADD_BOX 57794
#define ID_ADD_ELLIPSE 57785
#define ID_ADD_ROUNDED_RECT 57786
// The ViewTool bar.
#define ID_ZOOM_IN 57806
#define ID_ZOOM_OUT 57807
#define ID_FIT_IN_FRAME 57808
#define ID_AUTO_ARRANGE 57790
#define ID_OPAQUE_VIEW 57765
#define ID_SEE_THROUGH_VIEW 57766
#define ID_PUT_TO_BACK 57813
#define ID_BRING_TO_FRONT 57812
// The AlignTool bar.
#define ID_ALIGN_LEFT 57773
#define ID_ALIGN_RIGHT 57774
#define ID_ALIGN_TOP 57776
#define ID_ALIGN_BOTTOM 57777
#define ID_CENTRE_HORZ_ANCHOR 57759
#define ID_CENTRE_VERT_ANCHOR 57760
#define ID_CENTRE_HORZ_LABEL 57775
#define ID_CENTRE_VERT_LABEL 57778
#define ID_SPACE_ACROSS 57780
#define ID_SPACE_DOWN 57779
#define ID_ROTATE_90 57781
#define ID_ROTATE_0 57782
