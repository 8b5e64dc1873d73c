// Every component's picture, captions and labels included, lies inside its own
// rectangle on our fonts: while the board is edited each component is shown as a
// picture of exactly that rectangle, and a running measurement draws it on the board.
#include "AppFixture.h"

#include "components/ComponentFactory.h"
#include "shell/CommandIds.h"
#include "platform/DrawContext.h"

namespace {

constexpr CPoint kPlace{1000, -1000};

class CaptionFitTest : public AppFixture, public ::testing::WithParamInterface<int> {
protected:
    // The component's rectangle as the view draws it (inflated by one unit), in pixels.
    QRect PixelBox(const CComponent& c) const
    {
        CRect r = c.m_rect.Normalized();
        r.InflateRect(1);
        const QPoint a = Pixel(CPoint(r.left, r.bottom));
        const QPoint b = Pixel(CPoint(r.right, r.top));
        return QRect(a, b).normalized();
    }

    // The board as the component draws itself straight onto it, nothing cut.
    QImage DrawnDirectly()
    {
        QImage image(Board().Surface().size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        const int dpi = Pixel(CPoint(254, 0)).x() - Pixel(CPoint(0, 0)).x();
        CDC dc(image, dpi);
        const QPoint origin = Pixel(CPoint(0, 0));
        dc.SetViewportOrg(origin.x(), origin.y());
        Board().DrawBoard(dc, CRect(), true, true);
        return image;
    }

    // Pixels that are not white outside the box.
    static int InkOutside(const QImage& image, const QRect& box)
    {
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!box.contains(x, y) && (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    ++ink;
        return ink;
    }
};

TEST_P(CaptionFitTest, PictureFitsItsRectangleWhetherMeasuringOrNot)
{
    Start();
    CComponent* c = PlaceOnBoard(GetParam(), kPlace.x, kPlace.y);
    ASSERT_NE(c, nullptr);
    const QString name = c->m_strName;
    const QRect box = PixelBox(*c);

    const QImage direct = DrawnDirectly();
    EXPECT_EQ(InkOutside(direct, box), 0) << name.toStdString() << ": drawn beyond its rectangle";


    Run(ID_MEASURE_START);
    Board().viewport()->repaint();
    Board().OnTimer(CBoardView::kMeasureTimer);
    EXPECT_EQ(InkOutside(Board().Surface(), box), 0) << name.toStdString() << ": measuring";
    Run(ID_MEASURE_STOP);
}

INSTANTIATE_TEST_SUITE_P(EveryClass, CaptionFitTest, ::testing::Range(0, kCreationIndexCount));

} // namespace
