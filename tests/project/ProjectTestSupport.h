// Helpers of the project-file tests: files from lines, loading through the
// headless loader, and comparing the input fields of two states.
#pragma once

#include "engine/case/UVariav.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace flexara::testing {

inline std::string Lines(std::initializer_list<const char*> lines, const char* end = "\r\n")
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + end;
    return text;
}

// The default case, saved at once: 22 lines.
inline std::string DefaultCaseFile()
{
    return Lines({
        " 1.40000000000000E+0000",
        " 1.15000000000000E+0000",
        "100",
        " 8.50000000000000E-0001",
        " 0.00000000000000E+0000",
        " 0.00000000000000E+0000",
        " 0.00000000000000E+0000",
        "3",
        " 2.14285714285714E+0000",
        "1",
        "1",
        "0",
        " 1.00000000000000E+0001",
        " 0.00000000000000E+0000",
        " 0.00000000000000E+0000",
        " 0.00000000000000E+0000",
        " 0.00000000000000E+0000",
        "hor",
        "4",
        "retang",
        " 0.00000000000000E+0000",
        " 0.00000000000000E+0000",
    });
}

struct Loaded {
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    MaterialSelection selection;
    std::string ratio;
    CombinationList combinations;
};

inline Loaded Load(const std::string& bytes)
{
    Loaded loaded;
    HeadlessLoader loader(*loaded.state);
    ReadProjectText(bytes, loader);
    loaded.selection = loader.Selection();
    loaded.ratio = loader.RatioLabel();
    loaded.combinations = loader.Combinations();
    return loaded;
}

// The input fields of the case, the ones a project file carries.
inline void ExpectSameCase(const AnalysisState& a, const AnalysisState& b)
{
    EXPECT_EQ(a.GammaC, b.GammaC);
    EXPECT_EQ(a.GammaS, b.GammaS);
    EXPECT_EQ(a.CurvePointCount, b.CurvePointCount);
    EXPECT_EQ(a.AlphaC, b.AlphaC);
    EXPECT_EQ(a.Model, b.Model);
    EXPECT_EQ(a.ReducedBlockStress, b.ReducedBlockStress);
    EXPECT_EQ(a.Nd, b.Nd);
    EXPECT_EQ(a.Mxd, b.Mxd);
    EXPECT_EQ(a.Myd, b.Myd);
    EXPECT_EQ(a.Fcd, b.Fcd);
    EXPECT_EQ(a.Section.ShapeKind, b.Section.ShapeKind);
    ASSERT_EQ(a.Section.VertexCount, b.Section.VertexCount);
    for (int i = 0; i < a.Section.VertexCount; ++i) {
        SCOPED_TRACE(::testing::Message() << "vertex " << i + 1);
        EXPECT_EQ(a.Section.Vertices[static_cast<std::size_t>(i)].x, b.Section.Vertices[static_cast<std::size_t>(i)].x);
        EXPECT_EQ(a.Section.Vertices[static_cast<std::size_t>(i)].y, b.Section.Vertices[static_cast<std::size_t>(i)].y);
    }
    EXPECT_EQ(a.ShapeDims, b.ShapeDims);
    ASSERT_EQ(a.LineCount, b.LineCount);
    for (int k = 0; k < a.LineCount; ++k) {
        SCOPED_TRACE(::testing::Message() << "line " << k + 1);
        const BarLine& x = a.BarLines[static_cast<std::size_t>(k)];
        const BarLine& y = b.BarLines[static_cast<std::size_t>(k)];
        EXPECT_EQ(x.BarCount, y.BarCount);
        EXPECT_EQ(x.Diameter, y.Diameter);
        EXPECT_EQ(x.X1, y.X1);
        EXPECT_EQ(x.X2, y.X2);
        EXPECT_EQ(x.Y1, y.Y1);
        EXPECT_EQ(x.Y2, y.Y2);
        EXPECT_EQ(x.Orientation, y.Orientation);
    }
    EXPECT_EQ(a.SteelAreaX100, b.SteelAreaX100);
    EXPECT_EQ(a.Section.Area, b.Section.Area);
}

} // namespace flexara::testing
