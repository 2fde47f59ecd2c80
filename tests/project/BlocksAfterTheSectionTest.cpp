// The blocks after the section: in any order, each at most once, every other
// line refused at its line with what it holds; the column's base moments
// matched to the combination rows wherever the blocks stand.
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace flexara {
namespace {

// The three blocks as the writer writes them after the 22 lines of the
// default case: combinations on lines 23 to 32, the column on 33 to 42, the
// model on 43 to 45. The base moments differ from the top's, so that a row
// given another row's base, or its top's, writes another file.
const std::string Combinations = testing::Lines(
    {"combinacoes", "2", "ELU 1", "-1.40000000000000E+0003", " 1.00000000000000E+0001", " 0.00000000000000E+0000",
     "ELU 2", "-8.00000000000000E+0002", " 0.00000000000000E+0000", "-2.50000000000000E+0001"});
const std::string TheColumn = testing::Lines({"pilar", " 2.80000000000000E+0002", " 4.00000000000000E+0002", "0", "2",
                                              "1", "-5.00000000000000E+0000", " 0.00000000000000E+0000",
                                              " 3.00000000000000E+0000", "-2.50000000000000E+0001"});
const std::string Model = testing::Lines({"modelo", "2", "1"});

// What the batch tool's rewrite writes of a file: read, then written again.
std::string Rewritten(const std::string& bytes)
{
    auto state = std::make_unique<AnalysisState>();
    HeadlessLoader loader(*state);
    ReadProjectText(bytes, loader);
    ProjectWriteInput input;
    input.concreteIndex = loader.Selection().concreteIndex;
    input.steelIndex = loader.Selection().steelIndex;
    input.dimFieldVisible = VisibleDimFieldsOf(state->Section.ShapeKind);
    input.combinations = &loader.Combinations();
    input.column = &loader.LoadedColumn();
    return WriteProjectText(*state, input);
}

TEST(BlocksAfterTheSection, AnyOrderReadsAsTheWritersOrder)
{
    const std::string written = testing::DefaultCaseFile() + Combinations + TheColumn + Model;
    std::string unended = written;
    unended.resize(unended.size() - 2);
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"the writer's order", written},
        {"the model right after the section", testing::DefaultCaseFile() + Model + Combinations + TheColumn},
        {"the column after the model", testing::DefaultCaseFile() + Combinations + Model + TheColumn},
        {"the column first", testing::DefaultCaseFile() + TheColumn + Combinations + Model},
        {"the column, the model, the combinations", testing::DefaultCaseFile() + TheColumn + Model + Combinations},
        {"the model, the column, the combinations", testing::DefaultCaseFile() + Model + TheColumn + Combinations},
        {"blank lines and blanks around the keywords", testing::DefaultCaseFile() +
                                                           "\r\n \t\r\n  modelo \r\n2\r\n1\r\n\r\n" + Combinations +
                                                           "\r\n" + TheColumn + "   "},
        {"no line end after the last line", unended},
        {"a ^Z at the very end", written + "\x1a"},
        {"the last number running into a ^Z", unended + "\x1a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Rewritten(c.text), written);
    }
}

TEST(BlocksAfterTheSection, EveryOtherLineIsRefusedAtItsLine)
{
    const std::string expected = " (os blocos são combinacoes, pilar, modelo, pilar-b-fluencia, detalhamento)";
    const struct {
        const char* name;
        std::string tail; // after the 22 lines of the default case
        std::string message;
    } cases[] = {
        {"a keyword in capitals", testing::Lines({"Modelo", "2", "1"}),
         "Linha 23: «Modelo» não é um bloco deste programa" + expected},
        {"a keyword in capitals after the other blocks",
         Combinations + TheColumn + testing::Lines({"Modelo", "2", "1"}),
         "Linha 43: «Modelo» não é um bloco deste programa" + expected},
        {"a keyword misspelt", testing::Lines({"combinaçoes", "0"}),
         "Linha 23: «combinaçoes» não é um bloco deste programa" + expected},
        {"a byte-order mark", testing::Lines({"\xEF\xBB\xBFmodelo", "2", "1"}),
         "Linha 23: «[U+FEFF]modelo» não é um bloco deste programa" + expected},
        {"a non-breaking space in UTF-8", testing::Lines({"modelo\xC2\xA0", "2", "1"}),
         "Linha 23: «modelo[U+00A0]» não é um bloco deste programa" + expected},
        {"a non-breaking space in Windows-1252", testing::Lines({"\xA0pilar", "300", "300", "0", "0", "0"}),
         "Linha 23: «[U+00A0]pilar» não é um bloco deste programa" + expected},
        {"a stray number", Combinations + testing::Lines({"7"}),
         "Linha 33: «7» não é um bloco deste programa" + expected},
        {"a stray number after the model", Model + "0", "Linha 26: «0» não é um bloco deste programa" + expected},
        {"a second block of a kind", Combinations + Model + Combinations,
         "Linha 36: «combinacoes» outra vez: o bloco de combinações já começou na linha 23 e cada bloco vem uma só "
         "vez" +
             expected},
        {"one base row too many", Combinations + TheColumn + testing::Lines({"1", "2"}) + Model,
         "Linha 43: momentos na base a mais no bloco do pilar: 3 pares para 2 combinações"},
        {"one base row too many before the rows", TheColumn + testing::Lines({"1", "2"}) + Combinations,
         "Linha 33: momentos na base a mais no bloco do pilar: 3 pares para 2 combinações"},
        {"base moments without combinations", testing::Lines({"pilar", "300", "300", "0", "0", "0", "1", "2"}),
         "Linha 29: momentos na base a mais no bloco do pilar: 1 par para nenhuma combinação"},
        {"the 0.9·αc flag 2", testing::Lines({"modelo", "2", "2"}),
         "Linha 25: Redução de 0,9·αc desconhecida no arquivo: 2 (0 sem a redução, 1 com a redução)"},
        {"the 0.9·αc flag -1", testing::Lines({"modelo", "1", "-1"}),
         "Linha 25: Redução de 0,9·αc desconhecida no arquivo: -1 (0 sem a redução, 1 com a redução)"},
        {"a model code 3", testing::Lines({"modelo", "3", "0"}),
         "Linha 24: Modelo de cálculo desconhecido no arquivo: 3 (1 NBR 6118:2014 retangular, 2 NBR 6118:2014 "
         "parábola-retângulo)"},
        {"the model cut short", testing::Lines({"modelo", "2"}),
         "Linha 25: o arquivo acaba antes do fim do bloco do modelo (Invalid numeric input)"},
        {"the column cut short", testing::Lines({"pilar", "280"}),
         "Linha 25: o arquivo acaba antes do fim do bloco do pilar (Invalid numeric input)"},
        {"the combinations cut short", testing::Lines({"combinacoes", "1", "A"}),
         "Linha 26: o arquivo acaba antes do fim do bloco de combinações (Invalid numeric input)"},
        {"a ^Z inside the model", "modelo\r\n2\x1a",
         "Linha 24: caractere de fim de arquivo (^Z) dentro do bloco do modelo"},
        {"a ^Z with a block after it", "\x1a" + Model,
         "Linha 23: caractere de fim de arquivo (^Z) antes do fim do arquivo: depois dele vem «modelo»"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Rewritten(testing::DefaultCaseFile() + c.tail);
            ADD_FAILURE() << "no refusal";
        } catch (const ProjectFileError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
}

TEST(BlocksAfterTheSection, AC80ColumnKeepsItsParabola)
{
    // A C-80 column (concrete index 11) whose model comes after the column
    // and the combinations: its model, its rows and its column are read.
    std::string text = testing::DefaultCaseFile();
    text.replace(text.find("\r\n3\r\n") + 2, 1, "11");
    text += TheColumn + Combinations + testing::Lines({"modelo", "2", "0"});
    auto state = std::make_unique<AnalysisState>();
    HeadlessLoader loader(*state);
    ReadProjectText(text, loader);
    EXPECT_EQ(loader.Selection().concreteIndex, 11);
    EXPECT_EQ(state->Model, CalculationModel::NbrParabolaRectangle);
    ASSERT_EQ(loader.Combinations().size(), 2u);
    ASSERT_TRUE(loader.LoadedColumn().has_value());
    EXPECT_EQ(loader.Combinations()[1].MxdBase, 3.0);
}

} // namespace
} // namespace flexara
