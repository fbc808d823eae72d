// Resource and control ids of the options sheet's page and the folders
// dialog; the resource script includes this file too.
#pragma once

#define IDD_USER_INTERFACE_PAGE 205
#define IDD_DEFAULT_FOLDERS 212

#define IDC_UI_LANGUAGE 1139
#define IDC_NEW_LABEL_UNIT 1274
#define IDC_FOLDER_LIST 1110
#define IDC_FOLDER_CHANGE 1438

// "This folder does not exist."
#define MSG_FOLDER_MISSING 50092
