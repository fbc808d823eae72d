#include "app/frame/layout_windows.h"

#include <cstring>

#include "app/frame/main_frame.h"
#include "document/core/rvo_doc.h"
#include "document/view/design_view.h"

namespace {

const CLayoutWindows*& Installed() {
  static const CLayoutWindows* windows = nullptr;
  return windows;
}

// The outside-change bookkeeping a layout document keeps.
class DocumentWatch : public CLayoutFileWatch {
 public:
  DocumentWatch(CMDIChildWnd* child, CRvoDoc* doc) : child_(child), doc_(doc) {}
  std::string Path() const override { return doc_->GetPathName().GetString(); }
  LayoutFileStatus KeptStatus() const override { return doc_->fileStatus; }
  void SetKeptStatus(const LayoutFileStatus& status) override { doc_->fileStatus = status; }
  std::optional<LayoutFileStatus> DeclinedStatus() const override {
    if (!doc_->outsideChangeNoted) return std::nullopt;
    return doc_->outsideChangeStatus;
  }
  void SetDeclinedStatus(const LayoutFileStatus& status) override {
    doc_->outsideChangeStatus = status;
    doc_->outsideChangeNoted = 1;
  }
  bool IsModified() const override { return doc_->IsModified() != FALSE; }
  void SetLocked(bool locked) override { doc_->locked = locked ? 1 : 0; }
  void Reload(const LayoutFileStatus& now) override {
    if (CMainFrame* frame = CMainFrame::Get()) frame->ReloadLayout(child_, now);
  }

 private:
  CMDIChildWnd* child_;
  CRvoDoc* doc_;
};

}  // namespace

bool IsKindOfName(const CObject* object, const char* className) {
  if (!object) return false;
  for (const CRuntimeClass* c = object->GetRuntimeClass(); c; c = c->m_pBaseClass)
    if (std::strcmp(c->m_lpszClassName, className) == 0) return true;
  return false;
}

bool CLayoutWindows::IsLayoutChild(CWnd* child) const { return IsKindOfName(child, "CDocFrmWnd"); }

std::unique_ptr<CLayoutFileWatch> CLayoutWindows::Watch(CMDIChildWnd* child) const {
  auto* doc = dynamic_cast<CRvoDoc*>(child ? child->GetActiveDocument() : nullptr);
  if (!doc) return nullptr;
  return std::make_unique<DocumentWatch>(child, doc);
}

POINT CLayoutWindows::ScrollOrigin(CView* view) const {
  if (auto* design = dynamic_cast<CDesignVu*>(view)) return design->GetScrollOrigin();
  if (auto* scroll = dynamic_cast<CScrollView*>(view)) return scroll->GetScrollPosition();
  return POINT{0, 0};
}

SIZE CLayoutWindows::LabelSizePixels(CView* view) const {
  if (auto* design = dynamic_cast<CDesignVu*>(view)) return design->GetLabelSizePixels();
  if (auto* scroll = dynamic_cast<CScrollView*>(view)) return scroll->GetTotalSize();
  return SIZE{0, 0};
}

void CLayoutWindows::ScrollTo(CView* view, POINT position) const {
  if (auto* design = dynamic_cast<CDesignVu*>(view)) {
    const POINT now = design->GetScrollOrigin();
    design->OnScrollBy(CSize(position.x - now.x, position.y - now.y), TRUE);
  } else if (auto* scroll = dynamic_cast<CScrollView*>(view)) {
    scroll->ScrollToPosition(position);
  }
}

void CLayoutWindows::RefreshFromSettings(CView* view) const {
  if (auto* design = dynamic_cast<CDesignVu*>(view)) design->RefreshFromSettings();
}

void CLayoutWindows::SetLocked(CDocument* document, bool locked) const {
  if (auto* doc = dynamic_cast<CRvoDoc*>(document)) doc->locked = locked ? 1 : 0;
}

void SetLayoutWindows(const CLayoutWindows* windows) { Installed() = windows; }

const CLayoutWindows& LayoutWindows() {
  static const CLayoutWindows plain;
  return Installed() ? *Installed() : plain;
}
