// The symbol picker: the category strings through the Korean code page, the grid of cells, and
// the symbol it sends on a click, on Space, and the keys that move within a row.
#include <QAccessible>
#include <QScrollBar>
#include <QTest>

#include "tests/panels/PanelFixture.h"
#include "views/editor/SymbolGrid.h"

using namespace panelstest;

namespace {

// A parent that records the symbols it is sent.
class SymbolSink : public QWidget, public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        if (message == CMLSpecialCharListCtrl::WM_SYMBOL_CHOSEN) got.push_back(*reinterpret_cast<const CString*>(wParam));
        return 0;
    }
    std::vector<CString> got;
};

size_t Characters(const CString& s) {
    return CMLSpecialCharListCtrl::SplitCharacters(s).size();
}

TEST(SymbolStrings, RomanGreekAndCyrillicInTableOrderWithoutGaps) {
    EXPECT_EQ(CMLSpecialCharListCtrl::GetSpecialString(3),
              "ⅠⅡⅢⅣⅤⅥⅦⅧⅨⅩⅰⅱⅲⅳⅴⅵⅶⅷⅸⅹ"
              "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩαβγδεζηθικλμνξοπρστυφχψω"
              "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя");
}

TEST(SymbolStrings, EveryCategoryKeepsOnlyWhatTheCodePageShows) {
    // Hiragana ぁ-ん and katakana ァ-ヶ: 83 + 86.
    const CString kana = CMLSpecialCharListCtrl::GetSpecialString(2);
    EXPECT_EQ(Characters(kana), 169u);
    EXPECT_EQ(kana.substr(0, 3), "ぁ");
    EXPECT_EQ(kana.substr(kana.size() - 3), "ヶ");
    // Circled and parenthesised numbers and letters.
    const CString enclosed = CMLSpecialCharListCtrl::GetSpecialString(4);
    EXPECT_EQ(enclosed.substr(0, 3), "①");
    // The symbols start with the inverted exclamation mark.
    const CString symbols = CMLSpecialCharListCtrl::GetSpecialString(1);
    EXPECT_EQ(symbols.substr(0, 2), "¡");
    EXPECT_NE(symbols.find("★"), CString::npos);
    EXPECT_NE(symbols.find("※"), CString::npos);
    for (int key = 1; key <= 6; ++key) {
        const CString s = CMLSpecialCharListCtrl::GetSpecialString(key);
        EXPECT_FALSE(s.empty()) << key;
        EXPECT_EQ(s.find('?'), CString::npos) << key;
    }
    // The full-width forms hold "？" (a character of its own, not the stand-in).
    EXPECT_NE(CMLSpecialCharListCtrl::GetSpecialString(5).find("？"), CString::npos);
    EXPECT_EQ(CMLSpecialCharListCtrl::GetSpecialString(7), "");
    EXPECT_EQ(CMLSpecialCharListCtrl::GetSpecialString(0), "");
}

TEST(SymbolStrings, UnicodeToAnsiGivesCodePageBytes) {
    char* out = nullptr;
    ASSERT_EQ(CMLSpecialCharListCtrl::UnicodeToAnsi(L"가A★", &out), 0);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::string(out), std::string("\xB0\xA1" "A" "\xA1\xDA"));
    delete[] out;
    // A character the code page lacks becomes "?".
    ASSERT_EQ(CMLSpecialCharListCtrl::UnicodeToAnsi(L"\u2161\u216A", &out), 0);
    EXPECT_EQ(std::string(out), std::string("\xA5\xB1?"));
    delete[] out;
    EXPECT_NE(CMLSpecialCharListCtrl::UnicodeToAnsi(nullptr, &out), 0);
    EXPECT_EQ(out, nullptr);
}

class SymbolGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        sink.resize(200, 120);
        picker = new CMLSpecialCharListCtrl(&sink);
        picker->setGeometry(0, 0, 98, 75);
        sink.show();
        count = picker->Init(1);
        QCoreApplication::processEvents();
    }
    QRect CellRect(int index) { return picker->visualItemRect(picker->item(index)); }

    AppFirst app;
    SymbolSink sink;
    CMLSpecialCharListCtrl* picker = nullptr;
    int count = 0;
};

TEST_F(SymbolGridTest, FillsOneCellPerSymbolRowByRow) {
    const auto symbols = CMLSpecialCharListCtrl::SplitCharacters(CMLSpecialCharListCtrl::GetSpecialString(1));
    ASSERT_EQ(count, static_cast<int>(symbols.size()));
    ASSERT_EQ(picker->count(), count);
    for (int i = 0; i < count; ++i) ASSERT_EQ(picker->item(i)->text().toStdString(), symbols[i]) << i;
    EXPECT_TRUE(picker->HasGridLines());

    const int cols = picker->GetColumnCount();
    EXPECT_EQ(cols, (picker->viewport()->width() - picker->verticalScrollBar()->sizeHint().width()) / 16);
    EXPECT_GE(cols, 4);
    // Cells are 16 pixels; a row holds `cols` of them, then the next row begins.
    EXPECT_EQ(CellRect(0).size(), QSize(16, 16));
    EXPECT_EQ(CellRect(1).left() - CellRect(0).left(), 16);
    EXPECT_EQ(CellRect(cols).top() - CellRect(0).top(), 16);
    EXPECT_EQ(CellRect(cols).left(), CellRect(0).left());

    // Screen readers see a list of the symbols by name.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(picker);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("특수문자"));
    ASSERT_GE(list->childCount(), 3);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QString::fromStdString(symbols[0]));
}

TEST_F(SymbolGridTest, ClickAndSpaceSendTheSymbolArrowsStayInTheRow) {
    const int cols = picker->GetColumnCount();
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, {}, CellRect(2).center());
    ASSERT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(sink.got[0], picker->item(2)->text().toStdString());
    EXPECT_EQ(picker->currentRow(), 2);

    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_Right);
    EXPECT_EQ(picker->currentRow(), 3);
    QTest::keyClick(picker, Qt::Key_Space);
    ASSERT_EQ(sink.got.size(), 2u);
    EXPECT_EQ(sink.got[1], picker->item(3)->text().toStdString());

    // At the row's ends the arrows stop.
    picker->setCurrentRow(cols - 1);
    QTest::keyClick(picker, Qt::Key_Right);
    EXPECT_EQ(picker->currentRow(), cols - 1);
    picker->setCurrentRow(cols);
    QTest::keyClick(picker, Qt::Key_Left);
    EXPECT_EQ(picker->currentRow(), cols);
}

}  // namespace
