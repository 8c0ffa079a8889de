// The tree's image list loads bitmaps 132 to 161 and masks them with pure red:
// each must be a 16 x 16, 24-bit, uncompressed bitmap (what the image list is
// created for) with a background of the mask colour and a picture on it.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace corvandel {
namespace {

std::vector<unsigned char> ReadBitmap(int id) {
  std::ifstream in(std::string(CORVANDEL_SOURCE_DIR) + "/res/bitmaps/" + std::to_string(id) + ".bmp", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le(const std::vector<unsigned char>& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[at + i];
  return value;
}

TEST(TreeBitmaps, AreSixteenPixel24BitBitmapsMaskedWithPureRed) {
  for (int id = 132; id <= 161; ++id) {
    SCOPED_TRACE(id);
    const std::vector<unsigned char> bmp = ReadBitmap(id);
    ASSERT_GE(bmp.size(), 54u) << "missing or short file";
    EXPECT_EQ('B', bmp[0]);
    EXPECT_EQ('M', bmp[1]);
    EXPECT_EQ(40u, Le(bmp, 14, 4));  // BITMAPINFOHEADER
    EXPECT_EQ(16u, Le(bmp, 18, 4));  // width
    const auto height = static_cast<std::int32_t>(Le(bmp, 22, 4));
    EXPECT_TRUE(height == 16 || height == -16) << height;
    EXPECT_EQ(1u, Le(bmp, 26, 2));   // planes
    EXPECT_EQ(24u, Le(bmp, 28, 2));  // bits per pixel
    EXPECT_EQ(0u, Le(bmp, 30, 4));   // BI_RGB: no compression
    const std::uint32_t offset = Le(bmp, 10, 4);
    ASSERT_EQ(offset + 16u * 16u * 3u, bmp.size());  // rows of 48 bytes need no padding

    int mask = 0;
    for (std::size_t at = offset; at < bmp.size(); at += 3) {
      if (bmp[at] == 0 && bmp[at + 1] == 0 && bmp[at + 2] == 255) ++mask;  // stored blue, green, red
    }
    EXPECT_GT(mask, 0) << "no transparent background";
    EXPECT_LT(mask, 16 * 16) << "no picture";
  }
}

}  // namespace
}  // namespace corvandel
