// The bitmaps: every identifier the windows address is there, with the size their layout
// arithmetic needs, cut into the states the controls split them into, with the key colours
// exactly where the windows expect transparency.
#include "tests/brelt/BreltFixture.h"

#include <QImage>

#include <vector>

namespace {

constexpr QRgb kMagenta = 0xFF00FF;
constexpr QRgb kWhite = 0xFFFFFF;

bool Is(const QImage& image, int x, int y, QRgb colour) { return (image.pixel(x, y) & 0xFFFFFF) == colour; }

int Count(const QImage& image, const QRect& area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += Is(image, x, y, colour);
    return n;
}

// The white pixels reached from the border of `cell` through white pixels.
int WhiteOutside(const QImage& cell)
{
    const int w = cell.width(), h = cell.height();
    std::vector<char> seen(static_cast<size_t>(w * h), 0);
    std::vector<QPoint> todo;
    for (int x = 0; x < w; ++x) todo.insert(todo.end(), {QPoint(x, 0), QPoint(x, h - 1)});
    for (int y = 0; y < h; ++y) todo.insert(todo.end(), {QPoint(0, y), QPoint(w - 1, y)});
    int reached = 0;
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h)
            continue;
        char& s = seen[static_cast<size_t>(p.y() * w + p.x())];
        if (s || !Is(cell, p.x(), p.y(), kWhite))
            continue;
        s = 1;
        ++reached;
        todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    return reached;
}

QSize SizeOf(int id) { return CBrelt::Bitmap(id).size(); }

// Every bitmap the windows load by number.
const int kBitmaps[] = {
    7204, 7205, 7206, 7207, 7208, 7209, 7510, 7213, 7214, 7215, 7216, 7217, 7230, 7218,  // frame
    7219, 7220, 7221, 7222, 7223, 7224, 7225, 7226, 7227, 7236, 7413,                    // top bar
    7094, 7231, 7232, 7233, 7234, 7235, 7514, 7503, 7317, 7318, 7319, 7320,              // work views
    7052, 7053, 7054, 7261, 7262, 7263, 7264, 7266, 7267, 7268,                          // panels
    7354, 7355, 7356, 7415, 7420,                                                        // preview
    7357, 7358, 7359, 7360, 7361, 7366, 7367, 7368, 7369,                                // slides
    7411, 7412, 7417, 7418, 7516,                                                        // dialogs
    7283, 7284, 7285, 7286, 7287, 7288, 7289, 7290, 7291, 7293, 7199, 1033,              // tools
    7301, 7302, 7303, 7304,
};

// The skins split into five states (normal, pressed, hover, focus, disabled).
const int kFiveStateSkins[] = {7516, 7417, 7227, 7223, 7317, 7318, 7319, 7320, 7355, 7356, 7420, 7283, 7284,
                               7285, 7286, 7287, 7288, 7289, 7290, 7291, 7293, 7199, 1033, 7301, 7302, 7303, 7304};

}  // namespace

TEST_F(BreltTest, EveryBitmapIsThereAndOpaque)
{
    for (int id : kBitmaps) {
        SCOPED_TRACE(id);
        const QImage image = CBrelt::Bitmap(id);
        ASSERT_FALSE(image.isNull());
        // 24-bit pictures: the windows draw them as they are, keys included.
        EXPECT_FALSE(image.hasAlphaChannel());
        EXPECT_GE(image.depth(), 24);
    }
}

TEST_F(BreltTest, CaptionPiecesAndEdgesFitTheFrameMetrics)
{
    // The caption band is 30 high (hit test and non-client top); its three pieces share it.
    for (int id : {7204, 7205, 7206})
        EXPECT_EQ(SizeOf(id).height(), 30) << id;
    // The buttons stand at y 7, 17 high, inside the caption.
    EXPECT_LE(7 + 17, SizeOf(7205).height());
    // Edges are the frame's 4-pixel margin.
    EXPECT_EQ(SizeOf(7214).width(), 4);
    EXPECT_EQ(SizeOf(7213).width(), 4);
    EXPECT_EQ(SizeOf(7215).height(), 4);
    EXPECT_EQ(SizeOf(7216), QSize(4, 4));
    EXPECT_EQ(SizeOf(7217), QSize(4, 4));
}

