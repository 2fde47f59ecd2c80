// The column in the project file: the block "pilar" after the combinations
// and before the model, the base moments of every row, a case without a
// column written as always, and damaged blocks refused at their line.
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace flexara {
namespace {

Column MakeColumn(double leX, double leY, SupportCondition x, SupportCondition y, SecondOrderMethod method)
{
    Column column;
    column.bending[0] = {leX, x};
    column.bending[1] = {leY, y};
    column.method = method;
    return column;
}

std::string Written(const CombinationList& rows, const std::optional<Column>& column,
                    CalculationModel model = CalculationModel::Classic)
{
    auto s = testing::Load(testing::DefaultCaseFile()).state;
    s->Model = model;
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(ShapeRectangle);
    input.combinations = &rows;
    input.column = &column;
    return WriteProjectText(*s, input);
}

struct LoadedColumn {
    testing::Loaded loaded;
    std::optional<Column> column;
};

LoadedColumn LoadWithColumn(const std::string& bytes)
{
    LoadedColumn out;
    HeadlessLoader loader(*out.loaded.state);
    ReadProjectText(bytes, loader);
    out.loaded.combinations = loader.Combinations();
    out.column = loader.LoadedColumn();
    return out;
}

const std::string TwoRows = testing::Lines(
    {"combinacoes", "2", "ELU 1", "-1.40000000000000E+0003", " 1.00000000000000E+0001", " 0.00000000000000E+0000",
     "ELU 2", "-8.00000000000000E+0002", " 0.00000000000000E+0000", "-2.50000000000000E+0001"});

TEST(ColumnFile, TheBlockFollowsTheCombinationsAndReadsBack)
{
    // Row 1 gives its base moments, row 2 none: written with its top's.
    const CombinationList rows = {{"ELU 1", -1400, 10, 0, -5.0, 0.0}, {"ELU 2", -800, 0, -25}};
    const std::optional<Column> column = MakeColumn(280, 400.5, SupportCondition::PinnedWithoutTransverseLoads,
                                                    SupportCondition::Cantilever, SecondOrderMethod::Stiffness);
    const struct {
        const char* name;
        CombinationList rows;
        CalculationModel model;
        std::string tail; // after the 22 lines of the default case
    } cases[] = {
        {"with rows", rows, CalculationModel::Classic,
         TwoRows + testing::Lines({"pilar", " 2.80000000000000E+0002", " 4.00500000000000E+0002", "0", "2", "1",
                                   "-5.00000000000000E+0000", " 0.00000000000000E+0000", " 0.00000000000000E+0000",
                                   "-2.50000000000000E+0001"})},
        {"without rows: the data alone",
         {},
         CalculationModel::Classic,
         testing::Lines({"pilar", " 2.80000000000000E+0002", " 4.00500000000000E+0002", "0", "2", "1"})},
        {"before the model", rows, CalculationModel::NbrParabolaRectangle,
         TwoRows + testing::Lines({"pilar", " 2.80000000000000E+0002", " 4.00500000000000E+0002", "0", "2", "1",
                                   "-5.00000000000000E+0000", " 0.00000000000000E+0000", " 0.00000000000000E+0000",
                                   "-2.50000000000000E+0001", "modelo", "2", "0"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = Written(c.rows, column, c.model);
        EXPECT_EQ(text, testing::DefaultCaseFile() + c.tail);
        const LoadedColumn back = LoadWithColumn(text);
        ASSERT_TRUE(back.column.has_value());
        for (int k = 0; k < BendingCount; ++k) {
            EXPECT_EQ(back.column->bending[k].le, column->bending[k].le);
            EXPECT_EQ(back.column->bending[k].condition, column->bending[k].condition);
        }
        EXPECT_EQ(back.column->method, column->method);
        EXPECT_EQ(back.loaded.state->Model, c.model);
        ASSERT_EQ(back.loaded.combinations.size(), c.rows.size());
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            SCOPED_TRACE(i);
            // Read back, every row has its base moments: given, or the top's.
            EXPECT_EQ(back.loaded.combinations[i].MxdBase, c.rows[i].MxdBase.value_or(c.rows[i].Mxd));
            EXPECT_EQ(back.loaded.combinations[i].MydBase, c.rows[i].MydBase.value_or(c.rows[i].Myd));
            EXPECT_EQ(back.loaded.combinations[i].Mxd, c.rows[i].Mxd);
        }
        // And written again byte for byte.
        EXPECT_EQ(Written(back.loaded.combinations, back.column, c.model), text);
    }
}

TEST(ColumnFile, ACaseWithoutAColumnIsWrittenAsAlways)
{
    // Base moments without a column are no part of the file.
    const CombinationList rows = {{"ELU 1", -1400, 10, 0, -5.0, 7.0}, {"ELU 2", -800, 0, -25}};
    EXPECT_EQ(Written(rows, std::nullopt), testing::DefaultCaseFile() + TwoRows);
    EXPECT_EQ(Written({}, std::nullopt), testing::DefaultCaseFile());
    const LoadedColumn back = LoadWithColumn(testing::DefaultCaseFile() + TwoRows);
    EXPECT_FALSE(back.column.has_value());
    ASSERT_EQ(back.loaded.combinations.size(), 2u);
    EXPECT_FALSE(back.loaded.combinations[0].MxdBase.has_value());
    EXPECT_FALSE(back.loaded.combinations[1].MydBase.has_value());
}

TEST(ColumnFile, WhereTheBlockIsReadAndWhereNot)
{
    const std::string data = testing::Lines({"pilar", "300", "300", "1", "1", "0"});
    const struct {
        const char* name;
        std::string tail;
        bool column;
        std::size_t rows;
        CalculationModel model;
    } cases[] = {
        {"alone", data, true, 0, CalculationModel::Classic},
        {"with blanks and blank lines", testing::Lines({"", "  pilar\t", "300", "300", "1", "1", "0"}), true, 0,
         CalculationModel::Classic},
        {"then the model", data + testing::Lines({"modelo", "1", "0"}), true, 0, CalculationModel::NbrRectangular},
        // The blocks come in any order.
        {"after the model", testing::Lines({"modelo", "1", "0"}) + data, true, 0, CalculationModel::NbrRectangular},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LoadedColumn back = LoadWithColumn(testing::DefaultCaseFile() + c.tail);
        EXPECT_EQ(back.column.has_value(), c.column);
        EXPECT_EQ(back.loaded.combinations.size(), c.rows);
        EXPECT_EQ(back.loaded.state->Model, c.model);
        if (c.column) {
            EXPECT_EQ(back.column->bending[1].le, 300.0);
            EXPECT_EQ(back.column->bending[0].condition, SupportCondition::PinnedWithTransverseLoads);
        }
    }
}

TEST(ColumnFile, ADamagedBlockIsRefusedAtItsLine)
{
    // The default case ends at line 22; with TwoRows "pilar" is line 33, its
    // lengths 34 and 35, the conditions 36 and 37, the method 38, the base
    // moments 39 to 42.
    const std::string head = testing::DefaultCaseFile() + TwoRows;
    const std::string data = "pilar\r\n300\r\n300\r\n0\r\n0\r\n0\r\n";
    const struct {
        const char* name;
        std::string tail;
        const char* message; // the start of the message
    } cases[] = {
        {"a comma in a length", testing::Lines({"pilar", "280,0"}), "Linha 34: Invalid numeric input"},
        {"a word for a condition", testing::Lines({"pilar", "280", "280", "balanço"}),
         "Linha 36: Invalid numeric input"},
        {"a condition out of range", testing::Lines({"pilar", "280", "280", "0", "3", "0"}),
         "Linha 37: condição de apoio do pilar desconhecida: 3"},
        {"a negative condition", testing::Lines({"pilar", "280", "280", "-1", "0", "0"}),
         "Linha 36: condição de apoio do pilar desconhecida: -1"},
        {"a method out of range", testing::Lines({"pilar", "280", "280", "0", "0", "3"}),
         "Linha 38: método do pilar desconhecido: 3"},
        {"a negative length", testing::Lines({"pilar", "-1", "280", "0", "0", "0"}),
         "Linha 34: comprimento de flambagem do pilar negativo"},
        {"the file ends in the data", testing::Lines({"pilar", "280"}),
         "Linha 35: o arquivo acaba antes do fim do bloco do pilar"},
        {"rows the base moments do not fill", data + testing::Lines({"1", "2", "3"}),
         "Linha 42: o arquivo acaba antes do fim do bloco do pilar"},
        {"the model where a base moment belongs", data + testing::Lines({"1", "2", "modelo", "1", "0"}),
         "Linha 41: faltam momentos na base no bloco do pilar: 1 par para 2 combinações"},
        {"a ^Z inside", data + "1\r\n\x1a", "Linha 40: caractere de fim de arquivo (^Z) dentro do bloco do pilar"},
        {"the keyword exactly", testing::Lines({"Pilar", "300", "300", "1", "1", "0"}),
         "Linha 33: «Pilar» não é um bloco deste programa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            LoadWithColumn(head + c.tail);
            FAIL() << "no refusal";
        } catch (const ProjectFileError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
    // A column before the combinations still owes them their base moments.
    try {
        LoadWithColumn(testing::DefaultCaseFile() + data + TwoRows);
        ADD_FAILURE() << "no refusal";
    } catch (const ProjectFileError& error) {
        EXPECT_STREQ(error.what(),
                     "Linha 29: faltam momentos na base no bloco do pilar: nenhum par para 2 combinações");
    }
    // The whole block reads, with or without the last line end.
    EXPECT_TRUE(LoadWithColumn(head + data + testing::Lines({"1", "2", "3", "4"})).column.has_value());
    EXPECT_TRUE(LoadWithColumn(head + data + "1\r\n2\r\n3\r\n4").column.has_value());
}

} // namespace
} // namespace flexara
