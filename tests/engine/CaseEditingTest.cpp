// The editing rules of a case, as the window's handlers and the headless loader
// both apply them: ties, open end fields, stored counts and dimensions, lines
// and vertices added and removed.
#include "engine/case/CaseEditing.h"

#include "engine/case/Shapes.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

namespace flexara {
namespace {

TEST(CaseEditing, AFirstEndCarriesItsTiedSecondEndAlong)
{
    struct Case {
        std::uint8_t orientation;
        Axis axis;
        bool tied;
    };
    const Case cases[] = {
        {OrientationHorizontal, Axis::Y, true}, {OrientationHorizontal, Axis::X, false},
        {OrientationVertical, Axis::X, true},   {OrientationVertical, Axis::Y, false},
        {OrientationAny, Axis::X, false},       {OrientationAny, Axis::Y, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.orientation) << (c.axis == Axis::X ? " X" : " Y"));
        BarLine line;
        line.Orientation = c.orientation;
        line.X2 = line.Y2 = -3.0;
        StoreFirstEnd(line, c.axis, 7.5);
        const double first = c.axis == Axis::X ? line.X1 : line.Y1;
        const double second = c.axis == Axis::X ? line.X2 : line.Y2;
        const double otherSecond = c.axis == Axis::X ? line.Y2 : line.X2;
        EXPECT_EQ(first, 7.5);
        EXPECT_EQ(second, c.tied ? 7.5 : -3.0);
        EXPECT_EQ(otherSecond, -3.0); // the other axis is never touched
        // The tied end is the closed field; a closed field stores nothing.
        const EndFields open = OpenEndFields(c.orientation);
        EXPECT_EQ(c.axis == Axis::X ? !open.x2 : !open.y2, c.tied);
        StoreSecondEnd(line, c.axis, 99.0, !c.tied);
        EXPECT_EQ(c.axis == Axis::X ? line.X2 : line.Y2, c.tied ? 7.5 : 99.0);
    }
}

TEST(CaseEditing, StoredBarCountsAndDimensions)
{
    struct Count {
        std::int32_t typed, stored;
        bool valid;
    };
    for (const Count& c : {Count{-3, 0, false}, Count{0, 0, true}, Count{100, 100, true}, Count{101, 100, false}}) {
        SCOPED_TRACE(c.typed);
        bool valid = true;
        EXPECT_EQ(StoredBarCount(c.typed, valid), c.stored);
        EXPECT_EQ(valid, c.valid);
    }
    struct Dimension {
        std::uint8_t kind;
        double typed, stored;
        bool valid;
    };
    for (const Dimension& d : {Dimension{ShapeRectangle, -2.0, 0.0, false}, Dimension{ShapeH, 12.5, 12.5, true},
                               Dimension{ShapeFreePolygon, -2.0, -2.0, true}}) {
        SCOPED_TRACE(int(d.kind));
        bool valid = true;
        EXPECT_EQ(StoredDimension(d.kind, d.typed, valid), d.stored);
        EXPECT_EQ(valid, d.valid);
    }
}

TEST(CaseEditing, ADimensionRebuildsAFamilyAndMovesTheSelectedVertexOfAPolygon)
{
    AnalysisState s;
    SelectFamily(s, ShapeRectangle);
    StoreDimension(s, 0, 20.0, -1);
    StoreDimension(s, 1, 40.0, -1);
    ASSERT_EQ(s.Section.VertexCount, 4);
    EXPECT_EQ(s.Section.Vertices[2].x, 20.0);
    EXPECT_EQ(s.Section.Vertices[2].y, 40.0);

    // A family's button clears every dimension and takes its vertex count.
    SelectFamily(s, ShapeT);
    EXPECT_EQ(s.Section.VertexCount, 8);
    EXPECT_EQ(s.ShapeDims[0], 0.0);
    EXPECT_EQ(s.ShapeDims[1], 0.0);

    StartFreePolygon(s);
    EXPECT_EQ(s.Section.ShapeKind, ShapeFreePolygon);
    EXPECT_EQ(s.Section.VertexCount, 1);
    EXPECT_EQ(AddVertex(s), 1);
    StoreDimension(s, 0, -5.0, 1);
    StoreDimension(s, 1, 6.0, 1);
    StoreDimension(s, 1, 9.0, -1); // no vertex selected: the dimension alone
    EXPECT_EQ(s.Section.Vertices[1].x, -5.0);
    EXPECT_EQ(s.Section.Vertices[1].y, 6.0);
    EXPECT_EQ(s.ShapeDims[1], 9.0);
}

TEST(CaseEditing, LinesAndVerticesAddedAndRemovedWithinTheCapacities)
{
    auto s = testing::MakeRectangleCase(20, 40, {{2, 10, 1, 1, 1, 1}, {3, 12.5, 2, 2, 2, 2}, {4, 16, 3, 3, 3, 3}});
    // Removing the middle line moves the last one up and clears its slot.
    EXPECT_TRUE(RemoveLine(*s, 1));
    EXPECT_EQ(s->LineCount, 2);
    EXPECT_EQ(s->BarLines[1].BarCount, 4);
    EXPECT_EQ(s->BarLines[1].Diameter, 16.0);
    EXPECT_EQ(s->BarLines[2].BarCount, 0);
    EXPECT_EQ(s->BarLines[2].Diameter, 0.0);
    EXPECT_FALSE(RemoveLine(*s, 2)); // not a line
    EXPECT_TRUE(RemoveLine(*s, 0));
    EXPECT_FALSE(RemoveLine(*s, 0)); // the only line stays

    BarLine fields;
    fields.BarCount = 5;
    fields.Diameter = 20.0;
    fields.Orientation = OrientationVertical;
    int added = -1;
    while (s->LineCount < MaxLines)
        added = AddLine(*s, fields);
    EXPECT_EQ(added, MaxLines - 1);
    EXPECT_EQ(s->BarLines[static_cast<std::size_t>(added)].Orientation, OrientationVertical);
    EXPECT_EQ(AddLine(*s, fields), -1);
    EXPECT_EQ(s->LineCount, MaxLines);

    testing::SetFreePolygon(*s, {{0, 0}, {1, 0}, {1, 1}});
    EXPECT_TRUE(RemoveVertex(*s, 0));
    EXPECT_EQ(s->Section.VertexCount, 2);
    EXPECT_EQ(s->Section.Vertices[0].x, 1.0);
    EXPECT_EQ(s->Section.Vertices[1].y, 1.0);
    while (s->Section.VertexCount < MaxVertices)
        AddVertex(*s);
    EXPECT_EQ(AddVertex(*s), -1);
}

TEST(CaseEditing, AFieldTextReplacedOnlyWhenItChanges)
{
    std::string field = "12,5";
    EXPECT_FALSE(ReplaceFieldText(field, "12,5"));
    EXPECT_TRUE(ReplaceFieldText(field, "12,50"));
    EXPECT_EQ(field, "12,50");
}

} // namespace
} // namespace flexara
