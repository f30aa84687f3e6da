#include <gtest/gtest.h>

#include <QLabel>
#include <QStatusBar>
#include <QWidget>

#include <ctime>

#include "tests/update/TestApp.h"
#include "update/PelloqResources.h"
#include "update/SkinProgress.h"

namespace {

std::time_t LocalTime(int year, int month, int day, int hour, int minute = 0, int second = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

// A dialog with a placeholder control of the given size at (5, 5).
struct Dialog {
    explicit Dialog(int width, int height) {
        window.resize(width + 40, height + 40);
        placeholder = new QWidget(&window);
        placeholder->setGeometry(5, 5, width, height);
    }
    bool appReady = (TestApp(), true);  // before the first widget
    QWidget window;
    QWidget* placeholder;
};

// A skin of nine 4 x 6 cells, each in its own colour; the right half of cell 8 is cyan.
QImage ColourSkin() {
    QImage skin(36, 6, QImage::Format_RGB32);
    for (int cell = 0; cell < 9; ++cell) {
        for (int x = 0; x < 4; ++x) {
            for (int y = 0; y < 6; ++y) {
                const bool cyan = cell == 8 && x >= 2;
                skin.setPixel(cell * 4 + x, y, cyan ? qRgb(0, 255, 255) : qRgb(10 + cell * 25, 100, 220 - cell * 20));
            }
        }
    }
    return skin;
}

// Which cell each column of the bar's middle row shows (-1 for anything else).
std::vector<int> Cells(const QImage& bar) {
    std::vector<int> cells;
    for (int x = 0; x < bar.width(); ++x) {
        const QRgb c = bar.pixel(x, 3);
        int found = -1;
        for (int cell = 0; cell < 9; ++cell) {
            if (c == qRgb(10 + cell * 25, 100, 220 - cell * 20)) found = cell;
        }
        cells.push_back(found);
    }
    return cells;
}

std::vector<int> Runs(std::initializer_list<std::pair<int, int>> runs) {
    std::vector<int> cells;
    for (auto [cell, count] : runs) cells.insert(cells.end(), count, cell);
    return cells;
}

}  // namespace

TEST(SkinProgress, HeadPositionOnA380PixelBar) {
    EXPECT_EQ(CSkinProgress::HeadPosition(380, 10, 4, 0, 8), 190);
    EXPECT_EQ(CSkinProgress::HeadPosition(380, 10, 0, 0, 8), 10);
    EXPECT_EQ(CSkinProgress::HeadPosition(380, 10, 8, 0, 8), 370);
    EXPECT_EQ(CSkinProgress::HeadPosition(380, 10, 12, 0, 8), 370);  // never beyond W - a
    EXPECT_EQ(CSkinProgress::HeadPosition(380, 10, 15, 10, 20), 190);
    EXPECT_EQ(CSkinProgress::HeadPosition(380, 10, 5, 5, 5), 10);  // an empty range
}

TEST(SkinProgress, TheBarCoversItsPlaceholderWithTheDefaultSkin) {
    Dialog dialog(382, 20);  // 380 x 18 inside the static edge: 16-pixel cells, as drawn
    CSkinProgress bar(dialog.placeholder, 8);
    EXPECT_EQ(bar.parentWidget(), &dialog.window);
    EXPECT_EQ(bar.geometry(), QRect(5, 5, 382, 20));
    EXPECT_EQ(bar.GetClientSize(), QSize(380, 18));
    EXPECT_EQ(bar.GetCellWidth(), 10);
    EXPECT_EQ(bar.GetLower(), 0);
    EXPECT_EQ(bar.GetUpper(), 8);
    EXPECT_EQ(bar.GetStep(), 1);
    EXPECT_EQ(bar.GetPos(), 0);
    EXPECT_EQ(bar.SetPos(4), 0);
    EXPECT_EQ(bar.GetHeadPosition(), 190);
    // Filled (blue) left of the head, empty track (light) right of it, and no cyan anywhere.
    const QImage& image = bar.GetBarImage();
    ASSERT_EQ(image.size(), QSize(380, 18));
    const QColor filled = image.pixelColor(50, 9);
    const QColor empty = image.pixelColor(300, 9);
    EXPECT_GT(filled.blue(), filled.red() + 60);
    EXPECT_GT(empty.red(), 200);
    EXPECT_GT(empty.green(), 200);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) ASSERT_NE(image.pixel(x, y) & 0xFFFFFF, 0x00FFFFu) << x << "," << y;
    }
    // A smaller bar scales the cells to its height.
    Dialog small(102, 12);
    CSkinProgress little(small.placeholder, 8);
    EXPECT_EQ(little.GetCellWidth(), 5);
}

