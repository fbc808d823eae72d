// Full redraws of the design view of a 500-field layout in a 1280 x 800
// window, at 100 % (zoom 96 on a 96-dpi screen) and 400 % (zoom 384).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "document/core/rvo_doc.h"
#include "document/view/design_view.h"
#include "fields/model/field_kinds.h"
#include "platform/framework.h"

namespace {

// Boxes, lines, ellipses and texts (some turned) over an 8 x 5 inch label.
void FillLayout(CRvoDoc& doc) {
  doc.labelSetup.labelWidth = 8000;
  doc.labelSetup.labelHeight = 5000;
  for (int i = 0; i < 500; ++i) {
    std::unique_ptr<CField> f;
    switch (i % 4) {
      case 0: f = std::make_unique<CBoxField>(); break;
      case 1: f = std::make_unique<CLineField>(); break;
      case 2: f = std::make_unique<CEllipseField>(); break;
      default: {
        auto t = std::make_unique<CTextField>();
        t->data = ("Field " + std::to_string(i)).c_str();
        t->logFont.lfHeight = -12;
        f = std::move(t);
        break;
      }
    }
    f->offset = {(i * 379) % 7400, (i * 211) % 4600};
    f->width = 300 + (i * 37) % 400;
    f->height = i % 4 == 1 ? 12 : 150 + (i * 53) % 250;
    if (i % 10 == 3) f->SetRotation(90000);
    doc.fieldList.push_back(std::move(f));
  }
}

void BM_DesignViewRedraw(benchmark::State& state) {
  const int zoom = static_cast<int>(state.range(0));
  auto* doc = new CRvoDoc;
  doc->m_bAutoDelete = FALSE;
  FillLayout(*doc);
  auto* frame = new CFrameWnd;
  frame->Create(nullptr, "Layout", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1320, 880));
  CCreateContext context;
  context.m_pCurrentDoc = doc;
  auto* view = new CDesignVu;
  view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1280, 800), frame, AFX_IDW_PANE_FIRST, &context);
  frame->ShowWindow(SW_SHOW);
  view->SendMessage(WM_INITIALUPDATE);
  view->SetZoom(zoom, zoom);
  view->UpdateScrollSizes();
  for (auto _ : state) {
    ::InvalidateRect(view->m_hWnd, nullptr, FALSE);
    ::UpdateWindow(view->m_hWnd);
  }
  frame->DestroyWindow();
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  delete doc;
}
BENCHMARK(BM_DesignViewRedraw)->Arg(96)->Arg(384)->Unit(benchmark::kMillisecond);

}  // namespace
