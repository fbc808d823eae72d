// The designer's file dialog for opening and saving: the system dialog with
// a "Used Folders" list of the folders of the last choices below it, in open
// mode a preview of the selected file (a layout's name, description and
// picture, an image's size and colours, a text file's beginning), in save
// mode a question before an existing file is chosen, and the file name's
// extension kept in step with the chosen type.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/controls/mru_combo.h"
#include "app/controls/shape_preview.h"
#include "app/ui/skin_ctrl.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"

class CMRUFileDlg : public CFileDialog {
 public:
  // open > 0: an open dialog. The filter's '|' separators become zero bytes.
  CMRUFileDlg(int open, const char* defaultExtension, const char* fileName, DWORD flags, const char* filter,
              CWnd* parent, int typeComboWanted = 0, UINT templateId = 0);
  ~CMRUFileDlg() override;

  INT_PTR DoModal() override;
  // Records the folder of an accepted file as the newest recent folder.
  void AddRecentFolder(const char* folder);

  const std::vector<std::string>& Extensions() const { return m_extensions; }
  // The recent folders the list shows, top first.
  std::vector<std::string> ShownFolders() const;

  AString m_section = "MRUDIRLIST";
  AString m_startFolder;
  AString m_firstRecentFolder;
  AString m_chosenFile;
  // The caption in the interface language when the caller gives none.
  AString m_title;
  std::vector<std::string> m_typeNames;
  int m_laying = 1;
  int m_openMode = 1;
  int m_typeComboWanted = 0;
  int m_previewKind = 0;  // below 0 none, 0 layouts, 1 images, 2 and more text
  int m_selectedType = 0;
  int m_multiple = 0;
  CMruComboBox m_folderCombo;
  CShapePreview m_preview;
  // The labels drawn in the interface language: "Used Folders", the second
  // label when the template has one, and the preview's title.
  std::vector<std::unique_ptr<CSkinCtrl>> m_skinnedLabels;

 protected:
  void OnInitDone() override;
  void OnFileNameChange() override;
  void OnTypeChange() override;
  BOOL OnFileNameOK() override;
  void OnFolderChosen();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowPreview(const std::string& path);
  void ClearPreview();
  void GoToFolder(const std::string& folder);
  void SetPreviewText(const std::u16string& text);
  std::vector<std::string> m_extensions;
  std::vector<char> m_files;
};

// The one file dialog open at a time, or null.
CMRUFileDlg* ActiveFileDialog();
