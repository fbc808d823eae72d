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
