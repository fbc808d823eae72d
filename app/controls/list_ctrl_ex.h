// The report list of the designer's table dialogs: columns laid out by
// fractions of the client width, rows added and read as up to eight column
// texts with one value, in-place renaming of the first column that keeps
// names unique, the Delete key removing the selected row, and a selection
// change reported to the parent as a command.
#pragma once

#include <initializer_list>
#include <span>

#include "foundation/string/astring.h"
#include "platform/framework.h"
#include "platform/framework/image_list.h"
#include "platform/framework/list_ctrl.h"

class CListCtrlEx : public CListCtrl {
 public:
  static constexpr int kMaxColumns = 8;
  static constexpr int kTextLimit = 511;

  // Accepts (non-zero) or refuses an edited first-column text; may change it.
  using RenameCheck = int (*)(CListCtrlEx* list, AString& text);

  int m_deleteKeyEnabled = 0;
  CImageList m_smallImages;
  RenameCheck m_renameCheck = &CListCtrlEx::MakeUniqueName;

  struct Column {
    const char* name;
    double fraction;  // of the client width; 0 takes what the earlier ones left
  };

  void SetReportStyle();
  void SetCheckReportStyle();
  BOOL SetSmallImages(UINT bitmapId, int imageWidth);
  int SetColumns(std::initializer_list<Column> columns);
  int GetColumnCount() const;
  int AddRow(std::initializer_list<const char*> texts, bool imageFlag, LPARAM value);
  // The row's texts into the outputs (null ones skipped), at most eight and
  // at most the columns, and its value; the number of columns read, 0 for a
  // row outside the list.
  int GetRow(int index, std::span<AString* const> texts, LPARAM* value) const;
  // The same into caller buffers of 512 bytes, up to the first null buffer.
  int GetRow(int index, std::span<char* const> buffers, LPARAM* value) const;
  int FindRow(int start, const char* name, LPARAM* value) const;
  int GetSelectedIndex() const;
  int SelectItem(int index);
  void DeleteSelected();
  static int MakeUniqueName(CListCtrlEx* list, AString& text);

  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnEndLabelEdit(NMHDR* header, LRESULT* result);
  BOOL OnItemChanged(NMHDR* header, LRESULT* result);
  void OnLButtonDown(UINT flags, CPoint point);

 private:
  AString TextOf(int row, int column) const;
  DECLARE_MESSAGE_MAP()
};
