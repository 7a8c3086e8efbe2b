#include "framework/Framework.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometry, PointsFromMessagesKeepTheirSign)
{
    // Mouse messages pack two signed 16-bit coordinates; a screen left of or
    // above the primary one gives negative values.
    const CPoint p(static_cast<LPARAM>(MAKELONG(-5, -300)));
    EXPECT_EQ(p.x, -5);
    EXPECT_EQ(p.y, -300);
    EXPECT_EQ(CPoint(10, 20) - CPoint(4, 30), CSize(6, -10));
    EXPECT_EQ(CPoint(1, 2) + CSize(3, 4), CPoint(4, 6));
}

TEST(Geometry, RectanglesExcludeTheirRightAndBottomEdges)
{
    CRect r(CPoint(10, 20), CSize(30, 40));
    EXPECT_EQ(r, CRect(10, 20, 40, 60));
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Size(), CSize(30, 40));
    EXPECT_EQ(r.CenterPoint(), CPoint(25, 40));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(40, 30)));
    EXPECT_FALSE(r.PtInRect(CPoint(20, 60)));

    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(8, 17, 42, 63));
    r.OffsetRect(-8, -17);
    EXPECT_EQ(r.TopLeft(), CPoint(0, 0));

    CRect inverted(50, 60, 10, 20);
    EXPECT_TRUE(inverted.IsRectEmpty());
    EXPECT_FALSE(inverted.IsRectNull());
    inverted.NormalizeRect();
    EXPECT_EQ(inverted, CRect(10, 20, 50, 60));

    CRect both;
    EXPECT_TRUE(both.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(both, CRect(5, 5, 10, 10));
    EXPECT_FALSE(both.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(both.IsRectNull());
}

}  // namespace
