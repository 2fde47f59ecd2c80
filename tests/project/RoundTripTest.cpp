// Writing a case and reading it back gives the same case.
#include "engine/Faults.h"
#include "engine/case/Shapes.h"
#include "engine/section/DefaultCase.h"
#include "engine/section/Ratio.h"
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <random>

namespace flexara {
namespace {

// A case as the editors could leave it: values with at most 15 significant
// digits, as typed in the window's fields.
std::unique_ptr<AnalysisState> RandomCase(std::mt19937& random, std::uint8_t kind)
{
    std::uniform_real_distribution<double> length(0.0, 200.0);
    std::uniform_real_distribution<double> signedLength(-100.0, 100.0);
    auto typed = [](double v) { return std::round(v * 1000.0) / 1000.0; };
    auto s = std::make_unique<AnalysisState>();
    InstallDefaultCase(*s);
    s->GammaC = typed(1.0 + length(random) / 200.0);
    s->GammaS = typed(1.0 + length(random) / 400.0);
    s->CurvePointCount = static_cast<std::int32_t>(random() % 201);
    s->AlphaC = random() % 2 ? 0.85 : 0.8;
    s->Nd = typed(signedLength(random) * 30);
    s->Mxd = typed(signedLength(random));
    s->Myd = typed(signedLength(random));
    s->Fcd = typed(length(random) / 50.0);
    s->LineCount = 1 + static_cast<std::int32_t>(random() % 6);
    const double diameters[] = {5, 6.3, 8, 10, 12.5, 16, 20, 22, 25, 32, 40};
    for (int k = 0; k < s->LineCount; ++k) {
        BarLine& line = s->BarLines[static_cast<std::size_t>(k)];
        line.BarCount = static_cast<std::int32_t>(random() % 101);
        line.Diameter = diameters[random() % 11];
        line.Orientation = static_cast<std::uint8_t>(random() % 3);
        line.X1 = typed(length(random));
        line.Y1 = typed(length(random));
        // A line keeps its tie as the editor keeps it.
        line.X2 = line.Orientation == OrientationVertical ? line.X1 : typed(length(random));
        line.Y2 = line.Orientation == OrientationHorizontal ? line.Y1 : typed(length(random));
    }
    s->Section.ShapeKind = kind;
    if (kind == ShapeFreePolygon) {
        s->Section.VertexCount = 1 + static_cast<std::int32_t>(random() % MaxVertices);
        for (int i = 0; i < s->Section.VertexCount; ++i)
            s->Section.Vertices[static_cast<std::size_t>(i)] = {typed(signedLength(random)),
                                                                typed(signedLength(random))};
        // The fields show the last vertex, as after typing it.
        s->ShapeDims = {};
        s->ShapeDims[0] = s->Section.Vertices[static_cast<std::size_t>(s->Section.VertexCount - 1)].x;
        s->ShapeDims[1] = s->Section.Vertices[static_cast<std::size_t>(s->Section.VertexCount - 1)].y;
    } else {
        const ShapeFamily& family = ShapeFamilyOf(kind);
        s->Section.VertexCount = family.vertexCount;
        s->ShapeDims = {};
        for (int i = 0; i < 6; ++i)
            if (family.Shows(i))
                s->ShapeDims[static_cast<std::size_t>(i)] = typed(length(random));
        BuildSectionPolygon(*s);
    }
    UpdateReinforcementRatio(*s);
    return s;
}

TEST(ProjectRoundTrip, WriteThenReadGivesTheSameCase)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 40; ++round) {
        for (std::uint8_t kind = 0; kind < 8; ++kind) {
            SCOPED_TRACE(::testing::Message() << "round " << round << ", shape " << int(kind));
            auto original = RandomCase(random, kind);
            ProjectWriteInput input;
            input.concreteIndex = static_cast<std::int32_t>(random() % 14) - 1;
            input.steelIndex = static_cast<std::int32_t>(random() % 5) - 1;
            input.dimFieldVisible = VisibleDimFieldsOf(kind);
            const std::string text = WriteProjectText(*original, input);
            const auto loaded = testing::Load(text);
            testing::ExpectSameCase(*original, *loaded.state);
            EXPECT_EQ(loaded.selection.concreteIndex, input.concreteIndex);
            EXPECT_EQ(loaded.selection.steelIndex, input.steelIndex);
            // And the file of the loaded case is the same file.
            EXPECT_EQ(WriteProjectText(*loaded.state, input), text);
        }
    }
}

