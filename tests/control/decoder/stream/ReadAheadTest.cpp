// The read-ahead gives exactly what reading the file at each offset gives: in
// order, backwards (a seek), across the end of what it holds, past the end of
// the file, and for reads too large to hold.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "control/decoder/stream/ReadAhead.h"
#include "tests/support/MpegFrameBuilder.h"

namespace aurion::test {
namespace {

TEST(ReadAhead, GivesWhatTheFileHoldsAtEveryOffset) {
    constexpr size_t FileBytes = ReadAhead::Bytes * 2 + 1000;
    Bytes contents(FileBytes);
    for (size_t i = 0; i < contents.size(); ++i)
        contents[i] = static_cast<uint8_t>(i * 7 + i / 251);
    TempFile file(contents);
    const int fd = ::open(file.Path().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);

    ReadAhead ahead;
    struct Step {
        uint64_t Offset;
        size_t Count;
    };
    const Step steps[] = {
        {0, 4},                            // fills from the start
        {4, 417},                          // held
        {ReadAhead::Bytes - 10, 512},      // runs past what is held: refilled there
        {100, 20},                         // back before it: refilled
        {FileBytes - 300, 512},            // the file ends within it
        {FileBytes - 4, 4},                // the last bytes exactly
        {FileBytes, 4},                    // nothing beyond the end
        {10, ReadAhead::Bytes / 2 + 1},    // too large to hold: read directly
        {ReadAhead::Bytes / 2 + 11, 300},  // after it, still correct
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "offset " << step.Offset << ", count " << step.Count);
        std::vector<uint8_t> got(step.Count, 0xEE);
        const size_t n = ahead.Read(fd, got.data(), step.Count, step.Offset);
        const size_t expected =
            step.Offset >= FileBytes ? 0 : std::min<size_t>(step.Count, FileBytes - step.Offset);
        ASSERT_EQ(n, expected);
        EXPECT_TRUE(std::equal(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(n),
                               contents.begin() + static_cast<std::ptrdiff_t>(step.Offset)));
    }
    ahead.Reset();
    std::vector<uint8_t> again(8);
    EXPECT_EQ(ahead.Read(fd, again.data(), again.size(), 0), 8u);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), contents.begin()));
    ::close(fd);
}

}  // namespace
}  // namespace aurion::test
