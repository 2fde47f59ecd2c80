// The block of load combinations read strictly: a damaged block is an error
// at the line where the damage is, never rows made up; the header and the
// blocks before it keep the reading they always had.
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace flexara {
namespace {

// The 22 lines of the default case, then the block's text: the keyword is
// line 23, the count 24, the first name 25 and its Nd 26.
std::string WithBlock(const std::string& block)
{
    return testing::DefaultCaseFile() + block;
}

TEST(CombinationsBlock, DamageIsAnErrorAtItsLine)
{
    const struct {
        const char* name;
        std::string block;
        const char* message;
    } cases[] = {
        {"a count larger than the rows", "combinacoes\r\n2\r\nA\r\n-500\r\n60\r\n20\r\n",
         "Linha 29: o arquivo acaba antes do fim do bloco de combinações (Invalid numeric input)"},
        {"the last number cut off in its exponent", "combinacoes\r\n1\r\nA\r\n-500\r\n60\r\n 2.0E",
         "Linha 28: Invalid numeric input"},
        {"a number that is no real", "combinacoes\r\n1\r\nA\r\n-500\r\n6O\r\n20\r\n",
         "Linha 27: Invalid numeric input"},
        {"a number longer than any real", "combinacoes\r\n1\r\nA\r\n1" + std::string(70, '0') + "\r\n0\r\n0\r\n",
         "Linha 26: Invalid numeric input"},
        {"^Z in a name ending the file", "combinacoes\r\n1\r\nELU\x1a",
         "Linha 25: caractere de fim de arquivo (^Z) dentro do bloco de combinações"},
        {"^Z between two numbers", "combinacoes\r\n1\r\nA\r\n-500\r\n\x1a\r\n60\r\n20\r\n",
         "Linha 27: caractere de fim de arquivo (^Z)"},
        {"a count that is no integer", "combinacoes\r\n1.5\r\n", "Linha 24: Invalid numeric input"},
        // After the section a ^Z may only close the file.
        {"^Z before the keyword",
         "\x1a"
         "combinacoes\r\n1\r\nA\r\n-500\r\n60\r\n20\r\n",
         "Linha 23: caractere de fim de arquivo (^Z) antes do fim do arquivo: depois dele vem «combinacoes»"},
        {"text after the section that is no block", "outra coisa\r\n2\r\n",
         "Linha 23: «outra coisa» não é um bloco deste programa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            const auto loaded = testing::Load(WithBlock(c.block));
            ADD_FAILURE() << "read " << loaded.combinations.size() << " rows";
        } catch (const ProjectFileError& error) {
            EXPECT_EQ(std::string(error.what()).find(c.message), 0u) << error.what();
        }
    }
}

TEST(CombinationsBlock, WhatReadsWhole)
{
    const std::string row = "A\r\n-500\r\n60\r\n20\r\n";
    const struct {
        const char* name;
        std::string text;
        std::size_t rows;
    } cases[] = {
        {"the keyword with blanks after it", WithBlock("combinacoes  \r\n1\r\n" + row), 1},
        {"the keyword after a blank line", WithBlock("\r\n\r\ncombinacoes\r\n1\r\n" + row), 1},
        {"a DOS ^Z after the block", WithBlock("combinacoes\r\n1\r\n" + row + "\x1a"), 1},
        {"line ends of LF alone", WithBlock("combinacoes\n1\nA\n-500\n60\n20\n"), 1},
        // As Notepad saves it.
        {"the last number without its line end", WithBlock("combinacoes\r\n1\r\nA\r\n-500\r\n60\r\n 2.0E1"), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto loaded = testing::Load(c.text);
        ASSERT_EQ(loaded.combinations.size(), c.rows);
        if (c.rows > 0) {
            EXPECT_EQ(loaded.combinations[0].name, "A");
            EXPECT_EQ(loaded.combinations[0].Myd, 20.0);
        }
    }
}

TEST(CombinationsBlock, ANameInTheWindowsCodePageIsReadAsUtf8)
{
    const auto loaded = testing::Load(WithBlock("combinacoes\r\n1\r\nTra\xE7\xE3o\r\n1\r\n2\r\n3\r\n"));
    ASSERT_EQ(loaded.combinations.size(), 1u);
    EXPECT_EQ(loaded.combinations[0].name, "Tração");
}

TEST(CombinationsBlock, TheHeaderKeepsItsReading)
{
    // A ^Z in the header still ends the file: the rest reads as zeros, and a
    // number cut there is still a number.
    std::string text = testing::DefaultCaseFile();
    text.insert(text.find("100\r\n") + 3, "\x1a");
    const auto loaded = testing::Load(text + "combinacoes\r\n1\r\nA\r\n1\r\n2\r\n3\r\n");
    EXPECT_EQ(loaded.state->CurvePointCount, 100);
    EXPECT_EQ(loaded.state->AlphaC, 0.0);
    EXPECT_TRUE(loaded.combinations.empty());
}

} // namespace
} // namespace flexara
