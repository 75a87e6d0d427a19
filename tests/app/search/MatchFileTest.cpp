#include "app/search/MatchFile.h"
#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {
namespace {

using search::MatchFile;
using search::MatchOptions;

constexpr MatchOptions NamesOnly{true, false};
constexpr MatchOptions TagsOnly{false, true};
constexpr MatchOptions Both{true, true};

class Matching : public AppTest {
protected:
    // A file of some audio bytes and the tag given (none when empty).
    QString Mp3(const QString& name, const QByteArray& tag = {}) {
        const QString path = m_folder + name;
        WriteFile(path, QByteArray(300, '\x55') + tag);
        return path;
    }
    QString m_folder = MakeFolder("match");
};

TEST_F(Matching, AFileNameMatchesIgnoringCaseButNeverByItsExtension) {
    const QString path = Mp3("Morning Sun.mp3");
    EXPECT_TRUE(MatchFile(path, "sun", NamesOnly).Matches);
    EXPECT_TRUE(MatchFile(path, "NING S", NamesOnly).Matches);
    EXPECT_FALSE(MatchFile(path, "mp3", NamesOnly).Matches);
    EXPECT_FALSE(MatchFile(path, "Sun.", NamesOnly).Matches);
    EXPECT_FALSE(MatchFile(path, "Morning Sun and more", NamesOnly).Matches);
    EXPECT_TRUE(MatchFile(Mp3("ÄRGER.mp3"), "ärger", NamesOnly).Matches);
}

TEST_F(Matching, WithTagsOnlyAFileWithoutATagIsNeverFound) {
    const QString path = Mp3("Sunrise.mp3");
    EXPECT_FALSE(MatchFile(path, "sun", TagsOnly).Matches);
    EXPECT_TRUE(MatchFile(path, "sun", Both).Matches) << "the name still counts with both";
}

TEST_F(Matching, ATagMatchesByArtistOrTitleCleanedOfItsPadding) {
    const QString path = Mp3("01.mp3", TagRecord(QByteArray("Blue\0Moon", 9), "Sch\xf6n & Co",
                                                 "Sunny Album", "", "Sun comment"));
    const search::MatchResult byArtist = MatchFile(path, "SCHÖN", TagsOnly);
    EXPECT_TRUE(byArtist.Matches);
    EXPECT_TRUE(byArtist.TagRead);
    EXPECT_EQ(byArtist.Artist, "Schön & Co");
    EXPECT_EQ(byArtist.Title, "Blue") << "cut at the first NUL";
    EXPECT_TRUE(MatchFile(path, "lue", TagsOnly).Matches);
    EXPECT_FALSE(MatchFile(path, "Moon", TagsOnly).Matches) << "what follows a NUL is not text";
    EXPECT_FALSE(MatchFile(path, "Sun", TagsOnly).Matches) << "album and comment are not searched";
    EXPECT_TRUE(MatchFile(path, "01", Both).Matches) << "a tag that misses leaves the name";
}

}  // namespace
}  // namespace trackdeck::test
