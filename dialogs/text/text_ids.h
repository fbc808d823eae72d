// Resource and control ids of the Text Setup sheet's pages; the resource
// script includes this file too, so it holds plain #defines only.
#pragma once

#define IDD_TEXT_FONT_PAGE 178
#define IDD_TEXT_OPTIONS_PAGE 179

// Font/Data page: where the data-source panel sits, and the counter steps.
#define IDC_TEXT_PANEL_PLACE 1950
#define IDC_TEXT_INCREMENT 1002
#define IDC_TEXT_DUPLICATES 1003

// Options page.
#define IDC_TEXT_NAME 1493
#define IDC_TEXT_NO_OUTPUT 1479
#define IDC_TEXT_INVERSE 1180
#define IDC_TEXT_LOCK 1480
#define IDC_TEXT_FORE_COLOUR 1201
#define IDC_TEXT_BACK_COLOUR 1202
#define IDC_TEXT_LANGUAGE 1139
#define IDC_TEXT_TAB 1507
#define IDC_TEXT_TAB_SPIN 1508
#define IDC_TEXT_USE_TEMPLATE 1161
#define IDC_TEXT_TEMPLATE 1542
#define IDC_TEXT_CURRENCY 1906
#define IDC_TEXT_NUMBER 1907
#define IDC_TEXT_DECIMALS 1909
#define IDC_TEXT_SIGN 1910
#define IDC_TEXT_PREFIX 1912
