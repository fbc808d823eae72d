// The dialogs of choosing and adding an ODBC data source, and of the
// password a data source leaves out.
#pragma once

#define IDD_SELECT_DATA_SOURCE 234
#define IDD_LIKELY_DATA_SOURCES 235
#define IDD_ADD_DATA_SOURCE 9302
#define IDD_DATA_SOURCE_PASSWORD 9303

// Select Data Source.
#define IDC_SOURCE_LIST 1249
#define IDC_SOURCE_ADD 1428
#define IDC_SOURCE_DETAIL 1643
#define IDC_SOURCE_LIST_CAPTION 1655
#define IDC_SOURCE_FULL_TEXT 1656
// Likely-Used Databases has in addition:
#define IDC_SOURCE_DELETE 1427
#define IDC_SOURCE_SORT 1698

// Add Data Source: the driver, the name, six key/value rows, the password.
#define IDC_ADD_DRIVER 2001
#define IDC_ADD_NAME 2002
#define IDC_ADD_PASSWORD 2003
#define IDC_ADD_PASSWORD_NOTE 2004
#define IDC_ADD_TEST 2005
#define IDC_ADD_KEY_FIRST 2010
#define IDC_ADD_VALUE_FIRST 2020
#define ADD_DATA_SOURCE_ROWS 6

// The password prompt.
#define IDC_PASSWORD_CAPTION 2101
#define IDC_PASSWORD_VALUE 2102
#define IDC_PASSWORD_SOURCE 2103
