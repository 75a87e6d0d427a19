// The Xing/Info, VBRI and LAME records of a header frame on arbitrary bytes. The
// input is the frame itself (its first four bytes are the header word) followed by
// nothing else; the stream's length comes from the input's length and its last
// byte, so that both plausible and absurd counts are reached. Whatever is kept
// must be true of the file: the parser's promises are checked here.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <span>

#include "control/decoder/stream/VbrHeader.h"
#include "fuzz/CheckingSink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using aurion::fuzz::Fail;
    if (size < 5) return 0;
    const uint32_t headerWord =
        (uint32_t{data[0]} << 24) | (uint32_t{data[1]} << 16) | (uint32_t{data[2]} << 8) | data[3];
    // From the frame alone up to a few megabytes of stream behind it.
    const uint64_t streamBytes = size + (uint64_t{data[size - 1]} << 15);
    const std::span<const uint8_t> frame(data, size - 1);

    const auto header = aurion::ParseVbrHeader(frame, headerWord, streamBytes);
    if (!header) return 0;
    if (header->Bytes > streamBytes) Fail("stream bytes beyond the file");
    // No frame is smaller than 24 bytes, whatever the header.
    if (uint64_t{header->Frames} * 24 > streamBytes) Fail("more frames than the file holds");
    if (!header->Toc.empty()) {
        if (header->Bytes == 0) Fail("a table of contents without the stream's size");
        if (header->FramesPerTocEntry == 0) {
            if (header->Toc.size() != 100 ||
                !std::is_sorted(header->Toc.begin(), header->Toc.end()))
                Fail("a Xing table that is not 100 ascending entries");
        } else {
            const uint64_t sum =
                std::accumulate(header->Toc.begin(), header->Toc.end(), uint64_t{0});
            if (sum > header->Bytes) Fail("VBRI stretches beyond the stream");
        }
    }
    if (header->Gap) {
        if (header->Frames == 0) Fail("an encoder gap without a frame count");
        const uint64_t total = uint64_t{header->Frames} * aurion::Layer3SamplesPerFrame(headerWord);
        if (uint64_t{header->Gap->Delay} + 529 >= total) Fail("a gap that leaves no samples");
    }
    return 0;
}
