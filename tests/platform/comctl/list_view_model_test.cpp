// The list view's rows without a window: column slots, texts, searching and
// the sort that survives any comparison.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/comctl/list_view_model.h"

namespace {

using comctl::ListModel;
using comctl::ListRow;

ListRow Row(std::u16string text, LPARAM param) {
  ListRow row;
  row.texts = {std::move(text)};
  row.param = param;
  return row;
}

TEST(ListModel, ColumnSlotsMoveTexts) {
  ListModel model;
  model.Insert(0, Row(u"a", 1));
  EXPECT_TRUE(model.SetText(0, 0, u"first"));
  EXPECT_FALSE(model.SetText(0, 1, u"x")) << "no second column yet";
  EXPECT_EQ(model.InsertColumn(0), 0);
  EXPECT_EQ(model.Text(0, 0), u"first") << "the first column takes over the item texts";
  EXPECT_EQ(model.InsertColumn(5), 1);
  EXPECT_TRUE(model.SetText(0, 1, u"second"));
  EXPECT_EQ(model.InsertColumn(1), 1);
  EXPECT_EQ(model.Text(0, 1), u"");
  EXPECT_EQ(model.Text(0, 2), u"second");
  EXPECT_TRUE(model.DeleteColumn(1));
  EXPECT_EQ(model.Text(0, 1), u"second");
  EXPECT_FALSE(model.DeleteColumn(2));
  EXPECT_EQ(model.Text(7, 0), u"") << "a missing row reads empty";
}

TEST(ListModel, SearchesAndStates) {
  ListModel model;
  for (const char16_t* s : {u"Alpha", u"beta", u"ALPHABET", u"gamma"}) model.Insert(model.rows(), Row(s, model.rows()));
  struct Case {
    int start;
    const char16_t* text;
    bool prefix;
    bool wrap;
    int found;
  } const cases[] = {
      {0, u"alpha", false, false, 0}, {1, u"alpha", false, false, -1}, {1, u"alpha", false, true, 0},
      {1, u"alpha", true, false, 2},  {0, u"GAMMA", false, false, 3},  {4, u"beta", false, true, 1},
      {0, u"", true, false, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(model.FindText(c.start, c.text, c.prefix, c.wrap), c.found) << c.start << " " << c.prefix;
  EXPECT_EQ(model.FindParam(2, 1, false), -1);
  EXPECT_EQ(model.FindParam(2, 1, true), 1);
  model.at(1).state = 2;
  model.at(3).state = 3;
  EXPECT_EQ(model.Next(-1, 2), 1);
  EXPECT_EQ(model.Next(1, 2), 3);
  EXPECT_EQ(model.Count(2), 2);
  EXPECT_EQ(model.Count(1), 1);
}

TEST(ListModel, SortIsStableAndSurvivesAnyComparison) {
  ListModel model;
  const LPARAM keys[] = {3, 1, 3, 2, 1};
  for (LPARAM k : keys) model.Insert(model.rows(), Row(std::u16string(1, static_cast<char16_t>(u'a' + model.rows())), k));
  std::vector<LPARAM> params;
  for (int i = 0; i < model.rows(); ++i) params.push_back(model.at(i).param);
  const std::vector<int> order = model.Sort([&](int a, int b) {
    return static_cast<int>(params[static_cast<size_t>(a)] - params[static_cast<size_t>(b)]);
  });
  EXPECT_EQ(order, (std::vector<int>{1, 4, 3, 0, 2}));
  std::u16string letters;
  for (int i = 0; i < model.rows(); ++i) letters += model.Text(i, 0);
  EXPECT_EQ(letters, u"bedac") << "equal keys keep their order";
  // Answers that contradict each other still leave each row once.
  for (int round = 0; round < 5; ++round) {
    int calls = 0;
    model.Sort([&](int, int) { return (++calls * 7 + round) % 3 - 1; });
    std::u16string now;
    for (int i = 0; i < model.rows(); ++i) now += model.Text(i, 0);
    std::sort(now.begin(), now.end());
    EXPECT_EQ(now, u"abcde");
  }
}

}  // namespace
