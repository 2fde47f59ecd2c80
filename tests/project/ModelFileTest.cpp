// The calculation model in the project file: the block "modelo" after the
// section and the combinations, none for a classic case, and what the reader
// makes of it.
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace flexara {
namespace {

std::string Written(CalculationModel model, bool reduced, const CombinationList& rows = {})
{
    auto s = testing::Load(testing::DefaultCaseFile()).state;
    s->Model = model;
    s->ReducedBlockStress = reduced;
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(ShapeRectangle);
    input.combinations = &rows;
    return WriteProjectText(*s, input);
}

const std::string OneCombination = testing::Lines(
    {"combinacoes", "1", "ELU", "-5.00000000000000E+0002", " 0.00000000000000E+0000", " 0.00000000000000E+0000"});

TEST(ModelFile, TheBlockComesLastAndOnlyForACodeModel)
{
    struct Case {
        const char* name;
        CalculationModel model;
        bool reduced;
        bool combinations;
        std::string tail; // after the 22 lines of the default case
    };
    const Case cases[] = {
        {"classic", CalculationModel::Classic, false, false, ""},
        // The flag of a classic case has no meaning and no line.
        {"classic with the flag", CalculationModel::Classic, true, false, ""},
        {"classic with combinations", CalculationModel::Classic, false, true, OneCombination},
        {"rectangular", CalculationModel::NbrRectangular, false, false, testing::Lines({"modelo", "1", "0"})},
        {"rectangular, 0.9·αc", CalculationModel::NbrRectangular, true, false, testing::Lines({"modelo", "1", "1"})},
        {"parabola", CalculationModel::NbrParabolaRectangle, false, false, testing::Lines({"modelo", "2", "0"})},
        // The flag is kept as set, for a later return to the rectangle.
        {"parabola with the flag", CalculationModel::NbrParabolaRectangle, true, false,
         testing::Lines({"modelo", "2", "1"})},
        {"rectangular with combinations", CalculationModel::NbrRectangular, true, true,
         OneCombination + testing::Lines({"modelo", "1", "1"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CombinationList rows = c.combinations ? CombinationList{{"ELU", -500.0, 0.0, 0.0}} : CombinationList{};
        const std::string text = Written(c.model, c.reduced, rows);
        EXPECT_EQ(text, testing::DefaultCaseFile() + c.tail);
        // And it reads back to the same case and the same file.
        const auto loaded = testing::Load(text);
        EXPECT_EQ(loaded.state->Model, c.model);
        EXPECT_EQ(loaded.state->ReducedBlockStress, c.model != CalculationModel::Classic && c.reduced);
        EXPECT_EQ(loaded.combinations.size(), rows.size());
        ProjectWriteInput input;
        input.dimFieldVisible = VisibleDimFieldsOf(ShapeRectangle);
        input.combinations = &loaded.combinations;
        EXPECT_EQ(WriteProjectText(*loaded.state, input), text);
    }
}

TEST(ModelFile, WhatTheReaderMakesOfIt)
{
    const std::string base = testing::DefaultCaseFile();
    struct Case {
        const char* name;
        std::string tail;
        CalculationModel model;
        bool reduced;
        std::size_t combinations;
    };
    const Case cases[] = {
        {"no block: classic, whatever the state held before", "", CalculationModel::Classic, false, 0},
        {"0, never written, is the classic model", testing::Lines({"modelo", "0", "1"}), CalculationModel::Classic,
         true, 0},
        {"after combinations", OneCombination + testing::Lines({"modelo", "2", "1"}),
         CalculationModel::NbrParabolaRectangle, true, 1},
        {"after an empty block of combinations", testing::Lines({"combinacoes", "0", "modelo", "2", "0"}),
         CalculationModel::NbrParabolaRectangle, false, 0},
        // The blocks come in any order.
        {"combinations after the model", testing::Lines({"modelo", "1", "0"}) + OneCombination,
         CalculationModel::NbrRectangular, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Loaded loaded;
        loaded.state->Model = CalculationModel::NbrParabolaRectangle; // what an earlier case left
        loaded.state->ReducedBlockStress = true;
        HeadlessLoader loader(*loaded.state);
        ReadProjectText(base + c.tail, loader);
        EXPECT_EQ(loaded.state->Model, c.model);
        EXPECT_EQ(loaded.state->ReducedBlockStress, c.reduced);
        EXPECT_EQ(loader.Combinations().size(), c.combinations);
    }
}

TEST(ModelFile, UnknownModelsAndBadNumbersAreRefused)
{
    const std::string base = testing::DefaultCaseFile();
    for (const char* code : {"3", "-1", "255"}) {
        SCOPED_TRACE(code);
        try {
            testing::Load(base + testing::Lines({"modelo", code, "0"}));
            FAIL() << "no refusal";
        } catch (const ProjectFileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("Modelo de cálculo desconhecido"), std::string::npos) << message;
            EXPECT_NE(message.find(std::string(": ") + code), std::string::npos) << message;
        }
    }
    // A damaged block is refused at its line, as a damaged block of
    // combinations is (the default case ends at line 22); so is a flag other
    // than 0 or 1, a block twice and a line that opens no block.
    const struct {
        std::string tail;
        const char* message;
    } damaged[] = {
        {testing::Lines({"modelo", "1,0", "0"}), "Linha 24: Invalid numeric input"},
        {testing::Lines({"modelo"}), "Linha 24"},
        {testing::Lines({"modelo", "1"}), "Linha 25"},
        {testing::Lines({"modelo", "1", "7"}), "Linha 25: Redução de 0,9·αc desconhecida no arquivo: 7"},
        {testing::Lines({"modelo", "1", "0", "modelo", "2", "1"}), "Linha 26: «modelo» outra vez"},
        {testing::Lines({"outra coisa", "modelo", "1", "0"}), "Linha 23: «outra coisa» não é um bloco"},
        {testing::Lines({"Modelo", "1", "0"}), "Linha 23: «Modelo» não é um bloco"},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.tail);
        try {
            testing::Load(base + d.tail);
            FAIL() << "no refusal";
        } catch (const ProjectFileError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(d.message, 0), 0u) << error.what();
        }
    }
    // After an unrecognised shape keyword nothing more is read, a model neither.
    std::string unknown = base;
    unknown.replace(unknown.find("retang"), 6, "redondo");
    EXPECT_EQ(testing::Load(unknown + testing::Lines({"modelo", "1", "0"})).state->Model, CalculationModel::Classic);
}

} // namespace
} // namespace flexara
