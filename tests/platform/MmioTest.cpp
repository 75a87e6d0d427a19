#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/mmio/Mmio.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/WavFileReader.h"

namespace platform {
namespace {

using aurion::test::FourCCAt;
using aurion::test::LittleEndian32;
using aurion::test::ReadWholeFile;

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> list) { return list; }

class MmioTest : public ::testing::Test {
protected:
    void TearDown() override { SetMmioFailureHook({}); }
    [[nodiscard]] std::string PathOf(const char* name) const { return m_env.Folder() + name; }

    test::ScopedEnvironment m_env;
};

TEST_F(MmioTest, AscendWritesSizesAndPadsAnOddChunk) {
    const std::string path = PathOf("odd.riff");
    {
        auto file = MmioFile::OpenForWriting(path);
        ASSERT_TRUE(file);
        MmChunkInfo riff;
        riff.FormType = MakeFourCC('T', 'E', 'S', 'T');
        ASSERT_TRUE(file->CreateChunk(riff, ChunkKind::Riff));
        MmChunkInfo odd;
        odd.Id = MakeFourCC('o', 'd', 'd', ' ');
        ASSERT_TRUE(file->CreateChunk(odd, ChunkKind::Plain));
        EXPECT_EQ(file->Write(Bytes({1, 2, 3, 4, 5})), 5);
        ASSERT_TRUE(file->Ascend(odd));
        MmChunkInfo even;
        even.Id = MakeFourCC('e', 'v', 'e', 'n');
        ASSERT_TRUE(file->CreateChunk(even, ChunkKind::Plain));
        EXPECT_EQ(file->Write(Bytes({9, 8})), 2);
        ASSERT_TRUE(file->Ascend(even));
        ASSERT_TRUE(file->Ascend(riff));
        EXPECT_TRUE(file->Close());
    }
    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes);
    const std::vector<uint8_t> expected = {'R', 'I', 'F', 'F', 28, 0, 0, 0, 'T', 'E', 'S', 'T',  //
                                           'o', 'd', 'd', ' ', 5,  0, 0, 0, 1,   2,   3,   4,
                                           5,   0,  // one pad byte
                                           'e', 'v', 'e', 'n', 2,  0, 0, 0, 9,   8};
    EXPECT_EQ(*bytes, expected);
}

TEST_F(MmioTest, DirectBufferAccessWritesAcrossAdvances) {
    const std::string path = PathOf("direct.riff");
    std::vector<uint8_t> data(100);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    {
        auto file = MmioFile::OpenForWriting(path, 16);
        ASSERT_TRUE(file);
        MmChunkInfo chunk;
        chunk.Id = MakeFourCC('d', 'a', 't', 'a');
        ASSERT_TRUE(file->CreateChunk(chunk, ChunkKind::Plain));
        MmioInfo info;
        ASSERT_TRUE(file->GetInfo(info));
        EXPECT_EQ(info.EndWrite - info.Next, 8);  // the chunk header already fills half
        int advances = 0;
        for (uint8_t byte : data) {
            if (info.Next == info.EndWrite) {
                info.Dirty = true;
                ASSERT_TRUE(file->Advance(info));
                EXPECT_EQ(info.EndWrite - info.Next, 16);
                ++advances;
            }
            *info.Next++ = byte;
        }
        EXPECT_EQ(advances, 6);
        info.Dirty = true;
        ASSERT_TRUE(file->SetInfo(info));
        EXPECT_EQ(file->Position(), 108u);
        ASSERT_TRUE(file->Ascend(chunk));
        EXPECT_TRUE(file->Close());
    }
    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 108u);
    EXPECT_EQ(FourCCAt(*bytes, 0), "data");
    EXPECT_EQ(LittleEndian32(*bytes, 4), 100u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), bytes->begin() + 8));
}

TEST_F(MmioTest, OpenTruncatesAnExistingFileAndFailsInAMissingFolder) {
    const std::string path = PathOf("old.riff");
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(1000, 'x');
    }
    {
        auto file = MmioFile::OpenForWriting(path);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Write(Bytes({1, 2, 3})), 3);
    }
    EXPECT_EQ(std::filesystem::file_size(path), 3u);  // the destructor writes what is pending
    int reason = 0;
    EXPECT_FALSE(MmioFile::OpenForWriting(PathOf("no/such/folder/x.wav"), 16, &reason));
    EXPECT_EQ(reason, ENOENT);
}

