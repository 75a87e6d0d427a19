// `aurion tag` end to end: the printed lines, fields written through the control
// and parsed from the file's last 128 bytes by the test itself, deletion, and
// the command's failures. The tag rules themselves are the control's tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/HostProcess.h"
#include "tests/support/Id3v1Records.h"
#include "tests/support/MpegFrameBuilder.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScratchFileSystem.h"

namespace aurion::test {
namespace {

// Four silent MPEG-1 Layer III frames, then `tail`.
Bytes Stream(const Bytes& tail = {}, const Bytes& lead = {}) {
    Bytes file = lead;
    for (int i = 0; i < 4; ++i) AppendBytes(file, MakeFrame(HeaderFields{}));
    AppendBytes(file, tail);
    return file;
}

class TagCommand : public ::testing::Test {
protected:
    platform::test::ScopedEnvironment m_environment;
};

TEST_F(TagCommand, PrintsTheTagAsTheControlReadsIt) {
    Id3v1Fields fields;
    fields.Title =
        "Gr\xFC\xDF"
        "e aus K\xF6ln";
    fields.Artist = "Mot\xF6rhead";
    fields.Album = "Album";
    fields.Year = "1999";
    fields.Comment = "\x80 5";
    fields.Genre = 17;
    TempFile file(Stream(LayOutId3v1(fields, '\0')));
    const HostRun run = RunHost({"tag", file.Path()});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out,
              "Title=Grüße aus Köln\nArtist=Motörhead\nAlbum=Album\nYear=1999\n"
              "Comment=€ 5\nGenre=17\nGenreName=Rock\nHasTag=1\n");

    TempFile untagged(Stream());
    const HostRun none = RunHost({"tag", untagged.Path()});
    ASSERT_EQ(none.ExitStatus, 0) << none.Err;
    EXPECT_EQ(none.Out,
              "Title=\nArtist=\nAlbum=\nYear=0\nComment=\nGenre=-1\nGenreName=\nHasTag=0\n");
}

TEST_F(TagCommand, WrittenTagIsParsedFromTheLast128BytesOfTheFile) {
    const Bytes audio = Stream();
    TempFile file(audio);
    const HostRun run =
        RunHost({"tag", file.Path(), "--title", "Grüße", "--artist=Ärzte", "--album", "Album",
                 "--year", "2001", "--comment", "Straße", "--genre", "17"});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");

    const Bytes after = ReadFileBytes(file.Path());
    ASSERT_EQ(after.size(), audio.size() + 128);
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), after.begin()));
    const auto tag = LastId3v1(after);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->Title, Padded("Gr\xFC\xDF"
                                 "e",
                                 30));
    EXPECT_EQ(tag->Artist, Padded("\xC4rzte", 30));
    EXPECT_EQ(tag->Album, Padded("Album", 30));
    EXPECT_EQ(tag->Year, "2001");
    EXPECT_EQ(tag->Comment, Padded("Stra\xDF"
                                   "e",
                                   30));
    EXPECT_EQ(tag->Genre, 17);

    // A second run changes one field over the existing tag.
    ASSERT_EQ(RunHost({"tag", file.Path(), "--title", "Second", "--artist", ""}).ExitStatus, 0);
    const Bytes again = ReadFileBytes(file.Path());
    ASSERT_EQ(again.size(), after.size());
    const auto second = LastId3v1(again);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Title, Padded("Second", 30));
    EXPECT_EQ(second->Artist, Padded("\xC4rzte", 30));
}

TEST_F(TagCommand, DeleteRemovesTheTagOnce) {
    const Bytes audio = Stream();
    TempFile file(Stream(LayOutId3v1({})));
    const HostRun run = RunHost({"tag", file.Path(), "--delete"});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(ReadFileBytes(file.Path()), audio);

    const HostRun again = RunHost({"tag", file.Path(), "--delete"});
    EXPECT_EQ(again.ExitStatus, 1);
    EXPECT_EQ(again.Err, "aurion: " + file.Path() + ": error -1: the file has no tag\n");
    EXPECT_EQ(ReadFileBytes(file.Path()), audio);
}

TEST_F(TagCommand, FileWithoutTagAccessIsTheControlsError) {
    Id3v1Fields fields;
    fields.Title = "Behind junk";
    const Bytes original = Stream(LayOutId3v1(fields), Bytes(100, 'x'));
    TempFile file(original);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"tag", file.Path()},
          std::vector<std::string>{"tag", file.Path(), "--title", "New"}}) {
        const HostRun run = RunHost(args);
        EXPECT_EQ(run.ExitStatus, 1);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err,
                  "aurion: " + file.Path() + ": error 641: Specified File is not an MPEG-File\n");
    }
    EXPECT_EQ(ReadFileBytes(file.Path()), original);
}

TEST_F(TagCommand, FilesThatCannotBeReadOrWrittenAreSaidWithTheSystemsReason) {
    const std::string missing = m_environment.Folder() + "missing.mp3";
    const HostRun gone = RunHost({"tag", missing});
    EXPECT_EQ(gone.ExitStatus, 1);
    EXPECT_EQ(gone.Err, "aurion: cannot read " + missing + ": No such file or directory\n");

    // A file on a read-only file system: even root cannot write it.
    ScratchFileSystem scratch(1 << 16);
    if (!scratch.Mounted()) GTEST_SKIP() << "no file system of our own: " << scratch.Problem();
    const std::string path = scratch.Folder() + "song.mp3";
    const Bytes audio = Stream();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(audio.data()),
               static_cast<std::streamsize>(audio.size()));
    ASSERT_TRUE(scratch.MakeReadOnly());
    const HostRun run = RunHost({"tag", path, "--title", "New"});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "aurion: " + path +
                           ": error 715: the file cannot be opened for writing (Read-only file "
                           "system)\n");
    EXPECT_EQ(ReadFileBytes(path), audio);
}

TEST_F(TagCommand, HelpAndUsageErrors) {
    const HostRun help = RunHost({"--help"});
    EXPECT_EQ(help.ExitStatus, 0);
    for (const char* topic : {"tag FILE [--title T] [--artist A] [--album B] [--year Y]",
                              "tag FILE --delete", "cannot empty a field"}) {
        EXPECT_NE(help.Out.find(topic), std::string::npos) << topic;
    }

    TempFile file(Stream());
    const std::vector<std::vector<std::string>> wrong{
        {"tag"},
        {"tag", file.Path(), file.Path()},
        {"tag", file.Path(), "--year", "nineteen"},
        {"tag", file.Path(), "--genre"},
        {"tag", file.Path(), "--delete", "--title", "T"},
        {"tag", file.Path(), "--track", "3"},
    };
    for (const auto& args : wrong) {
        SCOPED_TRACE(args.back());
        const HostRun run = RunHost(args);
        EXPECT_EQ(run.ExitStatus, 2);
        EXPECT_NE(run.Err.find("aurion tag FILE --delete"), std::string::npos) << run.Err;
    }
    EXPECT_EQ(ReadFileBytes(file.Path()), Stream());
}

}  // namespace
}  // namespace aurion::test
