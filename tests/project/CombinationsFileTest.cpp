// Load combinations in the project file and in CSV: the block after the
// section, files without it unchanged, and the text of spreadsheets.
#include "engine/section/DefaultCase.h"
#include "project/CsvText.h"
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace flexara {
namespace {

std::string WithCombinations(const CombinationList& rows)
{
    auto s = testing::Load(testing::DefaultCaseFile()).state;
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(ShapeRectangle);
    input.combinations = &rows;
    return WriteProjectText(*s, input);
}

TEST(CombinationsFile, TheBlockFollowsTheSectionAndReadsBack)
{
    const CombinationList rows = {{"ELU 1", -500, 60, 20}, {"Vento à esquerda", 12.5, -0.001, 1e5}, {"", 0, 0, 0}};
    const std::string text = WithCombinations(rows);
    EXPECT_EQ(text,
              testing::DefaultCaseFile() +
                  testing::Lines({"combinacoes", "3", "ELU 1", "-5.00000000000000E+0002", " 6.00000000000000E+0001",
                                  " 2.00000000000000E+0001", "Vento à esquerda", " 1.25000000000000E+0001",
                                  "-1.00000000000000E-0003", " 1.00000000000000E+0005", "", " 0.00000000000000E+0000",
                                  " 0.00000000000000E+0000", " 0.00000000000000E+0000"}));
    const auto loaded = testing::Load(text);
    ASSERT_EQ(loaded.combinations.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded.combinations[i].name, rows[i].name);
        EXPECT_EQ(loaded.combinations[i].Nd, rows[i].Nd);
        EXPECT_EQ(loaded.combinations[i].Mxd, rows[i].Mxd);
        EXPECT_EQ(loaded.combinations[i].Myd, rows[i].Myd);
    }
}

TEST(CombinationsFile, ACaseWithoutCombinationsIsWrittenAsAlways)
{
    EXPECT_EQ(WithCombinations({}), testing::DefaultCaseFile());
    EXPECT_TRUE(testing::Load(testing::DefaultCaseFile()).combinations.empty());
}

TEST(CombinationsFile, ANameCannotBreakItsLine)
{
    const std::string text = WithCombinations({{"dois\r\nnomes\x1a", -1, 2, 3}});
    const auto loaded = testing::Load(text);
    ASSERT_EQ(loaded.combinations.size(), 1u);
    EXPECT_EQ(loaded.combinations[0].name, "dois  nomes ");
    EXPECT_EQ(loaded.combinations[0].Myd, 3.0);
}

TEST(CombinationsFile, WhatReadsAndWhatIsRefused)
{
    const std::string base = testing::DefaultCaseFile();
    // Counts beyond the capacity are refused, naming the count.
    try {
        testing::Load(base + testing::Lines({"combinacoes", "1001"}));
        FAIL() << "no refusal";
    } catch (const ProjectFileError& error) {
        EXPECT_NE(std::string(error.what()).find("1001"), std::string::npos) << error.what();
    }
    EXPECT_THROW(testing::Load(base + testing::Lines({"combinacoes", "-1"})), ProjectFileError);
    // A bad number in the block is a bad number.
    try {
        testing::Load(base + testing::Lines({"combinacoes", "1", "a", "1,5", "0", "0"}));
        FAIL() << "no refusal";
    } catch (const ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Linha 26: ") + InvalidNumericInputMessage);
    }
    // Text after the section that is no block is refused, not left out.
    EXPECT_THROW(testing::Load(base + testing::Lines({"outra coisa", "2"})), ProjectFileError);
    // After an unrecognised shape keyword nothing more is read.
    std::string unknown = base;
    unknown.replace(unknown.find("retang"), 6, "redondo");
    EXPECT_TRUE(testing::Load(unknown + testing::Lines({"combinacoes", "1", "a", "1", "2", "3"})).combinations.empty());
}

TEST(CombinationsCsv, ReadsTheSeparatorsOfItsHeader)
{
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"semicolons", "nome;nd;mxd;myd\nELU 1;-500;60.5;20\nELU 2;-800;0;-12.25\n"},
        {"commas", "Nome, Nd, Mxd, Myd\r\nELU 1,-500,60.5,20\r\nELU 2,-800,0,-12.25\r\n"},
        {"tabs and decimal commas", "nome\tnd\tmxd\tmyd\nELU 1\t-500\t60,5\t20\n\nELU 2\t-800\t0\t-12,25"},
        {"the results of an export",
         "nome;nd;mxd;myd;situacao;eta\nELU 1;-500;60.5;20;atende;0.6\nELU 2;-800;0;-12.25;;\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CombinationList rows = ReadCombinationsCsv(c.text);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].name, "ELU 1");
        EXPECT_EQ(rows[0].Mxd, 60.5);
        EXPECT_EQ(rows[1].Nd, -800.0);
        EXPECT_EQ(rows[1].Myd, -12.25);
    }
}

TEST(CombinationsCsv, ProblemsNameTheirLine)
{
    const struct {
        const char* text;
        const char* fragment;
    } cases[] = {
        {"", "cabeçalho"},
        {"name;nd;mxd;myd\n", "Linha 1"},
        {"nome;nd;mxd;myd\na;1;2\n", "Linha 2"},
        {"nome;nd;mxd;myd\na;1;2;3\nb;x;2;3\n", "Linha 3: \"x\""},
        {"nome,nd,mxd,myd\na,1,2,3\nb,\"1,5\",2,3\n", "Linha 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ReadCombinationsCsv(c.text);
            FAIL() << "no refusal";
        } catch (const ProjectFileError& error) {
            EXPECT_NE(std::string(error.what()).find(c.fragment), std::string::npos) << error.what();
        }
    }
}

TEST(CombinationsCsv, WrittenRowsReadBack)
{
    const CombinationList rows = {{"a;b", -500.25, 1e-7, 3}, {"c", 0.1, -0.2, 1e300}};
    const CombinationList back = ReadCombinationsCsv(WriteCombinationsCsv(rows));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].name, "a b");
    EXPECT_EQ(back[0].Nd, -500.25);
    EXPECT_EQ(back[0].Mxd, 1e-7);
    EXPECT_EQ(back[1].Myd, 1e300);
}

} // namespace
} // namespace flexara
