// The framework: a command routed from the main frame through the active
// document frame, view, document and template to the application; and a
// document frame with a splitter of four views made and closed.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/framework.h"

namespace {

constexpr UINT kAppCommand = 0x8201;
constexpr UINT kDocStrings = 0;

class CBenchDoc : public CDocument {
  DECLARE_DYNCREATE(CBenchDoc)
};
IMPLEMENT_DYNCREATE(CBenchDoc, CDocument)

class CBenchView : public CView {
  DECLARE_DYNCREATE(CBenchView)

 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CBenchView, CView)

class CBenchChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CBenchChild)

 public:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    if (!m_splitter.CreateStatic(this, 2, 2)) return FALSE;
    for (int row = 0; row < 2; ++row)
      for (int col = 0; col < 2; ++col)
        if (!m_splitter.CreateView(row, col, RUNTIME_CLASS(CBenchView), CSize(100, 80), context)) return FALSE;
    return TRUE;
  }
  CSplitterWnd m_splitter;
};
IMPLEMENT_DYNCREATE(CBenchChild, CMDIChildWnd)

class CBenchMain : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CBenchMain)
};
IMPLEMENT_DYNCREATE(CBenchMain, CMDIFrameWnd)

class CBenchApp : public CWinApp {
 public:
  CBenchApp() : CWinApp("Framework Benchmark") {}
  BOOL InitInstance() override {
    tmpl = new CMultiDocTemplate(kDocStrings, RUNTIME_CLASS(CBenchDoc), RUNTIME_CLASS(CBenchChild),
                                 RUNTIME_CLASS(CBenchView));
    tmpl->SetDocStrings("\nBench\nBench");
    AddDocTemplate(tmpl);
    auto* frame = new CBenchMain;
    if (!frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW)) return FALSE;
    m_pMainWnd = frame;
    frame->MoveWindow(0, 0, 800, 600);
    frame->ShowWindow(SW_SHOW);
    return TRUE;
  }
  void OnBench() { ++count; }
  CMultiDocTemplate* tmpl = nullptr;
  long count = 0;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBenchApp, CWinApp)
  ON_COMMAND(kAppCommand, OnBench)
END_MESSAGE_MAP()

void BM_RouteCommandToApplication(benchmark::State& state) {
  CBenchApp app;
  if (!app.InitInstance()) {
    state.SkipWithError("no main frame");
    return;
  }
  auto* frame = static_cast<CMDIFrameWnd*>(app.m_pMainWnd);
  app.tmpl->OpenDocumentFile(nullptr);
  // Through the active document frame, its active view, the document and its
  // template, the frame, the main frame, to the application.
  for (auto _ : state) ::SendMessageA(frame->m_hWnd, WM_COMMAND, kAppCommand, 0);
  if (app.count != static_cast<long>(state.iterations())) state.SkipWithError("commands lost");
  app.CloseAllDocuments(TRUE);
  frame->DestroyWindow();
}
BENCHMARK(BM_RouteCommandToApplication)->Iterations(1000000)->Unit(benchmark::kNanosecond);

void BM_MdiChildWithFourPaneSplitter(benchmark::State& state) {
  CBenchApp app;
  if (!app.InitInstance()) {
    state.SkipWithError("no main frame");
    return;
  }
  for (auto _ : state) {
    CDocument* doc = app.tmpl->OpenDocumentFile(nullptr);
    if (!doc || doc->GetViewCount() != 4) {
      state.SkipWithError("no document with four views");
      break;
    }
    doc->OnCloseDocument();
  }
  app.m_pMainWnd->DestroyWindow();
}
BENCHMARK(BM_MdiChildWithFourPaneSplitter)->Unit(benchmark::kMicrosecond);

}  // namespace
