#include <gtest/gtest.h>

#include "app/names/BuildName.h"
#include "app/names/ParseFileName.h"
#include "app/names/PatternFields.h"

namespace trackdeck::names {
namespace {

const QStringList NrArtistTitle{FieldNumber, FieldArtist, FieldTitle};

TagFields FromTag() { return {"old artist", "old title", "old album", "old comment", "1999"}; }

TEST(ParseName, TakesThePartsThePatternNamesAndKeepsTheOtherFields) {
    const TagFields fields = ParseName("01 - Interpret - Titel", " - ", NrArtistTitle, FromTag());
    EXPECT_EQ(fields.Artist, "Interpret");
    EXPECT_EQ(fields.Title, "Titel");
    EXPECT_EQ(fields.Album, "old album");
    EXPECT_EQ(fields.Comment, "old comment");
    EXPECT_EQ(fields.Year, "1999");

    const TagFields shifted = ParseName("01 - Interpret - Titel", " - ", DefaultPattern(), {});
    EXPECT_EQ(shifted.Artist, "01");
    EXPECT_EQ(shifted.Title, "Interpret");
}

TEST(ParseName, SurplusEntriesAndAnEmptySeparatorGiveEmptyFields) {
    const QStringList full{FieldNumber, FieldArtist, FieldTitle, FieldAlbum};
    const TagFields surplus = ParseName("07 - Solo", " - ", full, FromTag());
    EXPECT_EQ(surplus.Artist, "Solo");
    EXPECT_EQ(surplus.Title, "");
    EXPECT_EQ(surplus.Album, "");

    const TagFields noSeparator = ParseName("01 - Interpret - Titel", "", full, FromTag());
    EXPECT_EQ(noSeparator.Artist, "");
    EXPECT_EQ(noSeparator.Title, "");
    EXPECT_EQ(noSeparator.Album, "");
    EXPECT_EQ(noSeparator.Comment, "old comment");
}

TEST(ParseName, OddNamesSplitOnlyAtTheSeparator) {
    const TagFields plain = ParseName("Einzelstück", " - ", DefaultPattern(), {});
    EXPECT_EQ(plain.Artist, "Einzelstück");
    EXPECT_EQ(plain.Title, "");

    // A separator at the very start gives an empty first part, not a shifted one.
    const TagFields leading = ParseName(" - A - B", " - ", DefaultPattern(), {});
    EXPECT_EQ(leading.Artist, "");
    EXPECT_EQ(leading.Title, "A");

    // Other hyphens stay inside their part; the same field twice keeps the later part.
    const TagFields hyphens = ParseName("Jay-Z - Hard-Knock", " - ", {FieldTitle, FieldTitle}, {});
    EXPECT_EQ(hyphens.Title, "Hard-Knock");
    EXPECT_EQ(hyphens.Artist, "");

    const TagFields underscores =
        ParseName("a_b_c", "_", {FieldAlbum, FieldNumber, FieldArtist}, {});
    EXPECT_EQ(underscores.Album, "a");
    EXPECT_EQ(underscores.Artist, "c");
}

TEST(BuildNameFromTag, JoinsTheValuesAndSkipsEmptyOnes) {
    EXPECT_EQ(BuildNameFromTag("Interpret", "Titel", "Album", 1, DefaultPattern()),
              "Interpret - Titel");
    EXPECT_EQ(BuildNameFromTag("", "Titel", "Album", 1, DefaultPattern()), "Titel");
    EXPECT_EQ(BuildNameFromTag("Interpret", "", "", 1, {FieldArtist, FieldTitle, FieldAlbum}),
              "Interpret");
    EXPECT_EQ(BuildNameFromTag("A", "T", "", 3, NrArtistTitle), "03 - A - T");
    EXPECT_EQ(BuildNameFromTag("A", "T", "", 12, NrArtistTitle), "12 - A - T");
    EXPECT_EQ(BuildNameFromTag("A", "T", "", 1, {}), "");
}

TEST(CleanFileName, RemovesWhatNoBuiltNameHoldsThenTheBlanksAround) {
    EXPECT_EQ(CleanFileName(BuildNameFromTag("Band", "Why?: Now", "", 1, DefaultPattern())),
              "Band - Why Now");
    EXPECT_EQ(CleanFileName("\"Quote\", more"), "Quote more");
    // A slash would name a sub-folder, a NUL would cut the name.
    EXPECT_EQ(CleanFileName("AC/DC - T.N.T."), "ACDC - T.N.T.");
    EXPECT_EQ(CleanFileName(QString("A") + QChar(0) + "B"), "AB");
    EXPECT_EQ(CleanFileName("  ? Titel  "), "Titel");
    EXPECT_EQ(CleanFileName("/"), "");
}

TEST(NameKeyFilter, DiscardsPathAndControlCharactersButNotBackspace) {
    for (const QChar key : {u'>', u'\\', u'/', u'.', u'*', u'"', u'\r', u'\t', u'\0'})
        EXPECT_TRUE(IsDiscardedNameKey(key)) << static_cast<int>(key.unicode());
    for (const QChar key : {QChar(8), QChar(u'a'), QChar(u'?'), QChar(u'-'), QChar(u'ä')})
        EXPECT_FALSE(IsDiscardedNameKey(key)) << static_cast<int>(key.unicode());
    EXPECT_EQ(WithoutDiscardedKeys("AC/DC\\Live.*\"x\""), "ACDCLivex");
}

TEST(NumberText, HasTwoDigitsBelowTen) {
    EXPECT_EQ(NumberText(1), "01");
    EXPECT_EQ(NumberText(9), "09");
    EXPECT_EQ(NumberText(10), "10");
    EXPECT_EQ(NumberText(123), "123");
}

}  // namespace
}  // namespace trackdeck::names
