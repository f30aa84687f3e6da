// The text box's window side: the text picture on its key colour with and without shadow, the
// growing edit control, the text modes, Escape and pasting.
#include <QPainter>
#include <QTest>

#include "tests/panels/PanelFixture.h"

using namespace panelstest;

namespace {

class TextBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        canvas.host.show();
        canvas.text.SetCurrentFont(&Font(20));
    }
    static const LOGFONTA& Font(int height) {
        static LOGFONTA lf;
        lf = LOGFONTA();
        lf.lfHeight = -height;
        return lf;
    }
    // Counts the pixels of each kind in the text picture.
    struct Census {
        int key = 0, text = 0, shadow = 0, other = 0;
    };
    static Census Count(const extImage& img, RGBQUAD textColour) {
        Census c;
        for (long y = 0; y < img.GetHeight(); ++y)
            for (long x = 0; x < img.GetWidth(); ++x) {
                const RGBQUAD p = img.GetPixelColor(x, y, false);
                if (Same(p, Bgr(254, 255, 255)))
                    ++c.key;
                else if (Same(p, textColour))
                    ++c.text;
                else if (Same(p, Bgr(192, 192, 192)))
                    ++c.shadow;
                else
                    ++c.other;
            }
        return c;
    }
    void TypeNewText(const QString& text) {
        canvas.text.CreateEdit(&canvas.host, 30, 40, 12, 7, 20, 20);
        canvas.text.SetMode(TEXTMODE_EDIT);
        // Typed as one insertion (the test keyboard knows only ASCII keys).
        canvas.text.GetEdit()->insertPlainText(text);
    }

    TestCanvas canvas;
};

TEST_F(TextBoxTest, TextPictureIsKeyedTextOverOptionalSilverShadow) {
    TypeNewText(QStringLiteral("가A"));
    canvas.text.SetColor(RGB(255, 255, 255));

    canvas.text.SetMode(TEXTMODE_PLACED);
    const extImage* plain = canvas.core.GetTextBox().GetTextImage();
    ASSERT_NE(plain, nullptr);
    const QSize measured = cbTextWnd::MeasureText(canvas.text.GetFont(), QStringLiteral("가A"));
    EXPECT_EQ(plain->GetWidth(), measured.width() + 10);
    EXPECT_EQ(plain->GetHeight(), measured.height());
    EXPECT_EQ(plain->GetBpp(), 24);
    EXPECT_EQ(canvas.core.GetTextBox().GetTextSize(), CSize(measured.width() + 10, measured.height()));
    EXPECT_GE(plain->GetTransIndex(), 0);
    EXPECT_TRUE(Same(plain->GetTransColor(), Bgr(254, 255, 255)));
    Census c = Count(*plain, Bgr(255, 255, 255));
    EXPECT_GT(c.text, 10);
    EXPECT_EQ(c.shadow, 0);
    EXPECT_EQ(c.other, 0);  // glyphs are drawn hard: nothing but key and text
    // The right margin of 10 pixels is all key colour.
    for (long y = 0; y < plain->GetHeight(); ++y)
        EXPECT_TRUE(Same(plain->GetPixelColor(plain->GetWidth() - 1, y, false), Bgr(254, 255, 255)));
    EXPECT_FALSE(canvas.core.GetTextBox().NeedsRebuild());

    canvas.text.SetShadow(true);
    canvas.core.GetTextBox().SetRebuild(true);
    canvas.text.RemakeTextImage();
    const extImage* shadowed = canvas.core.GetTextBox().GetTextImage();
    c = Count(*shadowed, Bgr(255, 255, 255));
    EXPECT_GT(c.shadow, 0);
    EXPECT_GT(c.text, 10);
    EXPECT_EQ(c.other, 0);
}

TEST_F(TextBoxTest, WhiteTextPastedOnAWhitePictureKeepsItsPixelsAndDropsTheBox) {
    TypeNewText(QStringLiteral("W"));
    canvas.text.SetColor(RGB(255, 255, 255));
    canvas.text.SetMode(TEXTMODE_PLACED);
    extImage* img = canvas.core.GetTextBox().GetTextImage();
    ASSERT_NE(img, nullptr);

    // On blue the white text pixels show exactly where the picture has them; the key colour
    // leaves the blue alone.
    extImage blue = Filled(60, 40, Bgr(255, 0, 0));
    blue.CopyPixelWithTrans(img, CRect(CPoint(3, 2), CSize(img->GetWidth(), img->GetHeight())));
    int white = 0, keyLeft = 0;
    for (long y = 0; y < 40; ++y)
        for (long x = 0; x < 60; ++x) {
            const RGBQUAD p = At(blue, x, y);
            if (Same(p, Bgr(255, 255, 255))) ++white;
            if (Same(p, Bgr(254, 255, 255))) ++keyLeft;
        }
    EXPECT_EQ(white, Count(*img, Bgr(255, 255, 255)).text);
    EXPECT_EQ(keyLeft, 0);
}

