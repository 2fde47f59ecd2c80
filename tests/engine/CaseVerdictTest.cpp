// The verdict of a case: a section's verdict is its combinations' alone (the
// steel limits of a column, As,mín, As,máx and φ ≥ 10 mm, are tried through
// flexara-cli check in tests/cli/ColumnCheckTest.cpp), refused rows, and the
// sentence that states the verdict.
#include "engine/study/CaseVerdict.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <cmath>

namespace flexara {
namespace {

TEST(CaseVerdict, ASectionIsJudgedByItsCombinationsAlone)
{
    // The same 4 φ10 that fail a column's minimum: a section has no such limit.
    auto s = testing::MakeRectangleCase(20, 50, {{2, 10, 4, 4, 16, 4}, {2, 10, 4, 46, 16, 46}});
    const CombinationList rows = {{"ELU 1", -300, 10, 5}};
    const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, std::nullopt, 1);
    const CaseVerdict v = JudgeCase(*s, MaterialSelection{}, rows, check, std::nullopt);
    EXPECT_TRUE(v.holds);
    EXPECT_FALSE(v.steel.has_value());
    EXPECT_FALSE(v.governingSituation.has_value());
    EXPECT_TRUE(v.warnings.empty());
    EXPECT_EQ(CaseVerdictText(v).rfind("A seção atende às combinações: combinação determinante ELU 1, η = ", 0), 0u);
}

TEST(CaseVerdict, RowsThatDoNotHoldAndTheirSentence)
{
    // The 20 × 40 column without concrete outline: every row refused.
    auto bare = testing::MakeRectangleCase(20, 40, {{0, 20, 4, 4, 16, 4}});
    const CombinationList rows = {{"r", -100, 1, 1}, {"s", -200, 1, 1}};
    const CombinationCheck refused = CheckCombinations(*bare, MaterialSelection{}, rows, std::nullopt, 1);
    const CaseVerdict v = JudgeCase(*bare, MaterialSelection{}, rows, refused, std::nullopt);
    EXPECT_FALSE(v.holds);
    EXPECT_EQ(v.refused, (std::vector<int>{0, 1}));
    EXPECT_TRUE(v.faulted.empty());
    EXPECT_EQ(CaseVerdictText(v), "A seção não atende às combinações: combinação determinante r, recusada.");

    // η as the sentence prints it: two decimals, more where two would round
    // a failing η down onto 1.
    const struct {
        double eta;
        const char* shown;
    } etas[] = {
        {0.98, "η = 0,98"}, {0.996, "η = 1,00"}, {1.004, "η = 1,004"}, {1.0000001, "η = 1,0000001"}, {1.2, "η = 1,20"}};
    for (const auto& e : etas) {
        SCOPED_TRACE(e.shown);
        CaseVerdict made;
        made.governing = 0;
        made.governingName = "ELU";
        made.utilisation = e.eta;
        made.governingStatus = e.eta > 1 ? CombinationStatus::Fails : CombinationStatus::Holds;
        EXPECT_NE(CaseVerdictText(made).find(e.shown), std::string::npos) << CaseVerdictText(made);
    }
}

} // namespace
} // namespace flexara
