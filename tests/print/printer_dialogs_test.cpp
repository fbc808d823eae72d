// The printer dialogs as a person uses them, against the tests' own print
// server: the printer list shows exactly the queues `lpstat -v` reports,
// with their models; choosing one sets the layout's printer, port, model and
// resolution together; a typed resolution of 0 or nonsense is refused; the
// printer's preferences offer exactly the media, resolutions and sources
// `lpoptions -l` lists for the queue, and the choice reaches the printer's
// device context. A printer's metrics are asked of the server once.
#include <algorithm>
#include <filesystem>
#include <cstdlib>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../app/dialog_script.h"
#include "app/ui/ui_language.h"
#include "cups_server.h"
#include "printed_output.h"
#include "document/layout_shell.h"
#include "fields/services/label_setup.h"
#include "fields/services/ui_messages.h"
#include "foundation/system/printer_metrics.h"
#include "platform/gdi/gdi.h"
#include "platform/spool/cups_queues.h"
#include "platform/testing/ui.h"
#include "print/print_ids.h"
#include "print/printer/choose_printer_dlg.h"
#include "print/printer/printer_dpi_dlg.h"
#include "print/printer/printer_preferences_dlg.h"
#include "print_pictures.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/document/view_session.h"

namespace fs = std::filesystem;
using apptest::DialogScript;
using apptest::LanguageScope;
using apptest::Press;
using print_test::PicturePath;

namespace {

struct Row {
  std::string name, port, model;
  bool operator<(const Row& o) const { return std::tie(name, port, model) < std::tie(o.name, o.port, o.model); }
  bool operator==(const Row& o) const = default;
};

// The queues as the server's own commands report them: "device for NAME:
// URI" lines of lpstat -v, and each queue's make and model from lpoptions.
std::set<Row> ServerQueues() {
  std::set<Row> out;
  std::istringstream in(cups_test::Run("lpstat -v"));
  static const std::regex kLine(R"(device for ([^:]+): (.*))"), kModel(R"(printer-make-and-model='([^']*)')");
  std::string line;
  for (std::smatch m; std::getline(in, line);) {
    if (!std::regex_match(line, m, kLine)) continue;
    Row row{m[1], m[2], ""};
    const std::string options = cups_test::Run("lpoptions -p " + row.name);
    if (std::smatch model; std::regex_search(options, model, kModel)) row.model = model[1];
    out.insert(row);
  }
  return out;
}

// The choices of one option of `lpoptions -p QUEUE -l` ("Resolution/Output
// Resolution: 203dpi *300dpi"), the default's star removed; custom sizes
// ("Custom.WIDTHxHEIGHT") are no choice of their own.
std::vector<std::string> LpoptionsChoices(const std::string& queue, const std::string& option) {
  std::istringstream in(cups_test::Run("CUPS_SERVER=" + cups_test::LoopbackServer() + " lpoptions -p " + queue + " -l"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(option + "/", 0) != 0 && line.rfind(option + ":", 0) != 0) continue;
    std::istringstream words(line.substr(line.find(':') + 1));
    std::vector<std::string> out;
    for (std::string w; words >> w;) {
      if (w[0] == '*') w.erase(0, 1);
      if (w.rfind("Custom.", 0) != 0) out.push_back(w);
    }
    return out;
  }
  return {};
}

std::vector<std::string> ListRows(HWND list, int columns) {
  std::vector<std::string> out;
  const int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int r = 0; r < count; ++r) {
    std::string row;
    for (int c = 0; c < columns; ++c) {
      char text[256] = {};
      LVITEMA item{};
      item.iSubItem = c;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
      row += (c ? "|" : "") + std::string(text);
    }
    out.push_back(row);
  }
  return out;
}

int SelectedRow(HWND list) {
  return static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND list, int row) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row >= 0 ? row : -1), reinterpret_cast<LPARAM>(&item));
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
  std::vector<std::string> out;
  const int count = static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    ::SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    out.emplace_back(text);
  }
  return out;
}

