// Photos turned by their EXIF orientation: the thumbnail's reduced-scale decode and the dimension
// text show them upright, as the full decode does.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/catalogue/Fixture.h"
#include "views/catalogue/ThumbFile.h"

using cattest::CatalogueTest;

namespace {

// Inserts an EXIF segment (big-endian, one entry: the orientation) after the start marker.
void AddOrientation(const std::string& path, int orientation) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(in)), {});
    in.close();
    const std::vector<char> exif = {'\xFF', '\xE1', 0, 34, 'E', 'x', 'i', 'f', 0, 0,
                                    'M',    'M',    0, 42, 0,   0,   0,   8,   0, 1,
                                    1,      0x12,   0, 3,  0,   0,   0,   1,   0, static_cast<char>(orientation),
                                    0,      0,      0, 0,  0,   0};
    file.insert(file.begin() + 2, exif.begin(), exif.end());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
}

}  // namespace

TEST_F(CatalogueTest, TurnedJpegThumbnailsAndDimensionShowThePhotoUpright) {
    // 1999 x 1333 stored, orientation 6 (turn a quarter clockwise): 1333 x 1999 shown.
    const std::string path = Photo("turned.jpg", 1999, 1333, 7);
    AddOrientation(path, 6);
    EXPECT_EQ(vxImage::ReadDimension(path), "1333 x 1999");
    vxImage item(view.get(), catalogue::KeyFromFile(path, "turned.jpg"), "turned.jpg", path);
    item.m_strThumbPath = thumbs + "/turned.thm";
    std::filesystem::create_directories(thumbs);
    ASSERT_TRUE(item.MakingThumb());
    EXPECT_EQ(item.m_strDimension, "1333 x 1999");

    // Every level is close to the full decode (which the picture library turns) scaled down.
    extImage full(path.c_str(), CXIMAGE_FORMAT_JPG);
    ASSERT_EQ(full.GetWidth(), 1333u);
    for (int level = 0; level < 3; ++level) {
        thumbfile::Level out;
        ASSERT_TRUE(thumbfile::ReadLevel(item.m_strThumbPath, level, out));
        int w = 0, h = 0;
        thumbfile::LevelSize(level, 1333, 1999, w, h);
        EXPECT_EQ(out.width, w);
        EXPECT_EQ(out.height, h);
        EXPECT_LT(out.width, out.height);
        extImage scaled;
        full.Resample(w, h, 0, &scaled);
        ASSERT_EQ(out.bits.size(), static_cast<std::size_t>(scaled.GetEffWidth() * scaled.GetHeight()));
        const BYTE* expected = scaled.GetBits(0);
        long worst = 0;
        for (std::size_t i = 0; i < out.bits.size(); ++i)
            worst = std::max<long>(worst, std::labs(static_cast<long>(out.bits[i]) - expected[i]));
        EXPECT_LE(worst, 24) << "level " << level;
    }
}
