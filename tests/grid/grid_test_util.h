// Helpers of the grid tests: an owner window that logs every notice and
// private message the grid sends, and a grid laid on it.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "grid/grid_ctrl.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace gridtest {

struct Notice {
  int code;
  int row;
  int col;
  int a;
  int b;
  int c;
  bool operator==(const Notice&) const = default;
};

// A notice as a failure message shows it: {code, row, col, a, b, c}.
inline void PrintTo(const Notice& n, std::ostream* out) {
  *out << "{" << n.code << ", " << n.row << ", " << n.col << ", " << n.a << ", " << n.b << ", " << n.c << "}";
}

struct Private {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Private&) const = default;
};

inline std::string Text(const AString& s) { return s.IsEmpty() ? std::string() : std::string(s.GetData(), s.GetLength()); }

// The grid's owner: records notices (not the cache hints, not display
// requests) and the messages 2015 to 2017; an answer function may refuse.
class COwner : public CWnd {
 public:
  explicit COwner(int width = 420, int height = 320) {
    CreateEx(0, nullptr, "grid owner", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
  }
  ~COwner() override {
    if (m_hWnd) DestroyWindow();
  }
  std::vector<Notice> notices;
  std::vector<Private> privates;
  std::function<LRESULT(const Notice&)> answer;
  std::function<void(GridDispInfo*)> display;
  std::vector<CGridCellRange> hints;
  std::vector<Notice> Codes(int code) const {
    std::vector<Notice> out;
    for (const Notice& n : notices)
      if (n.code == code) out.push_back(n);
    return out;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      const int code = static_cast<int>(hdr->code);
      if (code == GVN_GETDISPINFO) {
        if (display) display(reinterpret_cast<GridDispInfo*>(lParam));
        return 0;
      }
      if (code == GVN_ODCACHEHINT) {
        hints.push_back(reinterpret_cast<const GridCacheHint*>(lParam)->range);
        return 0;
      }
      const auto* n = reinterpret_cast<const GridNotify*>(lParam);
      const Notice notice{code, n->row, n->col, n->a, n->b, n->c};
      notices.push_back(notice);
      return answer ? answer(notice) : 0;
    }
    if (message >= kGridMsgRowAction && message <= kGridMsgClickOutside) privates.push_back({message, wParam, lParam});
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A grid of `rows` x `cols` with the fixed rows and columns given, on its
// owner, every cell's text "r<row>c<col>".
struct Fixture {
  COwner owner;
  CGridCtrl grid;
  Fixture(int rows, int cols, int fixedRows, int fixedCols, RECT rect = {10, 10, 410, 310}) {
    grid.Create(rect, &owner, 100);
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    grid.SetFixedRowCount(fixedRows);
    grid.SetFixedColumnCount(fixedCols);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) grid.SetItemTextFmt(r, c, "r%dc%d", r, c);
    uitest::RunUntilIdle();
    owner.notices.clear();
    owner.privates.clear();
  }
  std::string Cell(int r, int c) const { return Text(grid.GetItemText(r, c)); }
  // Gives the grid the keyboard focus with `cell` as its focus cell, and
  // forgets the notices that cost.
  void Focus(CGridCellId cell) {
    ::SetFocus(grid.m_hWnd);
    grid.SetFocusCell(cell);
    uitest::RunUntilIdle();
    owner.notices.clear();
  }
};

inline std::string PicturePath(const std::string& name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/grid";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder + "/" + name;
}

}  // namespace gridtest
