// Loading the resource file: a missing, damaged or foreign file is refused and leaves every
// getter empty; the real file gives the string table the message box and printing rely on.
#include "tests/brelt/BreltFixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

void ExpectEverythingEmpty()
{
    EXPECT_FALSE(CBrelt::IsLoaded());
    EXPECT_TRUE(CBrelt::Bitmap(7516).isNull());
    EXPECT_TRUE(CBrelt::Bitmap(7205).isNull());
    EXPECT_TRUE(CBrelt::Icon(7416).isNull());
    EXPECT_TRUE(CBrelt::String(9000).isEmpty());
    EXPECT_TRUE(CBrelt::Menu(128).empty());
    EXPECT_TRUE(CBrelt::Menu(129).empty());
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace

class BreltLoaderTest : public BreltTest {
protected:
    void SetUp() override { CBrelt::Unload(); }
};

TEST_F(BreltLoaderTest, MissingDamagedOrForeignFilesAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(CBrelt::Load(dir.filePath(QStringLiteral("Brelt.rcc"))));
    ExpectEverythingEmpty();
    EXPECT_FALSE(CBrelt::Load(dir.path()));  // a folder of that name
    ExpectEverythingEmpty();
    EXPECT_FALSE(CBrelt::Load(QString()));
    ExpectEverythingEmpty();

    const QByteArray real = ReadAll(QStringLiteral(BRELT_RCC));
    ASSERT_GT(real.size(), 1000);
    const struct {
        const char* name;
        QByteArray bytes;
    } bad[] = {
        {"empty.rcc", QByteArray()},
        {"text.rcc", QByteArray("this is not a resource file\n")},
        {"zeros.rcc", QByteArray(4096, '\0')},
        {"header-only.rcc", real.left(20)},
        {"garbled.rcc", QByteArray("qres") + QByteArray(64, '\xff')},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.name);
        const QString path = dir.filePath(QString::fromLatin1(b.name));
        ASSERT_TRUE(WriteAll(path, b.bytes));
        EXPECT_FALSE(CBrelt::Load(path));
        ExpectEverythingEmpty();
    }
}

// A resource file whose inner offsets point outside it would make the lookups read beyond
// the buffer; such a file is refused before it is registered.
TEST_F(BreltLoaderTest, FilesWithOffsetsOutsideThemselvesAreRefused)
{
    const QByteArray real = ReadAll(QStringLiteral(BRELT_RCC));
    ASSERT_GT(real.size(), 1000);
    ASSERT_TRUE(real.startsWith("qres"));
    auto be32 = [](const QByteArray& b, int at) {
        return quint32(uchar(b[at])) << 24 | quint32(uchar(b[at + 1])) << 16 | quint32(uchar(b[at + 2])) << 8 |
               uchar(b[at + 3]);
    };
    auto put32 = [](QByteArray& b, int at, quint32 v) {
        for (int i = 0; i < 4; ++i) b[at + i] = char(v >> (24 - 8 * i));
    };
    const int tree = int(be32(real, 8));
    QTemporaryDir dir;
    const struct {
        const char* name;
        int at;
        quint32 value;
    } damage[] = {
        {"root marked as a file", tree + 4, 0},
        {"root with too many children", tree + 6, 0x7FFFFFFF},
        {"root children past the end", tree + 10, 0x00FFFFFF},
        {"root as its own child", tree + 10, 0},
        {"names past the end", 16, quint32(real.size() - 2)},
        {"data past the end", 12, quint32(real.size() - 3)},
        {"unknown version", 4, 9},
    };
    for (const auto& d : damage) {
        SCOPED_TRACE(d.name);
        QByteArray bytes = real;
        put32(bytes, d.at, d.value);
        const QString path = dir.filePath(QStringLiteral("damaged.rcc"));
        ASSERT_TRUE(WriteAll(path, bytes));
        EXPECT_FALSE(CBrelt::Load(path));
        ExpectEverythingEmpty();
    }
    // The undamaged copy loads from anywhere.
    const QString copy = dir.filePath(QStringLiteral("Brelt.rcc"));
    ASSERT_TRUE(WriteAll(copy, real));
    EXPECT_TRUE(CBrelt::Load(copy));
    EXPECT_EQ(CBrelt::Bitmap(7516).width() % 5, 0);
    CBrelt::Unload();
}

