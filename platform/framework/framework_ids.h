// The framework's standard command and window ids, with their documented
// values: resource scripts and the system's code use them by number.
#pragma once

#include "platform/kernel/types.h"

inline constexpr UINT ID_SEPARATOR = 0;
inline constexpr UINT ID_FILE_NEW = 0xE100, ID_FILE_OPEN = 0xE101, ID_FILE_CLOSE = 0xE102, ID_FILE_SAVE = 0xE103,
                      ID_FILE_SAVE_AS = 0xE104, ID_FILE_PAGE_SETUP = 0xE105, ID_FILE_PRINT_SETUP = 0xE106,
                      ID_FILE_PRINT = 0xE107, ID_FILE_PRINT_DIRECT = 0xE108, ID_FILE_PRINT_PREVIEW = 0xE109;
inline constexpr UINT ID_FILE_MRU_FILE1 = 0xE110, ID_FILE_MRU_FILE16 = 0xE11F;
inline constexpr UINT ID_EDIT_CLEAR = 0xE120, ID_EDIT_COPY = 0xE122, ID_EDIT_CUT = 0xE123, ID_EDIT_PASTE = 0xE125,
                      ID_EDIT_SELECT_ALL = 0xE12A, ID_EDIT_UNDO = 0xE12B;
inline constexpr UINT ID_WINDOW_NEW = 0xE130, ID_WINDOW_ARRANGE = 0xE131, ID_WINDOW_CASCADE = 0xE132,
                      ID_WINDOW_TILE_HORZ = 0xE133, ID_WINDOW_TILE_VERT = 0xE134, ID_WINDOW_SPLIT = 0xE135;
inline constexpr UINT ID_APP_ABOUT = 0xE140, ID_APP_EXIT = 0xE141;
inline constexpr UINT ID_NEXT_PANE = 0xE150, ID_PREV_PANE = 0xE151;
inline constexpr UINT ID_VIEW_TOOLBAR = 0xE800, ID_VIEW_STATUS_BAR = 0xE801;
inline constexpr UINT ID_INDICATOR_EXT = 0xE700, ID_INDICATOR_CAPS = 0xE701, ID_INDICATOR_NUM = 0xE702,
                      ID_INDICATOR_SCRL = 0xE703, ID_INDICATOR_OVR = 0xE704, ID_INDICATOR_REC = 0xE705;
inline constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;
inline constexpr UINT ID_PREVIEW_CLOSE = 0xE300, ID_PREVIEW_NUMPAGE = 0xE301, ID_PREVIEW_NEXT = 0xE302,
                      ID_PREVIEW_PREV = 0xE303, ID_PREVIEW_PRINT = 0xE304, ID_PREVIEW_ZOOMIN = 0xE305,
                      ID_PREVIEW_ZOOMOUT = 0xE306;

// Window ids of a frame's parts.
inline constexpr UINT AFX_IDW_TOOLBAR = 0xE800, AFX_IDW_STATUS_BAR = 0xE801, AFX_IDW_PREVIEW_BAR = 0xE802,
                      AFX_IDW_RESIZE_BAR = 0xE803, AFX_IDW_DIALOGBAR = 0xE805, AFX_IDW_CONTROLBAR_FIRST = 0xE800,
                      AFX_IDW_CONTROLBAR_LAST = 0xE8FF, AFX_IDW_PANE_FIRST = 0xE900, AFX_IDW_PANE_LAST = 0xE9FF,
                      AFX_IDW_HSCROLL_FIRST = 0xEA00, AFX_IDW_VSCROLL_FIRST = 0xEA10, AFX_IDW_SIZE_BOX = 0xEA20,
                      AFX_IDW_PANE_SAVE = 0xEA21;
inline constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

// Frame styles.
inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000, FWS_PREFIXTITLE = 0x00004000, FWS_SNAPTOBARS = 0x00002000;
