// Files for the host's end-to-end tests: the demo stream of the repository, the
// conformance streams (tests skip without them), streams built by joining files,
// and the checks that a WAV file written by the control is whole and consistent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/WavFileReader.h"

namespace aurion::test {

[[nodiscard]] std::string DemoStream();

// The conformance stream names of manifest.tsv, in its order; empty without the folder.
[[nodiscard]] std::vector<std::string> ConformanceStreams();
// The names whose manifest row says Layer III.
[[nodiscard]] std::vector<std::string> LayerIIIConformanceStreams();

// Writes `prefix` followed by `times` copies of the file at `source` to `target`.
bool WriteJoined(const std::string& target, const std::vector<uint8_t>& prefix,
                 const std::string& source, int times);

// Fails the current test unless the file is a complete 16-bit PCM WAV file of the
// given format whose RIFF and data sizes agree with its length.
void ExpectConsistentWav(const WavFile& wav, int channels, int sampleRate);

// Every `channels`-th sample starting at `first`, or the average of the two
// channels of an interleaved stereo buffer (first = -1), truncated toward zero.
[[nodiscard]] std::vector<int16_t> ChannelOf(const std::vector<int16_t>& interleaved, int first,
                                             int channels);

}  // namespace aurion::test
