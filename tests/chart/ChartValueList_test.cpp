#include "ChartValueList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

std::vector<double> Values(const TChartValueList& list) {
  std::vector<double> out;
  for (int i = 0; i < list.ValueCount(); ++i) {
    out.push_back(list.ValueAt(i));
  }
  return out;
}

TEST(ChartValueListTest, AscendingListPlacesEachValueAfterSmallerOrEqualOnes) {
  TChartValueList list(nullptr, "X");
  list.SetOrder(loAscending);
  EXPECT_EQ(list.AddOrdered(3), 0);
  EXPECT_EQ(list.AddOrdered(1), 0);
  EXPECT_EQ(list.AddOrdered(2), 1);
  EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 3}));

  TChartValueList dup(nullptr, "X");
  dup.SetOrder(loAscending);
  for (const double v : {1.0, 2.0, 2.0, 3.0}) {
    dup.AddOrdered(v);
  }
  EXPECT_EQ(dup.AddOrdered(2), 3) << "an equal value goes after all existing ones";
}

TEST(ChartValueListTest, UnorderedAndDescendingLists) {
  TChartValueList none(nullptr, "Y");
  for (const double v : {3.0, 1.0, 2.0}) {
    none.AddOrdered(v);
  }
  EXPECT_EQ(Values(none), (std::vector<double>{3, 1, 2}));

  TChartValueList down(nullptr, "X");
  down.SetOrder(loDescending);
  EXPECT_EQ(down.AddOrdered(1), 0);
  EXPECT_EQ(down.AddOrdered(3), 0);
  EXPECT_EQ(down.AddOrdered(2), 1);
  EXPECT_EQ(down.AddOrdered(2), 2);
  EXPECT_EQ(Values(down), (std::vector<double>{3, 2, 2, 1}));
}

TEST(ChartValueListTest, StatisticsWithMultiplierAndAfterChanges) {
  TChartValueList list(nullptr, "Y");
  EXPECT_EQ(list.Smallest(), 0);
  EXPECT_EQ(list.Largest(), 0);
  EXPECT_EQ(list.Sum(), 0);
  EXPECT_EQ(list.SumOfMagnitudes(), 0);

  list.AddOrdered(-2);
  list.AddOrdered(5);
  EXPECT_EQ(list.Smallest(), -2);
  EXPECT_EQ(list.Largest(), 5);
  EXPECT_EQ(list.Sum(), 3);
  EXPECT_EQ(list.SumOfMagnitudes(), 7);

  list.SetMultiplier(2);
  EXPECT_EQ(list.Smallest(), -4);
  EXPECT_EQ(list.Largest(), 10);
  EXPECT_EQ(list.Sum(), 6);
  EXPECT_EQ(list.SumOfMagnitudes(), 14);
  EXPECT_EQ(list.Stored(1), 5) << "values are stored as given";

  list.InsertAt(0, 20);
  EXPECT_EQ(list.Largest(), 40) << "the cache is refreshed after a change";
  list.RemoveAll();
  EXPECT_EQ(list.ValueCount(), 0);
  EXPECT_EQ(list.Largest(), 0);
}

TEST(ChartValueListTest, ValuesThatAreNotFiniteStayOutOfTheStatistics) {
  const double inf = std::numeric_limits<double>::infinity();
  TChartValueList list(nullptr, "Y");
  for (const double v : {std::nan(""), 2.0, inf, -1.0, -inf}) {
    list.AddOrdered(v);
  }
  EXPECT_EQ(list.Smallest(), -1);
  EXPECT_EQ(list.Largest(), 2);
  EXPECT_EQ(list.Sum(), 1);
  EXPECT_EQ(list.SumOfMagnitudes(), 3);
}

}  // namespace
