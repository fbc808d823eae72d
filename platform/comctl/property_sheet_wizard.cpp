// Wizards (PSH_WIZARD): the pages one after another without tabs, a line
// above Back, Next or Finish, and Cancel; the page shown steers the turning
// through its answers to PSN_WIZBACK, PSN_WIZNEXT, PSN_SETACTIVE and
// PSN_WIZFINISH.
#include "platform/comctl/property_sheet_wizard.h"

#include <algorithm>

#include "platform/comctl/control_state.h"

namespace comctl {
namespace {

void ShowButton(HWND sheet, int id, bool shown, bool enabled) {
  const HWND button = GetDlgItem(sheet, id);
  if (!button) return;
  EnableWindow(button, enabled);
  ShowWindow(button, shown ? SW_SHOWNA : SW_HIDE);
}

// The page whose template has the resource id `id`, or -1.
int PageWithTemplateId(const Sheet& s, LRESULT id) {
  for (size_t i = 0; i < s.pages.size(); ++i) {
    const PROPSHEETPAGEW& p = PageAt(s, i).source.page;
    if (!(p.dwFlags & PSP_DLGINDIRECT) && IS_INTRESOURCE(p.pszTemplate) &&
        reinterpret_cast<uintptr_t>(p.pszTemplate) == static_cast<uintptr_t>(id))
      return static_cast<int>(i);
  }
  return -1;
}

// Shows page `index`, or when it declines (-1 to PSN_SETACTIVE) the next one
// in `direction` (0: none); the page shown before stays when none accepts.
bool Arrive(HWND sheet, Sheet& s, int index, int direction) {
  const int before = s.current;
  for (int i = index; i >= 0 && i < static_cast<int>(s.pages.size()); i += direction) {
    Page& page = PageAt(s, static_cast<size_t>(i));
    if (!MakePage(sheet, s, page)) return false;
    s.current = i;
    if (NotifyPage(sheet, page, PSN_SETACTIVE) == -1) {
      if (direction == 0) break;
      continue;
    }
    if (before >= 0 && before != i) ShowWindow(PageAt(s, static_cast<size_t>(before)).window, SW_HIDE);
    ShowWindow(page.window, SW_SHOW);
    return true;
  }
  s.current = before;
  return false;
}

// Back (step -1) or Next (+1): the page shown may send the wizard elsewhere
// or keep it, then may refuse to be left.
void Turn(HWND sheet, Sheet& s, int step) {
  if (s.current < 0) return;
  const LRESULT answer = NotifyPage(sheet, PageAt(s, static_cast<size_t>(s.current)), step < 0 ? PSN_WIZBACK : PSN_WIZNEXT);
  if (answer == -1) return;
  const int target = answer == 0 ? s.current + step : PageWithTemplateId(s, answer);
  if (target < 0 || target >= static_cast<int>(s.pages.size())) return;
  if (!MayLeave(sheet, s)) return;
  Arrive(sheet, s, target, answer == 0 ? step : 0);
}

void FinishWizard(HWND sheet, Sheet& s) {
  if (s.current < 0) return;
  if (NotifyPage(sheet, PageAt(s, static_cast<size_t>(s.current)), PSN_WIZFINISH) != 0) return;
  s.applied = true;
  Finish(sheet, s, 1);
}

}  // namespace

void AddWizardButtons(dialogs::TemplateWriter& t, const Sheet& s) {
  constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  t.Add(0x80, kButton | WS_GROUP, 0, 0, 0, 50, 14, ID_WIZBACK, u"< &Back");
  t.Add(0x80, (kButton & ~BS_PUSHBUTTON) | BS_DEFPUSHBUTTON, 0, 0, 0, 50, 14, ID_WIZNEXT, u"&Next >");
  t.Add(0x80, kButton & ~WS_VISIBLE, 0, 0, 0, 50, 14, ID_WIZFINISH, u"Finish");
  t.Add(0x80, kButton, 0, 0, 0, 50, 14, IDCANCEL, u"Cancel");
  if (s.flags & PSH_HASHELP) t.Add(0x80, kButton, 0, 0, 0, 50, 14, IDHELP, u"Help");
  t.Add(0x82, WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, 0, 0, 200, 2, ID_WIZLINE, u"");
}

void LayOutWizard(HWND sheet, Sheet& s, RECT pageSize, RECT margin, RECT button, RECT gap) {
  ShowWindow(s.tab, SW_HIDE);
  s.display = pageSize;
  OffsetRect(&s.display, margin.right, margin.bottom);
  const int lineY = s.display.bottom + margin.bottom;
  if (HWND line = GetDlgItem(sheet, ID_WIZLINE))
    SetWindowPos(line, nullptr, 0, lineY, s.display.right + margin.right, 2, SWP_NOZORDER | SWP_NOACTIVATE);
  // Back and Next side by side (Finish in Next's place unless it has its
  // own), a gap, then Cancel and Help; the row ends at the pages' right.
  const bool ownFinish = (s.flags & PSH_WIZARDHASFINISH) != 0;
  const int y = lineY + 2 + margin.bottom;
  const int width = button.right;
  int x = s.display.right;
  auto place = [&](int id) {
    if (HWND b = GetDlgItem(sheet, id)) SetWindowPos(b, nullptr, x, y, width, button.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  if (GetDlgItem(sheet, IDHELP)) {
    x -= width;
    place(IDHELP);
    x -= gap.right;
  }
  x -= width;
  place(IDCANCEL);
  x -= gap.right;
  if (ownFinish) {
    x -= width;
    place(ID_WIZFINISH);
    x -= gap.right;
  }
  x -= width;
  place(ID_WIZNEXT);
  if (!ownFinish) place(ID_WIZFINISH);
  x -= width;
  place(ID_WIZBACK);
}

int WizardHeightBelowPages(RECT margin, RECT button) { return margin.bottom + 2 + margin.bottom + button.bottom + margin.bottom; }

void ShowWizardButtons(HWND sheet, const Sheet& s) {
  const DWORD flags = s.wizardButtons;
  const bool ownFinish = (s.flags & PSH_WIZARDHASFINISH) != 0;
  const bool finishNow = s.finishText || (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH));
  ShowButton(sheet, ID_WIZBACK, !s.finishText, (flags & PSWIZB_BACK) != 0);
  if (ownFinish) {
    ShowButton(sheet, ID_WIZNEXT, !s.finishText, (flags & PSWIZB_NEXT) != 0);
    ShowButton(sheet, ID_WIZFINISH, true, s.finishText || (flags & PSWIZB_FINISH));
  } else {
    ShowButton(sheet, ID_WIZNEXT, !finishNow, (flags & PSWIZB_NEXT) != 0);
    ShowButton(sheet, ID_WIZFINISH, finishNow, s.finishText || (flags & PSWIZB_FINISH));
  }
  // Enter presses Finish when it stands in Next's place, else Next.
  SendMessageW(sheet, DM_SETDEFID, static_cast<WPARAM>(finishNow ? ID_WIZFINISH : ID_WIZNEXT), 0);
}

bool StartWizard(HWND sheet, Sheet& s) {
  ShowWizardButtons(sheet, s);
  return Arrive(sheet, s, s.start, 1) || Arrive(sheet, s, 0, 1);
}

bool WizardCommand(HWND sheet, Sheet& s, int id) {
  switch (id) {
    case ID_WIZBACK: Turn(sheet, s, -1); return true;
    case ID_WIZNEXT: Turn(sheet, s, 1); return true;
    case ID_WIZFINISH: FinishWizard(sheet, s); return true;
    default: return false;
  }
}

bool WizardMessage(HWND sheet, Sheet& s, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  switch (message) {
    case PSM_SETWIZBUTTONS:
      s.wizardButtons = static_cast<DWORD>(lParam);
      if (s.wizard) ShowWizardButtons(sheet, s);
      *result = Answer(sheet, 0);
      return true;
    case PSM_SETFINISHTEXTW:
    case PSM_SETFINISHTEXTA: {
      if (!s.wizard) return false;
      const std::u16string text = message == PSM_SETFINISHTEXTW ? FromWide(reinterpret_cast<LPCWSTR>(lParam))
                                                                 : FromAnsi(reinterpret_cast<LPCSTR>(lParam));
      SetDlgItemTextW(sheet, ID_WIZFINISH, text.c_str());
      s.finishText = true;
      ShowWizardButtons(sheet, s);
      *result = Answer(sheet, 0);
      return true;
    }
    case PSM_PRESSBUTTON: {
      const int ids[] = {ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH};
      if (!s.wizard || wParam >= std::size(ids)) return false;
      const HWND button = GetDlgItem(sheet, ids[wParam]);
      // A hidden or disabled button cannot be pressed.
      if (button && IsWindowVisible(button) && IsWindowEnabled(button))
        PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(ids[wParam]), BN_CLICKED), reinterpret_cast<LPARAM>(button));
      *result = Answer(sheet, 0);
      return true;
    }
    default: return false;
  }
}

}  // namespace comctl
