// The list and combo box item model without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user/controls/list_items.h"

namespace {

using controls::ListItems;
using controls::SelectionMode;

std::vector<std::u16string> Texts(const ListItems& l) {
  std::vector<std::u16string> out;
  for (size_t i = 0; i < l.size(); ++i) out.push_back(l.at(i).text);
  return out;
}

TEST(ListItems, SortedInsertionWithoutCaseAfterEqualTexts) {
  ListItems l(true);
  struct Row {
    std::u16string text;
    long index;
  } const rows[] = {{u"pear", 0}, {u"Apple", 0}, {u"banana", 1}, {u"apple", 1}, {u"Zebra", 4}, {u"b", 2}};
  for (const Row& r : rows) EXPECT_EQ(l.Add(r.text), r.index) << std::string(r.text.begin(), r.text.end());
  EXPECT_EQ(Texts(l), (std::vector<std::u16string>{u"Apple", u"apple", u"b", u"banana", u"pear", u"Zebra"}));
  // LB_INSERTSTRING: "Unlike the LB_ADDSTRING message, the LB_INSERTSTRING message does not cause a list
  // with the LBS_SORT style to be sorted" (public documentation).
  EXPECT_EQ(l.Insert(0, u"zzz"), 0);
  EXPECT_EQ(l.Insert(-1, u"aaa"), 7);
  EXPECT_EQ(l.Insert(99, u"x"), ListItems::kNone);
  EXPECT_EQ(l.at(0).text, u"zzz");
}

TEST(ListItems, FindByPrefixAndExactTextWithoutCase) {
  ListItems l;
  for (auto t : {u"Red", u"green", u"Greenish", u"blue", u"GREEN"}) l.Add(t);
  struct Case {
    const char* what;
    bool exact;
    long start;
    std::u16string text;
    long found;
  } const cases[] = {
      {"prefix from the top", false, -1, u"gre", 1},
      {"prefix after start", false, 1, u"GRE", 2},
      {"prefix wraps round", false, 4, u"gre", 1},
      {"prefix from the last item wraps to the first", false, 4, u"r", 0},
      {"no match", false, -1, u"x", ListItems::kNone},
      {"empty prefix matches the next item", false, 0, u"", 1},
      // CB_FINDSTRINGEXACT / LB_FINDSTRINGEXACT: "The search is not case sensitive" (public documentation).
      {"exact without case", true, -1, u"GREEN", 1},
      {"exact after start", true, 1, u"green", 4},
      {"exact is whole text", true, -1, u"gree", ListItems::kNone},
      {"exact start past the end searches from the top", true, 50, u"blue", 3},
  };
  for (const Case& c : cases) {
    const long found = c.exact ? l.FindExact(c.start, c.text) : l.FindPrefix(c.start, c.text);
    EXPECT_EQ(found, c.found) << c.what;
  }
  EXPECT_EQ(ListItems().FindExact(-1, u"a"), ListItems::kNone);
}

TEST(ListItems, ItemDataAndHeightsFollowTheirItems) {
  ListItems l(true);
  l.Add(u"b", 20);
  l.Add(u"a", 10);
  EXPECT_EQ(l.at(0).data, 10);
  EXPECT_TRUE(l.SetData(1, 99));
  EXPECT_EQ(l.at(1).data, 99);
  EXPECT_FALSE(l.SetData(2, 1));
  EXPECT_FALSE(l.SetData(-1, 1));
  EXPECT_TRUE(l.SetHeight(0, 30));
  EXPECT_FALSE(l.SetHeight(0, 256)) << "LB_SETITEMHEIGHT: heights up to 255";
  EXPECT_EQ(l.Delete(0), 1);
  EXPECT_EQ(l.at(0).data, 99);
  EXPECT_EQ(l.Delete(5), ListItems::kNone);
}

TEST(ListItems, SingleSelectionMovesWithInsertionsAndDeletions) {
  ListItems l;
  for (auto t : {u"a", u"b", u"c"}) l.Add(t);
  EXPECT_TRUE(l.SetCurrent(1));
  EXPECT_EQ(l.SelectedCount(), 1);
  l.Insert(0, u"z");
  EXPECT_EQ(l.current(), 2) << "the selected item moved down";
  l.Delete(0);
  EXPECT_EQ(l.current(), 1);
  l.Delete(1);
  EXPECT_EQ(l.current(), ListItems::kNone) << "the selected item is gone";
  EXPECT_FALSE(l.SetCurrent(7));
  EXPECT_TRUE(l.SetCurrent(-1));
  EXPECT_EQ(l.SelectedCount(), 0);
  EXPECT_FALSE(l.SetSelected(0, true)) << "LB_SETSEL is for multiple-selection lists";
}

TEST(ListItems, MultipleAndExtendedSelectionByTheUser) {
  struct Case {
    const char* what;
    SelectionMode mode;
    std::vector<std::tuple<long, bool, bool>> clicks;  // index, shift, control
    std::vector<long> selected;
  } const cases[] = {
      {"multiple toggles", SelectionMode::Multiple, {{1, false, false}, {3, false, false}, {1, false, false}}, {3}},
      {"extended click selects one", SelectionMode::Extended, {{1, false, false}, {3, false, false}}, {3}},
      {"extended shift extends from the anchor", SelectionMode::Extended, {{1, false, false}, {3, true, false}}, {1, 2, 3}},
      {"extended control toggles", SelectionMode::Extended, {{1, false, false}, {3, false, true}}, {1, 3}},
      {"extended shift+control adds a range", SelectionMode::Extended,
       {{0, false, false}, {2, false, true}, {4, true, true}}, {0, 2, 3, 4}},
      {"extended shift upwards", SelectionMode::Extended, {{4, false, false}, {2, true, false}}, {2, 3, 4}},
      {"no selection", SelectionMode::None, {{1, false, false}}, {}},
  };
  for (const Case& c : cases) {
    ListItems l(false, c.mode);
    for (auto t : {u"a", u"b", u"c", u"d", u"e"}) l.Add(t);
    for (const auto& [index, shift, control] : c.clicks) l.UserSelect(index, shift, control);
    EXPECT_EQ(l.SelectedItems(), c.selected) << c.what;
    EXPECT_EQ(l.SelectedCount(), static_cast<long>(c.selected.size())) << c.what;
  }
  ListItems l(false, SelectionMode::Multiple);
  for (auto t : {u"a", u"b", u"c"}) l.Add(t);
  EXPECT_TRUE(l.SetSelected(-1, true));
  EXPECT_EQ(l.SelectedCount(), 3);
  EXPECT_TRUE(l.SelectRange(2, 0, false));
  EXPECT_EQ(l.SelectedCount(), 0);
  EXPECT_TRUE(l.SelectRange(1, 99, true)) << "the range is cut at the end";
  EXPECT_EQ(l.SelectedItems(), (std::vector<long>{1, 2}));
  EXPECT_FALSE(l.SelectRange(5, 6, true));
}

}  // namespace
