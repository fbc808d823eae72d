// Dialogs: made from DLGTEMPLATE / DLGTEMPLATEEX templates (from a module's
// resources or from memory), laid out in dialog units of the template's font,
// driven by the dialog manager (IsDialogMessage: Tab and Shift+Tab, arrows
// within groups, mnemonics, Enter for the default button, Esc for Cancel,
// each control's WM_GETDLGCODE answer respected), modal loops that disable
// the owner until EndDialog, and message boxes built as real dialogs.
#pragma once

#include "platform/kernel/types.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"
#include "platform/user/user.h"

using DLGPROC = INT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct DLGTEMPLATE;  // only ever a pointer to template bytes
using LPCDLGTEMPLATEW = const DLGTEMPLATE*;
using LPCDLGTEMPLATEA = const DLGTEMPLATE*;
using LPCDLGTEMPLATE = const DLGTEMPLATE*;

inline constexpr int DWLP_DLGPROC = 8;
inline constexpr int DWLP_USER = 16;
inline constexpr int DLGWINDOWEXTRA = 30;
inline constexpr UINT DM_GETDEFID = WM_USER + 0;
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
inline constexpr UINT DM_REPOSITION = WM_USER + 2;
inline constexpr WORD DC_HASDEFID = 0x534B;

// Dialog styles
inline constexpr DWORD DS_ABSALIGN = 0x01, DS_SYSMODAL = 0x02, DS_3DLOOK = 0x04, DS_FIXEDSYS = 0x08,
                       DS_NOFAILCREATE = 0x10, DS_LOCALEDIT = 0x20, DS_SETFONT = 0x40, DS_MODALFRAME = 0x80,
                       DS_NOIDLEMSG = 0x100, DS_SETFOREGROUND = 0x200, DS_CONTROL = 0x400, DS_CENTER = 0x800,
                       DS_CENTERMOUSE = 0x1000, DS_CONTEXTHELP = 0x2000, DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// Standard button ids
inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7,
                     IDCLOSE = 8, IDHELP = 9, IDTRYAGAIN = 10, IDCONTINUE = 11;

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param);
HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param);
HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc, LPARAM param);
HWND CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
inline HWND CreateDialogParam(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  return CreateDialogParamA(instance, name, owner, proc, param);
}
inline HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE t, HWND owner, DLGPROC proc, LPARAM param) {
  return CreateDialogIndirectParamA(instance, t, owner, proc, param);
}
// Modal: the owner is disabled until EndDialog; returns EndDialog's result,
// or -1 when the dialog could not be made.
INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param);
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param);
INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc, LPARAM param);
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
inline INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  return DialogBoxParamA(instance, name, owner, proc, param);
}
inline INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE t, HWND owner, DLGPROC proc, LPARAM param) {
  return DialogBoxIndirectParamA(instance, t, owner, proc, param);
}
BOOL EndDialog(HWND dialog, INT_PTR result);

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcA(dialog, message, wParam, lParam);
}
BOOL IsDialogMessageW(HWND dialog, LPMSG msg);
BOOL IsDialogMessageA(HWND dialog, LPMSG msg);
inline BOOL IsDialogMessage(HWND dialog, LPMSG msg) { return IsDialogMessageA(dialog, msg); }
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// Dialog units to pixels with the dialog's font.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
LONG GetDialogBaseUnits();

// Items
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}
BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
inline BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) { return SetDlgItemTextA(dialog, id, text); }
// At most size - 1 characters and a zero; returns the characters copied.
UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int size);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size);
inline UINT GetDlgItemText(HWND dialog, int id, LPSTR text, int size) { return GetDlgItemTextA(dialog, id, text, size); }
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);

// Message boxes
inline constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
                      MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_CANCELTRYCONTINUE = 0x6, MB_TYPEMASK = 0xF,
                      MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
                      MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
                      MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0, MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100,
                      MB_DEFBUTTON3 = 0x200, MB_DEFBUTTON4 = 0x300, MB_DEFMASK = 0xF00, MB_APPLMODAL = 0x0,
                      MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000, MB_HELP = 0x4000, MB_SETFOREGROUND = 0x10000,
                      MB_TOPMOST = 0x40000;
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
inline int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return MessageBoxA(owner, text, caption, type);
}
// Headless there is no sound; the call is recorded for tests (LastMessageBeep).
BOOL MessageBeep(UINT type);

namespace user {
// For tests: called with each modal dialog (and message box) once it is
// shown and before its loop runs; the callback may press keys or end it.
using ModalDialogHook = void (*)(HWND dialog, void* context);
void SetModalDialogHook(ModalDialogHook hook, void* context);
// The type of the last MessageBeep, and how many there were.
UINT LastMessageBeep(int* count);
}  // namespace user