std::string Text(HWND dialog, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != 0; }
bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != 0; }
bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The numbered messages shown while it lives.
class NumberedMessages {
 public:
  NumberedMessages() : old_(SetUiMessageHook(&Hook)) { shown().clear(); }
  ~NumberedMessages() { SetUiMessageHook(old_); }
  static std::vector<UiMessage>& shown() {
    static std::vector<UiMessage> messages;
    return messages;
  }

 private:
  static int Hook(HWND, const UiMessage& message) {
    shown().push_back(message);
    return IDOK;
  }
  UiMessageHook old_;
};

class PrinterDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_FALSE(cups_test::ServerFolder().empty()) << "no print server"; }
  void SetUp() override {
    app_.shownMessages.clear();
    app_.SetProfileName((cups_test::ServerFolder() + "/printer_dialogs.ini").c_str());
  }
  std::vector<std::string>& Shown() { return app_.shownMessages; }
  // The application whose profile the dialogs write, and which records
  // the layout code's messages.
  viewtest::ShellApp app_;
};

// The port a row shows, as lpstat shows it (a file device as its path).
std::string AsLpstatShows(std::string port) { return port.rfind("file:", 0) == 0 ? port.substr(5) : port; }

// The list holds one row per queue of the server, name, device and model
// as lpstat and lpoptions give them; a preset name is found without regard
// to case; OK takes the row's name, port and model together and keeps the
// name and model in the profile.
TEST_F(PrinterDialogs, ThePrinterListIsTheServersQueues) {
  const std::set<Row> expected = ServerQueues();
  ASSERT_EQ(expected.size(), 3u);
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    const std::string suffix = shot.suffix;
    LanguageScope scope(shot.language);
    DialogScript script;
    std::set<Row> listed;
    std::string selected;
    script.Then([&](HWND dialog) {
      HWND list = ::GetDlgItem(dialog, IDC_CHOOSE_PRINTER_LIST);
      for (const std::string& r : ListRows(list, 3)) {
        const size_t a = r.find('|'), b = r.find('|', a + 1);
        listed.insert({r.substr(0, a), AsLpstatShows(r.substr(a + 1, b - a - 1)), r.substr(b + 1)});
      }
      const int at = SelectedRow(list);
      selected = at >= 0 ? ListRows(list, 1)[static_cast<size_t>(at)] : "(none)";
      uitest::RunUntilIdle();
      EXPECT_TRUE(uitest::SaveWindowPng(dialog, PicturePath("choose_printer_" + suffix + ".png")));
      Press(dialog, IDOK);
    });
    CChoosePrinterDlg dialog;
    dialog.m_printerName = "RASTER";
    ASSERT_EQ(dialog.DoModal(), IDOK);
    // Beside the server's queues, the platform's own page printer, which
    // asks for a file: it is no queue of the print server.
    std::set<Row> queues;
    for (const Row& r : listed)
      if (r.port != "FILE:") queues.insert(r);
      else EXPECT_EQ(r.model, "Tavrendel Page Printer");
    EXPECT_EQ(queues, expected);
    EXPECT_LE(listed.size(), expected.size() + 1);
    EXPECT_EQ(selected, "raster");
    const Row chosen{dialog.m_printerName.GetData(), AsLpstatShows(dialog.m_printerPort.GetData()),
                     dialog.m_printerModel.GetData()};
    EXPECT_EQ(expected.count(chosen), 1u) << chosen.name << " " << chosen.port << " " << chosen.model;
    EXPECT_EQ(chosen.name, "raster");
    CLayoutShell* shell = LayoutShell();
    EXPECT_EQ(std::string(shell->GetProfileString("Config", "lastPrinter", "").GetData()), "raster");
    EXPECT_EQ(std::string(shell->GetProfileString("Config", "lastPrinterModel", "").GetData()), chosen.model);
  }
}

