#include "platform/waveout/AlsaPcm.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/waveout/StandardFormats.h"

namespace platform {

namespace {

// The ALSA buffer: short, so that done buffers are near what is heard and a drain is quick.
constexpr unsigned int LatencyMicroseconds = 40'000;

// ALSA reports missing cards and the like on stderr; the layer answers with results instead.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsa() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(IgnoreAlsaError); });
}

bool CanOpen(const std::string& name) {
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return false;
    snd_pcm_close(pcm);
    return true;
}

std::string Hint(const void* hint, const char* id) {
    char* value = snd_device_name_get_hint(hint, id);
    if (value == nullptr) return {};
    std::string text(value);
    std::free(value);
    return text;
}

class AlsaPcm final : public PcmBackend {
public:
    AlsaPcm(snd_pcm_t* pcm, uint32_t channels, uint32_t samplesPerSec, bool canPause)
        : m_pcm(pcm), m_channels(channels), m_samplesPerSec(samplesPerSec), m_canPause(canPause) {}
    // The device closes only when every buffer has been played: nothing is left to drain.
    ~AlsaPcm() override {
        snd_pcm_drop(m_pcm);
        snd_pcm_close(m_pcm);
    }

    AlsaPcm(const AlsaPcm&) = delete;
    AlsaPcm& operator=(const AlsaPcm&) = delete;

    WriteResult Write(std::span<const int16_t> samples) override {
        const auto frames = static_cast<snd_pcm_uframes_t>(samples.size() / m_channels);
        snd_pcm_uframes_t written = 0;
        while (written < frames && !m_failed) {
            snd_pcm_sframes_t result =
                snd_pcm_writei(m_pcm, samples.data() + written * m_channels, frames - written);
            if (result < 0) result = snd_pcm_recover(m_pcm, static_cast<int>(result), 1);
            if (result < 0)
                m_failed = true;
            else
                written += static_cast<snd_pcm_uframes_t>(result);
        }
        if (m_failed) {
            // A device that is gone plays at the real-time rate into nothing, so the
            // buffers still come back.
            std::this_thread::sleep_for(std::chrono::microseconds(static_cast<uint64_t>(frames) *
                                                                  1'000'000 / m_samplesPerSec));
        }
        m_written += frames;
        return WriteResult::Taken;
    }

    uint64_t PlayedFrames() override {
        if (m_failed) return m_written;
        const snd_pcm_state_t state = snd_pcm_state(m_pcm);
        // Ran dry (underrun) or drained: everything written has been played.
        if (state != SND_PCM_STATE_PREPARED && state != SND_PCM_STATE_RUNNING) return m_written;
        snd_pcm_sframes_t delay = 0;
        if (snd_pcm_delay(m_pcm, &delay) < 0) return m_written;
        // Start at once rather than at ALSA's threshold, which a short buffer never reaches.
        if (state == SND_PCM_STATE_PREPARED && delay > 0) snd_pcm_start(m_pcm);
        const auto held = static_cast<uint64_t>(std::max<snd_pcm_sframes_t>(delay, 0));
        return held < m_written ? m_written - held : 0;
    }

    void Pause() override {
        if (m_canPause && snd_pcm_state(m_pcm) == SND_PCM_STATE_RUNNING &&
            snd_pcm_pause(m_pcm, 1) == 0) {
            m_hardwarePaused = true;
            return;
        }
        // Without pause support the device plays out what it holds; nothing is lost.
        snd_pcm_drain(m_pcm);
        snd_pcm_prepare(m_pcm);
    }

    void Resume() override {
        if (m_hardwarePaused && snd_pcm_pause(m_pcm, 0) < 0) snd_pcm_prepare(m_pcm);
        m_hardwarePaused = false;
    }

    void Drop() override {
        snd_pcm_drop(m_pcm);
        snd_pcm_prepare(m_pcm);
        m_hardwarePaused = false;
        m_written = 0;
    }

    // A Write blocks for about one period at most, so it need not be interrupted.
    void Interrupt() override {}
    void ClearInterrupt() override {}

private:
    snd_pcm_t* const m_pcm;
    const uint32_t m_channels;
    const uint32_t m_samplesPerSec;
    const bool m_canPause;
    bool m_hardwarePaused = false;
    bool m_failed = false;
    uint64_t m_written = 0;
};

}  // namespace

std::vector<AlsaDevice> FindAlsaDevices() {
    SilenceAlsa();
    std::vector<AlsaDevice> devices;
    if (!CanOpen("default")) return devices;
    devices.push_back({"default", "Default audio output"});
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0) return devices;
    for (void** hint = hints; *hint != nullptr; ++hint) {
        const std::string name = Hint(*hint, "NAME");
        const std::string direction = Hint(*hint, "IOID");
        if (name.empty() || name == "default" || name == "null") continue;
        if (!direction.empty() && direction != "Output") continue;
        std::string description = Hint(*hint, "DESC");
        description = description.substr(0, description.find('\n'));
        devices.push_back({name, description.empty() ? name : description});
    }
    snd_device_name_free_hint(hints);
    return devices;
}

uint32_t AlsaFormats(const std::string& name) {
    SilenceAlsa();
    if (name == "default") return AllStandardFormats;
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return AllStandardFormats;
    snd_pcm_hw_params_t* params = nullptr;
    uint32_t formats = 0;
    if (snd_pcm_hw_params_malloc(&params) == 0) {
        if (snd_pcm_hw_params_any(pcm, params) >= 0) {
            for (const StandardFormat& format : StandardFormats) {
                const snd_pcm_format_t sampleFormat =
                    format.BitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16;
                if (snd_pcm_hw_params_test_format(pcm, params, sampleFormat) == 0 &&
                    snd_pcm_hw_params_test_channels(pcm, params, format.Channels) == 0 &&
                    snd_pcm_hw_params_test_rate(pcm, params, format.SamplesPerSec, 0) == 0)
                    formats |= format.Flag;
            }
        }
        snd_pcm_hw_params_free(params);
    }
    snd_pcm_close(pcm);
    return formats;
}

std::unique_ptr<PcmBackend> OpenAlsaPcm(const std::string& name, const WaveFormat& format,
                                        MmResult& error) {
    SilenceAlsa();
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        error = MmResult::Error;
        return nullptr;
    }
    const int result =
        snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, format.Channels,
                           format.SamplesPerSec, 1, LatencyMicroseconds);
    if (result < 0) {
        snd_pcm_close(pcm);
        error = result == -EINVAL ? MmResult::BadFormat : MmResult::Error;
        return nullptr;
    }
    bool canPause = false;
    snd_pcm_hw_params_t* params = nullptr;
    if (snd_pcm_hw_params_malloc(&params) == 0) {
        if (snd_pcm_hw_params_current(pcm, params) == 0)
            canPause = snd_pcm_hw_params_can_pause(params) != 0;
        snd_pcm_hw_params_free(params);
    }
    error = MmResult::NoError;
    return std::make_unique<AlsaPcm>(pcm, format.Channels, format.SamplesPerSec, canPause);
}

}  // namespace platform