TEST_F(BreltTest, CaptionButtonStripsHoldThreeStatesOnMagenta)
{
    for (int id : {7207, 7208, 7510, 7209}) {
        SCOPED_TRACE(id);
        const QImage strip = CBrelt::Bitmap(id);
        ASSERT_EQ(strip.size(), QSize(48, 17));  // normal at x 0, hover at 16, pressed at 32
        for (int state = 0; state < 3; ++state) {
            const QRect cell(state * 16, 0, 16, 17);
            // Corners are the key; the glyph (and the hover/pressed face) is not.
            EXPECT_TRUE(Is(strip, cell.left(), 0, kMagenta)) << state;
            EXPECT_TRUE(Is(strip, cell.right(), 16, kMagenta)) << state;
            const int key = Count(strip, cell, kMagenta);
            EXPECT_GE(16 * 17 - key, 16) << state;
            if (state == 0)
                EXPECT_GT(key, 16 * 17 / 2);  // the normal state is the glyph alone
            else
                EXPECT_LT(key, 16 * 17 / 4);  // hover and pressed fill a rounded face
        }
    }
    // Magenta is a key only there: no other bitmap carries it.
    for (int id : kBitmaps) {
        if (id == 7207 || id == 7208 || id == 7510 || id == 7209)
            continue;
        const QImage image = CBrelt::Bitmap(id);
        EXPECT_EQ(Count(image, image.rect(), kMagenta), 0) << id;
    }
}

TEST_F(BreltTest, FiveStateSkinsAreWhiteOnlyOutsideTheirRoundedFace)
{
    for (int id : kFiveStateSkins) {
        SCOPED_TRACE(id);
        const QImage strip = CBrelt::Bitmap(id);
        ASSERT_EQ(strip.width() % 5, 0);
        const int w = strip.width() / 5;
        const int h = strip.height();
        for (int state = 0; state < 5; ++state) {
            const int x0 = state * w;
            // The region is built from white: the four corners are outside, the centre inside.
            EXPECT_TRUE(Is(strip, x0, 0, kWhite)) << state;
            EXPECT_TRUE(Is(strip, x0 + w - 1, h - 1, kWhite)) << state;
            EXPECT_FALSE(Is(strip, x0 + w / 2, h / 2, kWhite)) << state;
            // Pure white appears only outside the face: every white pixel joins the cell's
            // border through white pixels, so the region has no holes.
            const QImage cell = strip.copy(x0, 0, w, h);
            EXPECT_EQ(WhiteOutside(cell), Count(cell, cell.rect(), kWhite)) << state;
            EXPECT_LT(Count(cell, cell.rect(), kWhite), w * h / 8) << state;
        }
    }
}

TEST_F(BreltTest, TopBarPiecesFitItsLayout)
{
    // Mode buttons: two states side by side, all three alike; they stand on the title, 5 in
    // from its top (title at y 6, buttons at y 11), spaced by 5 and centred with it.
    const QSize mode = SizeOf(7224);
    EXPECT_EQ(SizeOf(7225), mode);
    EXPECT_EQ(SizeOf(7226), mode);
    ASSERT_EQ(mode.width() % 2, 0);
    const QSize title = SizeOf(7219);
    EXPECT_GE(title.width(), 3 * (mode.width() / 2) + 2 * 5);
    EXPECT_GE(title.height(), 5 + mode.height());
    // Add and import are alike; the album strip is add height + 8 (+ 12 with its scroll bar)
    // high and starts 6 below the title, inside the lower band.
    const QSize add = SizeOf(7227);
    EXPECT_EQ(SizeOf(7223), add);
    const int bandHeight = SizeOf(7220).height();
    EXPECT_EQ(SizeOf(7221).height(), bandHeight);
    EXPECT_EQ(SizeOf(7222).height(), bandHeight);
    EXPECT_GE(bandHeight, 6 + add.height() + 20);
    EXPECT_GE(bandHeight, 11 + add.height());
    // Album items: four equal cells; the all-photos item is cut the same way; the name is
    // written from y 32 and the strip (add height + 8) holds the item.
    const QSize item = SizeOf(7236);
    EXPECT_EQ(item.width() % 4, 0);
    EXPECT_EQ(SizeOf(7413), item);
    EXPECT_GE(item.height(), 32 + 11);
    EXPECT_LE(item.height(), add.height() + 8);
}

