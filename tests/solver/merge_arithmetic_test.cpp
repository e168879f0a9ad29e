#include "solver/merge_arithmetic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "game/rules/step_outcome.h"

namespace quorel::solver {
namespace {

// Every order of merges, tried one by one.
int fewestByEveryOrder(std::vector<int> values, int ngNumber) {
  if (values.empty()) return 0;
  if (values.size() == 1) return MergeArithmetic::kUnclearable;
  int best = MergeArithmetic::kUnclearable;
  for (std::size_t i = 0; i < values.size(); ++i) {
    for (std::size_t j = i + 1; j < values.size(); ++j) {
      std::vector<int> next;
      for (std::size_t k = 0; k < values.size(); ++k) {
        if (k != i && k != j) next.push_back(values[k]);
      }
      const int remainder = mergeRemainder(values[i], values[j]);
      if (remainder != 0) next.push_back(remainder);
      const bool ngLeft = std::find(next.begin(), next.end(), ngNumber) != next.end();
      if (isLost(judgeStage(static_cast<int>(next.size()), ngLeft))) continue;
      const int rest = fewestByEveryOrder(next, ngNumber);
      if (rest != MergeArithmetic::kUnclearable) best = std::min(best, rest + 1);
    }
  }
  return best;
}

TEST(MergeArithmetic, AgreesWithEveryOrderOfMergesAndItsBoundStaysBelow) {
  std::mt19937 random(7);
  MergeArithmetic::Answer answer;
  for (int round = 0; round < 400; ++round) {
    const int ng = std::uniform_int_distribution<int>(1, 8)(random);
    const int count = std::uniform_int_distribution<int>(0, 7)(random);
    std::vector<int> values;
    ValueCounts counts;
    for (int i = 0; i < count; ++i) {
      values.push_back(std::uniform_int_distribution<int>(1, round % 2 == 0 ? 9 : kMaxValue)(random));
      counts.add(values.back());
    }
    SCOPED_TRACE(::testing::PrintToString(values) + " NG " + std::to_string(ng));
    MergeArithmetic arithmetic(ng);
    answer = arithmetic.fewestMerges(counts);
    EXPECT_TRUE(answer.decided);
    const int expected = fewestByEveryOrder(values, ng);
    EXPECT_EQ(answer.fewest, expected);
    EXPECT_LE(MergeArithmetic::fewestMergesBound(counts), expected);
    EXPECT_EQ(arithmetic.fewestMerges(counts).fewest, expected);  // remembered
  }
}

TEST(MergeArithmetic, GivesUpWithABoundWhenTheEffortRunsOut) {
  // Thirteen blocks that no order clears: proving it takes many positions of the merge search.
  ValueCounts counts;
  for (const int v : {2, 3, 5, 7, 11, 13, 17, 19, 23, 2, 3, 5, 7}) counts.add(v);
  MergeArithmetic patient(1);
  const MergeArithmetic::Answer settled = patient.fewestMerges(counts);
  MergeArithmetic hasty(1, 10);
  const MergeArithmetic::Answer bound = hasty.fewestMerges(counts);
  EXPECT_FALSE(bound.decided);
  EXPECT_LE(bound.fewest, settled.fewest);
  EXPECT_GE(bound.fewest, MergeArithmetic::fewestMergesBound(counts));
  EXPECT_FALSE(hasty.fewestMerges(counts).decided);  // and stays so without trying again
}

}  // namespace
}  // namespace quorel::solver
