// The MaxiCode message entry dialog: the two lists of the message's parts.
#pragma once

#define IDD_FIELD_DATA_ENTRY 227
#define IDC_ENTRY_FIRST_PARTS 1252
#define IDC_ENTRY_SECOND_PARTS 1255
