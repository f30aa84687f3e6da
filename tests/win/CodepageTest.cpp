#include <gtest/gtest.h>

#include "platform/win/codepage.h"

using namespace win;

TEST(Codepage, HangulSyllablesTakeTwoBytes) {
    EXPECT_EQ(Cp949Length("가나다"), 6u);
    EXPECT_EQ(Cp949Length("abc"), 3u);
    EXPECT_EQ(Cp949Length("사진 1.jpg"), 10u);
    EXPECT_EQ(Cp949Length(""), 0u);
}

TEST(Codepage, FortyFiveSyllablesAndALetterAre91Bytes) {
    std::string name;
    for (int i = 0; i < 45; ++i) name += "한";
    name += "a";
    EXPECT_EQ(Cp949Length(name), 91u);
    EXPECT_EQ(Utf8ToCp949(name).size(), 91u);
}

TEST(Codepage, RoundTripKeepsKoreanText) {
    const std::string text = "전체사진 앨범 'Ä' x";
    std::string cp = Utf8ToCp949("전체사진");
    ASSERT_EQ(cp.size(), 8u);
    EXPECT_EQ(static_cast<unsigned char>(cp[0]), 0xC0u);  // 전 = C0 FC in CP949
    EXPECT_EQ(static_cast<unsigned char>(cp[1]), 0xFCu);
    EXPECT_EQ(Cp949ToUtf8(cp), "전체사진");
    EXPECT_EQ(Cp949ToUtf8(Utf8ToCp949("사용자 정의")), "사용자 정의");
}

TEST(Codepage, CharactersOutsideCp949BecomeOneQuestionMark) {
    // U+1F600 has no CP949 form; Windows writes "?" in its place.
    EXPECT_EQ(Utf8ToCp949("a\xF0\x9F\x98\x80" "b"), "a?b");
    EXPECT_EQ(Cp949Length("a\xF0\x9F\x98\x80" "b"), 3u);
}

TEST(Codepage, Cp949OnlyExtensionsAreCounted) {
    // "똠" is outside EUC-KR but inside CP949 (unified Hangul code).
    EXPECT_EQ(Cp949Length("똠"), 2u);
    EXPECT_EQ(Cp949ToUtf8(Utf8ToCp949("똠")), "똠");
}

TEST(Codepage, InvalidBytesDoNotCrash) {
    EXPECT_EQ(Cp949Length("\xFF\xFE"), 2u);
    EXPECT_EQ(Cp949Length("\xE3\x81"), 2u);  // a cut UTF-8 sequence
    EXPECT_EQ(Cp949ToUtf8("\xB0"), "\xEF\xBF\xBD");
}

TEST(Codepage, ABrokenSequenceCostsOnlyItsOwnBytes) {
    // A lead byte without its continuation bytes is one unknown character; the letters after it
    // ("\x41\x42" is "AB") are kept and counted.
    EXPECT_EQ(Utf8ToCp949("\xEA\x41\x42"), "?AB");
    EXPECT_EQ(Cp949Length("\xEA\x41\x42"), 3u);
    EXPECT_EQ(Cp949Length("\xEA\xB0@"), 3u);
    EXPECT_EQ(Utf8ToCp949("\xEA\xB0@"), "??@");
    EXPECT_EQ(Cp949Truncate("\xEA\x41\x42", 2), "\xEA\x41");
}

TEST(Codepage, TruncateCutsOnCharacterBoundaries) {
    EXPECT_EQ(Cp949Truncate("가나다", 5), "가나");
    EXPECT_EQ(Cp949Truncate("가나다", 6), "가나다");
    EXPECT_EQ(Cp949Truncate("a가", 2), "a");
    EXPECT_EQ(Cp949Truncate("abc", 0), "");
}