TEST_F(BreltLoaderTest, AFailedReloadDropsTheFileLoadedBefore)
{
    ASSERT_TRUE(CBrelt::Load(QStringLiteral(BRELT_RCC)));
    EXPECT_TRUE(CBrelt::IsLoaded());
    EXPECT_FALSE(CBrelt::Bitmap(7516).isNull());
    QTemporaryDir dir;
    EXPECT_FALSE(CBrelt::Load(dir.filePath(QStringLiteral("missing.rcc"))));
    ExpectEverythingEmpty();

    ASSERT_TRUE(CBrelt::Load(QStringLiteral(BRELT_RCC)));
    CBrelt::Unload();
    ExpectEverythingEmpty();
    // Loading twice in a row keeps one registration that still answers.
    ASSERT_TRUE(CBrelt::Load(QStringLiteral(BRELT_RCC)));
    ASSERT_TRUE(CBrelt::Load(QStringLiteral(BRELT_RCC)));
    EXPECT_EQ(CBrelt::String(9000), QStringLiteral("확인"));
    CBrelt::Unload();
}

TEST_F(BreltTest, UnknownIdentifiersGiveEmptyResults)
{
    EXPECT_TRUE(CBrelt::Bitmap(1).isNull());
    EXPECT_TRUE(CBrelt::Bitmap(-7516).isNull());
    EXPECT_TRUE(CBrelt::Icon(7516).isNull());  // a bitmap, not an icon
    EXPECT_TRUE(CBrelt::String(8999).isEmpty());
    EXPECT_TRUE(CBrelt::Menu(130).empty());
}

TEST_F(BreltTest, StringTableHoldsTheMessageBoxLabelsAndTheTitle)
{
    // Labels by the message box's button table: OK, Cancel, Abort, Retry, Ignore, Ignore all,
    // Yes, No, Continue, Skip, Skip all, Help.
    const struct {
        int id;
        const char* text;
    } labels[] = {{9000, "확인"}, {9001, "취소"}, {9002, "중단"}, {9003, "다시 시도"}, {9004, "무시"},
                  {9005, "모두 무시"}, {9006, "예"}, {9008, "아니요"}, {9010, "계속"}, {9011, "건너뛰기"},
                  {9012, "모두 건너뛰기"}, {9013, "도움말"}};
    for (const auto& l : labels)
        EXPECT_EQ(CBrelt::String(l.id), QString::fromUtf8(l.text)) << l.id;
    // Every entry 9000..9013 exists and no two labels are alike (a box never shows two
    // buttons with one caption).
    QStringList seen;
    for (int id = 9000; id <= 9013; ++id) {
        const QString text = CBrelt::String(id);
        EXPECT_FALSE(text.isEmpty()) << id;
        EXPECT_FALSE(seen.contains(text)) << id;
        seen << text;
    }
    EXPECT_EQ(CBrelt::String(57344), QStringLiteral("ZEL VimbroSuite"));
    EXPECT_FALSE(CBrelt::String(100).isEmpty());
}

TEST_F(BreltTest, IconsCarryTheSizesTheWindowsAskFor)
{
    // The message box loads its icons at 63 x 63; the frame's icon serves every size.
    for (int id : {7518, 7519, 7520, 7521}) {
        SCOPED_TRACE(id);
        const QIcon icon = CBrelt::Icon(id);
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(QSize(63, 63)).size(), QSize(63, 63));
        const QImage image = icon.pixmap(QSize(63, 63)).toImage();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);        // transparent around the badge
        EXPECT_EQ(qAlpha(image.pixel(31, 34)), 255);    // opaque at its middle
    }
    const QIcon app = CBrelt::Icon(7416);
    ASSERT_FALSE(app.isNull());
    EXPECT_EQ(app.pixmap(QSize(16, 16)).size(), QSize(16, 16));
    EXPECT_EQ(app.pixmap(QSize(48, 48)).size(), QSize(48, 48));
}