// OK without a selected row says so and keeps the dialog open.
TEST_F(PrinterDialogs, OkWithoutAPrinterSaysSo) {
  DialogScript script;
  bool stayed = false;
  script.Then([&](HWND dialog) {
    SelectRow(::GetDlgItem(dialog, IDC_CHOOSE_PRINTER_LIST), -1);
    Press(dialog, IDOK);
    stayed = ::IsWindow(dialog) && ::IsWindowVisible(dialog);
    Press(dialog, IDCANCEL);
  });
  CChoosePrinterDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Please select a printer."}));
}

// The layout's printer prints at 203 dpi, the layout is set for 300: the
// layout keeps its own resolution ("Change DPI" checked, the list open).
// Choosing the raster queue takes its name, port, model and resolution
// together and clears "Change DPI"; typed resolutions of 0 or nonsense are
// refused with a message, a sound one is taken for both directions.
TEST_F(PrinterDialogs, TheResolutionDialogTakesAPrinterOrAResolution) {
  const std::set<Row> queues = ServerQueues();
  const auto raster = std::find_if(queues.begin(), queues.end(), [](const Row& r) { return r.name == "raster"; });
  ASSERT_NE(raster, queues.end());
  const int rasterDpi = GetPrinterDpiX("raster");
  ASSERT_GT(rasterDpi, 0);
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    const std::string suffix = shot.suffix;
    LanguageScope scope(shot.language);
    NumberedMessages numbered;
    Shown().clear();
    CLabelSetup setup;
    setup.lastPrinter = "zpl";
    setup.lastPort = "elsewhere";
    setup.lastPrinterModel = "another model";
    setup.IsSysPrinter = 0;
    setup.dpiX = setup.dpiY = 300;
    DialogScript script;
    std::vector<std::string> offered;
    script.Then([&](HWND dialog) {
      offered = ComboItems(dialog, IDC_DPI_VALUE);
      EXPECT_TRUE(Checked(dialog, IDC_DPI_CHANGE));
      EXPECT_TRUE(Enabled(dialog, IDC_DPI_VALUE));
      EXPECT_EQ(Text(dialog, IDC_DPI_VALUE), "300");
      EXPECT_TRUE(Enabled(dialog, IDC_DPI_UNSELECT_PRINTER));
      EXPECT_NE(Text(dialog, IDC_DPI_PRINTER_LINE).find("zpl"), std::string::npos);
      EXPECT_NE(Text(dialog, IDC_DPI_PRINTER_LINE).find(": 203)"), std::string::npos);
      uitest::RunUntilIdle();
      EXPECT_TRUE(uitest::SaveWindowPng(dialog, PicturePath("printer_dpi_" + suffix + ".png")));
      Press(dialog, IDC_DPI_SELECT_PRINTER);  // the printer list comes up (the next step)
      EXPECT_FALSE(Checked(dialog, IDC_DPI_CHANGE));
      EXPECT_FALSE(Enabled(dialog, IDC_DPI_VALUE));
      EXPECT_EQ(Text(dialog, IDC_DPI_VALUE), std::to_string(rasterDpi));
      // Own resolutions: nothing, 0, words, a number with more after it,
      // one far too fine; then a sound one.
      ::CheckDlgButton(dialog, IDC_DPI_CHANGE, BST_CHECKED);
      ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DPI_CHANGE, BN_CLICKED), 0);
      EXPECT_TRUE(Enabled(dialog, IDC_DPI_VALUE));
      for (const char* typed : {"", "0", "abc", "300x", "-203", "99999"}) {
        ::SetDlgItemTextA(dialog, IDC_DPI_VALUE, typed);
        Press(dialog, IDOK);
        EXPECT_TRUE(::IsWindowVisible(dialog)) << typed;
      }
      ::SetDlgItemTextA(dialog, IDC_DPI_VALUE, "600");
      Press(dialog, IDOK);
    });
    script.Then([&](HWND list) {
      const auto rows = ListRows(::GetDlgItem(list, IDC_CHOOSE_PRINTER_LIST), 1);
      const auto at = std::find(rows.begin(), rows.end(), "raster");
      ASSERT_NE(at, rows.end());
      SelectRow(::GetDlgItem(list, IDC_CHOOSE_PRINTER_LIST), static_cast<int>(at - rows.begin()));
      Press(list, IDOK);
    });
    CPrinterDpiDlg dialog;
    dialog.m_pSetup = &setup;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(offered, (std::vector<std::string>{"72", "144", "203", "300", "400", "600", "800", "1000", "1200",
                                                 "2400"}));
    EXPECT_EQ(std::string(setup.lastPrinter.GetData()), "raster");
    EXPECT_EQ(AsLpstatShows(setup.lastPort.GetData()), raster->port);
    EXPECT_EQ(std::string(setup.lastPrinterModel.GetData()), raster->model);
    EXPECT_EQ(setup.IsSysPrinter, 1);
    EXPECT_EQ(setup.dpiX, 600);
    EXPECT_EQ(setup.dpiY, 600);
    // The empty text asks for the DPI; every other refusal names the range.
    ASSERT_EQ(numbered.shown().size(), 1u);
    EXPECT_EQ(numbered.shown()[0].id, static_cast<UINT>(MSG_PLEASE_ENTER));
    ASSERT_EQ(Shown().size(), 5u);
    for (const std::string& m : Shown()) EXPECT_NE(m.find("36"), std::string::npos) << m;
    EXPECT_EQ(std::string(LayoutShell()->GetProfileString("Config", "lastPrinter", "").GetData()), "raster");
  }
}

