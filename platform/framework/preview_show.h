// Showing a print preview whose view and bar the caller made: for previews
// that draw their pages themselves, from a run prepared outside the view's
// printing steps.
#pragma once

#include "platform/framework/print_preview.h"

// Shows `preview` (not yet created; deleted with its window) with `bar`
// (already created on the frame, or null for the standard bar) in place of
// `view`'s pane, for a run prepared in `info` (owned by the preview from
// here on, its printer device context too). FALSE when the preview window
// cannot be made (the bar and the run are then gone).
BOOL ShowPrintPreview(CView* view, CFrameWnd* frame, CPrintInfo* info, CPreviewView* preview, CPreviewBar* bar);
