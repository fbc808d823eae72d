// What the layout code asks of the application around it: settings, the
// program's flags, translated texts, message boxes, status panes and
// folders. The application object derives from CLayoutShell and overrides
// what it provides. Settings, flags and texts have defaults a program
// without the application can run with (built-in settings, English text as
// given); what a person must see or answer has a default that shows it (the
// system's message box and save dialog, a tooltip for the message pane, the
// field code's numbered messages). Tests that want messages recorded instead
// install a recording shell of their own.
#pragma once

#include <string>
#include <vector>

#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

class CDocument;

// The new-label defaults of the settings, named by their profile keys.
struct LabelDefaults {
  int32_t DefaultLabelWidth = 4000;
  int32_t DefaultLabelHeight = 2500;
  int32_t DefaultUnits = 1;
  int16_t deflt_lblsPerRow = 1;
  int16_t deflt_rowsPerPage = 1;
  int32_t deflt_leftOff = 0;
  int32_t deflt_topOff = 0;
  int32_t deflt_hGap = 0;
  int32_t deflt_vGap = 0;
  int32_t deflt_rotation = 0;
  uint8_t deflt_shape = 0;
  uint8_t deflt_hasBorder = 0;
  uint8_t deflt_hasHoleDiameter = 0;
  int32_t deflt_holeDiameter = 1650;
  int32_t deflt_bkclr = 0xFFFFFF;
  int32_t deflt_bdrData_style = 0;
  int32_t deflt_bdrData_w = 12;
  int32_t deflt_bdrData_roundEnds = 0;
  int32_t deflt_bdrData_clr = 0;
};

class CLayoutShell {
 public:
  virtual ~CLayoutShell() = default;

  // --- Settings.
  virtual LabelDefaults GetLabelDefaults() { return LabelDefaults{}; }
  // Line width of both sides of a new box (DefaultBoxWidth).
  virtual int32_t DefaultBoxWidth() { return 12; }
  // The design view's grid ("showGrid", off at every start) and its step in
  // mils ("gridDx", 100 by default).
  virtual bool GridShown() { return false; }
  virtual double GridSpacing() { return 100.0; }
  // Copy to Clipboard puts a bitmap (the default) or an enhanced metafile
  // on the clipboard ("clipbrdFmt_useBmp").
  virtual bool ClipboardUsesBitmap() { return true; }

  // --- Program-wide flags.
  virtual bool IsReaderMode() { return false; }
  virtual bool IsNoSave() { return false; }
  virtual bool IsSmall() { return false; }
  virtual bool IsStartingUp() { return false; }

  // --- Profile ("Config" and the other sections). Without the application:
  // the running CWinApp's profile when there is one, else the defaults.
  virtual AString GetProfileString(const char* section, const char* key, const char* defaultValue);
  virtual int GetProfileInt(const char* section, const char* key, int defaultValue);
  virtual bool WriteProfileString(const char* section, const char* key, const char* value);
  virtual bool WriteProfileInt(const char* section, const char* key, int value);

  // --- Texts and questions. Results: IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7.
  // The text in the UI language; the English text itself by default.
  virtual AString TranslateUiString(const char* english) { return AString(english); }
  // The program's message box (UiMessageBox) and its question box
  // (ShowMsgBoxDlg) with MB_* buttons. By default both show the text in the
  // UI language in the system's message box, titled with the program's name.
  virtual int UiMessageBox(const char* text, UINT type);
  virtual int ShowMsgBoxDlg(const char* text, UINT type);
  // MessageBeep(-1).
  virtual void Beep();
  // A numbered message (its text is the language file's entry for the
  // number). By default shown through the field code's message hook, which
  // the program installs and which knows the numbered texts.
  virtual int UiMessageNumber(int number, UINT type);
  // Gives a dialog of the layout code the program's look and its texts in
  // the UI language, once its controls exist; nothing by default.
  virtual void SkinDialog(HWND /*dialog*/) {}
  // One press of a spinner beside an edit holding a length in the label's
  // unit (direction 0 up, 1 down; steps of 0.01 inch or 0.254 mm), kept
  // within minimum..maximum and written back as "%.3f". Returns 1.
  virtual int SpinUnitEdit(int direction, int editId, double minimum, double maximum, int unit, HWND dialog,
                           int steps);

  // --- Main frame.
  // The status bar's label size pane (mils and the unit code).
  virtual void SetLabelSizePane(int width, int height, int units) {}
  // The resolution pane ("DPI %d"), the printer pane (name in a colour), the
  // read-only pane and the pointer's position in mils with the label's unit.
  virtual void SetDpiPane(int /*dpi*/) {}
  virtual void SetPrinterPane(const char* /*name*/, COLORREF /*colour*/) {}
  virtual void SetReadOnlyPane(bool /*locked*/) {}
  virtual void SetCursorPane(int /*x*/, int /*y*/, int /*units*/) {}
  // Whether another open document than self holds the file (compared
  // without regard to case). By default: the running CWinApp's documents.
  virtual bool IsOpenInOtherDocument(const char* path, const CDocument* self);
  // Asks for the file a layout is saved as (the save dialog, starting at
  // path): IDOK with the chosen path, IDCANCEL when the user cancels. The
  // system's save dialog with its overwrite question unless the program
  // shows its own.
  virtual int PromptSaveFileName(AString& path);

  // --- Folders. The program folder holds what ships with the program
  // ("docseed.xml"); the work folder holds the clipboard holder file.
  virtual AString ProgramFolder();
  virtual AString WorkFolder();
  virtual AString ClipboardHolderPath();
  // The designer's own clipboard format ("Nerrow Object"), registered by name.
  virtual UINT LayoutClipboardFormat();

  // --- Layout windows (document/frame/frame_shell.cpp). The rulers'
  // offsets that the main frame keeps (screen pixels), the brush of the
  // ruler area, whether layout windows open maximised, the status bar's
  // cursor position pane and the message pane shown beside a rectangle of
  // the screen.
  virtual POINT RulerOffsets() { return rulerOffsets; }
  virtual void SetRulerOffsets(POINT offsets) { rulerOffsets = offsets; }
  virtual HBRUSH RulerBackgroundBrush();
  virtual bool MaximiseLayoutWindows() { return false; }
  virtual void SetCursorPosPane(int x, int y, int units) {}
  // A tooltip beside the rectangle unless the program has a pane of its own.
  virtual void ShowMessagePane(const char* text, const RECT& beside);
  virtual void HideMessagePane();
  // The main frame's menus drawn by the program in the UI language: whether
  // the frame's own menu has been prepared so, and preparing the layout
  // windows' menu (a layout window asks on activation). Nothing by default.
  virtual bool IsFrameMenuPrepared() { return false; }
  virtual void PrepareLayoutMenu() {}
  // The main frame forgets a view it remembers when that view's window is
  // gone (a layout window asks once it is destroyed).
  virtual void CheckRememberedView() {}

  POINT rulerOffsets{0, 0};
};

// The answer a message box of the type gives when nobody can be asked (a
// console, a recording): IDOK, IDYES for Yes/No questions, IDRETRY, IDABORT.
int DefaultMessageAnswer(UINT type);

// The running application when it is a layout shell, else the stand-in
// shell (by default one instance of CLayoutShell itself); never null.
CLayoutShell* LayoutShell();
// Installs the shell the layout code asks when the running application is
// not one (the headless renderer's console shell, a test's recording shell);
// null restores the default. Returns the one installed before (null when it
// was the default).
CLayoutShell* SetStandInLayoutShell(CLayoutShell* shell);
