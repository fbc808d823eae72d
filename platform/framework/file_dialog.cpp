// The framework's open and save dialogs: the request built from the
// constructor's arguments, the hook that attaches the object to the child
// dialog, and the chosen names taken apart.
#include "platform/framework/file_dialog.h"

#include <cstring>
#include <string>

#include "platform/framework/app.h"
#include "platform/framework/resources.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {
// Room for the names of a multiple selection.
constexpr size_t kMultipleBuffer = 64 * 1024;
}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog) {
  m_pParentWnd = parent;
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
  m_ofn.lpfnHook = &AfxFileHook;
  m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
  m_file.assign((flags & OFN_ALLOWMULTISELECT) ? kMultipleBuffer : MAX_PATH, '\0');
  if (fileName) std::strncpy(m_file.data(), fileName, m_file.size() - 1);
  m_ofn.lpstrFile = m_file.data();
  m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
  m_ofn.lpstrFileTitle = m_title;
  m_ofn.nMaxFileTitle = sizeof m_title;
  if (defaultExtension) {
    m_strDefExt = defaultExtension;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (filter) {
    // "A|*.a|B|*.b||" becomes the pairs of zero-ended strings the dialog reads.
    m_filter.assign(filter, filter + std::strlen(filter));
    for (char& c : m_filter)
      if (c == '|') c = '\0';
    m_filter.push_back('\0');
    m_filter.push_back('\0');
    m_ofn.lpstrFilter = m_filter.data();
  }
}

UINT_PTR CFileDialog::AfxFileHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG || FromHandlePermanent(child)) return 0;
  const auto* request = reinterpret_cast<const OPENFILENAMEA*>(lParam);
  auto* self = request ? reinterpret_cast<CFileDialog*>(request->lCustData) : nullptr;
  if (!self || self->m_hWnd) return 0;
  AttachDialogWindow(self, child);
  return static_cast<UINT_PTR>(self->OnInitDialog());
}

INT_PTR CFileDialog::DoModal() {
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
  if (!m_ofn.hInstance) m_ofn.hInstance = AfxGetResourceHandle();
  m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
  m_ofn.lpfnHook = &AfxFileHook;
  m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
  m_bModal = TRUE;
  const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  m_bModal = FALSE;
  if (m_hWnd) Detach();
  return chosen ? IDOK : IDCANCEL;
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->hwndFrom != ::GetParent(m_hWnd)) return CDialog::OnNotify(wParam, lParam, result);
  switch (header->code) {
    case CDN_INITDONE: OnInitDone(); break;
    case CDN_SELCHANGE: OnFileNameChange(); break;
    case CDN_FOLDERCHANGE: OnFolderChange(); break;
    case CDN_TYPECHANGE: OnTypeChange(); break;
    case CDN_FILEOK: *result = OnFileNameOK() ? 1 : 0; return TRUE;
    default: return CDialog::OnNotify(wParam, lParam, result);
  }
  *result = 0;
  return TRUE;
}

CString CFileDialog::Ask(UINT message) const {
  HWND dialog = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
  if (!dialog) return CString();
  const LRESULT needed = ::SendMessageA(dialog, message, 0, 0);
  if (needed <= 0) return CString();
  std::vector<char> text(static_cast<size_t>(needed) + 1, '\0');
  if (::SendMessageA(dialog, message, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data())) <= 0)
    return CString();
  return CString(text.data());
}

CString CFileDialog::GetPathName() const {
  if (m_hWnd) return Ask(CDM_GETFILEPATH);
  if (m_ofn.Flags & OFN_ALLOWMULTISELECT) {
    POSITION pos = GetStartPosition();
    return pos ? GetNextPathName(pos) : CString();
  }
  return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const {
  const CString path = GetPathName();
  const char* slash = std::strrchr(path.GetString(), '/');
  return CString(slash ? slash + 1 : path.GetString());
}

CString CFileDialog::GetFileExt() const {
  const CString name = GetFileName();
  const char* dot = std::strrchr(name.GetString(), '.');
  return CString(dot ? dot + 1 : "");
}

CString CFileDialog::GetFileTitle() const {
  const CString name = GetFileName();
  const char* dot = std::strrchr(name.GetString(), '.');
  return dot ? CString(name.GetString(), static_cast<int>(dot - name.GetString())) : name;
}

CString CFileDialog::GetFolderPath() const { return Ask(CDM_GETFOLDERPATH); }

// A single choice is one full path; several are the folder, then each name,
// every one ended by a zero and the last by two. A position is the offset of
// the next name in the buffer, plus one.
POSITION CFileDialog::GetStartPosition() const {
  if (!m_ofn.lpstrFile || !m_ofn.lpstrFile[0]) return nullptr;
  return reinterpret_cast<POSITION>(static_cast<uintptr_t>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  const char* buffer = m_ofn.lpstrFile;
  const size_t size = m_ofn.nMaxFile;
  auto at = static_cast<size_t>(reinterpret_cast<uintptr_t>(pos));
  pos = nullptr;
  if (!buffer || at == 0) return CString();
  const size_t folderLength = strnlen(buffer, size);
  if (folderLength + 1 >= size || buffer[folderLength + 1] == '\0') return CString(buffer);  // one path
  // Several names: the first position reads the first name after the folder.
  size_t name = at == 1 ? folderLength + 1 : at - 1;
  if (name >= size) return CString();
  const size_t nameLength = strnlen(buffer + name, size - name);
  const size_t next = name + nameLength + 1;
  if (next < size && buffer[next] != '\0') pos = reinterpret_cast<POSITION>(static_cast<uintptr_t>(next + 1));
  std::string path(buffer, folderLength);  // the folder, then one name
  if (path.empty() || path.back() != '/') path += '/';
  path.append(buffer + name, nameLength);
  return CString(path.c_str());
}

void CFileDialog::SetControlText(int id, const char* text) {
  if (m_hWnd) ::SendMessageA(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text));
}

void CFileDialog::HideControl(int id) {
  if (m_hWnd) ::SendMessageA(::GetParent(m_hWnd), CDM_HIDECONTROL, static_cast<WPARAM>(id), 0);
}

void CFileDialog::SetDefExt(const char* extension) {
  if (m_hWnd) ::SendMessageA(::GetParent(m_hWnd), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(extension));
}
