#include "app/open_dialog/mru_file_dlg.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/open_dialog/file_preview.h"
#include "app/open_dialog/open_dialog_ids.h"
#include "app/open_dialog/recent_folders.h"
#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "document/core/rvo_doc.h"
#include "document/file/layout_file.h"
#include "document/file/version_store.h"
#include "document/layout_shell.h"
#include "platform/comdlg/comdlg_ids.h"

namespace {

CMRUFileDlg* g_active = nullptr;
constexpr size_t kMultipleBuffer = 5000;

RecentFolderProfile ProfileOf(const AString& section) {
  const std::string name = section.GetData();
  return {[name](const std::string& key) {
            return std::string(LayoutShell()->GetProfileString(name.c_str(), key.c_str(), "").GetData());
          },
          [name](const std::string& key, const std::string& value) {
            LayoutShell()->WriteProfileString(name.c_str(), key.c_str(), value.c_str());
          }};
}

std::string CurrentFolder() {
  char folder[4096] = {};
  return ::getcwd(folder, sizeof folder) ? WithTrailingSeparator(folder) : std::string();
}

std::string FolderOfPath(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::u16string Utf16(const std::string& utf8) {
  std::u16string out(utf8.size() + 1, u'\0');
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, reinterpret_cast<LPWSTR>(out.data()),
                                      static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
  return out;
}

}  // namespace

CMRUFileDlg* ActiveFileDialog() { return g_active; }

BEGIN_MESSAGE_MAP(CMRUFileDlg, CFileDialog)
  ON_CBN_SELCHANGE(IDC_USED_FOLDERS, OnFolderChosen)
END_MESSAGE_MAP()

CMRUFileDlg::CMRUFileDlg(int open, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent, int typeComboWanted, UINT templateId)
    : CFileDialog(open > 0, defaultExtension, fileName, flags | OFN_EXPLORER, filter, parent),
      m_openMode(open > 0 ? 1 : 0),
      m_typeComboWanted(typeComboWanted) {
  m_ofn.Flags |= OFN_ENABLETEMPLATE;
  m_ofn.hInstance = AfxGetResourceHandle();
  const UINT id = templateId ? templateId : (m_openMode ? IDD_MRU_OPEN : IDD_MRU_SAVE);
  m_ofn.lpTemplateName = MAKEINTRESOURCEA(static_cast<WORD>(id));
  // One extension per filter entry: the pattern from its first '.', cut
  // before a ';'.
  std::string text = filter ? filter : "";
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '|') {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty()) break;
    m_typeNames.push_back(parts[i]);
    const std::string& pattern = parts[i + 1];
    const size_t dot = pattern.find('.');
    std::string ext = dot == std::string::npos ? std::string() : pattern.substr(dot);
    if (const size_t semi = ext.find(';'); semi != std::string::npos) ext.resize(semi);
    m_extensions.push_back(ext);
  }
}

CMRUFileDlg::~CMRUFileDlg() = default;

INT_PTR CMRUFileDlg::DoModal() {
  g_active = this;
  if (!m_ofn.lpstrTitle) {
    m_title = TranslateUiString(m_openMode ? "Open" : "Save As");
    m_ofn.lpstrTitle = m_title.GetData();
  }
  if (m_ofn.Flags & OFN_ALLOWMULTISELECT) {
    m_multiple = 1;
    m_files.assign(kMultipleBuffer, '\0');
    m_ofn.lpstrFile = m_files.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_files.size());
  }
  // A single file to save is asked about once, by OnFileNameOK: the system
  // dialog's own overwrite question would come a second time.
  if (!m_openMode && !m_multiple) m_ofn.Flags &= ~static_cast<DWORD>(OFN_OVERWRITEPROMPT);
  m_firstRecentFolder = ProfileOf(m_section).read("Folder1").c_str();
  if (!m_firstRecentFolder.IsEmpty()) m_ofn.lpstrInitialDir = m_firstRecentFolder.GetData();
  const INT_PTR result = CFileDialog::DoModal();
  g_active = nullptr;
  return result;
}

std::vector<std::string> CMRUFileDlg::ShownFolders() const {
  std::vector<std::string> folders;
  if (!m_folderCombo.m_hWnd) return folders;
  for (int i = 0; i < m_folderCombo.GetCount(); ++i) {
    AString text;
    m_folderCombo.GetItemText(i, text);
    folders.emplace_back(text.GetData());
  }
  return folders;
}

void CMRUFileDlg::OnInitDone() {
  m_folderCombo.SubclassDlgItem(IDC_USED_FOLDERS, this);
  m_skinnedLabels.clear();
  for (const int id : {IDC_USED_FOLDERS_LABEL, IDC_SECOND_LABEL, IDC_PREVIEW_LABEL}) {
    CWnd* label = GetDlgItem(id);
    if (!label) continue;
    auto skinned = std::make_unique<CSkinCtrl>();
    skinned->SetNotifyWindow(this);
    if (skinned->SubclassControl(label->m_hWnd)) m_skinnedLabels.push_back(std::move(skinned));
  }
  if (m_openMode && m_previewKind >= 0 && GetDlgItem(IDC_PREVIEW_PICTURE))
    m_preview.SubclassDlgItem(IDC_PREVIEW_PICTURE, this);
  const std::vector<std::string> folders = ReadRecentFolders(ProfileOf(m_section));
  int selection = 0;
  if (folders.empty()) {
    m_folderCombo.AddListString(AString(m_startFolder.IsEmpty() ? CurrentFolder().c_str() : m_startFolder.GetData()));
  } else {
    for (const std::string& f : folders) m_folderCombo.AddListString(AString(f.c_str()));
    selection = InitialRecentFolder(folders, CurrentFolder());
  }
  m_folderCombo.SetCurSel(selection);
  m_laying = 0;
  OnFolderChosen();
}