// "Unselect the Printer" leaves the resolution and lets the user type one.
TEST_F(PrinterDialogs, UnselectingThePrinterKeepsTheResolution) {
  CLabelSetup setup;
  setup.lastPrinter = "pdf";
  setup.dpiX = setup.dpiY = GetPrinterDpiX("pdf");
  DialogScript script;
  script.Then([&](HWND dialog) {
    EXPECT_FALSE(Checked(dialog, IDC_DPI_CHANGE));
    EXPECT_FALSE(Enabled(dialog, IDC_DPI_VALUE));
    Press(dialog, IDC_DPI_UNSELECT_PRINTER);
    EXPECT_TRUE(Enabled(dialog, IDC_DPI_VALUE));
    EXPECT_FALSE(Visible(dialog, IDC_DPI_CHANGE));
    EXPECT_EQ(Text(dialog, IDC_DPI_PRINTER_LINE), "");
    ::SetDlgItemTextA(dialog, IDC_DPI_VALUE, "203");
    Press(dialog, IDOK);
  });
  CPrinterDpiDlg dialog;
  dialog.m_pSetup = &setup;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(setup.lastPrinter.IsEmpty());
  EXPECT_TRUE(setup.lastPort.IsEmpty());
  EXPECT_EQ(setup.dpiX, 203);
}

// A printer's metrics are asked of the server the first time only: the
// resolution dialog, the print questions after it and a second metrics
// question leave no request in the server's access log (each count taken
// once the log holds every request answered before it).
TEST_F(PrinterDialogs, APrintersMetricsAreAskedOnce) {
  ForgetPrinterMetrics("zpl");
  spool::ForgetCupsCapabilities();
  const std::optional<size_t> before = cups_test::LoggedRequests();
  ASSERT_TRUE(before);
  PrinterMetrics first;
  ASSERT_EQ(GetPrinterMetrics("zpl", &first), 1);
  const std::optional<size_t> asked = cups_test::LoggedRequests();
  ASSERT_TRUE(asked);
  EXPECT_GT(*asked, *before);
  CLabelSetup setup;
  setup.lastPrinter = "zpl";
  setup.dpiX = setup.dpiY = 203;
  DialogScript script;
  script.Then([&](HWND dialog) { Press(dialog, IDOK); });
  CPrinterDpiDlg dialog;
  dialog.m_pSetup = &setup;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  PrinterMetrics again;
  ASSERT_EQ(GetPrinterMetrics("zpl", &again), 1);
  EXPECT_EQ(GetPrinterDpiX("zpl"), first.dpiX);
  EXPECT_EQ(again.physicalWidth, first.physicalWidth);
  EXPECT_EQ(cups_test::LoggedRequests(), asked);
}

