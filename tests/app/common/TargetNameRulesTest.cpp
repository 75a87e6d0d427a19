#include <gtest/gtest.h>

#include <QDir>

#include "app/common/TargetNameRules.h"

namespace trackdeck::test {
namespace {

TEST(TargetNameRules, RefusedCharactersAndATrailingDotOrBlankBecomeUnderscores) {
    EXPECT_EQ(FittedName("AC/DC: Live?.mp3"), "AC_DC_ Live_.mp3");
    EXPECT_EQ(FittedName(R"(a"b*c<d>e\f|g.mp3)"), "a_b_c_d_e_f_g.mp3");
    EXPECT_EQ(FittedName(QString("tab\there") + QChar(0x1f) + ".mp3"), "tab_here_.mp3");
    EXPECT_EQ(FittedName("Vol. 2. "), "Vol. 2__");
    for (const char* refused : {"AC/DC: Live?.mp3", "a|b.mp3", "end.", "end ", "x\ny.mp3"})
        EXPECT_FALSE(FitsStrictRules(refused)) << refused;
    for (const char* fits : {"Ärzte – Schrei nach Liebe.mp3", "Vol. 2.mp3", "a_b (c) [d].mp3"})
        EXPECT_TRUE(FitsStrictRules(QString::fromUtf8(fits))) << fits;
}

TEST(TargetNameRules, ANameOver255UnitsIsShortenedBeforeItsExtensionAndNeverHalvesACharacter) {
    EXPECT_TRUE(FitsStrictRules(QString(251, 'a') + ".mp3"));
    const QString tooLong = QString(252, 'a') + ".mp3";
    EXPECT_FALSE(FitsStrictRules(tooLong));
    EXPECT_EQ(FittedName(tooLong), QString(251, 'a') + ".mp3");

    // A character outside the BMP is two UTF-16 units; the cut falls between them.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    const QString withPair = QString(250, 'b') + clef + "x.mp3";
    const QString fitted = FittedName(withPair);
    EXPECT_EQ(fitted, QString(250, 'b') + ".mp3");
    EXPECT_TRUE(FitsStrictRules(fitted));

    const QString noExtension = QString(300, 'c');
    EXPECT_EQ(FittedName(noExtension), QString(255, 'c'));
}

TEST(TargetNameRules, AFolderOnThisMachinesOwnFileSystemHasNoStricterRules) {
    // The test folders lie on Linux file systems (ext4, tmpfs, overlay).
    EXPECT_EQ(StrictFileSystem(QDir::tempPath()), QString());
    EXPECT_EQ(StrictFileSystem(QDir::currentPath()), QString());
}

}  // namespace
}  // namespace trackdeck::test
