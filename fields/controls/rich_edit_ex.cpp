#include "fields/controls/rich_edit_ex.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/system/clipboard_text.h"

namespace {

// The one byte a unit stands for in the code page; -1 when it takes more, or
// (with refuseDefault) when it comes out as the default character "?".
int SingleByteOf(char16_t unit, int codePage, bool refuseDefault) {
  char bytes[8] = {};
  BOOL usedDefault = FALSE;
  const WCHAR wide = unit;
  const int n = WideCharToMultiByte(static_cast<UINT>(codePage), 0, &wide, 1, bytes, sizeof bytes, nullptr,
                                    refuseDefault ? &usedDefault : nullptr);
  if (n != 1) return -1;
  if (refuseDefault && (usedDefault || bytes[0] == '?')) return -1;
  return static_cast<unsigned char>(bytes[0]);
}

}  // namespace

std::u16string RepairUnits(const std::u16string& text, int from, int to) {
  if (to == 1200 || !fdn_app::IsCjkCodePage(to)) return text;
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  for (; i + 1 < text.size(); ++i) {
    const char16_t u = text[i];
    if (u > 127 && u < 8192) {
      const int lead = SingleByteOf(u, from, true);
      const int trail = lead >= 0 ? SingleByteOf(text[i + 1], from, false) : -1;
      if (trail >= 0) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        WCHAR made[2] = {};
        if (MultiByteToWideChar(static_cast<UINT>(to), MB_ERR_INVALID_CHARS, pair, 2, made, 2) == 1) {
          out.push_back(made[0]);
          ++i;
          continue;
        }
      }
    }
    out.push_back(u);
  }
  if (i < text.size()) out.push_back(text[i]);
  return out;
}

IMPLEMENT_DYNAMIC(CRichEditEx, CRichEditCtrl)

BEGIN_MESSAGE_MAP(CRichEditEx, CRichEditCtrl)
  ON_WM_KEYDOWN()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CRichEditEx::CRichEditEx() : m_codePage(fdn_app::CodePageFromLanguage(fdn_app::AppDataLanguage(), true)) {}

BOOL CRichEditEx::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CRichEditCtrl::Create(style, rect, parent, id);
}

int CRichEditEx::Setup(int language, int option, int keepText) {
  SendMessage(EM_SETTEXTMODE, 0, 1);
  SetUndoLimit(8000);
  m_keepText = keepText;
  SetLanguage(language, 0, option);
  m_ready = 1;
  return 1;
}

int CRichEditEx::SetLanguage(int language, int quiet, int option) {
  const int old = m_codePage;
  m_language = language;
  if (option >= 0) m_clipOption = option;
  m_codePage = fdn_app::CodePageFromLanguage(language, true);
  if (!(quiet == 0 || option != 0 || m_keepText) || m_codePage == old) return 1;
  if (m_keepText) {
    if (GetModify()) {
      AString text;
      GetUnicodeText(text);
      if (text.GetLength() / 2 > 1023) {
        m_savedText.Empty();
      } else {
        m_savedText = text;
        m_savedText.SetCodePage(old);
      }
    } else if (!m_savedText.IsEmpty()) {
      const int savedPage = m_savedText.GetCodePage();
      if (old == 950 && m_codePage == 932) {
        // Big5 text on its way to Shift-JIS passes through a single-byte page first.
        SetText(m_savedText, 0, 0, 1200);
        RemapText(savedPage, 1250);
        const int keep = m_codePage;
        m_codePage = 1250;
        ApplyDefaultFormat(0, -1, 0);
        m_codePage = keep;
      }
      SetText(m_savedText, 0, 0, 1200);
      RemapText(savedPage, m_codePage);
    }
  } else {
    RemapText(old, m_codePage);
  }
  ApplyDefaultFormat(0, -1, 0);
  if (m_keepText) SetModify(FALSE);
  return 1;
}

std::u16string CRichEditEx::Units() const {
  const long length = GetTextLengthEx(GTL_DEFAULT, 1200);
  std::vector<WCHAR> buffer(static_cast<size_t>(std::max(length, 0L)) * 2 + 2, 0);
  GETTEXTEX how{static_cast<DWORD>(buffer.size() * sizeof(WCHAR)), GT_DEFAULT, 1200, nullptr, nullptr};
  const LRESULT n = SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(buffer.data()));
  return std::u16string(buffer.data(), static_cast<size_t>(std::clamp<LRESULT>(n, 0, static_cast<LRESULT>(buffer.size()))));
}

void CRichEditEx::SetUnits(const std::u16string& units) {
  SETTEXTEX how{ST_DEFAULT, 1200};
  SendMessage(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(units.c_str()));
}

void CRichEditEx::RemapText(int from, int to) {
  if (to == 1200 || !fdn_app::IsCjkCodePage(to)) return;
  SetUnits(RepairUnits(Units(), from, to));
  SetSel(0, 0);
}

