// Resource and command ids of the framework tests' program, shared by its
// resource script and its code.
#pragma once

#define IDR_TESTMAIN 5100
#define IDR_TESTDOC 5101
#define IDD_TESTSETTINGS 5102
#define IDC_TEST_NAME 5110
#define IDC_TEST_COUNT 5111
#define IDC_TEST_ENABLED 5112
#define ID_TEST_ADD 0x8101
#define ID_TEST_CLEAR 0x8102
#define ID_TEST_MARK 0x8103
#define ID_TEST_FRAMECMD 0x8104
#define ID_TEST_APPCMD 0x8105
#define ID_TEST_INDICATOR 0x8106
// The property sheet's pages.
#define IDD_TESTPAGE_GENERAL 5120
#define IDD_TESTPAGE_OPTIONS 5121
#define IDD_TESTPAGE_NOTES 5122
#define IDC_PAGE_NAME 5130
#define IDC_PAGE_COUNT 5131
#define IDC_PAGE_ENABLED 5132
#define IDC_PAGE_NOTES 5133
#define IDS_TESTSHEET 5140
#define IDS_TESTPAGE_NOTES 5141
// The file dialog's child template.
#define IDD_TESTFILE_CHILD 5150
#define IDC_FILE_PREVIEW 5151
#define IDC_FILE_STAMP 5152