TEST_F(MmioTest, RefusedWriteLeavesItsReasonAndTheWrittenPartCanBeFinished) {
    const std::string path = PathOf("limited.riff");
    auto file = MmioFile::OpenForWriting(path, 16);
    ASSERT_TRUE(file);
    MmChunkInfo chunk;
    chunk.Id = MakeFourCC('d', 'a', 't', 'a');
    ASSERT_TRUE(file->CreateChunk(chunk, ChunkKind::Plain));
    {
        aurion::test::FileSizeLimit limit(40);
        ASSERT_TRUE(limit.Set());
        EXPECT_EQ(file->Write(std::vector<uint8_t>(100, 7)), -1);
    }
    EXPECT_EQ(file->LastError(), EFBIG);
    // Whole buffers of 16 bytes went through up to the limit.
    EXPECT_EQ(file->WrittenBytes(), 32u);
    EXPECT_FALSE(file->Truncate(33));  // beyond what was written
    ASSERT_TRUE(file->Truncate(20));
    EXPECT_EQ(file->Position(), 20u);
    ASSERT_TRUE(file->Ascend(chunk));
    ASSERT_TRUE(file->Close());
    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 20u);
    EXPECT_EQ(LittleEndian32(*bytes, 4), 12u);
}

TEST_F(MmioTest, SetInfoRefusesAPointerOutsideTheBuffer) {
    auto file = MmioFile::OpenForWriting(PathOf("bad.riff"), 16);
    ASSERT_TRUE(file);
    MmioInfo info;
    ASSERT_TRUE(file->GetInfo(info));
    MmioInfo beyond = info;
    beyond.Next = info.EndWrite + 1;
    EXPECT_FALSE(file->SetInfo(beyond));
    EXPECT_FALSE(file->Advance(beyond));
    EXPECT_EQ(file->Position(), 0u);
    MmioInfo end = info;
    end.Next = info.EndWrite;
    EXPECT_TRUE(file->SetInfo(end));
    EXPECT_EQ(file->Position(), 16u);
}

TEST_F(MmioTest, EveryStepReportsFailureThroughTheHook) {
    for (MmioStep failing :
         {MmioStep::CreateChunk, MmioStep::Write, MmioStep::GetInfo, MmioStep::Advance,
          MmioStep::SetInfo, MmioStep::Truncate, MmioStep::Ascend, MmioStep::Close}) {
        SCOPED_TRACE(static_cast<int>(failing));
        SetMmioFailureHook([failing](MmioStep step, unsigned) { return step == failing; });
        auto file = MmioFile::OpenForWriting(PathOf("hook.riff"));
        ASSERT_TRUE(file);
        MmChunkInfo chunk;
        chunk.Id = MakeFourCC('d', 'a', 't', 'a');
        MmioInfo info;
        const bool created = file->CreateChunk(chunk, ChunkKind::Plain);
        const bool written = file->Write(Bytes({1, 2})) == 2;
        const bool got = file->GetInfo(info);
        const bool advanced = got && file->Advance(info);
        const bool set = got && file->SetInfo(info);
        const bool truncated = file->Truncate(0);
        const bool ascended = file->Ascend(chunk);
        const bool closed = file->Close();
        EXPECT_EQ(created, failing != MmioStep::CreateChunk);
        EXPECT_EQ(written, failing != MmioStep::Write);
        EXPECT_EQ(got, failing != MmioStep::GetInfo);
        if (got) {
            EXPECT_EQ(advanced, failing != MmioStep::Advance);
            EXPECT_EQ(set, failing != MmioStep::SetInfo);
        }
        EXPECT_EQ(truncated, failing != MmioStep::Truncate);
        EXPECT_EQ(ascended, failing != MmioStep::Ascend && created && !truncated);
        EXPECT_EQ(closed, failing != MmioStep::Close);
    }
    SetMmioFailureHook([](MmioStep step, unsigned) { return step == MmioStep::Open; });
    EXPECT_FALSE(MmioFile::OpenForWriting(PathOf("hook.riff")));
}

TEST_F(MmioTest, HookCountsOccurrencesPerStep) {
    SetMmioFailureHook([](MmioStep step, unsigned occurrence) {
        return step == MmioStep::Write && occurrence == 2;
    });
    auto file = MmioFile::OpenForWriting(PathOf("count.riff"));
    ASSERT_TRUE(file);
    MmChunkInfo chunk;
    chunk.Id = MakeFourCC('a', 'b', 'c', 'd');
    ASSERT_TRUE(file->CreateChunk(chunk, ChunkKind::Plain));  // not counted as a write
    EXPECT_EQ(file->Write(Bytes({1})), 1);
    EXPECT_EQ(file->Write(Bytes({2})), -1);
    EXPECT_EQ(file->Write(Bytes({3})), 1);
    EXPECT_EQ(file->Position(), 10u);
}

TEST_F(MmioTest, CallsAfterCloseFail) {
    auto file = MmioFile::OpenForWriting(PathOf("closed.riff"));
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Close());
    MmChunkInfo chunk;
    MmioInfo info;
    EXPECT_FALSE(file->CreateChunk(chunk, ChunkKind::Riff));
    EXPECT_EQ(file->Write(Bytes({1})), -1);
    EXPECT_FALSE(file->GetInfo(info));
    EXPECT_FALSE(file->Ascend(chunk));
    EXPECT_FALSE(file->Close());
}

}  // namespace
}  // namespace platform
