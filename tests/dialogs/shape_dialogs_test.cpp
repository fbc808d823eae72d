// The shape dialogs and the Border Setup dialog driven as a person would:
// typed values and their checks as a table (limits, messages, corrections,
// units), the shown state of the controls, the spinners' bounds, the
// position kept when only the rotation changes, an unchanged OK that leaves
// every stored byte as it was for random fields in inches and millimetres,
// the design view opening the dialogs (double click, Properties, Border
// Setup) with undo, and pictures in English and Chinese.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/shapes/box_dlg.h"
#include "dialogs/shapes/ellipse_dlg.h"
#include "dialogs/shapes/line_dlg.h"
#include "dialogs/shapes/shape_assign.h"
#include "dialogs/shapes/shape_dialog.h"
#include "dialogs/shapes/shape_runners.h"
#include "dialogs/shapes/shapes_ids.h"
#include "document/core/rvo_doc.h"
#include "document/view/field_sheets.h"
#include "fields/geometry/field_outline.h"
#include "fields/model/field_kinds.h"
#include "platform/comdlg/comdlg_ids.h"
#include "tests/app/dialog_script.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/document/view_session.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using namespace dialogstest;

enum class Shape { kBox, kLine, kEllipse, kRoundRect };

std::unique_ptr<CField> MakeShape(Shape shape) {
  switch (shape) {
    case Shape::kBox: return std::make_unique<CBoxField>();
    case Shape::kLine: return std::make_unique<CLineField>();
    default: {
      auto e = std::make_unique<CEllipseField>();
      e->styleFlags = shape == Shape::kEllipse ? 1 : 4;
      return e;
    }
  }
}

int RunShape(Shape shape, CField* field, CRvoDoc* doc, std::unique_ptr<CField>* undo = nullptr) {
  switch (shape) {
    case Shape::kBox: return RunBoxDialog(field, doc, undo);
    case Shape::kLine: return RunLineDialog(field, doc, undo);
    default: return RunEllipseDialog(field, doc, undo);
  }
}

// A member of a shape field by the name the tables use.
int Member(const CField& f, const std::string& name) {
  if (name == "x") return f.offset.x;
  if (name == "y") return f.offset.y;
  if (name == "w") return f.width;
  if (name == "h") return f.height;
  if (name == "rot") return f.rotation;
  if (name == "colour") return static_cast<int>(f.foreColor);
  if (name == "noOutput") return f.doNotPrint;
  if (auto* b = dynamic_cast<const CBoxField*>(&f)) {
    if (name == "ht") return b->horizontalLineWidth;
    if (name == "vt") return b->verticalLineWidth;
  }
  if (auto* e = dynamic_cast<const CEllipseField*>(&f)) {
    if (name == "thick") return e->line.width;
    if (name == "radius") return e->cornerRadius;
    if (name == "flags") return e->shapeFlags;
    if (name == "style") return e->line.style;
  }
  if (auto* l = dynamic_cast<const CLineField*>(&f)) {
    if (name == "style") return l->line.style;
    if (name == "round") return l->line.roundEnds;
  }
  ADD_FAILURE() << "no member " << name;
  return 0;
}

void SetMember(CField& f, const std::string& name, int value) {
  if (name == "x") f.offset.x = value;
  else if (name == "y") f.offset.y = value;
  else if (name == "w") f.width = value;
  else if (name == "h") f.height = value;
  else if (name == "rot") f.rotation = value;
  else if (name == "ht") static_cast<CBoxField&>(f).horizontalLineWidth = value;
  else if (name == "vt") static_cast<CBoxField&>(f).verticalLineWidth = value;
  else if (name == "thick") static_cast<CEllipseField&>(f).line.width = value;
  else if (name == "radius") static_cast<CEllipseField&>(f).cornerRadius = value;
  else if (name == "flags") static_cast<CEllipseField&>(f).shapeFlags = value;
  else ADD_FAILURE() << "no member " << name;
}