TEST_F(TextBoxTest, GrowthRuleGivesExactSizes) {
    QSize g;
    // Text inside the control: text size plus the font height (and 5 more down).
    ASSERT_TRUE(cbTextWnd::CalcGrow(10, QSize(50, 20), QSize(30, 15), g));
    EXPECT_EQ(g, QSize(40, 30));
    // Text a little wider than the control: the control plus the font height.
    ASSERT_TRUE(cbTextWnd::CalcGrow(10, QSize(50, 20), QSize(55, 15), g));
    EXPECT_EQ(g, QSize(60, 30));
    // Far wider and a little taller: the width follows the text, the height grows by a + 5.
    ASSERT_TRUE(cbTextWnd::CalcGrow(10, QSize(50, 20), QSize(70, 25), g));
    EXPECT_EQ(g, QSize(70, 35));
    // Both far beyond: no axis asks.
    EXPECT_FALSE(cbTextWnd::CalcGrow(10, QSize(50, 20), QSize(70, 40), g));
    // Without a font height nothing changes.
    EXPECT_FALSE(cbTextWnd::CalcGrow(0, QSize(50, 20), QSize(30, 15), g));
    // An empty text in an empty control becomes a square of the font height (plus 5 down).
    ASSERT_TRUE(cbTextWnd::CalcGrow(12, QSize(0, 0), QSize(0, 0), g));
    EXPECT_EQ(g, QSize(12, 17));
}

TEST_F(TextBoxTest, EditControlStartsAtThePointAndGrowsWithItsText) {
    canvas.text.CreateEdit(&canvas.host, 30, 40, 12, 7, 20, 20);
    CTextEditCtrl* edit = canvas.text.GetEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->objectName(), QStringLiteral("7282"));
    EXPECT_EQ(edit->geometry(), QRect(30, 40, 20, 20));
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(canvas.core.GetTextBox().GetLeftTop(), CPoint(12, 7));
    EXPECT_EQ(canvas.core.GetTextBox().GetTextSize(), CSize(20, 20));

    canvas.core.GetTextBox().SetRebuild(false);
    QTest::keyClicks(edit, QStringLiteral("hello world"));
    const QSize text = cbTextWnd::MeasureText(canvas.text.GetFont(), QStringLiteral("hello world"));
    QSize expected;
    ASSERT_TRUE(cbTextWnd::CalcGrow(20, QSize(20, 20), text, expected));
    // Each key grows the control again from its new size; the last step decides.
    EXPECT_EQ(edit->width(), text.width() + 20);
    EXPECT_EQ(edit->height(), text.height() + 20 + 5);
    EXPECT_EQ(canvas.core.GetTextBox().GetTextSize(), CSize(edit->width() + 20, edit->height() + 100));
    EXPECT_TRUE(canvas.core.GetTextBox().NeedsRebuild());
    EXPECT_EQ(canvas.core.GetTextBox().GetText(), "hello world");

    // A second line makes it taller.
    const int before = edit->height();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_GT(edit->height(), before);
    EXPECT_EQ(canvas.core.GetTextBox().GetText(), "hello world\nx");

    canvas.text.ModifyEdit(&canvas.host, 5, 6, 30, 40);
    EXPECT_EQ(edit->geometry(), QRect(5, 6, 50, 140));
}

TEST_F(TextBoxTest, ModesShowHideAndDrawTheText) {
    TypeNewText(QStringLiteral("Mode"));
    CTextEditCtrl* edit = canvas.text.GetEdit();
    canvas.core.GetTextBox().SetOffset(0, 0);
    canvas.core.GetTextBox().Zoom(1.0);

    QImage shown(200, 120, QImage::Format_RGB32);
    auto draw = [&] {
        shown.fill(Qt::white);
        QPainter p(&shown);
        canvas.text.Draw(p);
    };
    auto inked = [&] {
        int n = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) n += shown.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    };
    draw();
    EXPECT_EQ(inked(), 0);  // mode 1 draws nothing

    canvas.text.SetMode(TEXTMODE_PLACED);
    EXPECT_FALSE(edit->isVisible());
    draw();
    const int placedInk = inked();
    EXPECT_GT(placedInk, 10);
    // The ink lies inside the box at (12, 7); the key colour left no trace.
    const CRect box = canvas.core.GetTextBox().GetScreenRect();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != qRgb(255, 255, 255)) {
                EXPECT_TRUE(box.PtInRect(CPoint(x, y))) << x << "," << y;
                EXPECT_NE(shown.pixel(x, y), qRgb(255, 255, 254));
            }

    // Twice the zoom: the box is drawn twice as large.
    canvas.core.GetTextBox().Zoom(2.0);
    draw();
    EXPECT_GT(inked(), placedInk * 3);
    canvas.core.GetTextBox().Zoom(1.0);

    canvas.text.SetMode(TEXTMODE_REEDIT);
    EXPECT_TRUE(edit->isVisible());
    draw();
    EXPECT_EQ(inked(), 0);

    canvas.text.Release();
    EXPECT_EQ(canvas.text.GetMode(), TEXTMODE_NONE);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_TRUE(edit->toPlainText().isEmpty());
    EXPECT_EQ(canvas.core.GetTextBox().GetTextImage(), nullptr);
    EXPECT_EQ(canvas.core.GetTextBox().GetTextSize(), CSize(0, 0));
    EXPECT_EQ(canvas.text.IsEmpty(), 1);
}

