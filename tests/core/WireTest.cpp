#include "core/Wire.h"

#include "platform/DrawContext.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(WireTest, AddPointResults)
{
    CDraad wire;
    EXPECT_EQ(wire.AddPoint({0, 0}, 0, 30), WIRE_NOT_ON_SOCKET);
    EXPECT_TRUE(wire.IsEmpty());
    EXPECT_EQ(wire.AddPoint({10, -10}, 5, 30), WIRE_CONTINUE);
    EXPECT_EQ(wire.AddPoint({100, -100}, 0, 30), WIRE_CONTINUE);
    EXPECT_EQ(wire.AddPoint({200, -100}, 9, 30), WIRE_COMPLETE);
    EXPECT_EQ(wire.AddPoint({300, -100}, 11, 30), WIRE_ALREADY_COMPLETE);
    EXPECT_EQ(wire.GetEnds(), std::make_pair(5, 9));

    CDraad loop;
    loop.AddPoint({0, 0}, 3, 30);
    EXPECT_EQ(loop.AddPoint({0, 0}, 3, 30), WIRE_SAME_SOCKET);
}

TEST(WireTest, BendPointsSnapToLastVertexPerAxis)
{
    CDraad wire;
    wire.AddPoint({100, -100}, 1, 30);
    wire.AddPoint({129, -69}, 0, 30); // 29 right (snaps), 31 up (stays)
    EXPECT_EQ(wire.GetPointFromEnd(0), CPoint(100, -69));
    wire.AddPoint({130, -30}, 0, 30); // exactly the margin away: no snap
    EXPECT_EQ(wire.GetPointFromEnd(0), CPoint(130, -30));
}

TEST(WireTest, StraightenLastBendLinesUpWithEndSocket)
{
    CDraad wire;
    wire.AddPoint({0, 0}, 1, 30);
    wire.AddPoint({200, -10}, 0, 5);
    wire.AddPoint({210, -300}, 2, 30);
    wire.StraightenLastBend(30);
    EXPECT_EQ(wire.GetPoint(1), CPoint(210, -10));
}

TEST(WireTest, PointAccessorsOutOfRangeGiveOrigin)
{
    CDraad wire;
    wire.AddPoint({5, -5}, 1, 30);
    wire.AddPoint({50, -5}, 2, 30);
    EXPECT_EQ(wire.GetPointFromEnd(0), CPoint(50, -5));
    EXPECT_EQ(wire.GetPoint(2), CPoint(0, 0));
    EXPECT_EQ(wire.GetPointFromEnd(2), CPoint(0, 0));
}

TEST(WireTest, DistanceToPolyline)
{
    CDraad wire;
    wire.AddPoint({0, 0}, 1, 0);
    wire.AddPoint({100, 0}, 2, 0);
    CPoint nearest(-1, -1);
    int segment = -1;
    EXPECT_DOUBLE_EQ(wire.DistanceTo(50, 10, nearest, segment), 10.0);
    EXPECT_EQ(nearest, CPoint(50, 0));
    EXPECT_EQ(segment, 0);

    nearest = CPoint(-1, -1);
    segment = -1;
    EXPECT_DOUBLE_EQ(wire.DistanceTo(50, 100, nearest, segment), std::sqrt(2000.0));
    EXPECT_EQ(nearest, CPoint(-1, -1)) << "too far: outputs untouched";
    EXPECT_EQ(segment, -1);

    EXPECT_DOUBLE_EQ(wire.DistanceTo(103, 4, nearest, segment), 5.0) << "beyond the end";
    EXPECT_EQ(nearest, CPoint(100, 0));
    EXPECT_EQ(segment, 1);
}

TEST(WireTest, ZeroLengthSegmentMeasuresToItsVertex)
{
    CDraad wire;
    wire.m_points = {{10, 10}, {10, 10}};
    CPoint nearest;
    int segment = -1;
    EXPECT_DOUBLE_EQ(wire.DistanceTo(13, 14, nearest, segment), 5.0);
    EXPECT_EQ(segment, 0);
}

TEST(WireTest, DrawnTwiceOnScreenLeavesBoardWhite)
{
    CMemoryDC dc(120, 120);
    CDraad wire;
    wire.m_points = {{20, -20}, {200, -20}, {200, -300}, {380, -300}};
    wire.SetColour(RGB(255, 255, 0)); // shows as blue on white
    wire.Draw(dc);
    const QImage once = dc.Bitmap().copy();
    EXPECT_EQ(dc.GetPixel(40, -20), RGB(0, 0, 255));
    wire.Draw(dc);
    QImage white(dc.Bitmap().size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_NE(once, white);
    EXPECT_EQ(dc.Bitmap(), white);
}

TEST(WireTest, DragEndsMovesOnlyTheAttachedEnd)
{
    CMemoryDC dc(120, 120);
    CDraad wire;
    wire.m_nBus1 = 4;
    wire.m_nBus2 = 9;
    wire.m_points = {{20, -20}, {200, -20}, {200, -300}};
    wire.DragEnds(dc, 7, 9, 10, -10);
    EXPECT_EQ(wire.GetPoint(0), CPoint(20, -20));
    EXPECT_EQ(wire.GetPoint(1), CPoint(200, -20)) << "bend points stay";
    EXPECT_EQ(wire.GetPoint(2), CPoint(210, -310));
}

} // namespace
