// The dialogs of the data files of one folder: counter files and text data
// files, each a list with Add, Edit and Delete, and their edit dialogs.
#pragma once

#define IDD_COUNTER_FILES 210
#define IDD_COUNTER_EDIT 211
#define IDD_TEXT_FILES 216
#define IDD_TEXT_FILE_EDIT 217

// The file list and its buttons.
#define IDC_FILE_LIST 1110
#define IDC_FILE_DELETE 1427
#define IDC_FILE_ADD 1428
#define IDC_FILE_EDIT 1429

// Counter files: the value and the description of the selected counter.
#define IDC_COUNTER_VALUE_SHOW 1431
#define IDC_COUNTER_DESCRIPTION_SHOW 1432

// The edit dialogs: a name, a value or text, a description, their captions.
#define IDC_EDIT_NAME 1441
#define IDC_EDIT_VALUE 1442
#define IDC_EDIT_DESCRIPTION 1443
#define IDC_EDIT_NAME_CAPTION 1444
#define IDC_EDIT_VALUE_CAPTION 1445
#define IDC_EDIT_DESCRIPTION_CAPTION 1446

// Text files: the selected file's text, its language, a tip, its encoding
// and the note shown for a UTF-16 file.
#define IDC_TEXT_SHOW 1451
#define IDC_TEXT_LANGUAGE 1452
#define IDC_TEXT_TIP 1453
#define IDC_TEXT_ENCODING 1454
#define IDC_TEXT_UNICODE_NOTE 1455
