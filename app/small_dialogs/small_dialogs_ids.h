// Resource and control ids of the small dialogs; the resource script
// includes this file too, so it holds plain #defines only.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_WELCOME 19
#define IDD_PROMPT_INPUT 207
#define IDC_HAND_CURSOR 171

// About box.
#define IDC_ABOUT_PRODUCT 1069
#define IDC_ABOUT_VERSION 1070
#define IDC_ABOUT_LEGAL 1071
#define IDC_ABOUT_WEB 1107
#define IDC_ABOUT_MAIL 1108
// Input prompt.
#define IDC_PROMPT_TEXT 1372
#define IDC_PROMPT_VALUE 1373

// Messages of the input prompt: an empty value (with the prompt) and a value
// longer than allowed (with the maximum).
#define MSG_VALUE_EMPTY 50064
#define MSG_VALUE_TOO_LONG 50062
