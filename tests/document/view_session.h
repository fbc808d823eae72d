// A design view driven headless as a person would: a layout document in a
// frame of its own, an application object that is the layout shell (grid
// settings, answers, a clipboard holder file in a temporary folder), and the
// document's fields described as rows to compare with expected tables.
#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "document/view/design_view.h"
#include "document/view/design_view_ids.h"
#include "fields/model/field_kinds.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"
#include "tests/document/recording_layout_shell.h"

namespace viewtest {

// The application object of the tests: a recording layout shell with a grid
// setting and a clipboard holder file of its own.
class ShellApp : public CWinApp, public RecordingLayoutShell {
 public:
  ShellApp() : CWinApp("Design View Test") {
    static int made = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("tav-view-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
    std::filesystem::create_directories(folder_);
  }
  ~ShellApp() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  bool GridShown() override { return gridShown; }
  bool IsReaderMode() override { return readerMode; }
  bool ClipboardUsesBitmap() override { return clipboardBitmap; }
  double GridSpacing() override { return gridSpacing; }
  AString ClipboardHolderPath() override { return AString((folder_ / "zclpbrdhldr.clp").string().c_str()); }
  AString WorkFolder() override { return AString(folder_.string().c_str()); }

  bool gridShown = false;
  double gridSpacing = 100;
  bool readerMode = false;
  bool clipboardBitmap = true;

 private:
  std::filesystem::path folder_;
};

// One field as the tests compare it.
struct Row {
  int kind;
  int x, y, w, h;
  int rotation;
  bool selected;
  bool operator==(const Row&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Row& r) {
  return os << "{kind " << r.kind << ", (" << r.x << ", " << r.y << "), " << r.w << " x " << r.h << ", rot "
            << r.rotation << (r.selected ? ", selected}" : "}");
}

// A layout of w x h mils in a frame whose view has the given client size;
// the zoom is set after the first paint, so the fit does not decide it
// (zoom 0 keeps what the first paint's fit gave).
class Session {
 public:
  Session(int labelWidth, int labelHeight, int zoom = 150, SIZE client = {800, 500}) {
    doc = new CRvoDoc;
    doc->m_bAutoDelete = FALSE;  // the session deletes it after the window
    doc->labelSetup.labelWidth = labelWidth;
    doc->labelSetup.labelHeight = labelHeight;
    frame = new CFrameWnd;
    // The frame's client area is the view's: its first showing lays the view
    // out to fill it.
    RECT outer{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    frame->Create(nullptr, "Layout", WS_OVERLAPPEDWINDOW, CRect(0, 0, outer.right - outer.left, outer.bottom - outer.top));
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    view = new CDesignVu;
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, client.cx, client.cy), frame,
                 AFX_IDW_PANE_FIRST, &context);
    frame->SetActiveView(view);
    frame->ShowWindow(SW_SHOW);
    view->SendMessage(WM_INITIALUPDATE);
    uitest::RunUntilIdle();
    if (zoom > 0) {
      view->SetZoom(zoom, zoom);
      view->UpdateScrollSizes();
    }
    ::SetFocus(view->m_hWnd);
    Repaint();
  }
  ~Session() {
    if (frame->m_hWnd) frame->DestroyWindow();
    uitest::RunUntilIdle();
    delete doc;
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  HWND hwnd() const { return view->m_hWnd; }
  void Repaint() {
    ::InvalidateRect(view->m_hWnd, nullptr, FALSE);
    uitest::RunUntilIdle();
  }
  void Command(UINT id) {
    view->SendMessage(WM_COMMAND, id, 0);
    uitest::RunUntilIdle();
  }

  // Adds a field of a kind at (x, y) mils, w x h, turned by rotation.
  template <class F>
  F* Add(int x, int y, int w, int h, int rotation = 0) {
    auto f = std::make_unique<F>();
    f->offset = {x, y};
    f->width = w;
    f->height = h;
    f->SetRotation(rotation);
    F* raw = f.get();
    doc->fieldList.push_back(std::move(f));
    return raw;
  }

  // Client pixels of a layout point at the current zoom and scroll.
  POINT Px(int x, int y) const {
    POINT p{x, y};
    view->LayoutToPixel(p, false);
    return p;
  }

  // A client point where a press hits the field's body (a box is hit on its
  // border only): the first such point along the row at 60 % of its height.
  POINT Body(const CField* f) const {
    const POINT o = view->GetScrollOrigin();
    const POINT left = Px(f->offset.x, f->offset.y + f->height * 3 / 5);
    const POINT right = Px(f->offset.x + f->width, f->offset.y + f->height * 3 / 5);
    for (int x = left.x - 2; x <= right.x + 2; ++x) {
      CField* hit = nullptr;
      if (view->HitTestFields(x + o.x, left.y + o.y, &hit) == 1 && hit == f) return {x, left.y};
    }
    ADD_FAILURE() << "no point of the field's body";
    return left;
  }

  std::vector<Row> Rows() const {
    std::vector<Row> rows;
    for (const auto& f : doc->fieldList)
      rows.push_back({f->kind, f->offset.x, f->offset.y, f->width, f->height, f->rotation,
                      view->Selection().Contains(f.get())});
    return rows;
  }

  CRvoDoc* doc = nullptr;
  CFrameWnd* frame = nullptr;
  CDesignVu* view = nullptr;
};

}  // namespace viewtest
