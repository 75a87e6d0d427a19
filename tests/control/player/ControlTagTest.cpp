// The ID3v1 tag as a host reaches it through the dispatch interface: what Open's
// probe reads, the setters' rules, and what WriteTag and DelTag do to the file.
// Records are laid out and taken apart by the tests' own byte-level helpers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/ControlTestHost.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Id3v1Records.h"
#include "tests/support/MpegFrameBuilder.h"
#include "tests/support/ReadOnlyFile.h"

namespace aurion {
namespace {

using test::Bytes;
using test::ControlTestHost;
using test::Id3v1Fields;
using test::Padded;
using test::ReadFileBytes;
using test::TempFile;

constexpr int16_t GenreRock = 17;

// Four silent MPEG-1 Layer III frames, then `tail`.
Bytes Stream(const Bytes& tail = {}, const Bytes& lead = {}) {
    Bytes file = lead;
    for (int i = 0; i < 4; ++i) test::AppendBytes(file, test::MakeFrame(test::HeaderFields{}));
    test::AppendBytes(file, tail);
    return file;
}

Bytes Prefix(const Bytes& file, size_t size) {
    return Bytes(file.begin(),
                 file.begin() + static_cast<std::ptrdiff_t>(std::min(size, file.size())));
}

class ControlTags : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Ready()) << host.Problem(); }

    // Open probes the file and reads its tag; the tag state outlives the session,
    // which is closed again at once, as the desktop program does before writing.
    void OpenAndClose(const std::string& path) {
        EXPECT_EQ(host.Call("Open", path, "").Short(), 0);
        EXPECT_EQ(host.Call("Close").Short(), 0);
    }
    std::string Text(const char* getter) { return host.Call(getter).Text(); }

    ControlTestHost host;
};

TEST_F(ControlTags, ReadsEveryFieldOfARecordLaidOutByteByByte) {
    Id3v1Fields fields;
    fields.Title =
        "Gr\xFC\xDF"
        "e aus K\xF6ln";
    fields.Artist = "Mot\xF6rhead";
    fields.Album = "\xC4rger im Caf\xE9";
    fields.Year = "1999";
    fields.Comment = "\x80 5, \x93quoted\x94";
    fields.Genre = GenreRock;
    TempFile file(Stream(test::LayOutId3v1(fields)));
    OpenAndClose(file.Path());

    EXPECT_TRUE(host.Call("GetHasTag").Bool());
    EXPECT_EQ(Text("GetTitle"), "Grüße aus Köln");
    EXPECT_EQ(Text("GetArtist"), "Motörhead");
    EXPECT_EQ(Text("GetAlbum"), "Ärger im Café");
    EXPECT_EQ(host.Call("GetYear").Short(), 1999);
    EXPECT_EQ(Text("GetComment"), "€ 5, “quoted”");
    EXPECT_EQ(host.Call("GetGenre").Short(), GenreRock);
    EXPECT_EQ(host.Call("GetGenreString", GenreRock).Text(), "Rock");
}

TEST_F(ControlTags, ReadsARecordWrittenByLame) {
    // Made with: lame -b 16 --resample 16 --id3v1-only --tt "Grüße aus Köln"
    //   --ta "Motörhead" --tl "Ärger im Café" --ty 1999 --tc "Straße 5" --tg Rock
    // (lame pads the fields with zero bytes).
    const Bytes fixture =
        ReadFileBytes(TRACKDECK_SOURCE_DIR "/tests/control/player/data/lame-id3v1.mp3");
    ASSERT_EQ(fixture.size(), 704u);
    TempFile file(fixture);
    OpenAndClose(file.Path());

    EXPECT_TRUE(host.Call("GetHasTag").Bool());
    EXPECT_EQ(Text("GetTitle"), "Grüße aus Köln");
    EXPECT_EQ(Text("GetArtist"), "Motörhead");
    EXPECT_EQ(Text("GetAlbum"), "Ärger im Café");
    EXPECT_EQ(host.Call("GetYear").Short(), 1999);
    EXPECT_EQ(Text("GetComment"), "Straße 5");
    EXPECT_EQ(host.Call("GetGenre").Short(), GenreRock);
}