TEST_F(BreltTest, SlidersAndPanelPiecesFitTheirControls)
{
    // Zoom sliders: the thumbs run along the channel at its height.
    for (int channel : {7514, 7233})
        for (int thumb : {7234, 7235})
            EXPECT_EQ(SizeOf(thumb).height(), SizeOf(channel).height()) << channel << " " << thumb;
    // Vertical panel scroll bar: one width for all pieces; the lists beside it keep room for
    // their items (album list 110 - slider >= 89, filter and frame lists 78 - slider >= 43).
    const int sw = SizeOf(7263).width();
    for (int id : {7261, 7262, 7264})
        EXPECT_EQ(SizeOf(id).width(), sw) << id;
    EXPECT_GE(110 - sw, 89);
    EXPECT_GE(78 - sw, 43);
    // The slide scroller is 11 high.
    for (int id : {7366, 7367, 7368, 7369})
        EXPECT_EQ(SizeOf(id).height(), 11) << id;
    // Panel frame: 2-pixel edges (list at x 2, slider 2 from the right, 2 above the bottom);
    // the title pieces share one height.
    EXPECT_EQ(SizeOf(7266).width(), 2);
    EXPECT_EQ(SizeOf(7267).width(), 2);
    EXPECT_EQ(SizeOf(7268).height(), 2);
    EXPECT_EQ(SizeOf(7052).height(), SizeOf(7053).height());
    EXPECT_EQ(SizeOf(7054).height(), SizeOf(7053).height());
}

TEST_F(BreltTest, SlideBoxHoldsItsAreasAndFitsTheStrip)
{
    const QSize box = SizeOf(7358);
    ASSERT_EQ(box.width() % 2, 0);  // normal and selected halves
    const int W = box.width() / 2;
    const int H = box.height();
    // Picture area to (72, 63), delay text to (61, 83), delay button (62,72)-(72,82).
    EXPECT_GE(W, 73);
    EXPECT_GE(H, 84);
    EXPECT_EQ(SizeOf(7357), QSize(10, 10));
    // Boxes start at y 2 in the 110-pixel strip; the strip pieces share its height.
    for (int id : {7359, 7360, 7361})
        EXPECT_EQ(SizeOf(id).height(), 110) << id;
    EXPECT_LE(2 + H, 110);
    // The selected half differs from the normal one.
    const QImage image = CBrelt::Bitmap(7358);
    EXPECT_NE(image.copy(0, 0, W, H), image.copy(W, 0, W, H));
}

TEST_F(BreltTest, WindowBitmapsHoldWhatIsDrawnOverThem)
{
    // Phone: the screen area (22,50)-(139,161) lies inside and is one even colour, so the
    // picture drawn there has a clean edge.
    const QImage phone = CBrelt::Bitmap(7354);
    ASSERT_GE(phone.width(), 140);
    ASSERT_GE(phone.height(), 162);
    const QRgb screen = phone.pixel(22, 50);
    for (const QPoint& p : {QPoint(138, 50), QPoint(22, 160), QPoint(138, 160), QPoint(80, 105)})
        EXPECT_EQ(phone.pixel(p), screen) << p.x() << "," << p.y();
    EXPECT_NE(phone.pixel(21, 49), screen);
    // Progress window: text (20,185) 200 x 15 and bar (20,205) 300 x 20 inside; the fill is
    // the bar's height.
    EXPECT_GE(SizeOf(7412).width(), 320);
    EXPECT_GE(SizeOf(7412).height(), 225);
    EXPECT_EQ(SizeOf(7411).height(), 20);
    // About box: the version text at (195,53), 100 x 15.
    EXPECT_GE(SizeOf(7418).width(), 295);
    EXPECT_GE(SizeOf(7418).height(), 68);
}