// "Printer Preferences" on each queue offers what lpoptions lists for it:
// the same resolutions, as many media as page sizes, as many sources as
// input slots. The choice made comes back as the printer's settings, and a
// device context made with them prints at that resolution on that medium.
TEST_F(PrinterDialogs, PreferencesOfferWhatTheQueueLists) {
  for (const char* queue : {"zpl", "raster", "pdf"}) {
    SCOPED_TRACE(queue);
    std::vector<std::string> resolutions;
    // "300dpi" and "1200x600dpi", lowest first as the dialog lists them.
    for (const std::string& r : LpoptionsChoices(queue, "Resolution")) resolutions.push_back(r.substr(0, r.find("dpi")) + " dpi");
    std::sort(resolutions.begin(), resolutions.end(), [](const std::string& a, const std::string& b) {
      const auto across = [](const std::string& t) { return std::stoi(t); };
      const auto down = [&](const std::string& t) { return t.find('x') < t.find(' ') ? std::stoi(t.substr(t.find('x') + 1)) : across(t); };
      return across(a) != across(b) ? across(a) < across(b) : down(a) < down(b);
    });
    const size_t sizes = LpoptionsChoices(queue, "PageSize").size();
    const size_t slots = LpoptionsChoices(queue, "InputSlot").size();
    ASSERT_FALSE(resolutions.empty());
    ASSERT_GT(sizes, 0u);
    std::vector<std::string> media, shownResolutions, sources;
    DialogScript script;
    script.Then([&](HWND dialog) {
      media = ComboItems(dialog, IDC_PREFS_MEDIA);
      shownResolutions = ComboItems(dialog, IDC_PREFS_RESOLUTION);
      sources = ComboItems(dialog, IDC_PREFS_SOURCE);
      EXPECT_EQ(Enabled(dialog, IDC_PREFS_SOURCE), slots > 0);
      // The first medium, the first resolution, landscape.
      ::SendDlgItemMessageA(dialog, IDC_PREFS_MEDIA, CB_SETCURSEL, 0, 0);
      ::SendDlgItemMessageA(dialog, IDC_PREFS_RESOLUTION, CB_SETCURSEL, 0, 0);
      ::CheckRadioButton(dialog, IDC_PREFS_PORTRAIT, IDC_PREFS_LANDSCAPE, IDC_PREFS_LANDSCAPE);
      Press(dialog, IDOK);
    });
    DEVMODEA* chosen = EditPrinterDevMode(nullptr, queue, nullptr);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(shownResolutions, resolutions);
    EXPECT_EQ(media.size(), sizes);
    EXPECT_EQ(sources.size(), slots);
    PrinterOffers offers;
    ASSERT_TRUE(OffersOf(queue, &offers));
    const int dpi = std::stoi(resolutions.front());
    EXPECT_EQ(chosen->dmPrintQuality, dpi);
    EXPECT_EQ(chosen->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(chosen->dmPaperWidth, offers.media[0].widthTenthsMm);
    EXPECT_EQ(chosen->dmPaperLength, offers.media[0].lengthTenthsMm);
    HDC dc = CreateDCA("WINSPOOL", queue, nullptr, chosen);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), dpi);
    // Landscape: the medium's length runs across.
    EXPECT_NEAR(GetDeviceCaps(dc, PHYSICALWIDTH), offers.media[0].lengthTenthsMm * dpi / 254.0, 1.0);
    DeleteDC(dc);
    std::free(chosen);
  }
}