TEST_F(ControlTags, TrimsTrailingBlanksAndZeroBytes) {
    Id3v1Fields fields;
    fields.Title = "Intro";  // 25 blanks follow
    fields.Artist = Padded("Intro", 30, '\0');
    fields.Album = Padded("Intro  ", 30, '\0');
    fields.Comment = std::string(30, '\xE4');  // fills the field: no padding at all
    fields.Year = "7";
    TempFile file(Stream(test::LayOutId3v1(fields)));
    OpenAndClose(file.Path());

    EXPECT_EQ(Text("GetTitle"), "Intro");
    EXPECT_EQ(Text("GetArtist"), "Intro");
    EXPECT_EQ(Text("GetAlbum"), "Intro");
    std::string umlauts;
    for (int i = 0; i < 30; ++i) umlauts += "ä";
    EXPECT_EQ(Text("GetComment"), umlauts);
    EXPECT_EQ(host.Call("GetYear").Short(), 7);
}

TEST_F(ControlTags, SettersCutToThirtyCharactersAndIgnoreEmptyTexts) {
    TempFile file(Stream());
    OpenAndClose(file.Path());
    const std::string forty = "0123456789abcdefghijABCDEFGHIJklmnopqrst";
    host.Call("SetTitle", forty);
    EXPECT_EQ(Text("GetTitle"), forty.substr(0, 30));
    host.Call("SetTitle", "");
    EXPECT_EQ(Text("GetTitle"), forty.substr(0, 30));

    // Thirty characters, not thirty bytes of UTF-8.
    std::string umlauts;
    for (int i = 0; i < 40; ++i) umlauts += "ö";
    host.Call("SetArtist", umlauts);
    EXPECT_EQ(Text("GetArtist"), umlauts.substr(0, 60));
    // Characters that Windows-1252 cannot hold become "?".
    host.Call("SetAlbum", "日本 – €");
    EXPECT_EQ(Text("GetAlbum"), "?? – €");
    host.Call("SetComment", "Comment");
    host.Call("SetComment", "");
    EXPECT_EQ(Text("GetComment"), "Comment");
}

TEST_F(ControlTags, SetYearTakesOneTo2099AndWritesItWithoutLeadingZeros) {
    TempFile file(Stream());
    OpenAndClose(file.Path());
    host.Call("SetYear", int16_t{1999});
    EXPECT_EQ(host.Call("GetYear").Short(), 1999);
    for (int16_t ignored : {int16_t{0}, int16_t{2100}, int16_t{-5}}) {
        host.Call("SetYear", ignored);
        EXPECT_EQ(host.Call("GetYear").Short(), 1999) << ignored;
    }
    host.Call("SetYear", int16_t{7});
    ASSERT_EQ(host.Call("WriteTag").Short(), 0);
    const auto written = test::LastId3v1(ReadFileBytes(file.Path()));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Year, "7   ");
}

TEST_F(ControlTags, WriteTagAppendsToAnUntaggedFileAndLeavesTheAudioAlone) {
    const Bytes audio = Stream();
    TempFile file(audio);
    OpenAndClose(file.Path());
    EXPECT_FALSE(host.Call("GetHasTag").Bool());
    EXPECT_EQ(host.Call("GetGenre").Short(), -1);

    host.Call("SetTitle", "Grüße");
    host.Call("SetArtist", std::string(30, 'A'));
    ASSERT_EQ(host.Call("WriteTag").Short(), 0);
    const Bytes after = ReadFileBytes(file.Path());
    ASSERT_EQ(after.size(), audio.size() + 128);
    EXPECT_EQ(Prefix(after, audio.size()), audio);
    const auto written = test::LastId3v1(after);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Title, Padded("Gr\xFC\xDF"
                                     "e",
                                     30));
    EXPECT_EQ(written->Artist, std::string(30, 'A'));
    EXPECT_EQ(written->Album, Padded("", 30));
    EXPECT_EQ(written->Year, "    ");
    EXPECT_EQ(written->Comment, Padded("", 30));
    EXPECT_EQ(written->Genre, 0);  // no genre is written as 0
    EXPECT_TRUE(host.Call("GetHasTag").Bool());
}

TEST_F(ControlTags, WriteTagReplacesAnExistingTagInPlace) {
    Id3v1Fields fields;
    fields.Title = "Old title";
    fields.Artist = "Artist";
    fields.Genre = 3;
    const Bytes original = Stream(test::LayOutId3v1(fields, '\0'));
    TempFile file(original);
    OpenAndClose(file.Path());
    host.Call("SetTitle", "New title");
    ASSERT_EQ(host.Call("WriteTag").Short(), 0);

    const Bytes after = ReadFileBytes(file.Path());
    ASSERT_EQ(after.size(), original.size());
    EXPECT_EQ(Prefix(after, after.size() - 128), Prefix(original, original.size() - 128));
    const auto written = test::LastId3v1(after);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Title, Padded("New title", 30));
    EXPECT_EQ(written->Artist, Padded("Artist", 30));
    EXPECT_EQ(written->Genre, 3);
}