TEST(ProjectRoundTrip, ExtremeRealsReadBack)
{
    // Every finite double the program can hold is written so that it reads
    // back: the largest double is written as 1.79769313486232E+0308, which is
    // beyond it, and still reads as the largest double.
    const double max = std::numeric_limits<double>::max();
    const double values[] = {
        max,     -max,     std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(), -0.0,
        1.7e308, -4.9e-324};
    for (double v : values) {
        SCOPED_TRACE(FormatProjectReal(v));
        auto s = std::make_unique<AnalysisState>();
        InstallDefaultCase(*s);
        s->GammaC = v;
        s->Nd = v;
        s->Fcd = v;
        s->BarLines[0].X1 = v;
        ProjectWriteInput input;
        input.dimFieldVisible = VisibleDimFieldsOf(ShapeRectangle);
        const std::string text = WriteProjectText(*s, input);
        const auto loaded = testing::Load(text);
        EXPECT_NEAR(loaded.state->Nd, v, std::fabs(v) * 1e-14);
        EXPECT_NEAR(loaded.state->GammaC, v, std::fabs(v) * 1e-14);
        EXPECT_NEAR(loaded.state->Fcd, v, std::fabs(v) * 1e-14);
        EXPECT_NEAR(loaded.state->BarLines[0].X1, v, std::fabs(v) * 1e-14);
        // Read and written again, the file is the same file.
        EXPECT_EQ(WriteProjectText(*loaded.state, input), text);
    }
    EXPECT_EQ(FormatProjectReal(max), " 1.79769313486232E+0308");
}

TEST(ProjectRoundTrip, ABarAreaBeyondTheDoubleRangeIsAnOverflow)
{
    // A diameter of 1e308 mm gives a bar area of about 1e613 cm²: the ratio
    // would read "inf %". The reading ends with the fault instead.
    auto s = std::make_unique<AnalysisState>();
    InstallDefaultCase(*s);
    s->BarLines[0].Diameter = 1e308;
    s->BarLines[0].BarCount = 2;
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(ShapeRectangle);
    const std::string text = WriteProjectText(*s, input);
    // Also where the shape is one the reader does not know, so that no
    // dimension of it refreshes the ratio: the file the program would write
    // for that case, with the rectangle, must not be the first to fail.
    std::string unknownShape = text;
    unknownShape.erase(unknownShape.find("retang"));
    unknownShape += "redondo\r\n";
    for (const std::string& file : {text, unknownShape}) {
        try {
            testing::Load(file);
            ADD_FAILURE() << "no fault";
        } catch (const EngineError& error) {
            EXPECT_STREQ(error.what(), "Floating point overflow");
        }
    }
}

TEST(ProjectIo, SaveReplacesTheFileWholeOrNotAtAll)
{
    const std::string path = ::testing::TempDir() + "flexara-save-test.fxr";
    SaveFileBytes(path, "old\r\ncontent\r\n");
    EXPECT_EQ(LoadProjectBytes(path), "old\r\ncontent\r\n");
    // A write that fails halfway leaves the old file as it was.
    const InjectedWriteFault fault{5, 28};
    try {
        SaveFileBytes(path, "new content that never lands\r\n", &fault);
        ADD_FAILURE() << "the injected fault did not fail the save";
    } catch (const ProjectFileError& error) {
        EXPECT_STREQ(error.what(), "Disk full");
    }
    EXPECT_EQ(LoadProjectBytes(path), "old\r\ncontent\r\n");
    for (const auto& entry : std::filesystem::directory_iterator(::testing::TempDir()))
        EXPECT_EQ(entry.path().filename().string().find("flexara-save-test.fxr.tmp-"), std::string::npos);
    SaveFileBytes(path, "new\r\n");
    EXPECT_EQ(LoadProjectBytes(path), "new\r\n");
    // A folder that does not exist.
    EXPECT_THROW(SaveFileBytes(::testing::TempDir() + "no-such-folder/case.fxr", "x"), ProjectFileError);
    std::remove(path.c_str());
}

} // namespace
} // namespace flexara
