// The detailing data in the project file: the block "detalhamento" after the
// others, only when the case has the data, read back whole, and what the
// strict reader refuses in it.
#include "project/HeadlessLoader.h"
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace flexara {
namespace {

std::string Written(const std::optional<Detailing>& detailing, CalculationModel model = CalculationModel::Classic)
{
    auto s = testing::Load(testing::DefaultCaseFile()).state;
    s->Model = model;
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(ShapeRectangle);
    input.detailing = &detailing;
    return WriteProjectText(*s, input);
}

std::optional<Detailing> ReadBack(const std::string& text)
{
    AnalysisState s;
    std::optional<Detailing> detailing;
    LoadProjectTextHeadless(text, s, nullptr, nullptr, &detailing);
    return detailing;
}

TEST(DetailingFile, TheBlockAfterTheOthersAndReadBack)
{
    Detailing byClass; // class II, φt automático, dmax 19
    Detailing typed;
    typed.environment.reset();
    typed.typedCover = 3.5;
    typed.stirrupDiameter = 6.3;
    typed.aggregateSize = 25;
    typed.stirrupSpacing = 15;
    const struct {
        const char* name;
        std::optional<Detailing> detailing;
        CalculationModel model;
        std::string tail; // after the 22 lines of the default case
    } cases[] = {
        // Without the data the file is the file of old, byte for byte.
        {"none", std::nullopt, CalculationModel::Classic, ""},
        {"class II", byClass, CalculationModel::Classic,
         testing::Lines({"detalhamento", "2", " 3.00000000000000E+0000", " 0.00000000000000E+0000",
                         " 1.90000000000000E+0001", " 0.00000000000000E+0000"})},
        {"typed, after the model", typed, CalculationModel::NbrRectangular,
         testing::Lines({"modelo", "1", "0", "detalhamento", "0", " 3.50000000000000E+0000", " 6.30000000000000E+0000",
                         " 2.50000000000000E+0001", " 1.50000000000000E+0001"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = Written(c.detailing, c.model);
        EXPECT_EQ(text, testing::DefaultCaseFile() + c.tail);
        const std::optional<Detailing> read = ReadBack(text);
        EXPECT_EQ(read, c.detailing);
        EXPECT_EQ(Written(read, c.model), text);
    }
    // The blocks in another order read the same.
    const std::string reordered =
        testing::DefaultCaseFile() + testing::Lines({"detalhamento", "4", "5", "8", "19", "0", "modelo", "2", "0"});
    const std::optional<Detailing> read = ReadBack(reordered);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->environment, EnvironmentClass::IV);
    EXPECT_EQ(read->Cover(), 5.0);
    EXPECT_EQ(read->stirrupDiameter, 8.0);
}

TEST(DetailingFile, WhatTheReaderRefuses)
{
    const struct {
        const char* name;
        std::string block;
        const char* message;
    } cases[] = {
        {"a class beyond IV", testing::Lines({"detalhamento", "5", "3", "0", "19", "0"}),
         "Linha 24: classe de agressividade ambiental desconhecida: 5"},
        {"a class with another cover", testing::Lines({"detalhamento", "2", "3.5", "0", "19", "0"}),
         "Linha 25: cobrimento do detalhamento diferente do da classe 2: 3,5 cm em vez de 3 cm"},
        {"a typed cover of 0", testing::Lines({"detalhamento", "0", "0", "0", "19", "0"}),
         "Linha 25: cobrimento do detalhamento não positivo"},
        {"a stirrup off the list", testing::Lines({"detalhamento", "1", "2.5", "7", "19", "0"}),
         "Linha 26: diâmetro do estribo fora da lista: 7 mm"},
        {"no aggregate", testing::Lines({"detalhamento", "1", "2.5", "5", "0", "0"}),
         "Linha 27: dimensão máxima do agregado não positiva"},
        {"a negative spacing", testing::Lines({"detalhamento", "1", "2.5", "5", "19", "-1"}),
         "Linha 28: espaçamento dos estribos negativo"},
        {"cut short", testing::Lines({"detalhamento", "1", "2.5", "5"}),
         "o arquivo acaba antes do fim do bloco do detalhamento"},
        {"twice",
         testing::Lines({"detalhamento", "1", "2.5", "5", "19", "0", "detalhamento", "1", "2.5", "5", "19", "0"}),
         "Linha 29: «detalhamento» outra vez"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ReadBack(testing::DefaultCaseFile() + c.block);
            ADD_FAILURE() << "read";
        } catch (const ProjectFileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace flexara
