#include <gtest/gtest.h>

#include "platform/text/Windows1252.h"

namespace {

TEST(Windows1252, UmlautsAndHighCharactersRoundTrip) {
    const std::string bytes =
        "Gr\xFC\xDF"
        "e \x80 \x84\x93\x94 \x96";
    const std::string utf8 = platform::Utf8FromWindows1252(bytes);
    EXPECT_EQ(utf8, "Grüße € „“” –");
    EXPECT_EQ(platform::Windows1252FromUtf8(utf8), bytes);
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(platform::Windows1252FromUtf8("日本 ok"), "?? ok");
    EXPECT_EQ(platform::Windows1252FromUtf8("a\xFF"
                                            "b"),
              "a?b");                                         // not UTF-8
    EXPECT_EQ(platform::Windows1252FromUtf8("x\xC3"), "x?");  // cut sequence
}

}  // namespace