void CMRUFileDlg::GoToFolder(const std::string& folder) {
  // The system dialog goes to a folder typed as the name and confirmed.
  CWnd* system = GetParent();
  if (!system || folder.empty()) return;
  system->SetDlgItemText(edt1, folder.c_str());
  system->SendMessage(WM_COMMAND, IDOK, 0);
  system->SetDlgItemText(edt1, "");
}

void CMRUFileDlg::OnFolderChosen() {
  const int selected = m_folderCombo.GetCurSel();
  if (selected < 0) return;
  AString folder;
  m_folderCombo.GetItemText(selected, folder);
  GoToFolder(folder.GetData());
}

void CMRUFileDlg::AddRecentFolder(const char* folder) {
  std::vector<std::string> shown = ShownFolders();
  ::AddRecentFolder(ProfileOf(m_section), shown, folder ? folder : "");
  if (m_folderCombo.m_hWnd) m_folderCombo.SetCurSel(0);
}

void CMRUFileDlg::OnTypeChange() {
  if (m_openMode) return;
  const int index = m_ofn.nFilterIndex > 0 ? static_cast<int>(m_ofn.nFilterIndex) - 1 : 0;
  CWnd* system = GetParent();
  if (!system || index >= static_cast<int>(m_extensions.size())) return;
  const std::string& ext = m_extensions[static_cast<size_t>(index)];
  CString name;
  system->GetDlgItemText(edt1, name);
  std::string title = name.GetString();
  if (ext == ".*" || title.empty() || title.back() == '/' || title.back() == '\\' || title.back() == ':') return;
  if (const size_t dot = title.rfind('.'); dot != std::string::npos && title.find('/', dot) == std::string::npos)
    title.resize(dot);
  system->SetDlgItemText(edt1, (title + ext).c_str());
}

BOOL CMRUFileDlg::OnFileNameOK() {
  const std::string path = GetPathName().GetString();
  if (!m_openMode && !m_multiple) {
    std::error_code ec;
    // Only a question: the caller's save replaces the file whole.
    if (std::filesystem::exists(path, ec) &&
        ShowMsgBoxDlg(this, AString("File already exists. Overwrite it?"), kMsgBoxYesNo, 0, IDYES) != IDYES)
      return TRUE;
    m_chosenFile = path.c_str();
  }
  m_selectedType = static_cast<int>(m_ofn.nFilterIndex);
  AddRecentFolder(FolderOfPath(path).c_str());
  return FALSE;
}

void CMRUFileDlg::OnFileNameChange() {
  if (!m_openMode || m_previewKind < 0) return;
  ShowPreview(GetPathName().GetString());
}

void CMRUFileDlg::SetPreviewText(const std::u16string& text) {
  if (CWnd* box = GetDlgItem(IDC_PREVIEW_TEXT)) ::SetWindowTextW(box->m_hWnd, reinterpret_cast<LPCWSTR>(text.c_str()));
}

void CMRUFileDlg::ClearPreview() {
  if (m_preview.m_hWnd) m_preview.SetImageFile(nullptr, 0, 0, 0, 0, 0, 0, 0);
  SetPreviewText(u"");
  if (CWnd* name = GetDlgItem(IDC_PREVIEW_NAME)) name->SetWindowText("");
}

void CMRUFileDlg::ShowPreview(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
    ClearPreview();
    return;
  }
  if (m_previewKind == 0) {
    // The stored picture goes to the work folder, not beside the user's file,
    // and is gone once shown.
    AString picture = LayoutShell()->WorkFolder();
    char name[64];
    std::snprintf(name, sizeof name, "preview-%d.bmp", static_cast<int>(::getpid()));
    picture += name;
    const bool extracted = ExtractVersionPreview(path.c_str(), nullptr, picture.GetData()) == 1;
    if (m_preview.m_hWnd) m_preview.SetImageFile(extracted ? picture.GetData() : nullptr, 0, 0, 0, 0, 0, 0, 0);
    std::filesystem::remove(picture.GetData(), ec);
    auto doc = std::make_unique<CRvoDoc>();
    CLabelSetup setup;
    CFieldList fields;
    if (!LoadLayoutFile(path.c_str(), doc.get(), setup, fields, nullptr)) {
      ClearPreview();
      return;
    }
    if (CWnd* label = GetDlgItem(IDC_PREVIEW_NAME))
      label->SetWindowText(std::filesystem::path(path).stem().string().c_str());
    const AString& description = setup.description;
    std::u16string text;
    if (description.IsWide()) {
      text.assign(reinterpret_cast<const char16_t*>(description.GetData()),
                  static_cast<size_t>(description.GetLength()) / 2);
    } else {
      text = Utf16(description.GetData());
    }
    if (text.empty()) text = UiTextToWide(TranslateUiString("No description"));
    SetPreviewText(text);
    return;
  }
  if (m_previewKind == 1) {
    const std::optional<std::string> text = ImagePreviewText(path);
    if (!text) {
      ClearPreview();
      return;
    }
    if (m_preview.m_hWnd) m_preview.SetImageFile(path.c_str(), 0, 0, 0, 0, 0, 0, 0);
    SetPreviewText(Utf16(*text));
    return;
  }
  const std::optional<std::u16string> text = TextPreview(path);
  if (!text) {
    ClearPreview();
    return;
  }
  SetPreviewText(*text);
}
