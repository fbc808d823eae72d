// The running designer's File > Print on a new layout that prints to
// pictures only: a Code 128 field large enough to be read, the print dialog
// handed to the test before Print, the picture's name given when the run
// asks for it, and what zxing-cpp reads from the picture.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "barcode/request/symbology.h"
#include "designer_fixture.h"
#include "document/core/rvo_doc.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_kinds.h"
#include "picture_symbols.h"
#include "print/dialog/print_job_dlg.h"
#include "print/print_ids.h"

namespace programtest {

// A Code 128 field near the label's top left holding `data`, its size left
// to FitToMeasure once its source is set.
inline std::unique_ptr<CBarcodeField> ReadableCode128(const CLabelSetup& setup, const char* data) {
  auto f = std::make_unique<CBarcodeField>(setup.dpiX);
  SetNewBarcodeDefaults(*f, setup);
  f->name = "Barcode_1";
  f->symbology = static_cast<int16_t>(kalvo::CodeOf(kalvo::Symbology::Code128));
  f->data = data;
  f->narrowBar = static_cast<int16_t>(std::max(2, setup.dpiX / 100));
  f->barHeight = 500;
  f->showHr = 0;
  f->offset = {200, 200};
  return f;
}

inline void FitToMeasure(CBarcodeField& f, const CLabelSetup& setup) {
  const SIZE size = MeasureBarcodeField(f, CFieldList{}, setup, 0);
  f.width = size.cx;
  f.height = size.cy;
}

class PrintToPictureTest : public DesignerTest {
 protected:
  // A new layout whose print goes to pictures only.
  CRvoDoc* NewPictureLayout() {
    ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_NEW, 0);
    Pump();
    auto* doc = dynamic_cast<CRvoDoc*>(App().GetActiveLayoutDoc());
    if (doc) doc->labelSetup.lastPrinter = "";
    return doc;
  }
  // File > Print: `fill` gets the print dialog, then Print runs the job,
  // whose picture is named `picture`, and the dialog closes. Whether the
  // name was asked, and the texts of the messages shown, are kept.
  void PrintFromMenu(const std::string& picture, const std::function<void(const ShownDialog&, CPrintJobDlg&)>& fill) {
    fileAsked = false;
    messages.clear();
    act = [&](const ShownDialog& d) {
      CPrintJobDlg* print = CPrintJobDlg::Showing();
      if (!print || print->m_hWnd != d.window) {
        if (d.text.empty()) {
          // The picture file's name, asked when the run starts.
          fileAsked = true;
          ::SetDlgItemTextA(d.window, edt1, picture.c_str());
          // A message of the job's, when there is one, is the next dialog.
          this->picture = messagePicture;
        } else {
          messages.push_back(d.text);
        }
        Press(d, IDOK);
        return;
      }
      fill(d, *print);
      Press(d, IDC_PRINT_RUN);
      Pump();
      Press(d, IDCANCEL);
    };
    ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_PRINT, 0);
    Pump();
    act = nullptr;
    this->picture.clear();
  }

  bool fileAsked = false;
  std::vector<std::string> messages;
  // The name under pictures/program/ of a picture of the job's message.
  std::string messagePicture;
};

}  // namespace programtest