TEST(SkinProgress, EightStepsFillTheBarAndMoreKeepItFull) {
    Dialog dialog(382, 20);
    CSkinProgress bar(dialog.placeholder, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(bar.StepIt(), i);
    EXPECT_EQ(bar.GetPos(), 8);
    EXPECT_EQ(bar.GetHeadPosition(), 370);
    EXPECT_EQ(bar.StepIt(), 8);
    EXPECT_EQ(bar.GetPos(), 8);
    bar.SetPos(0);
    EXPECT_EQ(bar.SetPos(100), 0);
    EXPECT_EQ(bar.GetPos(), 8);
    EXPECT_EQ(bar.OffsetPos(-100), 8);
    EXPECT_EQ(bar.GetPos(), 0);
    EXPECT_EQ(bar.SetPos(-3), 0);
    EXPECT_EQ(bar.GetPos(), 0);
}

TEST(SkinProgress, RangesStepsAndReset) {
    Dialog dialog(382, 20);
    CSkinProgress bar(dialog.placeholder, 8);
    bar.SetPos(4);
    EXPECT_EQ(bar.SetRange(0, 16, 2, true), 4);
    EXPECT_EQ(bar.GetPos(), 8);  // the same proportion in the new range
    EXPECT_EQ(bar.GetStep(), 2);
    EXPECT_EQ(bar.StepIt(), 8);
    EXPECT_EQ(bar.GetPos(), 10);
    bar.SetRange(20, 30, 1, false);
    EXPECT_EQ(bar.GetPos(), 20);  // clamped, not rescaled
    EXPECT_EQ(bar.SetStep(5), 1);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 25);
    EXPECT_EQ(bar.GetHeadPosition(), 190);
    EXPECT_EQ(bar.Reset(), 25);
    EXPECT_EQ(bar.GetPos(), 20);
}

TEST(SkinProgress, CellsAreDrawnInTheirPlaces) {
    Dialog dialog(42, 10);  // 40 x 8 inside: cells of 4 x 6, unscaled
    QImage skin = ColourSkin();
    CSkinProgress bar(dialog.placeholder, 8, &skin, nullptr, nullptr, CSkinProgress::cProgressNone);
    ASSERT_EQ(bar.GetCellWidth(), 4);
    // Empty: the short-bar left piece, the piece after the head, the track, the right end
    // (whose cyan half shows the background).
    EXPECT_EQ(Cells(bar.GetBarImage()), Runs({{0, 4}, {6, 4}, {7, 28}, {8, 2}, {-1, 2}}));
    // Half: left end, fill with the mark at half its length, head, after-head, track, right end.
    bar.SetPos(4);
    EXPECT_EQ(bar.GetHeadPosition(), 20);
    EXPECT_EQ(Cells(bar.GetBarImage()),
              Runs({{2, 4}, {4, 6}, {3, 4}, {4, 2}, {5, 4}, {6, 4}, {7, 12}, {8, 2}, {-1, 2}}));
    // Full: no track and no piece after the head.
    bar.SetPos(8);
    EXPECT_EQ(Cells(bar.GetBarImage()), Runs({{2, 4}, {4, 14}, {3, 4}, {4, 10}, {5, 4}, {8, 2}, {-1, 2}}));
    // The rows above and below the cells are background.
    EXPECT_EQ(bar.GetBarImage().pixel(10, 0), bar.palette().color(QPalette::Window).rgb());
}

