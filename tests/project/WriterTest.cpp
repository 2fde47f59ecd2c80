// The project-file writer: reals of 23 characters, integers, keywords, CR LF.
#include "engine/section/DefaultCase.h"
#include "project/ProjectFile.h"
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace flexara {
namespace {

TEST(ProjectWriter, RealsHaveFifteenDigitsRoundedHalfUp)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1.4, " 1.40000000000000E+0000"},
        {0.85, " 8.50000000000000E-0001"},
        {-350, "-3.50000000000000E+0002"},
        {12.5, " 1.25000000000000E+0001"},
        {6.3, " 6.30000000000000E+0000"},
        {0.0, " 0.00000000000000E+0000"},
        {-0.0, " 0.00000000000000E+0000"},
        {30.0 / 14, " 2.14285714285714E+0000"},
        {2.0 / 3, " 6.66666666666667E-0001"},
        // Exact halves at the 16th digit (integers below 2^53): rounded up, not to even.
        {1000000000000005.0, " 1.00000000000001E+0015"},
        {8999999999999995.0, " 9.00000000000000E+0015"},
        {1000000000000004.0, " 1.00000000000000E+0015"},
        // A carry through every digit moves the exponent.
        {9999999999999998.0, " 1.00000000000000E+0016"},
        {1e-300, " 1.00000000000000E-0300"},
        {-1.7976931348623157e308, "-1.79769313486232E+0308"},
        {4.9406564584124654e-324, " 4.94065645841247E-0324"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string text = FormatProjectReal(c.value);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(text.size(), 23u);
    }
    EXPECT_THROW(FormatProjectReal(std::nan("")), ProjectFileError);
    EXPECT_THROW(FormatProjectReal(INFINITY), ProjectFileError);
}

TEST(ProjectWriter, TheDefaultCaseIsTwentyTwoLines)
{
    auto s = std::make_unique<AnalysisState>();
    InstallDefaultCase(*s);
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(s->Section.ShapeKind);
    const std::string expected = testing::DefaultCaseFile();
    EXPECT_EQ(WriteProjectText(*s, input), expected);
}

TEST(ProjectWriter, DimensionLinesFollowTheVisibleFields)
{
    const struct {
        std::uint8_t kind;
        const char* keyword;
        int dimensionLines;
    } cases[] = {{ShapeRectangle, "retang", 2},
                 {ShapeTrapezoid, "trap", 3},
                 {ShapeT, "te", 4},
                 {ShapeL, "ele", 4},
                 {ShapeU, "u", 5},
                 {ShapeBox, "caix", 6},
                 {ShapeH, "aga", 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyword);
        auto s = std::make_unique<AnalysisState>();
        InstallDefaultCase(*s);
        s->Section.ShapeKind = c.kind;
        ProjectWriteInput input;
        input.dimFieldVisible = VisibleDimFieldsOf(c.kind);
        const std::string text = WriteProjectText(*s, input);
        const std::string tail = "\r\n" + std::string(c.keyword) + "\r\n";
        const std::size_t at = text.find(tail);
        ASSERT_NE(at, std::string::npos);
        const std::string dims = text.substr(at + tail.size());
        EXPECT_EQ(std::count(dims.begin(), dims.end(), '\n'), c.dimensionLines);
    }
}

TEST(ProjectWriter, OrientationKeywordsAndFreePolygonVertices)
{
    auto s = std::make_unique<AnalysisState>();
    InstallDefaultCase(*s);
    s->LineCount = 3;
    s->BarLines[1].Orientation = OrientationVertical;
    s->BarLines[2].Orientation = OrientationAny;
    s->Section.ShapeKind = ShapeFreePolygon;
    s->Section.VertexCount = 2;
    s->Section.Vertices[0] = {1, 2};
    s->Section.Vertices[1] = {-3, 4};
    const std::string text = WriteProjectText(*s, ProjectWriteInput{});
    EXPECT_NE(text.find("\r\nhor\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nver\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nqualq\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n2\r\nqual\r\n 1.00000000000000E+0000\r\n 2.00000000000000E+0000\r\n"
                        "-3.00000000000000E+0000\r\n 4.00000000000000E+0000\r\n"),
              std::string::npos);
}

} // namespace
} // namespace flexara
