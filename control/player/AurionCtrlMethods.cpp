// The properties and methods of _DAurion, each with its checks in the documented
// order; every failure goes through Fail so that ErrorMode decides how it is seen.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <new>

#include "control/AurionInterface.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/player/AurionCtrl.h"
#include "control/player/WavTargetSize.h"
#include "platform/system/FreeSpace.h"
#include "platform/waveout/WaveOut.h"

namespace aurion {

namespace {

constexpr uint32_t Mpeg1VersionBit = 1;
constexpr uint32_t ModeSingleChannel = 3;
constexpr int16_t VolumePercentMax = 100;
// A percent of the device volume: 100 % is 65 500, not 65 535.
constexpr uint32_t VolumePerPercent = 655;

// The target's "drive": the file system that holds (or will hold) its folder, named
// by the nearest folder on the way up that exists. A target in a folder that does
// not exist thus fails later, when the WAV file cannot be created, as it always has.
std::string TargetFolder(const std::string& waveFile) {
    std::filesystem::path folder = std::filesystem::path(waveFile).parent_path();
    std::error_code error;
    while (!folder.empty() && !std::filesystem::is_directory(folder, error) &&
           folder.has_relative_path())
        folder = folder.parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

int32_t TruncatedFrame(double value) {
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

}  // namespace

void AurionCtrl::SetSelWaveDevice(int16_t value) {
    m_selWaveDevice = value;
    MarkModified();
}

void AurionCtrl::SetPlayPosition(int16_t value) {
    m_playPosition = value;
    MarkModified();
}

int32_t AurionCtrl::GetFrameCount() {
    if (!m_session) return Fail(Errors::FrameCountNotOpened);
    return m_frameCount;
}

bool AurionCtrl::GetIsCopyrighted() const { return m_session && m_isCopyrighted; }
bool AurionCtrl::GetIsOriginal() const { return m_session && m_isOriginal; }
bool AurionCtrl::GetHasChecksums() const { return m_session && m_hasChecksums; }

int32_t AurionCtrl::GetTotalTime() const {
    if (!(m_totalTime > 0.0f)) return 0;
    return TruncatedFrame(static_cast<double>(m_totalTime));
}

void AurionCtrl::SetFrameNotifyCount(int16_t value) {
    m_frameNotifyCount = value;
    if (m_session) m_session->SetNotifyCadence(static_cast<uint16_t>(value));
    MarkModified();
}

void AurionCtrl::SetChannelMode(int16_t value) {
    if (value < 0 || value > 3) {
        Fail(Errors::ChannelModeRange);
        return;
    }
    m_channelMode = value;
    MarkModified();
}

int16_t AurionCtrl::Open(const std::string& mp3File, const std::string& waveFile) {
    const bool probed = ProbeTagFile(mp3File);
    if (!probed && m_errorMode) return Fail(Errors::NotMpegFile);

    m_headerReadable = true;
    m_diskSpaceSufficient = true;
    m_diskQuerySucceeded = true;

    if (m_session) return Fail(Errors::AlreadyOpened);
    if (m_window == platform::NullWindow) return Fail(Errors::NoWindow);

    // Every failure from here on discards the session: its worker never runs.
    std::unique_ptr<PlaybackSession> session = NewSession(waveFile);
    if (probed) m_tagRecord->FilePath = mp3File;
    if (mp3File.empty()) return Fail(Errors::NoInputFile);
    if (const int16_t error = OpenStream(session->Context(), mp3File)) return error;
    if (!session->CreateWorker()) return Fail(Errors::CantCreateThread);

    FrameHeader& header = *session->Context().Header;
    header.FrameBodySize();
    // A target that does not fit fails before any property takes the stream's
    // values: what the host set (FrameNotifyCount) stays as it was.
    if (!waveFile.empty()) {
        const bool oneChannel = header.Mode() == ModeSingleChannel ||
                                session->Context().Channels != ChannelChoice::Both;
        if (const int16_t error = CheckRoomForWavFile(waveFile, header, oneChannel ? 1 : 2))
            return error;
    }
    TakeStreamProperties(header);
    m_session = std::move(session);
    return 0;
}

std::unique_ptr<PlaybackSession> AurionCtrl::NewSession(const std::string& waveFile) const {
    auto session = std::make_unique<PlaybackSession>();
    DecodeContext& context = session->Context();
    context.StopRequest = false;
    context.SeekRequest = false;
    context.SeekTarget = 0;
    context.StopFrame = 0;
    context.CurrentFrame = 0;
    context.NotifyCadence = static_cast<uint16_t>(m_frameNotifyCount);
    context.Window = m_window;
    context.Channels = (m_channelMode >= 1 && m_channelMode <= 3)
                           ? static_cast<ChannelChoice>(m_channelMode)
                           : ChannelChoice::Both;
    context.DeviceNumber = m_outDevice;
    context.SpeedPercent = 100;
    context.Output = OutputKind::WaveDevice;
    context.HighPriority = true;
    if (!waveFile.empty()) {
        context.WavPath = waveFile;
        context.Output = OutputKind::WavFile;
        context.HighPriority = false;
    }
    return session;
}

int16_t AurionCtrl::OpenStream(DecodeContext& context, const std::string& mp3File) {
    context.Stream.reset(new (std::nothrow) FrameStream());
    if (!context.Stream) return Fail(Errors::CantOpenStream);
    context.Stream->Open(mp3File);

    context.Header.reset(new (std::nothrow) FrameHeader());
    Crc16* crc = nullptr;
    if (!context.Header || !context.Header->ReadNext(*context.Stream, crc)) {
        m_headerReadable = false;
        return Fail(Errors::CantReadHeader);
    }
    return 0;
}

int16_t AurionCtrl::CheckRoomForWavFile(const std::string& waveFile, const FrameHeader& header,
                                        int channels) {
    std::optional<uint64_t> freeBytes = platform::FreeBytesOf(TargetFolder(waveFile));
    if (!freeBytes) {
        m_diskQuerySucceeded = false;
        return Errors::DiskQueryFailed.Number;
    }
    m_bytesNeeded = WavTargetBytes(header.TotalMs(), header.SampleRate(), channels);
    if (m_bytesNeeded > *freeBytes) {
        m_diskSpaceSufficient = false;
        return Errors::NotEnoughSpace.Number;
    }
    return 0;
}

void AurionCtrl::TakeStreamProperties(const FrameHeader& header) {
    m_totalTime = header.TotalMs();
    m_msPerFrame = header.MsPerFrame();
    m_frameCount = static_cast<int32_t>(
        std::min<uint32_t>(header.MaxFrames(), std::numeric_limits<int32_t>::max()));
    m_bitRate = static_cast<int32_t>(header.Bitrate());
    m_isCopyrighted = header.Copyright();
    m_isOriginal = header.Original();
    m_layer = static_cast<int16_t>(header.Layer());
    m_hasChecksums = header.NoChecksum() == 0;
    m_lengthKnown = header.LengthFromHeader();
    m_mpegMode = static_cast<int16_t>(header.Mode() + 1);
    bool mpeg1 = header.Version() == Mpeg1VersionBit;
    m_mpegVersion = mpeg1 ? 1 : 2;
    m_sampleFrequency = static_cast<int32_t>(header.SampleRate());
}

int16_t AurionCtrl::NoSessionAnswer(bool withDiskQuery) {
    if (!m_diskSpaceSufficient) return Errors::NotEnoughSpace.Number;
    if (!m_headerReadable) return Errors::HeaderWasUnreadable.Number;
    if (withDiskQuery && !m_diskQuerySucceeded) return Errors::DiskQueryFailed.Number;
    return Fail(Errors::NotOpened);
}

int16_t AurionCtrl::Play() {
    if (!m_session) return NoSessionAnswer(true);
    if (m_session->Paused()) {
        m_session->EndPause();
        m_playStatus = PlayStatus::Playing;
        return 0;
    }
    if (m_session->Playing() || m_session->Started()) return Fail(Errors::AlreadyPlaying);
    if (!m_session->ResumeWorker()) {
        DestroySession();
        return Fail(Errors::CantResumeThread);
    }
    m_playStatus = PlayStatus::Playing;
    return 0;
}

int16_t AurionCtrl::Pause() {
    if (!m_session || !m_session->Started()) return Fail(Errors::NotStarted);
    m_playStatus = m_session->TogglePause() ? PlayStatus::Paused : PlayStatus::Playing;
    return 0;
}

int16_t AurionCtrl::Seek(int32_t frame) {
    if (!m_session || !m_session->Started()) return Fail(Errors::NotStarted);
    if (frame < 0 || frame >= m_frameCount) return Fail(Errors::FrameOutOfRange);
    if (m_seeking) return Fail(Errors::AlreadySeeking);
    m_seeking = true;
    m_session->RequestSeek(frame);
    return 0;
}

int16_t AurionCtrl::Stop() {
    if (!m_session || !m_session->Started()) return Fail(Errors::NotStarted);
    m_playStatus = PlayStatus::Stopped;
    m_session->RequestStop();
    return 0;
}

int16_t AurionCtrl::Close() {
    if (!m_session) return 0;
    if (m_session->Started()) {
        m_session->RequestStop();
        return 0;
    }
    DestroySession();
    RestoreDefaults();
    return 0;
}

int16_t AurionCtrl::PlayFromTo(int32_t frameA, int32_t frameB) {
    if (!m_session) return NoSessionAnswer(false);
    if (m_session->Playing() || m_session->Started()) return Fail(Errors::AlreadyPlaying);
    if (frameA < 0 || frameB >= m_frameCount || frameB < frameA)
        return Fail(Errors::FrameOutOfRange);
    m_seeking = true;
    m_session->RequestRange(frameA, frameB);
    if (!m_session->ResumeWorker()) {
        DestroySession();
        return Fail(Errors::CantResumeThread);
    }
    m_playStatus = PlayStatus::Playing;
    return 0;
}

int16_t AurionCtrl::PlayFromToS(float secX, float secY) {
    if (!m_session) return NoSessionAnswer(false);
    m_framesPerSecond =
        m_totalTime > 0.0f ? static_cast<float>(m_frameCount) / (m_totalTime * 0.001f) : 0.0f;
    double start = std::trunc(static_cast<double>(m_framesPerSecond) * secX);
    double end = std::trunc(static_cast<double>(m_framesPerSecond) * secY);
    if (m_session->Playing() || m_session->Started()) return Fail(Errors::AlreadyPlaying);
    if (!(start >= 0.0) || !(static_cast<double>(m_frameCount) * 1.01 > end) || end < start)
        return Fail(Errors::FrameOutOfRange);
    m_seeking = true;
    m_session->RequestRange(TruncatedFrame(start), TruncatedFrame(end));
    if (!m_session->ResumeWorker()) {
        DestroySession();
        return Fail(Errors::CantResumeThread);
    }
    m_playStatus = PlayStatus::Playing;
    return 0;
}

int16_t AurionCtrl::SetSpeed(int16_t percent) {
    if (!m_session) return Errors::SpeedNotOpened.Number;
    m_session->SetSpeed(percent);
    return 0;
}

float AurionCtrl::GetWaveLengthSecs() const { return m_totalTime * 0.001f; }

int16_t AurionCtrl::SetErrorMode(int16_t errorsOn) {
    m_errorMode = errorsOn != 0;
    return m_errorMode ? -1 : 0;
}

std::optional<ControlError> AurionCtrl::VolumeSessionCheck(const ControlError& onWaveFile) {
    if (!m_session) return Errors::NotOpened;
    if (m_session->Context().Output == OutputKind::WavFile) return onWaveFile;
    return std::nullopt;
}

std::optional<uint32_t> AurionCtrl::ReadVolume() {
    if (auto error = VolumeSessionCheck(Errors::VolumeFromWaveFile)) {
        Fail(*error);
        m_volumeError = error->Number;
        return std::nullopt;
    }
    uint32_t volume = 0;
    if (!m_session->Device().GetVolume(volume)) {
        m_volumeError = Fail(Errors::VolumeReadFailed);
        return std::nullopt;
    }
    return volume;
}

int32_t AurionCtrl::GetVolumeLeft() {
    const std::optional<uint32_t> volume = ReadVolume();
    return volume ? static_cast<int32_t>(*volume & 0xFFFFu) : m_volumeError;
}

int32_t AurionCtrl::GetVolumeRight() {
    const std::optional<uint32_t> volume = ReadVolume();
    return volume ? static_cast<int32_t>(*volume >> 16) : m_volumeError;
}

int16_t AurionCtrl::GetVolumeLeftP() {
    const std::optional<uint32_t> volume = ReadVolume();
    return volume ? static_cast<int16_t>((*volume & 0xFFFFu) / VolumePerPercent) : m_volumeError;
}

int16_t AurionCtrl::GetVolumeRightP() {
    const std::optional<uint32_t> volume = ReadVolume();
    return volume ? static_cast<int16_t>((*volume >> 16) / VolumePerPercent) : m_volumeError;
}

// While the session plays, on its device (device 0 until the worker has opened
// it); otherwise on device 0, whose volume the wave-output layer keeps without the
// device being opened. A device that refuses is a failure, never handed on to
// another device.
bool AurionCtrl::WriteVolume(uint32_t volume) {
    if (m_session->Playing()) return m_session->Device().SetVolume(volume);
    return platform::WaveOutSetDeviceVolume(0, volume) == platform::MmResult::NoError;
}

int16_t AurionCtrl::SetVolume(int32_t left, int32_t right) {
    if (auto error = VolumeSessionCheck(Errors::VolumeOnWaveFile)) return Fail(*error);
    const uint32_t volume =
        (static_cast<uint32_t>(right) << 16) | (static_cast<uint32_t>(left) & 0xFFFFu);
    return WriteVolume(volume) ? int16_t{0} : Fail(Errors::VolumeChangeFailed);
}

int16_t AurionCtrl::SetVolumeP(int16_t left, int16_t right) {
    if (left < 0 || left > VolumePercentMax) return Fail(Errors::LeftVolumeRange);
    if (right < 0 || right > VolumePercentMax) return Fail(Errors::RightVolumeRange);
    if (auto error = VolumeSessionCheck(Errors::VolumeOnWaveFile)) return Fail(*error);
    m_leftVolumeP = left;
    m_rightVolumeP = right;
    const uint32_t volume = (static_cast<uint32_t>(right * VolumePerPercent) << 16) |
                            static_cast<uint32_t>(left * VolumePerPercent);
    return WriteVolume(volume) ? int16_t{0} : Fail(Errors::VolumeChangeFailed);
}

int16_t AurionCtrl::GetLeftSelVolumeP() const { return m_session ? m_leftVolumeP : -1; }

int16_t AurionCtrl::GetNumDevs() const {
    return static_cast<int16_t>(std::min<uint32_t>(platform::WaveOutGetNumDevs(), INT16_MAX));
}

std::optional<platform::WaveOutCaps> AurionCtrl::DeviceCaps(int16_t device) const {
    const int16_t count = GetNumDevs();
    if (device < -1 || device >= count) return std::nullopt;
    platform::WaveOutCaps caps;
    if (platform::WaveOutGetDevCaps(static_cast<uint32_t>(std::max<int16_t>(device, 0)), caps) !=
        platform::MmResult::NoError)
        return std::nullopt;
    return caps;
}

std::string AurionCtrl::GetDevName(int16_t device) const {
    if (const std::optional<platform::WaveOutCaps> caps = DeviceCaps(device))
        return caps->ProductName;
    char text[64];
    std::snprintf(text, sizeof text, "Error: Max possible Device - ID = -1 ~ 0 to %d ",
                  GetNumDevs() - 1);
    return text;
}

int32_t AurionCtrl::GetDevParam(int16_t device) const {
    const std::optional<platform::WaveOutCaps> caps = DeviceCaps(device);
    return caps ? static_cast<int32_t>(caps->Formats) : -1;
}

int16_t AurionCtrl::SetOutDevice(int16_t device) {
    if (device < -1 || device >= GetNumDevs()) return Errors::BadDevice.Number;
    m_outDevice = device < 0 ? int16_t{0} : device;
    return 0;
}

}  // namespace aurion