LRESULT CRichEditEx::SetText(const AString& text, int keepSelection, int pointSize, int codePage) {
  int page = codePage;
  if (text.IsWide()) page = 1200;
  else if (!page && text.GetCodePage() > 0) page = text.GetCodePage();
  std::string bytes(text.GetData() ? text.GetData() : "", static_cast<size_t>(text.GetLength()));
  bytes.push_back('\0');
  if (page == 1200) bytes.push_back('\0');  // a UTF-16 terminator is two bytes
  return ReplaceText(bytes.data(), keepSelection, pointSize, page);
}

LRESULT CRichEditEx::ReplaceText(const char* data, int keepSelection, int pointSize, int codePage) {
  if (!keepSelection) SetSel(0, -1);
  const LRESULT result = SetTextEx(data, codePage ? codePage : m_codePage, 1);
  ApplyDefaultFormat(0, -1, pointSize);
  if (!keepSelection) SetSel(0, 0);
  return result;
}

LRESULT CRichEditEx::AppendText(const char* data, int length, int codePage) {
  MoveCaretToEnd();
  std::string bytes(data ? data : "", data ? static_cast<size_t>(std::max(length, 0)) : 0);
  bytes.append(2, '\0');
  return ReplaceText(bytes.data(), 1, 0, codePage);
}

AString& CRichEditEx::GetText(AString& out, int codePage) {
  HideSelection(TRUE, FALSE);
  CHARRANGE kept{};
  GetSel(kept);
  SetSel(0, -1);
  GetSelText(out, codePage, 0);
  SetSel(kept);
  HideSelection(FALSE, FALSE);
  return out;
}

AString& CRichEditEx::GetUnicodeText(AString& out) {
  GetText(out, 1200);
  out.SetWide(true);
  return out;
}

int CRichEditEx::GetSelText(AString& out, int codePage, int crlf) {
  const int page = codePage ? codePage : m_codePage;
  CHARRANGE sel{};
  GetSel(sel);
  // Room for two bytes a character, and for every line end growing to CR LF.
  const size_t bytes = static_cast<size_t>(std::max<long>(sel.cpMax - sel.cpMin, 0L)) * 4 + 64;
  std::vector<char> buffer(bytes, 0);
  GETTEXTEX how{static_cast<DWORD>(bytes), GT_SELECTION | (crlf ? GT_USECRLF : 0u), static_cast<UINT>(page),
                nullptr, nullptr};
  const int n = static_cast<int>(
      SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(buffer.data())));
  const int length = std::clamp(page == 1200 ? n * 2 : n, 0, static_cast<int>(bytes));
  out = AString(length, buffer.data());
  if (page == 1200) out.SetWide(true);
  else out.SetCodePage(page);
  return n;
}

LRESULT CRichEditEx::SetTextEx(const char* data, int codePage, int keepUndo) {
  SETTEXTEX how{ST_SELECTION | (keepUndo ? ST_KEEPUNDO : 0u), static_cast<UINT>(codePage)};
  return SendMessage(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(data));
}

void CRichEditEx::ApplyDefaultFormat(long first, long last, int pointSize) {
  HideSelection(TRUE, FALSE);
  CHARRANGE kept{};
  GetSel(kept);
  SetSel(first, last);
  // The window is of the UTF-16 class: its character format is the wide one.
  CHARFORMATW format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_CHARSET | CFM_FACE | CFM_SIZE | CFM_BOLD;
  format.yHeight = (pointSize ? pointSize : 10) * 20;
  int charset = fdn_app::CharsetFromLanguage(m_codePage, false);
  if (m_codePage == 0) {
    const std::u16string units = Units();
    charset = fdn_app::CharsetFromLanguage(
        fdn_app::DetectScriptLanguage(units.data(), static_cast<int>(units.size())), true);
  }
  format.bCharSet = static_cast<BYTE>(charset);
  const std::u16string face = u"Arial";
  std::copy(face.begin(), face.end(), format.szFaceName);
  SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  SetSel(kept);
  HideSelection(FALSE, FALSE);
}

BOOL CRichEditEx::SetFaceAndSize(const char* face, int points, WPARAM scfFlags) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_SIZE | CFM_FACE | CFM_WEIGHT;
  format.yHeight = points * 20;
  format.wWeight = FW_NORMAL;
  if (face) MultiByteToWideChar(CP_ACP, 0, face, -1, format.szFaceName, LF_FACESIZE_RICHEDIT - 1);
  return SendMessage(EM_SETCHARFORMAT, scfFlags, reinterpret_cast<LPARAM>(&format)) != 0;
}

void CRichEditEx::MoveCaretToEnd() {
  const long end = static_cast<long>(Units().size());
  SetSel(end, end);
}

void CRichEditEx::OnSetFocus(CWnd* old) {
  if (CWnd* parent = GetParent())
    parent->SendMessage(kMsgRichEditFocusIn, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(m_hWnd));
  CRichEditCtrl::OnSetFocus(old);
}

void CRichEditEx::OnKillFocus(CWnd* next) {
  if (CWnd* parent = GetParent())
    parent->SendMessage(kMsgRichEditFocusOut, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(m_hWnd));
  CRichEditCtrl::OnKillFocus(next);
}