// A resolution finer across than down, chosen in "Printer Preferences",
// reaches the page both ways: the device context measures 1200 by 600 dots
// per inch, and the document the queue's printer receives is raster at
// 1200 x 600 dpi, a box of 120 by 60 dots drawn on it a tenth of an inch
// square.
TEST_F(PrinterDialogs, AResolutionFinerAcrossThanDownPrintsAsChosen) {
  const std::vector<std::string> listed = LpoptionsChoices("raster", "Resolution");
  ASSERT_NE(std::find(listed.begin(), listed.end(), "1200x600dpi"), listed.end());
  DialogScript script;
  script.Then([&](HWND dialog) {
    const std::vector<std::string> shown = ComboItems(dialog, IDC_PREFS_RESOLUTION);
    const auto at = std::find(shown.begin(), shown.end(), "1200x600 dpi");
    ASSERT_NE(at, shown.end());
    ::SendDlgItemMessageA(dialog, IDC_PREFS_RESOLUTION, CB_SETCURSEL, static_cast<WPARAM>(at - shown.begin()), 0);
    ::SendDlgItemMessageA(dialog, IDC_PREFS_MEDIA, CB_SETCURSEL, 0, 0);  // the first medium
    Press(dialog, IDOK);
  });
  std::unique_ptr<DEVMODEA, decltype(&std::free)> chosen(EditPrinterDevMode(nullptr, "raster", nullptr), &std::free);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->dmPrintQuality, 1200);
  EXPECT_EQ(chosen->dmYResolution, 600);
  HDC dc = CreateDCA("WINSPOOL", "raster", nullptr, chosen.get());
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 1200);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 600);
  const POINT offset{GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY)};
  const RECT box{600, 300, 720, 360};
  fs::remove(cups_test::OutputOf("raster"));
  DOCINFOA doc{sizeof(DOCINFOA), "Box", nullptr, nullptr, 0};
  const int job = StartDocA(dc, &doc);
  ASSERT_GT(job, 0);
  ASSERT_GT(StartPage(dc), 0);
  PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, BLACKNESS);
  ASSERT_GT(EndPage(dc), 0);
  ASSERT_GT(EndDoc(dc), 0);
  DeleteDC(dc);
  ASSERT_TRUE(cups_test::WaitForOutput("raster"));
  const auto pages = print_test::ReadRasterPages(cups_test::OutputOf("raster"));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].dpiX, 1200);
  EXPECT_EQ(pages[0].dpiY, 600);
  // The box's black dots, as the printer got them.
  RECT black{pages[0].width, pages[0].height, -1, -1};
  for (int y = 0; y < pages[0].height; ++y)
    for (int x = 0; x < pages[0].width; ++x)
      if (pages[0].Black(x, y)) black = RECT{std::min<LONG>(black.left, x), std::min<LONG>(black.top, y),
                                             std::max<LONG>(black.right, x + 1), std::max<LONG>(black.bottom, y + 1)};
  EXPECT_EQ(black.right - black.left, 120);
  EXPECT_EQ(black.bottom - black.top, 60);
  EXPECT_NEAR(black.left, offset.x + box.left, 1);
  EXPECT_NEAR(black.top, offset.y + box.top, 1);
}

// The label printer's preferences, pictured in each interface language.
TEST_F(PrinterDialogs, PreferencesPictures) {
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    const std::string suffix = shot.suffix;
    LanguageScope scope(shot.language);
    DialogScript script;
    script.Then([&](HWND dialog) {
      uitest::RunUntilIdle();
      EXPECT_TRUE(uitest::SaveWindowPng(dialog, PicturePath("printer_preferences_" + suffix + ".png")));
      Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(EditPrinterDevMode(nullptr, "zpl", nullptr), nullptr);
  }
}

// Cancelled, nothing comes back; a printer the spooler does not know is
// reported by name.
TEST_F(PrinterDialogs, PreferencesCancelledOrOfAnUnknownPrinter) {
  {
    DialogScript script;
    script.Then([](HWND dialog) { Press(dialog, IDCANCEL); });
    EXPECT_EQ(EditPrinterDevMode(nullptr, "pdf", nullptr), nullptr);
  }
  EXPECT_EQ(EditPrinterDevMode(nullptr, "no such printer", nullptr), nullptr);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Cannot access printer: no such printer"}));
}

}  // namespace
