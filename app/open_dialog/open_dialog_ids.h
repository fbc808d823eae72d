// Templates and control ids the designer adds to the system's file dialog;
// the resource script includes this file too.
#pragma once

#define IDD_MRU_SAVE 121
#define IDD_MRU_OPEN 123
#define IDC_USED_FOLDERS_LABEL 122
#define IDC_USED_FOLDERS 123
#define IDC_SECOND_LABEL 124
#define IDC_PREVIEW_LABEL 1119
#define IDC_PREVIEW_TEXT 1436
#define IDC_PREVIEW_PICTURE 1555
#define IDC_PREVIEW_NAME 1261
#define IDC_FILE_TYPES 1565
