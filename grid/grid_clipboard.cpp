// Copy, cut and paste of cell texts as plain text: rows at CR LF, cells at
// tabs. Paste splits at tabs only, so a copy pasted back gives the same
// cells.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_ctrl.h"

std::string CGridCtrl::CopyTextFromGrid() {
  const CGridCellRange range = GetSelectedCellRange();
  if (!IsValid(range)) return {};
  if (m_bVirtualMode) SendCacheHintToParent(range);
  std::string text;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    if (GetRowHeight(row) <= 0) continue;
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      if (GetColumnWidth(col) <= 0) continue;
      if (IsCellSelected(row, col)) {
        const AString cell = GetItemText(row, col);
        if (!cell.IsEmpty()) text.append(cell.GetData(), static_cast<size_t>(cell.GetLength()));
      }
      if (col != range.maxCol) text += '\t';
    }
    if (row != range.maxRow) text += "\r\n";
  }
  if (m_bVirtualMode) SendCacheHintToParent({});
  return text;
}

void CGridCtrl::CutSelectedText() {
  if (!m_bEditable) return;
  const GridSelectionRanges selected = m_Selection;
  selected.ForEachCell([this](int row, int col) { ReplaceCellText(row, col, AString()); });
}

bool CGridCtrl::PasteTextToGrid(CGridCellId start, std::string_view text, bool selectPasted) {
  if (!IsValid(start) || !IsCellEditable(start)) return false;
  std::vector<std::string_view> lines;
  for (size_t from = 0; from <= text.size();) {
    size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    from = end + 1;
  }
  // A copy ends without a line break, a file usually with one: one empty
  // last line is not a row of its own.
  if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  CGridCellRange pasted(start.row, start.col, -1, -1);
  int lineCount = 0;
  for (std::string_view line : lines) {
    int row = start.row + lineCount;
    while (row < m_nRows && GetRowHeight(row) == 0) row = start.row + ++lineCount;
    int colCount = 0;
    for (size_t from = 0; from <= line.size();) {
      size_t end = line.find('\t', from);
      if (end == std::string_view::npos) end = line.size();
      int col = start.col + colCount;
      while (col < m_nCols && GetColumnWidth(col) == 0) col = start.col + ++colCount;
      if (IsValid(row, col)) {
        ReplaceCellText(row, col, AString(static_cast<int>(end - from), line.data() + from));
        SetItemState(row, col, GetItemState(row, col) & ~GVIS_SELECTED);
        pasted.maxRow = std::max(pasted.maxRow, row);
        pasted.maxCol = std::max(pasted.maxCol, col);
      }
      ++colCount;
      from = end + 1;
    }
    ++lineCount;
  }
  m_LastPasted = pasted;
  if (selectPasted)
    SetSelectedRange(pasted, true, true);
  else {
    ResetSelectedRange();
    Refresh();
  }
  return true;
}

std::unique_ptr<COleDataSource> CGridCtrl::CopyDataSourceFromGrid() {
  if (!IsValid(GetSelectedCellRange())) return nullptr;
  const std::string text = CopyTextFromGrid();
  // The text and one NUL, in a block of exactly that size.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, text.size() + 1);
  char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (!bytes) {
    if (block) GlobalFree(block);
    return nullptr;
  }
  std::memcpy(bytes, text.data(), text.size());
  GlobalUnlock(block);
  auto source = std::make_unique<COleDataSource>();
  source->CacheGlobalData(CF_TEXT, block);
  return source;
}

bool CGridCtrl::PasteTextToGrid(CGridCellId start, COleDataObject* data, bool selectPasted) {
  if (!data || !data->IsDataAvailable(CF_TEXT)) return false;
  HGLOBAL block = data->GetGlobalData(CF_TEXT);
  if (!block) return false;
  const char* bytes = static_cast<const char*>(GlobalLock(block));
  bool pasted = false;
  if (bytes) {
    // The block is read up to its NUL or its size, whichever comes first.
    std::string_view text(bytes, GlobalSize(block));
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    pasted = PasteTextToGrid(start, text, selectPasted);
    GlobalUnlock(block);
  }
  GlobalFree(block);
  return pasted;
}

void CGridCtrl::OnEditCopy() {
  if (const auto source = CopyDataSourceFromGrid()) source->SetClipboard();
}

void CGridCtrl::OnEditCut() {
  if (!m_bEditable) return;
  if (const auto source = CopyDataSourceFromGrid(); source && source->SetClipboard()) CutSelectedText();
}

void CGridCtrl::OnEditPaste() {
  if (!m_bEditable) return;
  CGridCellId start = GetSelectedCellRange().TopLeft();
  if (!IsValid(start)) start = m_idCurrentCell;
  if (!IsValid(start)) start = GetTopleftNonFixedCell();
  if (!IsValid(start)) return;
  if (CGridCellBase* cell = GetCell(start.row, start.col); cell && cell->IsEditing() && cell->GetEditWnd()) {
    ::SendMessageA(cell->GetEditWnd(), WM_PASTE, 0, 0);
    return;
  }
  COleDataObject clipboard;
  if (clipboard.AttachClipboard()) PasteTextToGrid(start, &clipboard, true);
}

void CGridCtrl::OnEditSelectAll() {
  SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGING);
  SelectAllCells();
  SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED, 0, -1, -1);
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* ui) {
  ui->Enable(IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell) && IsClipboardFormatAvailable(CF_TEXT));
}
