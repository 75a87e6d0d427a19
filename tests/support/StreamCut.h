// Shorter streams cut from longer ones, for tests that must not last long.
#pragma once

#include <string>

namespace aurion::test {

// Copies the first `frames` frames of an MPEG-1 or MPEG-2 Layer III file (no tags,
// no leading data, as the demo stream) to `target`; false when the file has fewer.
bool WriteFirstFrames(const std::string& source, int frames, const std::string& target);

}  // namespace aurion::test
