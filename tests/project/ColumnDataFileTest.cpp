// The column's b and creep in the project file: the block "pilar-b-fluencia"
// after every other block, written only for a column that has any of them
// (a column without them is written byte for byte as before), read back to
// the same data, the coupled method's code 2 in "pilar", and a damaged
// block refused at its line.
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace flexara {
namespace {

// The default case with its section a free polygon of three vertices, the
// one shape whose column is given b.
std::string PolygonCaseFile()
{
    std::string text = testing::DefaultCaseFile();
    const std::string rectangle = testing::Lines({"4", "retang", " 0.00000000000000E+0000", " 0.00000000000000E+0000"});
    text.replace(
        text.find(rectangle), rectangle.size(),
        testing::Lines({"3", "qual", " 0.00000000000000E+0000", " 0.00000000000000E+0000", " 2.00000000000000E+0001",
                        " 0.00000000000000E+0000", " 0.00000000000000E+0000", " 4.00000000000000E+0001"}));
    return text;
}

std::string Written(const CombinationList& rows, const std::optional<Column>& column,
                    CalculationModel model = CalculationModel::Classic,
                    const std::string& section = testing::DefaultCaseFile())
{
    auto s = testing::Load(section).state;
    s->Model = model;
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(s->Section.ShapeKind);
    input.combinations = &rows;
    input.column = &column;
    return WriteProjectText(*s, input);
}

std::optional<Column> ReadColumn(const std::string& bytes, CombinationList* rows = nullptr)
{
    testing::Loaded loaded;
    HeadlessLoader loader(*loaded.state);
    ReadProjectText(bytes, loader);
    if (rows)
        *rows = loader.Combinations();
    return loader.LoadedColumn();
}

Column BaseColumn(SecondOrderMethod method)
{
    Column column;
    column.bending[0] = {450, SupportCondition::PinnedWithoutTransverseLoads};
    column.bending[1] = {300, SupportCondition::Cantilever};
    column.method = method;
    return column;
}

// The block "pilar" of BaseColumn without rows, and the model's block.
const std::string ColumnLines =
    testing::Lines({"pilar", " 4.50000000000000E+0002", " 3.00000000000000E+0002", "0", "2"});
const std::string ModelLines = testing::Lines({"modelo", "2", "0"});

TEST(ColumnDataFile, WrittenAfterEveryBlockOnlyWhenGivenAndReadBack)
{
    const struct {
        const char* name;
        std::optional<double> b, phi, psi;
        Aggregate aggregate;
        SecondOrderMethod method;
        std::string data; // the block, empty where none is written
    } cases[] = {
        {"nothing new: the file of before", {}, {}, {}, Aggregate::GraniteOrGneiss, SecondOrderMethod::Curvature, ""},
        {"the coupled method alone is the column block's",
         {},
         {},
         {},
         Aggregate::GraniteOrGneiss,
         SecondOrderMethod::Coupled,
         ""},
        {"b of a free polygon",
         14.5,
         {},
         {},
         Aggregate::GraniteOrGneiss,
         SecondOrderMethod::Curvature,
         testing::Lines({"pilar-b-fluencia", "1", " 1.45000000000000E+0001", "0", "0", "0"})},
        {"creep",
         {},
         2.0,
         0.6,
         Aggregate::GraniteOrGneiss,
         SecondOrderMethod::Coupled,
         testing::Lines(
             {"pilar-b-fluencia", "0", "1", " 2.00000000000000E+0000", "1", " 6.00000000000000E-0001", "0"})},
        {"the aggregate alone",
         {},
         {},
         {},
         Aggregate::Sandstone,
         SecondOrderMethod::Stiffness,
         testing::Lines({"pilar-b-fluencia", "0", "0", "0", "3"})},
        {"everything, ψ = 0 and φ = 0 given", 20.0, 0.0, 0.0, Aggregate::Basalt, SecondOrderMethod::Coupled,
         testing::Lines({"pilar-b-fluencia", "1", " 2.00000000000000E+0001", "1", " 0.00000000000000E+0000", "1",
                         " 0.00000000000000E+0000", "1"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Column column = BaseColumn(c.method);
        column.leastDimension = c.b;
        column.creepCoefficient = c.phi;
        column.quasiPermanentShare = c.psi;
        column.aggregate = c.aggregate;
        const std::string methodLine = std::to_string(static_cast<int>(c.method)) + "\r\n";
        // b belongs to a free polygon's column.
        const std::string section = c.b ? PolygonCaseFile() : testing::DefaultCaseFile();
        const std::string text = Written({}, column, CalculationModel::NbrParabolaRectangle, section);
        // After the column and the model: the new block is the last.
        EXPECT_EQ(text, section + ColumnLines + methodLine + ModelLines + c.data);
        const std::optional<Column> back = ReadColumn(text);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, column);
        EXPECT_EQ(Written({}, back, CalculationModel::NbrParabolaRectangle, section), text);
    }
}

TEST(ColumnDataFile, WithRowsTheBaseMomentsStayInTheColumnBlock)
{
    const CombinationList rows = {{"ELU 1", -800, 10, 0, -5.0, 0.0}};
    Column column = BaseColumn(SecondOrderMethod::Coupled);
    column.creepCoefficient = 2.5;
    column.quasiPermanentShare = 0.7;
    const std::string text = Written(rows, column);
    CombinationList back;
    const std::optional<Column> read = ReadColumn(text, &back);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, column);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].MxdBase, -5.0);
    // The blocks read in any order: the new one first as well.
    const std::size_t at = text.find("pilar-b-fluencia");
    ASSERT_NE(at, std::string::npos);
    const std::string section = text.substr(0, text.find("combinacoes"));
    const std::string reordered = section + text.substr(at) + text.substr(section.size(), at - section.size());
    EXPECT_EQ(ReadColumn(reordered), column);
}

TEST(ColumnDataFile, ADamagedBlockIsRefusedAtItsLine)
{
    // The default case ends at line 22, "pilar" and its five lines are 23 to
    // 28, so the new block opens at line 29 and its first flag is line 30.
    const std::string head = testing::DefaultCaseFile() + ColumnLines + "2\r\n";
    const struct {
        const char* name;
        std::string tail;
        const char* message; // the start of the message
    } cases[] = {
        {"a flag that is neither 0 nor 1", testing::Lines({"pilar-b-fluencia", "2"}),
         "Linha 30: indicação de menor dimensão b do pilar desconhecida: 2"},
        {"b of 0", testing::Lines({"pilar-b-fluencia", "1", "0", "0", "0", "0"}),
         "Linha 31: menor dimensão b do pilar fora dos limites"},
        // The rectangle has its own b: one given would be read and not used.
        {"b of a rectangle", testing::Lines({"pilar-b-fluencia", "1", "14", "0", "0", "0"}),
         "Linha 31: menor dimensão b do pilar numa seção «retang»: só um polígono qualquer («qual») a informa"},
        {"a negative φ", testing::Lines({"pilar-b-fluencia", "0", "1", "-0.5", "0", "0"}),
         "Linha 32: coeficiente de fluência φ fora dos limites"},
        {"ψ above 1", testing::Lines({"pilar-b-fluencia", "0", "0", "1", "1.2", "0"}),
         "Linha 33: parcela quase permanente ψ fora dos limites"},
        {"an aggregate out of range", testing::Lines({"pilar-b-fluencia", "0", "0", "0", "4"}),
         "Linha 33: agregado do concreto desconhecido: 4"},
        {"a comma in b", testing::Lines({"pilar-b-fluencia", "1", "14,5"}), "Linha 31: Invalid numeric input"},
        {"the file ends before the aggregate", testing::Lines({"pilar-b-fluencia", "0", "0", "0"}),
         "Linha 33: o arquivo acaba antes do fim do bloco de b e fluência do pilar"},
        {"twice", testing::Lines({"pilar-b-fluencia", "0", "0", "0", "1", "pilar-b-fluencia"}),
         "Linha 34: «pilar-b-fluencia» outra vez"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ReadColumn(head + c.tail);
            FAIL() << "no refusal";
        } catch (const ProjectFileError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
    // Without the column the data belong to nothing.
    try {
        ReadColumn(testing::DefaultCaseFile() + testing::Lines({"pilar-b-fluencia", "0", "0", "0", "1"}));
        ADD_FAILURE() << "no refusal";
    } catch (const ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Linha 23: o bloco «pilar-b-fluencia» completa o pilar", 0), 0u)
            << error.what();
    }
    // The coupled method's code reads; the block whole, with or without its last line end.
    EXPECT_EQ(ReadColumn(head)->method, SecondOrderMethod::Coupled);
    EXPECT_EQ(ReadColumn(head + "pilar-b-fluencia\r\n0\r\n0\r\n0\r\n2")->aggregate, Aggregate::Limestone);
}

TEST(ColumnDataFile, TheRangesOfTheData)
{
    const struct {
        ColumnDatum datum;
        double value;
        bool valid;
    } cases[] = {
        {ColumnDatum::LeastDimension, 0.0, false},
        {ColumnDatum::LeastDimension, -14.0, false},
        {ColumnDatum::LeastDimension, 1e-9, true},
        {ColumnDatum::CreepCoefficient, 0.0, true},
        {ColumnDatum::CreepCoefficient, -1e-12, false},
        {ColumnDatum::QuasiPermanentShare, 1.0, true},
        {ColumnDatum::QuasiPermanentShare, 1.0000001, false},
        {ColumnDatum::QuasiPermanentShare, std::numeric_limits<double>::quiet_NaN(), false},
        {ColumnDatum::CreepCoefficient, std::numeric_limits<double>::infinity(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColumnDatumValid(c.datum, c.value), c.valid) << static_cast<int>(c.datum) << " " << c.value;
}

} // namespace
} // namespace flexara
