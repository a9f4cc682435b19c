// The window at its default size and larger: the picture scales keeping its
// proportions, the buttons stay at the right, and clicks find their points.
#include "dialog_fixture.h"

namespace {

class WindowSizeTest : public DialogTest {
protected:
    void Resize(int32_t width, int32_t height) {
        dialog->resize(width, height);
        ASSERT_TRUE(WaitFor([&] { return dialog->size() == QSize(width, height); }));
    }
    // The window position of the middle of cell (column, row) at a scale.
    static QPoint Middle(int32_t column, int32_t row, double scale) {
        return QPoint(int32_t((cellLeft(column) + 12) * scale), int32_t((cellTop(row) + 12) * scale));
    }
    uint32_t Shown(const QImage& window, QPoint at) const { return window.pixel(at) & 0xFFFFFFu; }
};

TEST_F(WindowSizeTest, ThePictureScalesAndClicksFindTheirPointsAtEverySize) {
    Open();
    LoadThree();
    EXPECT_EQ(dialog->size(), QSize(675, 570));
    EXPECT_EQ(dialog->minimumSize(), QSize(675, 570));
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    // At the default size: below the status lines and left of the buttons,
    // the picture pixel for pixel.
    const QImage window = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect board(0, 56, 594, 514);
    EXPECT_EQ(window.copy(board),
              dialog->offscreenPicture.copy(board).convertToFormat(QImage::Format_RGB32));

    // 1.5 both ways, and a wide window whose height sets the scale.
    for (const auto& [width, height, scale] :
         {std::tuple{972, 855, 1.5}, std::tuple{1600, 684, 1.2}, std::tuple{675, 570, 1.0}}) {
        SCOPED_TRACE(width);
        Resize(width, height);
        EXPECT_EQ(dialog->Control(kIdSolve)->geometry(), QRect(width - 81, 171, 72, 27));
        const QImage window = dialog->grab().toImage();
        EXPECT_EQ(Shown(window, Middle(9, 2, scale)), kRedPx);  // the target mark
        EXPECT_EQ(Shown(window, Middle(10, 2, scale)), kWhitePx);
        EXPECT_EQ(Shown(window, Middle(10, 3, scale)), kBlackPx);

        // A region point goes and comes back with clicks on it.
        ASSERT_TRUE(listContains(regionPoints, pointAt(9, 1)));
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, Middle(9, 1, scale));
        EXPECT_FALSE(listContains(regionPoints, pointAt(9, 1)));
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, Middle(9, 1, scale));
        EXPECT_TRUE(listContains(regionPoints, pointAt(9, 1)));
    }

    // And a move of the play mode in a large window.
    Resize(972, 855);
    Press(kIdSolve);
    WaitForMove();
    PressAndTick(Middle(9, 1, 1.5));
    EXPECT_EQ(problemBoard[pointAt(9, 1)], kBlack);
    WaitForMove();
}

}  // namespace