TEST_F(TextBoxTest, EscapeWhileTypingRemovesTheTextBox) {
    TypeNewText(QStringLiteral("bye"));
    int told = 0;
    canvas.text.SetOnEscape([&] {
        ++told;
        canvas.text.Release();
    });
    QTest::keyClick(canvas.text.GetEdit(), Qt::Key_Escape);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(canvas.text.GetMode(), TEXTMODE_NONE);
    EXPECT_EQ(canvas.core.GetTextBox().GetText(), "");
    EXPECT_FALSE(canvas.text.GetEdit()->isVisible());
}

TEST_F(TextBoxTest, PasteReplacesTheSelectionAndPutsTheCaretAfterIt) {
    TypeNewText(QStringLiteral("abcd"));
    CTextEditCtrl* edit = canvas.text.GetEdit();
    QTextCursor cur = edit->textCursor();
    cur.setPosition(1);
    cur.setPosition(3, QTextCursor::KeepAnchor);
    edit->setTextCursor(cur);
    canvas.text.Paste("★☆");
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("a★☆d"));
    EXPECT_EQ(edit->textCursor().position(), 3);
    EXPECT_EQ(canvas.core.GetTextBox().GetText(), "a★☆d");

    // Through the clipboard, at the caret.
    cbTextWnd::CopyIntoClipboard("※");
    EXPECT_TRUE(canvas.text.PasteFromClipboard());
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("a★☆※d"));
    EXPECT_EQ(edit->textCursor().position(), 4);
}

TEST_F(TextBoxTest, FollowsWhatTheCanvasDidToTheState) {
    // The canvas places the box on a click elsewhere: the control goes, the picture comes.
    TypeNewText(QStringLiteral("Go"));
    canvas.core.GetTextBox().SetMode(TEXTMODE_PLACED);
    EXPECT_TRUE(canvas.text.SyncWithState());
    EXPECT_FALSE(canvas.text.GetEdit()->isVisible());
    ASSERT_NE(canvas.core.GetTextBox().GetTextImage(), nullptr);
    EXPECT_FALSE(canvas.text.SyncWithState());  // nothing more to do

    // The canvas drops an empty box: the control is emptied and hidden.
    canvas.text.SetMode(TEXTMODE_REEDIT);
    EXPECT_TRUE(canvas.text.GetEdit()->isVisible());
    canvas.core.GetTextBox().Release();
    EXPECT_TRUE(canvas.text.SyncWithState());
    EXPECT_FALSE(canvas.text.GetEdit()->isVisible());
    EXPECT_TRUE(canvas.text.GetEdit()->toPlainText().isEmpty());
    EXPECT_EQ(canvas.core.GetTextBox().GetText(), "");
}

TEST_F(TextBoxTest, NewFontRebuildsAPlacedTextAtOnce) {
    TypeNewText(QStringLiteral("Size"));
    canvas.text.SetMode(TEXTMODE_PLACED);
    const long small = canvas.core.GetTextBox().GetTextImage()->GetHeight();
    EXPECT_TRUE(canvas.text.ApplyFont(Font(40)));
    EXPECT_EQ(canvas.text.GetFontHeight(), 40);
    EXPECT_GT(canvas.core.GetTextBox().GetTextImage()->GetHeight(), small);
    EXPECT_FALSE(canvas.core.GetTextBox().NeedsRebuild());

    // While typing only the mark is set.
    canvas.text.SetMode(TEXTMODE_REEDIT);
    EXPECT_FALSE(canvas.text.ApplyFont(Font(20)));
    EXPECT_TRUE(canvas.core.GetTextBox().NeedsRebuild());
}

}  // namespace
