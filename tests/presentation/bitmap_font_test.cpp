// Loading a bitmap font: the cell grid is kept even when the picture is missing, and the
// message says plainly which font picture failed. (Drawing with a font is tested with the
// table in draw_table_test.cpp.)
#include "presentation/bitmap_font.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/null_platform.h"

namespace tarrabel::test {
namespace {

TEST(BitmapFontLoad, AMissingPictureIsReportedByItsPathAndKeepsTheCells) {
    platform::NullPlatform null;
    BitmapFont font;
    std::string error;
    const std::string path = "/nonexistent/tarrabel/fntDigit.bmp";
    EXPECT_FALSE(font.Load(null, path, 19, 27, 20, &error));
    EXPECT_EQ(font.CellWidth, 19);
    EXPECT_EQ(font.CellHeight, 27);
    EXPECT_EQ(font.Columns(), 20);
    EXPECT_EQ(font.Advance(), 17);
    EXPECT_EQ(error.rfind("Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\n"
                          "Error Number: ",
                          0),
              0u)
        << error;
    EXPECT_NE(error.find(path), std::string::npos) << error;
}

TEST(BitmapFontLoad, AFailureWithoutAnErrorStringIsStillAFailure) {
    platform::NullPlatform null;
    BitmapFont font;
    EXPECT_FALSE(font.Load(null, "/nonexistent/tarrabel/fntDeluxe.bmp", 19, 27, 0, nullptr));
    EXPECT_EQ(font.Columns(), 1) << "a grid has at least one column";
}

}  // namespace
}  // namespace tarrabel::test