TEST(SkinProgress, TextModesExtendTheTextWindow) {
    Dialog dialog(382, 20);
    QLabel label(QStringLiteral("Copying"), &dialog.window);
    label.setGeometry(5, 30, 600, 20);
    CSkinProgress bar(dialog.placeholder, 8, nullptr, &label, nullptr, CSkinProgress::cProgressPercent);
    EXPECT_EQ(bar.GetText(), "Copying");
    EXPECT_EQ(label.text(), QStringLiteral("Copying (0%)"));
    bar.SetPos(3);
    EXPECT_EQ(label.text(), QStringLiteral("Copying (37%)"));
    bar.SetProgress(-CSkinProgress::cProgressPercent);
    EXPECT_EQ(label.text(), QStringLiteral("Copying 37%"));
    bar.SetProgress(CSkinProgress::cProgressNone);
    EXPECT_EQ(label.text(), QStringLiteral("Copying"));
    bar.SetText("사진 복사");
    bar.SetProgress(CSkinProgress::cProgressTime);
    EXPECT_TRUE(label.text().startsWith(QStringLiteral("사진 복사 ("))) << label.text().toStdString();
    EXPECT_TRUE(label.text().contains(QStringLiteral("37% / 63% - "))) << label.text().toStdString();

    // Too narrow for the time line: mode 3 falls back to the percentage; anything still too
    // long is cut with "...".
    const int percentWidth = label.fontMetrics().horizontalAdvance(QStringLiteral("사진 복사 (37%)"));
    label.resize(percentWidth + 4, 20);
    bar.SetProgress(CSkinProgress::cProgressTimeOrPercent);
    EXPECT_EQ(label.text(), QStringLiteral("사진 복사 (37%)"));
    label.resize(percentWidth / 2, 20);
    bar.SetPos(4);
    EXPECT_TRUE(label.text().endsWith(QStringLiteral("..."))) << label.text().toStdString();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), percentWidth / 2);
}

TEST(SkinProgress, ShortenCutsFromTheEnd) {
    auto upTo = [](std::size_t n) { return [n](const CString& t) { return t.size() <= n; }; };
    EXPECT_EQ(CSkinProgress::Shorten("abcdef", upTo(6)), "abcdef");
    EXPECT_EQ(CSkinProgress::Shorten("abcdef", upTo(5)), "ab...");
    EXPECT_EQ(CSkinProgress::Shorten("abcdef", upTo(2)), "...");
}

TEST(SkinProgress, StatusBarFormPutsTextAndBarAtTheFront) {
    TestApp();
    QStatusBar status;
    status.resize(600, 24);
    CSkinProgress bar(&status, "Import", 10, 150, CSkinProgress::cProgressPercent);
    EXPECT_EQ(bar.parentWidget(), &status);
    EXPECT_EQ(bar.GetSize(), 150);
    EXPECT_EQ(bar.width(), 150);
    bar.SetPos(5);
    auto labels = status.findChildren<QLabel*>();
    ASSERT_FALSE(labels.isEmpty());
    bool found = false;
    QStringList texts;
    for (QLabel* l : labels) {
        texts << l->text();
        found = found || l->text() == QStringLiteral("Import (50%)");
    }
    EXPECT_TRUE(found) << texts.join(QStringLiteral("|")).toStdString();
}

TEST(SkinProgress, PercentAndTimeLine) {
    EXPECT_EQ(CSkinProgress::FormatPercent(3, 0, 8), "37%");
    EXPECT_EQ(CSkinProgress::FormatPercent(8, 0, 8), "100%");
    EXPECT_EQ(CSkinProgress::FormatPercent(15, 10, 20), "50%");
    EXPECT_EQ(CSkinProgress::FormatPercent(3, 3, 3), "0%");

    const std::time_t start = LocalTime(2024, 5, 10, 10);
    EXPECT_EQ(CSkinProgress::FormatTimeLine(start, start + 60, 4, 0, 8),
              "10:00:00 - 00:01:00 - 50% / 50% - 00:01:00 - 10:02:00");
    EXPECT_EQ(CSkinProgress::FormatTimeLine(start, start + 5, 0, 0, 8),
              "10:00:00 - 00:00:05 - 0% / 100% - --:--:-- - --:--:--");
    // Started the day before (a Thursday, weekday 5 counting Sunday as 1).
    const std::time_t evening = LocalTime(2024, 5, 9, 23);
    EXPECT_EQ(CSkinProgress::FormatTimeLine(evening, LocalTime(2024, 5, 10, 1), 1, 0, 4),
              "2024/05/09/05 23:00:00 - 02:00:00 - 25% / 75% - 06:00:00 - 07:00:00");
    // Whole days, and an end on another day.
    const std::time_t monday = LocalTime(2024, 7, 1, 0);
    EXPECT_EQ(CSkinProgress::FormatTimeLine(monday, LocalTime(2024, 7, 2, 2), 1, 0, 10),
              "2024/07/01/02 00:00:00 - 1:02:00:00 - 10% / 90% - 9:18:00:00 - 2024/07/11/05 20:00:00");
}
