// The project-file reader: token rules, counts, keywords and what the headless
// loader stores.
#include "engine/NumberText.h"
#include "engine/section/DefaultCase.h"
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace flexara {
namespace {

using testing::Lines;
using testing::Load;

// The 20 x 40 column, one line per value.
std::string ColumnFile(const char* lineEnd = "\r\n")
{
    return Lines({" 1.40000000000000E+0000",
                  " 1.15000000000000E+0000",
                  "100",
                  " 8.50000000000000E-0001",
                  "-5.00000000000000E+0002",
                  " 6.00000000000000E+0001",
                  " 2.00000000000000E+0001",
                  "3",
                  " 2.14285714285714E+0000",
                  "1",
                  "2",
                  "2",
                  " 2.00000000000000E+0001",
                  " 4.00000000000000E+0000",
                  " 4.00000000000000E+0000",
                  " 4.00000000000000E+0000",
                  " 1.60000000000000E+0001",
                  "hor",
                  "2",
                  " 2.00000000000000E+0001",
                  " 3.60000000000000E+0001",
                  " 3.60000000000000E+0001",
                  " 4.00000000000000E+0000",
                  " 1.60000000000000E+0001",
                  "hor",
                  "4",
                  "retang",
                  " 2.00000000000000E+0001",
                  " 4.00000000000000E+0001"},
                 lineEnd);
}

TEST(ProjectReader, ReadsTheColumn)
{
    const auto loaded = Load(ColumnFile());
    const AnalysisState& s = *loaded.state;
    EXPECT_EQ(s.Nd, -500);
    EXPECT_EQ(s.Mxd, 60);
    EXPECT_EQ(s.Myd, 20);
    EXPECT_EQ(loaded.selection.concreteIndex, 3);
    EXPECT_EQ(loaded.selection.steelIndex, 1);
    ASSERT_EQ(s.LineCount, 2);
    EXPECT_EQ(s.BarLines[1].BarCount, 2);
    EXPECT_EQ(s.BarLines[1].Y1, 36);
    EXPECT_EQ(s.BarLines[1].X2, 16);
    EXPECT_EQ(s.Section.VertexCount, 4);
    EXPECT_EQ(s.Section.Vertices[2].x, 20);
    EXPECT_EQ(s.Section.Vertices[2].y, 40);
    EXPECT_EQ(loaded.ratio, "1,57 %");
}

TEST(ProjectReader, LineEndsOtherThanCrLfReadTheSame)
{
    const auto crlf = Load(ColumnFile());
    for (const char* end : {"\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(end)));
        const auto other = Load(ColumnFile(end));
        testing::ExpectSameCase(*crlf.state, *other.state);
    }
}

TEST(ProjectReader, TokenRules)
{
    struct Case {
        const char* name;
        std::string file;
        double gammaC;
        std::int32_t points;
    };
    const Case cases[] = {
        {"blank lines and tabs before a number", "\r\n\r\n \t 1.5\r\n\r\n1.2\r\n 7\r\n", 1.5, 7},
        {"text after a blank on the number's line", "1.5 coeficiente\r\n1.2\r\n7 pontos\r\n", 1.5, 7},
        {"hexadecimal integers with $", "1.5\r\n1.2\r\n$1F\r\n", 1.5, 31},
        {"hexadecimal integers with 0x", "1.5\r\n1.2\r\n0x1f\r\n", 1.5, 31},
        {"hexadecimal integers with x and a sign", "1.5\r\n1.2\r\n-X10\r\n", 1.5, -16},
        {"reals without leading or trailing digits", ".5\r\n1.\r\n3\r\n", 0.5, 3},
        {"an early end of file reads 0", "2.5\r\n", 2.5, 0},
        {"code 26 ends the file", std::string("1.5\r\n1.2\r\n\x1a") + "9\r\n", 1.5, 0},
        {"a long token is cut at 32 characters", "1\r\n1\r\n00000000000000000000000000000009999\r\n", 1, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto loaded = Load(c.file);
        EXPECT_EQ(loaded.state->GammaC, c.gammaC);
        EXPECT_EQ(loaded.state->CurvePointCount, c.points);
    }
}

TEST(ProjectReader, InvalidNumericInput)
{
    const char* files[] = {
        "1,4\r\n",                       // a decimal comma
        "1.4abc\r\n",                    // letters right after the digits
        "1.4\r\n1.15\r\n100.0\r\n",      // a real where an integer is expected
        "1.4\r\n1.15\r\n2147483648\r\n", // beyond the 32-bit range
        "1.4\r\n1.15\r\n$80000000\r\n",  // beyond the range in hexadecimal
        "1.4\r\n1.15\r\n0x\r\n",         // a prefix without digits
        "1e999\r\n",                     // beyond the range of a double
        "-\r\n",                         // a sign alone
        "1.2.3\r\n",                     // two points
        "1e+\r\n",                       // an exponent without digits
    };
    for (const char* file : files) {
        SCOPED_TRACE(::testing::PrintToString(std::string(file)));
        try {
            Load(file);
            ADD_FAILURE() << "read without complaint";
        } catch (const ProjectFileError& error) {
            EXPECT_STREQ(error.what(), "Invalid numeric input");
        }
    }
}

TEST(ProjectReader, AFailedReadKeepsWhatWasReadBefore)
{
    auto state = std::make_unique<AnalysisState>();
    HeadlessLoader loader(*state);
    EXPECT_THROW(ReadProjectText("1.6\r\n1.3\r\n50\r\n0.8\r\n-1,5\r\n", loader), ProjectFileError);
    EXPECT_EQ(state->GammaC, 1.6);
    EXPECT_EQ(state->CurvePointCount, 50);
    EXPECT_EQ(state->AlphaC, 0.8);
    EXPECT_EQ(state->LineCount, 1); // the new case's line
}

std::string Header(const char* lineCount)
{
    return Lines({"1.4", "1.15", "100", "0.85", "0", "0", "0", "3", "2.14285714285714", "1", lineCount});
}

TEST(ProjectReader, CountsBeyondTheCapacitiesAreRefused)
{
    const struct {
        const char* name;
        std::string file;
        const char* count;
    } cases[] = {
        {"101 lines", Header("101"), "101"},
        {"negative line count", Header("-1"), "-1"},
        {"101 bars on a line", Header("1") + Lines({"101"}), "101"},
        {"101 vertices", Header("0") + Lines({"101", "qual"}), "101"},
        {"negative vertex count", Header("0") + Lines({"-2", "qual"}), "-2"},
        {"201 curve points", Lines({"1.4", "1.15", "201"}), "201"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Load(c.file);
            ADD_FAILURE() << "read without complaint";
        } catch (const ProjectFileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.count), std::string::npos) << message;
        }
    }
}

TEST(ProjectReader, EdgeValuesOfTheLines)
{
    const auto loaded =
        Load(Header("3") + Lines({"-3", "7",      "1",  "2",  "3",  "4",  "Hor",  // capital letter: Qualquer
                                  "1",  "6.3",    "5",  "6",  "7",  "8",  "ver ", // a blank after the word
                                  "2",  "12.5",   "9",  "10", "11", "12", "ver",  // vertical: X2 follows X1
                                  "4",  "retang", "30", "40"}));
    const AnalysisState& s = *loaded.state;
    ASSERT_EQ(s.LineCount, 3);
    EXPECT_EQ(s.BarLines[0].BarCount, 0); // a negative count becomes 0
    EXPECT_EQ(s.BarLines[0].Diameter, 7); // kept although no list item equals it
    EXPECT_EQ(s.BarLines[0].Orientation, OrientationAny);
    EXPECT_EQ(s.BarLines[1].Orientation, OrientationAny);
    EXPECT_EQ(s.BarLines[1].Diameter, 6.3);
    EXPECT_EQ(s.BarLines[2].Orientation, OrientationVertical);
    // The file's four coordinates arrive before the orientation; the vertical
    // button, checked after them, then ties X2 to X1.
    EXPECT_EQ(s.BarLines[2].Y1, 9);
    EXPECT_EQ(s.BarLines[2].Y2, 10);
    EXPECT_EQ(s.BarLines[2].X1, 11);
    EXPECT_EQ(s.BarLines[2].X2, 11);
}

TEST(ProjectReader, SectionKeywords)
{
    {
        SCOPED_TRACE("unknown keyword keeps the rectangle with its own four vertices");
        const auto loaded = Load(Header("0") + Lines({"7", "Retang", "30", "40"}));
        EXPECT_EQ(loaded.state->Section.ShapeKind, ShapeRectangle);
        EXPECT_EQ(loaded.state->Section.VertexCount, 4);
        EXPECT_EQ(loaded.state->ShapeDims[0], 0);
    }
    {
        SCOPED_TRACE("empty keyword at the end of the file");
        const auto loaded = Load(Header("0") + Lines({"7"}));
        EXPECT_EQ(loaded.state->Section.VertexCount, 4);
    }
    {
        SCOPED_TRACE("the family's own vertex count replaces the file's");
        const auto loaded = Load(Header("0") + Lines({"99", "trap", "30", "20", "40"}));
        EXPECT_EQ(loaded.state->Section.ShapeKind, ShapeTrapezoid);
        EXPECT_EQ(loaded.state->Section.VertexCount, 4);
        EXPECT_EQ(loaded.state->Section.Vertices[3].x, -5);
        EXPECT_EQ(loaded.state->ShapeDims[3], 40);
    }
    {
        SCOPED_TRACE("a negative dimension is stored as 0 by its field");
        const auto loaded = Load(Header("0") + Lines({"4", "retang", "-5", "40"}));
        EXPECT_EQ(loaded.state->ShapeDims[0], 0);
        EXPECT_EQ(loaded.state->Section.Vertices[1].x, 0);
    }
    {
        SCOPED_TRACE("free polygon: vertices through the field text, negatives allowed");
        const auto loaded =
            Load(Header("0") + Lines({"3", "qual", "0", "0", "-10.5", "0", "0", "0.1234567890123456789"}));
        const AnalysisState& s = *loaded.state;
        EXPECT_EQ(s.Section.ShapeKind, ShapeFreePolygon);
        EXPECT_EQ(s.Section.VertexCount, 3);
        EXPECT_EQ(s.Section.Vertices[1].x, -10.5);
        EXPECT_EQ(s.Section.Vertices[2].y, ThroughFieldText(0.1234567890123456789));
        EXPECT_EQ(s.ShapeDims[1], s.Section.Vertices[2].y);
    }
    {
        SCOPED_TRACE("free polygon without vertices");
        const auto loaded = Load(Header("0") + Lines({"0", "qual"}));
        EXPECT_EQ(loaded.state->Section.VertexCount, 0);
        EXPECT_EQ(loaded.ratio, "0,00 %");
    }
}

TEST(ProjectReader, SelectionIndexesOutsideTheListsSelectNothing)
{
    const auto loaded =
        Load(Lines({"1.4", "1.15", "100", "0.85", "0", "0", "0", "13", "2.5", "4", "0", "4", "retang", "0", "0"}));
    EXPECT_EQ(loaded.selection.concreteIndex, -1);
    EXPECT_EQ(loaded.selection.steelIndex, -1);
    EXPECT_EQ(loaded.state->Fcd, 2.5);
    EXPECT_EQ(loaded.state->LineCount, 0);
}

TEST(ProjectIo, MissingFilesAndFolders)
{
    try {
        LoadProjectBytes("/nonexistent-folder/case.fxr");
        ADD_FAILURE();
    } catch (const ProjectFileError& error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_THROW(LoadProjectBytes("/"), ProjectFileError);
    EXPECT_THROW(LoadProjectBytes("/dev/zero"), ProjectFileError); // no endless read
    EXPECT_EQ(IoErrorMessage(28), "Disk full");
    EXPECT_EQ(IoErrorMessage(5), "I/O error 5");
}

} // namespace
} // namespace flexara