TEST_F(ControlTags, WriteTagWithoutAChangeLeavesTheFileAsItIs) {
    Id3v1Fields fields;
    fields.Title = "Title";
    fields.Genre = 255;
    const Bytes original = Stream(test::LayOutId3v1(fields, '\0'));
    TempFile file(original);
    OpenAndClose(file.Path());
    host.Call("SetTitle", "");
    EXPECT_EQ(host.Call("WriteTag").Short(), 0);
    EXPECT_EQ(ReadFileBytes(file.Path()), original);
}

TEST_F(ControlTags, GenreAbove79ReadsAsBluesAndIsWrittenBackAs0) {
    Id3v1Fields fields;
    fields.Genre = 255;
    TempFile file(Stream(test::LayOutId3v1(fields)));
    OpenAndClose(file.Path());
    EXPECT_EQ(host.Call("GetGenre").Short(), 0);
    EXPECT_EQ(host.Call("GetGenreString", int16_t{0}).Text(), "Blues");

    host.Call("SetTitle", "Changed");
    ASSERT_EQ(host.Call("WriteTag").Short(), 0);
    auto written = test::LastId3v1(ReadFileBytes(file.Path()));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Genre, 0);

    // The control's own "Unknown" (80) is never written either; 81 is refused.
    host.Call("SetGenre", int16_t{80});
    EXPECT_EQ(host.Call("GetGenre").Short(), 80);
    host.Call("SetGenre", int16_t{81});
    EXPECT_EQ(host.Call("GetGenre").Short(), 80);
    ASSERT_EQ(host.Call("WriteTag").Short(), 0);
    written = test::LastId3v1(ReadFileBytes(file.Path()));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Genre, 0);
}

TEST_F(ControlTags, GenreNamesEndWithTheControlsUnknown) {
    TempFile file(Stream());
    OpenAndClose(file.Path());
    EXPECT_EQ(host.Call("GetGenreString", int16_t{79}).Text(), "Hard Rock");
    EXPECT_EQ(host.Call("GetGenreString", int16_t{80}).Text(), "Unknown");
    EXPECT_EQ(host.Call("GetGenreString", int16_t{81}).Text(), "");
    EXPECT_EQ(host.Call("GetGenreString", int16_t{-1}).Text(), "");
}

TEST_F(ControlTags, DelTagCutsTheRecordOffAndHasTagStaysTrue) {
    const Bytes audio = Stream();
    TempFile file(Stream(test::LayOutId3v1({})));
    OpenAndClose(file.Path());
    ASSERT_EQ(host.Call("DelTag").Short(), 0);
    EXPECT_EQ(ReadFileBytes(file.Path()), audio);
    EXPECT_TRUE(host.Call("GetHasTag").Bool());
    // The file no longer ends in a tag: nothing more is cut.
    EXPECT_EQ(host.Call("DelTag").Short(), 0);
    EXPECT_EQ(ReadFileBytes(file.Path()), audio);

    OpenAndClose(file.Path());
    EXPECT_FALSE(host.Call("GetHasTag").Bool());
    EXPECT_EQ(host.Call("DelTag").Short(), -1);
    EXPECT_EQ(ReadFileBytes(file.Path()), audio);
}

TEST_F(ControlTags, FileShorterThanARecordHasNoTagAndGetsOneAppended) {
    // One MPEG-1 Layer III frame of 96 bytes: 32 kbit/s at 48 kHz.
    test::HeaderFields small;
    small.BitrateIndex = 1;
    small.FrequencyIndex = 1;
    const Bytes audio = test::MakeFrame(small);
    ASSERT_EQ(audio.size(), 96u);
    TempFile file(audio);
    host.Call("Open", file.Path(), "");
    host.Call("Close");
    EXPECT_FALSE(host.Call("GetHasTag").Bool());
    EXPECT_EQ(host.Call("DelTag").Short(), -1);
    host.Call("SetTitle", "Short");
    ASSERT_EQ(host.Call("WriteTag").Short(), 0);
    const Bytes after = ReadFileBytes(file.Path());
    ASSERT_EQ(after.size(), 96u + 128u);
    EXPECT_EQ(Prefix(after, 96), audio);
    const auto written = test::LastId3v1(after);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Title, Padded("Short", 30));
}