class ShapeDialogs : public ::testing::Test {
 protected:
  void TearDown() override { CWnd::DeleteTempMap(); }
  CField* Add(Shape shape, const std::vector<std::pair<std::string, int>>& members) {
    auto f = MakeShape(shape);
    f->offset = {500, 400};
    f->width = 1000;
    f->height = 600;
    for (const auto& [name, value] : members) SetMember(*f, name, value);
    CField* raw = f.get();
    doc.fieldList.push_back(std::move(f));
    return raw;
  }
  viewtest::ShellApp app;
  MessageRecorder messages;
  CRvoDoc doc;
};

struct TypedCase {
  const char* why;
  Shape shape;
  int unit;
  std::vector<std::pair<std::string, int>> field;
  std::vector<std::pair<int, std::string>> typed;
  std::vector<std::pair<int, bool>> checks;
  // The first OK's message and its argument (0: the first OK closes).
  UINT message;
  std::string argument;
  // After the message: the edit the dialog corrected and what it shows.
  int correctedId;
  std::string corrected;
  // After a second OK (a dialog still open then is cancelled).
  int result;
  std::vector<std::pair<std::string, int>> expected;
};

TEST_F(ShapeDialogs, TypedValuesAreCheckedCorrectedAndStored) {
  const TypedCase cases[] = {
      {"box as typed", Shape::kBox, 1, {},
       {{IDC_BOX_WIDTH, "2.5"}, {IDC_BOX_HEIGHT, "1.25"}, {IDC_BOX_HTHICK, "0.020"}, {IDC_BOX_VTHICK, "0.030"},
        {IDC_BOX_X, "0.1"}, {IDC_BOX_Y, "0.2"}},
       {}, 0, "", 0, "", 1,
       {{"w", 2500}, {"h", 1250}, {"ht", 20}, {"vt", 30}, {"x", 100}, {"y", 200}}},
      {"a box 400 high takes a horizontal thickness of at most 200", Shape::kBox, 1, {{"h", 400}},
       {{IDC_BOX_HTHICK, "0.300"}}, {}, kMsgAboveLimit, "Horizontal Line Width", IDC_BOX_HTHICK, "0.200", 1,
       {{"ht", 200}, {"h", 400}}},
      {"a box 15 wide limits the vertical thickness to 10", Shape::kBox, 1, {{"w", 15}},
       {{IDC_BOX_VTHICK, "0.050"}}, {}, kMsgAboveLimit, "Vertical Line Width", IDC_BOX_VTHICK, "0.010", 1,
       {{"vt", 10}}},
      {"a width of 0.005 inch is below the limit", Shape::kBox, 1, {}, {{IDC_BOX_WIDTH, "0.005"}}, {},
       kMsgBelowLimit, "Width", IDC_BOX_WIDTH, "0.010", 1, {{"w", 10}}},
      {"an empty height asks for one and the dialog stays open", Shape::kBox, 1, {}, {{IDC_BOX_HEIGHT, ""}}, {},
       kMsgEnterValue, "Height", IDC_BOX_HEIGHT, "", 0, {{"h", 600}}},
      {"a negative X is refused and shows zero", Shape::kBox, 1, {}, {{IDC_BOX_X, "-0.5"}}, {}, kMsgInvalidValue,
       "-0.5", IDC_BOX_X, "0.000", 1, {{"x", 0}}},
      {"25.400 mm is 1000 mils", Shape::kBox, 2, {}, {{IDC_BOX_WIDTH, "25.400"}}, {}, 0, "", 0, "", 1,
       {{"w", 1000}}},
      {"0.2 mm is 8 mils, below the limit", Shape::kBox, 2, {}, {{IDC_BOX_WIDTH, "0.2"}}, {}, kMsgBelowLimit,
       "Width", IDC_BOX_WIDTH, "0.254", 1, {{"w", 10}}},
      {"0.0126 inch rounds to the nearest mil, not down", Shape::kBox, 1, {}, {{IDC_BOX_HTHICK, "0.0126"}}, {}, 0, "", 0, "",
       1, {{"ht", 13}}},
      {"rotation 361 is refused and reset to 0", Shape::kBox, 1, {}, {{IDC_BOX_ROTATION, "361"}}, {},
       kMsgInvalidValue, "361", IDC_BOX_ROTATION, "0", 1, {{"rot", 0}}},
      {"rotation -5 is refused", Shape::kBox, 1, {{"rot", 30000}}, {{IDC_BOX_ROTATION, "-5"}}, {}, kMsgInvalidValue,
       "-5", IDC_BOX_ROTATION, "0", 1, {{"rot", 0}}},
      {"45.9 degrees keeps its tenth", Shape::kBox, 1, {}, {{IDC_BOX_ROTATION, "45.9"}}, {}, 0, "", 0, "", 1,
       {{"rot", 45900}}},
      {"a line's thickness of 5 mils is below the limit", Shape::kLine, 1, {}, {{IDC_LINE_THICKNESS, "0.005"}}, {},
       kMsgBelowLimit, "Thickness", IDC_LINE_THICKNESS, "0.010", 1, {{"h", 10}}},
      {"a line has no upper thickness limit; rotation 90 stores 90000", Shape::kLine, 1, {{"h", 20}},
       {{IDC_LINE_THICKNESS, "3.000"}, {IDC_LINE_LENGTH, "1.500"}, {IDC_LINE_ROTATION, "90"}}, {}, 0, "", 0, "",
       1, {{"h", 3000}, {"w", 1500}, {"rot", 90000}}},
      {"a rounded rectangle 1000 x 400 with a radius of 300 stores 201", Shape::kRoundRect, 1,
       {{"w", 1000}, {"h", 400}, {"radius", 50}}, {{IDC_ELL_RADIUS, "0.300"}}, {}, 0, "", 0, "", 1,
       {{"radius", 201}}},
      {"a radius typed within the limit is stored as typed", Shape::kRoundRect, 1,
       {{"w", 1000}, {"h", 400}, {"radius", 50}}, {{IDC_ELL_RADIUS, "0.100"}}, {}, 0, "", 0, "", 1,
       {{"radius", 100}}},
      {"a negative radius is refused", Shape::kRoundRect, 1, {{"radius", 50}}, {{IDC_ELL_RADIUS, "-0.1"}}, {},
       kMsgInvalidValue, "-0.1", IDC_ELL_RADIUS, "0", 1, {{"radius", 0}}},
      {"an ellipse's thickness above half its height is cut to half", Shape::kEllipse, 1, {{"h", 300}},
       {{IDC_ELL_THICKNESS, "0.400"}}, {}, kMsgAboveLimit, "Line Thickness", IDC_ELL_THICKNESS, "0.150", 1,
       {{"thick", 150}}},
      {"Circle checked: the height follows the width", Shape::kEllipse, 1, {{"w", 800}, {"h", 500}},
       {{IDC_ELL_WIDTH, "0.700"}}, {{IDC_ELL_CIRCLE, true}}, 0, "", 0, "", 1,
       {{"w", 700}, {"h", 700}, {"flags", kShapeCircle}}},
      {"Fill Inside sets bit 0 only", Shape::kEllipse, 1, {{"flags", 0x40}}, {}, {{IDC_ELL_FILL, true}}, 0, "", 0,
       "", 1, {{"flags", 0x41}}},
  };
  for (const TypedCase& c : cases) {
    SCOPED_TRACE(c.why);
    doc.labelSetup.DefaultUnits = static_cast<uint8_t>(c.unit);
    CField* field = Add(c.shape, c.field);
    messages.shown.clear();
    UINT firstMessage = 0;
    std::string argument, corrected;
    DialogScript script;
    script.Then([&](HWND dlg) {
      for (const auto& [id, text] : c.typed) Type(dlg, id, text);
      for (const auto& [id, on] : c.checks) SetCheck(dlg, id, on);
      Press(dlg, IDOK);
      if (!messages.shown.empty()) {
        firstMessage = messages.shown.front().id;
        if (!messages.shown.front().args.empty()) argument = messages.shown.front().args.front();
      }
      // A dialog that ended is hidden until its loop returns.
      if (!::IsWindowVisible(dlg)) return;
      if (c.correctedId) corrected = Text(dlg, c.correctedId);
      Press(dlg, IDOK);
      if (::IsWindowVisible(dlg)) Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(RunShape(c.shape, field, &doc), c.result);
    EXPECT_EQ(firstMessage, c.message);
    if (c.message) {
      EXPECT_EQ(argument, c.argument);
    }
    if (c.correctedId) {
      EXPECT_EQ(corrected, c.corrected);
    }
    for (const auto& [name, value] : c.expected) EXPECT_EQ(Member(*field, name), value) << name;
  }
}

TEST_F(ShapeDialogs, ControlsShownFollowTheShapeAndTheChoices) {
  struct Seen {
    bool circle, radius, heightShown, fillColour, roundEnds;
    std::string widthLabel, radiusText, caption;
  };
  auto open = [&](Shape shape, std::vector<std::pair<std::string, int>> members, std::function<void(HWND)> act) {
    CField* field = Add(shape, members);
    Seen seen{};
    DialogScript script;
    script.Then([&](HWND dlg) {
      if (act) act(dlg);
      char caption[64] = {};
      ::GetWindowTextA(dlg, caption, sizeof caption);
      seen = {Shown(dlg, IDC_ELL_CIRCLE),     Shown(dlg, IDC_ELL_RADIUS),        Shown(dlg, IDC_ELL_HEIGHT),
              Shown(dlg, IDC_ELL_FILL_COLOUR), Shown(dlg, IDC_SHAPE_ROUND_ENDS), Text(dlg, IDC_ELL_WIDTH_LABEL),
              Text(dlg, IDC_ELL_RADIUS),       caption};
      Press(dlg, IDCANCEL);
    });
    RunEllipseDialog(field, &doc, nullptr);
    return seen;
  };
  const Seen ellipse = open(Shape::kEllipse, {}, nullptr);
  EXPECT_EQ(ellipse.caption, "Ellipse");
  EXPECT_TRUE(ellipse.circle);
  EXPECT_FALSE(ellipse.radius);
  EXPECT_TRUE(ellipse.heightShown);
  EXPECT_FALSE(ellipse.fillColour);
  EXPECT_FALSE(ellipse.roundEnds);  // style 0
  const Seen circle = open(Shape::kEllipse, {{"flags", kShapeCircle | kShapeFillInside}}, nullptr);
  EXPECT_FALSE(circle.heightShown);
  EXPECT_EQ(circle.widthLabel, "Diameter");
  EXPECT_TRUE(circle.fillColour);
  const Seen styled = open(Shape::kEllipse, {}, [](HWND dlg) { Choose(dlg, IDC_SHAPE_LINE_STYLE, 3); });
  EXPECT_TRUE(styled.roundEnds);
  // An unset radius shows a quarter of the shorter side plus one (m / 4 > 2),
  // else 4; one too big shows half the shorter side plus one.
  const struct {
    int w, h, radius;
    const char* shown;
  } radii[] = {{1000, 400, -1, "0.101"}, {10, 10, -1, "0.004"}, {1000, 400, 900, "0.201"}, {1000, 400, 30, "0.030"}};
  for (const auto& r : radii) {
    const Seen rr = open(Shape::kRoundRect, {{"w", r.w}, {"h", r.h}, {"radius", r.radius}}, nullptr);
    EXPECT_EQ(rr.caption, "Rounded Rectangle");
    EXPECT_FALSE(rr.circle);
    EXPECT_TRUE(rr.radius);
    EXPECT_EQ(rr.radiusText, r.shown) << r.w << " x " << r.h << " radius " << r.radius;
  }
}

TEST_F(ShapeDialogs, TheRotationListAndTheSpinnersBounds) {
  CField* line = Add(Shape::kLine, {{"x", 5}, {"w", 12}, {"rot", 12345}});
  std::vector<std::string> items;
  std::string rotation, xDown, lengthDown, lengthUp;
  DialogScript script;
  script.Then([&](HWND dlg) {
    HWND combo = ::GetDlgItem(dlg, IDC_LINE_ROTATION);
    for (int i = 0; i < ::SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
      char item[64] = {};
      ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      items.emplace_back(item);
    }
    rotation = Text(dlg, IDC_LINE_ROTATION);
    for (int i = 0; i < 3; ++i) Spin(dlg, IDC_LINE_X_SPIN, false);
    xDown = Text(dlg, IDC_LINE_X);
    Spin(dlg, IDC_LINE_LENGTH_SPIN, false);
    lengthDown = Text(dlg, IDC_LINE_LENGTH);
    for (int i = 0; i < 500; ++i) Spin(dlg, IDC_LINE_LENGTH_SPIN, true);
    lengthUp = Text(dlg, IDC_LINE_LENGTH);
    Press(dlg, IDCANCEL);
  });
  EXPECT_EQ(RunLineDialog(line, &doc, nullptr), 0);
  ASSERT_EQ(items.size(), 24u);
  EXPECT_EQ(items[0], "0-----------------");
  EXPECT_EQ(items[1], "15");
  EXPECT_EQ(items[6], "90-----------------");
  EXPECT_EQ(items[23], "345");
  EXPECT_EQ(rotation, "12.345");  // a finer angle than the list's is shown whole
  EXPECT_EQ(xDown, "0.000");      // the line's X spinner goes down to 0
  EXPECT_EQ(lengthDown, "0.010");  // its length spinner to 10 mils
  EXPECT_EQ(lengthUp, "4.000");    // and up to the label's width
  EXPECT_EQ(line->width, 12);      // Cancel kept everything
}

TEST_F(ShapeDialogs, ATurnAloneKeepsTheCornerANewPositionIsWhereTyped) {
  for (const bool moveToo : {false, true}) {
    CField* box = Add(Shape::kBox, {{"x", 1000}, {"y", 800}, {"w", 900}, {"h", 300}});
    const RECT before = GetFieldBoundingRect(*box, 0, 0, 0, 0);
    DialogScript script;
    script.Then([&](HWND dlg) {
      Type(dlg, IDC_BOX_ROTATION, "90");
      if (moveToo) Type(dlg, IDC_BOX_X, "0.300");
      Press(dlg, IDOK);
    });
    std::unique_ptr<CField> undo;
    ASSERT_EQ(RunBoxDialog(box, &doc, &undo), 1);
    EXPECT_EQ(box->rotation, 90000);
    const RECT after = GetFieldBoundingRect(*box, 0, 0, 0, 0);
    if (moveToo) {
      EXPECT_EQ(box->offset.x, 300);
    } else {
      EXPECT_EQ(after.left, before.left);
      EXPECT_EQ(after.top, before.top);
    }
    // The undo copy is the field as it was, serial number included.
    ASSERT_TRUE(undo);
    EXPECT_EQ(undo->rotation, 0);
    EXPECT_EQ(undo->offset.x, 1000);
    EXPECT_EQ(undo->serialId, box->serialId);
  }
}

TEST_F(ShapeDialogs, TheBorderDialog) {
  doc.labelSetup.DefaultUnits = 2;
  doc.labelSetup.deflt_hasBorder = 1;
  doc.labelSetup.border = {0, 12, 0, static_cast<int32_t>(RGB(10, 20, 30))};
  // Off hides everything and keeps the stored values; style 0 hides Round Ends.
  bool roundEndsAtStyle0 = true, widthShownWhenOff = true, roundEndsAtStyle2 = false;
  std::string down, up;
  DialogScript script;
  script.Then([&](HWND dlg) {
    roundEndsAtStyle0 = Shown(dlg, IDC_BORDER_ROUND_ENDS);
    Choose(dlg, IDC_BORDER_STYLE, 2);
    roundEndsAtStyle2 = Shown(dlg, IDC_BORDER_ROUND_ENDS);
    for (int i = 0; i < 20; ++i) Spin(dlg, IDC_BORDER_WIDTH_SPIN, false);
    down = Text(dlg, IDC_BORDER_WIDTH);
    for (int i = 0; i < 200; ++i) Spin(dlg, IDC_BORDER_WIDTH_SPIN, true);
    up = Text(dlg, IDC_BORDER_WIDTH);
    SetCheck(dlg, IDC_BORDER_ON, false);
    widthShownWhenOff = Shown(dlg, IDC_BORDER_WIDTH);
    Press(dlg, IDOK);
  });
  EXPECT_EQ(RunBorderDialog(doc.labelSetup), 1);
  EXPECT_FALSE(roundEndsAtStyle0);
  EXPECT_TRUE(roundEndsAtStyle2);
  EXPECT_EQ(down, "0.025");  // 1 mil in millimetres
  EXPECT_EQ(up, "25.400");   // 1000 mils
  EXPECT_FALSE(widthShownWhenOff);
  EXPECT_EQ(doc.labelSetup.deflt_hasBorder, 0);
  EXPECT_EQ(doc.labelSetup.border.style, 0);
  EXPECT_EQ(doc.labelSetup.border.width, 12);

  // On again: the stored values show; a colour chosen, then Cancel: nothing changes.
  std::string widthShown;
  DialogScript cancel;
  cancel.Then([&](HWND dlg) {
    SetCheck(dlg, IDC_BORDER_ON, true);
    widthShown = Text(dlg, IDC_BORDER_WIDTH);
    Press(dlg, IDC_SHAPE_COLOUR);
    Press(dlg, IDCANCEL);
  });
  cancel.Then([](HWND colour) {
    Type(colour, COLOR_RED, "200");
    Press(colour, IDOK);
  });
  EXPECT_EQ(RunBorderDialog(doc.labelSetup), 0);
  EXPECT_EQ(widthShown, "0.305");
  EXPECT_EQ(doc.labelSetup.deflt_hasBorder, 0);
  EXPECT_EQ(doc.labelSetup.border.color, static_cast<int32_t>(RGB(10, 20, 30)));

  // A second click opens the colour dialog at the colour the first chose.
  std::string redAtSecond;
  DialogScript twice;
  twice.Then([&](HWND dlg) {
    SetCheck(dlg, IDC_BORDER_ON, true);
    Press(dlg, IDC_SHAPE_COLOUR);
    Press(dlg, IDC_SHAPE_COLOUR);
    Type(dlg, IDC_BORDER_WIDTH, "1.000");
    Press(dlg, IDOK);
  });
  twice.Then([](HWND colour) {
    Type(colour, COLOR_RED, "200");
    Press(colour, IDOK);
  });
  twice.Then([&](HWND colour) {
    redAtSecond = Text(colour, COLOR_RED);
    Type(colour, COLOR_GREEN, "100");
    Press(colour, IDOK);
  });
  EXPECT_EQ(RunBorderDialog(doc.labelSetup), 1);
  EXPECT_EQ(redAtSecond, "200");
  EXPECT_EQ(doc.labelSetup.deflt_hasBorder, 1);
  EXPECT_EQ(doc.labelSetup.border.color, static_cast<int32_t>(RGB(200, 100, 30)));
  EXPECT_EQ(doc.labelSetup.border.width, 39);  // 1 mm to the nearest mil
}

// Random shape fields, every member the record carries set at random.
std::unique_ptr<CField> RandomShape(std::mt19937& rng, Shape shape) {
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto f = MakeShape(shape);
  f->offset = {any(-500, 8000), any(-500, 8000)};
  f->width = any(1, 9000);
  f->height = any(1, 9000);
  f->rotation = any(0, 359999);
  f->foreColor = static_cast<COLORREF>(any(0, 0xFFFFFF));
  f->backColor = static_cast<COLORREF>(any(0, 0xFFFFFF));
  f->doNotPrint = static_cast<uint8_t>(any(0, 3));
  f->lockPosition = static_cast<uint8_t>(any(0, 2));
  f->inverse = static_cast<uint8_t>(any(0, 1));
  f->name = ("Shape_" + std::to_string(any(0, 999))).c_str();
  if (auto* b = dynamic_cast<CBoxField*>(f.get())) {
    b->horizontalLineWidth = any(0, 3000);
    b->verticalLineWidth = any(0, 3000);
  } else if (auto* l = dynamic_cast<CLineField*>(f.get())) {
    l->line = {any(0, 12), any(0, 500), any(0, 2), any(0, 0xFFFFFF)};
  } else if (auto* e = dynamic_cast<CEllipseField*>(f.get())) {
    e->line = {any(0, 12), any(0, 500), any(0, 2), any(0, 0xFFFFFF)};
    e->cornerRadius = any(-3, 5000);
    e->shapeFlags = any(0, 7);
    // A circle is as high as it is wide, as the dialog makes it.
    if (shape == Shape::kEllipse && (e->shapeFlags & kShapeCircle)) e->height = e->width;
  }
  return f;
}

// The dialog made on a copy of the field (not shown, so nothing is painted)
// and OK pressed on it untouched: the copy's stored record.
template <class Dialog>
std::vector<uint8_t> BytesAfterUntouchedOk(const CField& field, int unit) {
  Dialog dialog;
  AssignShapeField(dialog.m_field, field);
  dialog.SetUnit(unit);
  EXPECT_TRUE(dialog.Create(dialog.DialogId(), nullptr));
  Press(dialog.m_hWnd, IDOK);
  dialog.DestroyWindow();
  return RecordBytes(dialog.m_field);
}

class ShapeDialogsRoundTrip : public ShapeDialogs, public ::testing::WithParamInterface<RoundTripUnit> {};

TEST_P(ShapeDialogsRoundTrip, AnUnchangedOkLeavesEveryStoredByteForRandomFields) {
  std::mt19937 rng(20261211 + GetParam());
  const int unit = GetParam();
  // Each kind (ellipses and rounded rectangles are one kind, half of each).
  for (int i = 0; i < kRoundTripFields; ++i) {
    for (const Shape shape : {Shape::kBox, Shape::kLine, i % 2 ? Shape::kEllipse : Shape::kRoundRect}) {
      std::unique_ptr<CField> field = RandomShape(rng, shape);
      const std::vector<uint8_t> before = RecordBytes(*field);
      std::vector<uint8_t> after;
      switch (shape) {
        case Shape::kBox: after = BytesAfterUntouchedOk<CBoxDlg>(*field, unit); break;
        case Shape::kLine: after = BytesAfterUntouchedOk<CLineDlg>(*field, unit); break;
        default: after = BytesAfterUntouchedOk<CEllipseDlg>(*field, unit); break;
      }
      ASSERT_EQ(after, before) << "unit " << unit << " shape " << int(shape) << " #" << i;
    }
  }
  // And through the runners as the view calls them, the dialogs shown.
  doc.labelSetup.DefaultUnits = static_cast<uint8_t>(GetParam());
  for (int i = 0; i < 40; ++i) {
    const Shape shape = static_cast<Shape>(i % 4);
    std::unique_ptr<CField> field = RandomShape(rng, shape);
    const std::vector<uint8_t> before = RecordBytes(*field);
    DialogScript script;
    script.Then([](HWND dlg) { Press(dlg, IDOK); });
    ASSERT_EQ(RunShape(shape, field.get(), &doc), 1) << i;
    ASSERT_EQ(RecordBytes(*field), before) << "shape " << int(shape) << " #" << i;
  }
  EXPECT_TRUE(messages.shown.empty());
}
TAV_ROUND_TRIP_UNITS(ShapeDialogsRoundTrip);

TEST_F(ShapeDialogs, PicturesInEnglishAndChinese) {
  const struct {
    Shape shape;
    const char* name;
    std::vector<std::pair<std::string, int>> members;
  } dialogs[] = {{Shape::kBox, "box", {}},
                 {Shape::kLine, "line", {}},
                 {Shape::kEllipse, "ellipse", {{"flags", kShapeFillInside}}},
                 {Shape::kRoundRect, "rounded_rectangle", {{"flags", kShapeFillInside}}}};
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    const int language = shot.language;
    const std::string suffix = shot.suffix;
        LanguageScope scope(language);
    for (const auto& d : dialogs) {
      CField* field = Add(d.shape, d.members);
      DialogScript script;
      script.Then([&](HWND dlg) {
        Choose(dlg, IDC_SHAPE_LINE_STYLE, 2);
        uitest::RunUntilIdle();
        EXPECT_TRUE(uitest::SaveWindowPng(dlg, PicturePath(std::string(d.name) + "_" + suffix + ".png")));
        Press(dlg, IDCANCEL);
      });
      RunShape(d.shape, field, &doc);
    }
    doc.labelSetup.deflt_hasBorder = 1;
    doc.labelSetup.border.style = 1;
    DialogScript script;
    script.Then([&](HWND dlg) {
      EXPECT_TRUE(uitest::SaveWindowPng(dlg, PicturePath(std::string("border_setup_") + suffix + ".png")));
      Press(dlg, IDCANCEL);
    });
    RunBorderDialog(doc.labelSetup);
  }
}

// The design view reaches the dialogs through the table the program installs.
class ViewOpensShapeDialogs : public ::testing::Test {
 protected:
  void SetUp() override { SetFieldSheetRunners(&runners); }
  void TearDown() override {
    SetFieldSheetRunners(nullptr);
    CWnd::DeleteTempMap();
  }
  FieldSheetRunners runners{.runLineDialog = &RunLineDialog,
                            .runBoxDialog = &RunBoxDialog,
                            .runEllipseDialog = &RunEllipseDialog,
                            .runBorderDialog = &RunBorderDialog};
  viewtest::ShellApp app;
  MessageRecorder messages;
};

TEST_F(ViewOpensShapeDialogs, DoubleClickPropertiesAndBorderWithUndo) {
  viewtest::Session s(4000, 2500);
  CBoxField* box = s.Add<CBoxField>(600, 500, 1200, 700);
  CTextField* text = s.Add<CTextField>(2500, 1500, 800, 200);
  s.Repaint();
  // Double click on the box: its dialog, a new width, OK.
  DialogScript script;
  script.Then([](HWND dlg) {
    Type(dlg, IDC_BOX_WIDTH, "2.000");
    Press(dlg, IDOK);
  });
  uitest::DoubleClick(s.hwnd(), s.Body(box));
  uitest::RunUntilIdle();
  ASSERT_EQ(script.captions.size(), 1u);
  EXPECT_EQ(script.captions[0], "Box");
  EXPECT_EQ(box->width, 2000);
  EXPECT_TRUE(s.doc->IsModified());
  s.Command(viewcmd::kEditUndo);
  ASSERT_EQ(s.doc->fieldList.size(), 2u);
  EXPECT_EQ(s.doc->fieldList[0]->width, 1200);

  // Properties: on for the box, off for a text field (no sheet installed here).
  s.view->SelectOnly(s.doc->fieldList[0].get());
  EXPECT_TRUE(CommandEnabled(s.view, viewcmd::kProperties));
  s.view->SelectOnly(text);
  EXPECT_FALSE(CommandEnabled(s.view, viewcmd::kProperties));
  EXPECT_FALSE(CommandEnabled(s.view, viewcmd::kAddText));
  EXPECT_TRUE(CommandEnabled(s.view, viewcmd::kBorderSetup));

  // Border Setup from the view: on OK the document is modified.
  s.doc->SetModifiedFlag(FALSE);
  DialogScript border;
  border.Then([](HWND dlg) {
    SetCheck(dlg, IDC_BORDER_ON, true);
    Press(dlg, IDOK);
  });
  s.Command(viewcmd::kBorderSetup);
  EXPECT_EQ(s.doc->labelSetup.deflt_hasBorder, 1);
  EXPECT_TRUE(s.doc->IsModified());
}

}  // namespace
