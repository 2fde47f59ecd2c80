// The text a user brings in, from a spreadsheet, a text editor or the
// clipboard: read as written or refused with its line, never guessed.
#include "project/CsvText.h"
#include "project/ProjectFile.h"
#include "project/TextDecoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace flexara {
namespace {

// The message of the refusal, or "" when the text was read.
template <class Read> std::string Refusal(Read read)
{
    try {
        read();
    } catch (const ProjectFileError& error) {
        return error.what();
    }
    return "";
}

TEST(TextDecoding, EveryEncodingAUserHasComesOutAsUtf8)
{
    const struct {
        const char* name;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"UTF-8 as it is", "Tração", "Tração"},
        {"UTF-8 with its byte-order mark", "\xEF\xBB\xBFTração", "Tração"},
        // Excel's plain CSV in Brazil: ç = E7, ã = E3, the euro sign 80.
        {"Windows-1252", "Tra\xE7\xE3o \x80", "Tração €"},
        {"a code the page leaves undefined", "a\x81z", "a\xEF\xBF\xBDz"},
        {"UTF-16 little-endian",
         std::string("\xFF\xFE"
                     "A\0\xE7\0",
                     6),
         "Aç"},
        {"UTF-16 big-endian", std::string("\xFE\xFF\0A\0\xE7", 6), "Aç"},
        {"UTF-16 with a pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},
        {"UTF-16 cut in half",
         std::string("\xFF\xFE"
                     "A\0B",
                     5),
         "A\xEF\xBF\xBD"},
        {"an overlong slash is no UTF-8", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"a surrogate is no UTF-8", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = DecodeText(c.bytes);
        EXPECT_EQ(text, c.text);
        EXPECT_TRUE(IsValidUtf8(text));
    }
}

TEST(CombinationsCsv, NothingIsGuessed)
{
    const struct {
        const char* name;
        std::string text;
        const char* fragment; // of the refusal
    } cases[] = {
        // A decimal comma in a comma-separated file splits the number.
        {"a decimal comma among comma separators", "nome,nd,mxd,myd\nELU 1,-500,5,2,5,75\n",
         "Linha 2: 6 campos, mas o cabeçalho tem 4 (com a vírgula separando os campos não pode haver vírgula decimal"},
        {"a row short of the header", "nome;nd;mxd;myd;situacao\nELU 1;-500;60;20\n", "Linha 2: 4 campos"},
        // A thousands point among decimal commas is no decimal point.
        {"a thousands point", "nome;nd;mxd;myd\nELU 1;-1.900;60,5;20\n",
         "Linha 2, coluna 2: \"-1.900\" é ambíguo: o texto usa a vírgula como separador decimal"},
        {"both marks in one number", "nome\tnd\tmxd\tmyd\nA\t-1.000,5\t1\t2\n", "Linha 2, coluna 2"},
        {"a header that is no header", "name;nd;mxd;myd\nA;1;2;3\n", "Linha 1: o cabeçalho"},
        {"a cell that is no number", "nome;nd;mxd;myd\nA;1;2;3\nB;x;2;3\n", "Linha 3: \"x\" não é um número"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string refusal = Refusal([&] { ReadCombinationsCsv(c.text); });
        EXPECT_NE(refusal.find(c.fragment), std::string::npos) << refusal;
    }
}

TEST(CombinationsCsv, WhatReadsAndAsWhat)
{
    const struct {
        const char* name;
        std::string text;
        const char* firstName;
        double nd;
        double myd;
    } cases[] = {
        {"points only", "nome;nd;mxd;myd\nA;-1.900;60;20\n", "A", -1.9, 20},
        {"commas only", "nome;nd;mxd;myd\nA;-1900;60,5;20,25\n", "A", -1900, 20.25},
        {"the header in capitals, accents and units", "NÓME;Nd (kN);MXD;Myd (kN.m)\nA;1;2;3\n", "A", 1, 3},
        {"Excel's CSV UTF-8", "\xEF\xBB\xBFnome;nd;mxd;myd\r\nTração;-5;0;1\r\n", "Tração", -5, 1},
        {"Excel's CSV in Windows-1252", "nome;nd;mxd;myd\r\nTra\xE7\xE3o;-5;0;1\r\n", "Tração", -5, 1},
        {"UTF-16 from a text editor",
         [] {
             std::string bytes = "\xFF\xFE";
             for (const char c : std::string("nome;nd;mxd;myd\r\nB;7;0;2\r\n"))
                 bytes += std::string{c, '\0'};
             return bytes;
         }(),
         "B", 7, 2},
        {"line ends of CR alone", "nome;nd;mxd;myd\rC;-3;0;4\r", "C", -3, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CombinationList rows = ReadCombinationsCsv(c.text);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].name, c.firstName);
        EXPECT_EQ(rows[0].Nd, c.nd);
        EXPECT_EQ(rows[0].Myd, c.myd);
    }
}

TEST(CombinationsCsv, MoreRowsThanTheCapacity)
{
    std::string text = "nome;nd;mxd;myd\n";
    for (int i = 0; i < 1002; ++i)
        text += "C;-500;" + std::to_string(i) + ";0\n";
    EXPECT_NE(Refusal([&] { ReadCombinationsCsv(text); }).find("Mais de 1000 combinações (Linha 1002)"),
              std::string::npos);
    // The window reads all and says itself what it leaves out.
    EXPECT_EQ(ReadCombinationsCsv(text, SIZE_MAX).size(), 1002u);
}

// A paste as the table receives it: name (or "-" for none) and the three cells.
std::vector<std::string> Flat(const std::vector<PastedRow>& rows)
{
    std::vector<std::string> out;
    for (const PastedRow& row : rows)
        out.push_back((row.named ? row.name : "-") + "|" + row.numbers[0] + "|" + row.numbers[1] + "|" +
                      row.numbers[2]);
    return out;
}

TEST(PastedRows, ColumnsAreNeverShifted)
{
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> rows;
    } cases[] = {
        {"a spreadsheet with a header", "Nome\tNd (kN)\tMxd\tMyd\r\nELU 1\t-500\t60,5\t20\r\n", {"ELU 1|-500|60,5|20"}},
        {"the header in other letters", "NOME;ND;MXD;MYD\nA;1;2;3", {"A|1|2|3"}},
        // A first line with one bad cell is a row, its cell marked later.
        {"a bad first cell is no header",
         "ELU 1\t-5OO\t60\t20\nELU 2\t-500\t0\t0",
         {"ELU 1|-5OO|60|20", "ELU 2|-500|0|0"}},
        {"single blanks with a name of two words", "ELU 1 -500 60 20", {"ELU 1|-500|60|20"}},
        {"blanks without names", "-500 60 20\n\n-600 0 0", {"-|-500|60|20", "-|-600|0|0"}},
        {"several blanks", "ELU 1    -500   60.5  20", {"ELU 1|-500|60,5|20"}},
        {"a text editor's CR alone", "A;1;2;3\rB;4;5;6\r", {"A|1|2|3", "B|4|5|6"}},
        {"points become the field's comma", "A\t-1.5\t2\t3e2", {"A|-1,5|2|3e2"}},
        {"Windows-1252 names", "Tra\xE7\xE3o;1;2;3", {"Tração|1|2|3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Flat(ReadPastedRows(c.text)), c.rows);
    }
}

TEST(PastedRows, WhatCannotBeReadIsRefusedWithItsLine)
{
    const struct {
        const char* name;
        std::string text;
        const char* fragment;
    } cases[] = {
        {"a thousands point among decimal commas", "A\t-1.900\t60,5\t20", "Linha 1, coluna 2: \"-1.900\" é ambíguo"},
        // A comma anywhere makes the comma the decimal mark of the whole text.
        {"a point where another row has a decimal comma", "A;1.5;2;3\n\nB;1;2,5;3",
         "Linha 1, coluna 2: \"1.5\" é ambíguo"},
        {"rows of other widths", "A;1;2;3\n4;5;6", "Linha 2: 3 colunas, mas a linha 1 tem 4"},
        {"too few columns", "A;1", "Linha 1: faltam colunas"},
        {"too few words", "nome nd mxd myd\n-500 60", "Linha 2: faltam colunas"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string refusal = Refusal([&] { ReadPastedRows(c.text); });
        EXPECT_NE(refusal.find(c.fragment), std::string::npos) << refusal;
    }
}

} // namespace
} // namespace flexara