TEST_F(ControlTags, WriteTagReachesAFileWithALongPath) {
    const std::string folder = host.Folder() + std::string(120, 'f') + "/";
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const std::string path = folder + std::string(100, 'n') + ".mp3";
    const Bytes audio = Stream();
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(audio.data()),
                  static_cast<std::streamsize>(audio.size()));
    }
    OpenAndClose(path);
    host.Call("SetTitle", "Deep");
    ASSERT_EQ(host.Call("WriteTag").Short(), 0);
    const auto written = test::LastId3v1(ReadFileBytes(path));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Title, Padded("Deep", 30));
}

TEST_F(ControlTags, LeadingId3v2TagIsSteppedOver) {
    Id3v1Fields fields;
    fields.Title = "Behind ID3v2";
    const Bytes original = Stream(test::LayOutId3v1(fields), test::Id3v2Tag(300));
    TempFile file(original);
    host.Call("SetErrorMode", int16_t{1});
    OpenAndClose(file.Path());
    EXPECT_TRUE(host.Call("GetHasTag").Bool());
    EXPECT_EQ(Text("GetTitle"), "Behind ID3v2");

    host.Call("SetTitle", "Written");
    ASSERT_EQ(host.Call("WriteTag").Short(), 0);
    const Bytes after = ReadFileBytes(file.Path());
    ASSERT_EQ(after.size(), original.size());
    EXPECT_EQ(Prefix(after, after.size() - 128), Prefix(original, original.size() - 128));
    const auto written = test::LastId3v1(after);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Title, Padded("Written", 30));
}

TEST_F(ControlTags, OtherDataBeforeTheFirstHeaderGivesNoTagAccess) {
    Id3v1Fields fields;
    fields.Title = "Unreachable";
    const Bytes original = Stream(test::LayOutId3v1(fields), Bytes(64, ' '));
    TempFile file(original);
    // The stream reader finds the frames, so Open succeeds in ErrorMode off.
    OpenAndClose(file.Path());
    EXPECT_FALSE(host.Call("GetHasTag").Bool());
    EXPECT_EQ(Text("GetTitle"), "");
    EXPECT_EQ(host.Call("GetGenre").Short(), -1);
    host.Call("SetTitle", "Changed");
    EXPECT_EQ(host.Call("WriteTag").Short(), 650);
    EXPECT_EQ(host.Call("DelTag").Short(), 650);
    EXPECT_EQ(ReadFileBytes(file.Path()), original);

    host.Call("SetErrorMode", int16_t{1});
    const auto open = host.Call("Open", file.Path(), "");
    EXPECT_EQ(open.RaisedNumber(), 641);
    EXPECT_EQ(open.Error.Description, "Specified File is not an MPEG-File");
    const auto write = host.Call("WriteTag");
    EXPECT_EQ(write.RaisedNumber(), 650);
    EXPECT_EQ(write.Error.Description, "not openend");
}

TEST_F(ControlTags, ReadOnlyFileShowsItsTagButCannotBeChanged) {
    Id3v1Fields fields;
    fields.Title = "Read only";
    const Bytes original = Stream(test::LayOutId3v1(fields));
    TempFile file(original);
    test::ReadOnlyFile readOnly(file.Path());
    if (!readOnly.Holds()) GTEST_SKIP() << "this thread may write any file";

    host.Call("SetErrorMode", int16_t{1});
    OpenAndClose(file.Path());
    EXPECT_EQ(Text("GetTitle"), "Read only");
    host.Call("SetTitle", "Changed");
    // 715 has no text: it is returned, not raised, even in ErrorMode.
    const auto write = host.Call("WriteTag");
    EXPECT_EQ(write.Hr, platform::S_OK);
    EXPECT_EQ(write.Short(), 715);
    EXPECT_EQ(host.Call("DelTag").Short(), 715);
    EXPECT_EQ(ReadFileBytes(file.Path()), original);
}

TEST_F(ControlTags, ShortWriteIsReportedAndTheFileKeepsItsLength) {
    const Bytes audio = Stream();
    TempFile file(audio);
    OpenAndClose(file.Path());
    host.Call("SetTitle", "Too long for the disk");
    int16_t result = 0;
    {
        test::FileSizeLimit limit(audio.size() + 50);
        ASSERT_TRUE(limit.Set());
        result = host.Call("WriteTag").Short();
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(ReadFileBytes(file.Path()), audio);
}

}  // namespace
}  // namespace aurion
