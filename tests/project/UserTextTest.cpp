// The text a user brings in, from a spreadsheet, a text editor or the
// clipboard: read as written or refused with its line, never guessed.
#include "project/CsvText.h"
#include "project/ProjectFile.h"
#include "project/TextDecoding.h"

#include <gtest/gtest.h>

#include <functional>
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
        {"points only", "nome;nd;mxd;myd\nA;-1.95;60;20\n", "A", -1.95, 20},
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

// A text and the rows it gives, each flattened to one string.
struct ReadCase {
    const char* name;
    std::string text;
    std::vector<std::string> rows;
};

// A paste as the table receives it: name (or "-" for none) and the three
// cells, then the two base cells when one is given.
std::vector<std::string> Flat(const std::vector<PastedRow>& rows)
{
    std::vector<std::string> out;
    for (const PastedRow& row : rows) {
        out.push_back((row.named ? row.name : "-") + "|" + row.numbers[0] + "|" + row.numbers[1] + "|" +
                      row.numbers[2]);
        if (!row.numbers[3].empty() || !row.numbers[4].empty())
            out.back() += "|" + row.numbers[3] + "|" + row.numbers[4];
    }
    return out;
}

TEST(PastedRows, ColumnsAreNeverShifted)
{
    const ReadCase cases[] = {
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
        // Nd, Mxd, Myd, Mxd base, Myd base: the usual layout of a column's loads.
        {"five between tabs", "-500\t60\t20\t-30\t10", {"-|-500|60|20|-30|10"}},
        {"six between semicolons", "P1;-500;60,5;20;-30;10", {"P1|-500|60,5|20|-30|10"}},
        {"a header with the base of Myd first",
         "Nome;Nd;Mxd;Myd;Myd base;Mxd base\nP1;-500;60;20;10;-30",
         {"P1|-500|60|20|-30|10"}},
        {"blanks, five numbers", "-500 60 20 -30 10", {"-|-500|60|20|-30|10"}},
        {"blanks, a name and five", "P1 -500 60 20 -30 10", {"P1|-500|60|20|-30|10"}},
        {"blanks, a name ending in a number and five", "ELU 1 -500 60 20 -30 10", {"ELU 1|-500|60|20|-30|10"}},
        {"blanks, a number for the name and three", "1 -500 60 20", {"1|-500|60|20"}},
        {"blanks under a header with units and the base",
         "Nome Nd (kN, tração +) Mxd (kN.m) Myd Mxd base (kN.m) Myd (base)\nELU 1 -500 60 20 -30 10",
         {"ELU 1|-500|60|20|-30|10"}},
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

// Rows read from a CSV as the table would hold them: name|Nd|Mxd|Myd|Mxd
// base|Myd base, "-" for a base moment not given.
std::vector<std::string> FlatCsv(const CombinationList& rows)
{
    auto real = [](double v) {
        std::string text = std::to_string(v);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
        return text;
    };
    std::vector<std::string> out;
    for (const LoadCombination& r : rows)
        out.push_back(r.name + "|" + real(r.Nd) + "|" + real(r.Mxd) + "|" + real(r.Myd) + "|" +
                      (r.MxdBase ? real(*r.MxdBase) : "-") + "|" + (r.MydBase ? real(*r.MydBase) : "-"));
    return out;
}

TEST(LoadsText, EveryColumnIsFoundByItsName)
{
    const ReadCase cases[] = {
        {"the base moments in the other order",
         "nome;nd;mxd;myd;myd_base;mxd_base\nA;-500;60;20;5;-7\n",
         {"A|-500|60|20|-7|5"}},
        {"the base moment of Mxd alone", "nome;nd;mxd;myd;mxd_base\nA;-500;60;20;-30\n", {"A|-500|60|20|-30|-"}},
        {"engineers' names in any order",
         "Nsd (kN);Caso;My;MX (kN.m);Mx (base);msdy_base\n-500;P1;20;60;-30;\n",
         {"P1|-500|60|20|-30|-"}},
        {"the window's export, decimal commas",
         "\xEF\xBB\xBFNome;Nd (kN, tração +);Mxd (kN.m);Myd (kN.m);Mxd base (kN.m);Myd base (kN.m);situacao;eta\r\n"
         "A;-500,5;60;20;;10;atende;0.5\r\n",
         {"A|-500.5|60|20|-|10"}},
        {"no name column", "Combinação\tN\tMSDX\tMSDY\nELU\t-1\t2\t3\n", {"ELU|-1|2|3|-|-"}},
        {"units in brackets, a non-breaking space", "Nd [kN];Mxd\u00A0(kN.m);Myd\n-1;2;3\n", {"|-1|2|3|-|-"}},
        {"the results of a check are skipped, their points too",
         "nd;mxd;myd;situacao;eta;mrx;mry;mrd;axial;determinante;situacao_pilar;md_tot_x;md_tot_y\n"
         "-1,5;2;3;nao-atende;1.125;x;;;;sim;topo;;\n",
         {"|-1.5|2|3|-|-"}},
        // Points that no thousands separator writes.
        {"decimal points without a thousands reading", "nd;mxd;myd\n0.500;1250.000;-1.95\n", {"|0.5|1250|-1.95|-|-"}},
        {"three fields: Nd, Mxd, Myd", "-500;60;20\n-600;0;0\n", {"|-500|60|20|-|-", "|-600|0|0|-|-"}},
        {"four: the name first", "A;-500;60;20\n", {"A|-500|60|20|-|-"}},
        {"five: the base moments after", "-500;60;20;-30;10\n", {"|-500|60|20|-30|10"}},
        {"six: the name and the five", "A\t-500\t60\t20\t\t10\n", {"A|-500|60|20|-|10"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FlatCsv(ReadCombinationsCsv(c.text)), c.rows);
    }
}

TEST(LoadsText, WhatHasNoMeaningIsRefusedByName)
{
    const auto csv = [](std::string text, LoadsTarget target = LoadsTarget::Column) {
        return [text, target] { ReadCombinationsCsv(text, MaxCombinations, target); };
    };
    const auto paste = [](std::string text, LoadsTarget target = LoadsTarget::Column) {
        return [text, target] { ReadPastedRows(text, target); };
    };
    const struct {
        const char* name;
        std::function<void()> read;
        const char* fragment;
    } cases[] = {
        {"an unknown column", csv("nome;nd;mxd;myd;obs\nA;1;2;3;x\n"), "Linha 1: o cabeçalho tem a coluna \"obs\""},
        {"an unknown column in a paste", paste("Nd\tMxd\tMyd\tMz\n1\t2\t3\t4"), "a coluna \"Mz\""},
        {"Mxd twice", csv("nome;nd;mx;mxd;myd\n"), "duas colunas de Mxd: \"mx\" e \"mxd\""},
        {"a base moment twice", csv("nd;mxd;myd;mxd_base;Mxd (base)\n"), "duas colunas de Mxd base"},
        {"a result twice", csv("nd;mxd;myd;eta;ETA\n"), "duas colunas de eta"},
        {"no Mxd", csv("nome;nd;myd\nA;1;2\n"), "Linha 1: o cabeçalho não tem a coluna Mxd"},
        {"no Nd", paste("nome mxd myd\nA 1 2"), "não tem a coluna Nd"},
        {"1.900 between semicolons without a decimal comma", csv("nome;nd;mxd;myd\nA;-1.900;60;20\n"),
         "Linha 2, coluna 2: \"-1.900\" é ambíguo: o ponto pode separar os milhares"},
        {"-12.500 between tabs", paste("A\t-500\t60\t-12.500"), "Linha 1, coluna 4: \"-12.500\" é ambíguo"},
        {"a base moment of three decimals", csv("nd;mxd;myd;mxd_base\n-5;1;2;1.250\n"), "Linha 2, coluna 4"},
        {"seven fields without a header", csv("A;1;2;3;4;5;6\n"), "Linha 1: sobram colunas (7)"},
        {"two fields without a header", paste("1;2"), "Linha 1: faltam colunas (2)"},
        {"commas without a header", csv("A,-500,5,60,20\n"), "Linha 1: com a vírgula separando os campos"},
        {"rows of other widths", csv("-500;60;20;-30;10\nA;1;2;3\n"), "Linha 2: 4 colunas, mas a linha 1 tem 5"},
        {"blanks: a bad number ends the numbers", paste("ELU 1 -5OO 60 20"), "Linha 1: 2 números depois de \"-5OO\""},
        {"blanks: three values, then five", paste("A 1 2 3\nB 1 2 3 4 5"), "Linha 2: 5 valores, mas a linha 1 tem 3"},
        {"blanks: the name after the numbers", paste("nd mxd myd nome\n1 2 3 A"), "o nome vem primeiro"},
        {"base moments in the window, not a column", paste("-500\t60\t20\t-30\t10", LoadsTarget::WindowSection),
         "Linha 1: momentos na base (Mxd base, Myd base) só valem para um pilar: marque \"Verificar como pilar\""},
        {"base moments for a case without a column",
         csv("nome;nd;mxd;myd;mxd_base;myd_base\nA;-1;2;3;;\nB;-1;2;3;;4\n", LoadsTarget::CaseWithoutColumn),
         "Linha 3: momentos na base (Mxd base, Myd base) para um caso sem pilar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string refusal = Refusal(c.read);
        EXPECT_NE(refusal.find(c.fragment), std::string::npos) << refusal;
    }
    // Empty base fields give nothing to refuse.
    EXPECT_EQ(
        ReadCombinationsCsv("nd;mxd;myd;mxd_base;myd_base\n-1;2;3;;\n", MaxCombinations, LoadsTarget::CaseWithoutColumn)
            .size(),
        1u);
}

} // namespace
} // namespace flexara
