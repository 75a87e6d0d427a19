// CAurionCtrl, the Aurion control: the dispatch interface _DAurion with its
// properties and methods, the events of _DAurionEvents behind a connection point,
// the control's own message window (made by Activate on the host's thread) that
// turns the decoding thread's posted messages into events, and its appearance.
//
// Error reporting: a member that fails returns its error number; with ErrorMode
// on, a failure that has a text is raised instead (Invoke answers DISP_E_EXCEPTION
// with the SCODE and the text). Everything runs on the thread that created the
// control; the only other thread is a session's worker, which only posts messages.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "control/player/AurionDispatchTable.h"
#include "control/player/ControlErrors.h"
#include "control/player/ControlEvents.h"
#include "control/player/PlaybackSession.h"
#include "control/player/TagFile.h"
#include "control/player/TagRecord.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/ControlSite.h"
#include "platform/com/Dispatch.h"
#include "platform/waveout/WaveOut.h"

namespace aurion {

inline constexpr int16_t AurionVersion = 151;
inline constexpr int16_t DefaultFrameNotifyCount = 32;

class AurionCtrl final : public platform::IDispatch,
                         public platform::IConnectionPointContainer,
                         public platform::IOleControl,
                         public platform::IViewObject {
public:
    // The new control holds one reference, owned by the caller.
    static AurionCtrl* Create();

    AurionCtrl(const AurionCtrl&) = delete;
    AurionCtrl& operator=(const AurionCtrl&) = delete;

    // IUnknown
    platform::HRESULT QueryInterface(const platform::Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    // IDispatch
    platform::HRESULT GetIdOfName(std::string_view name, platform::DispId& id) override;
    platform::HRESULT Invoke(platform::DispId id, platform::InvokeKind kind,
                             std::span<platform::Variant> args, platform::Variant* result,
                             platform::ExcepInfo* error) override;

    // IConnectionPointContainer
    platform::HRESULT FindConnectionPoint(const platform::Guid& iid,
                                          platform::IConnectionPoint** out) override;

    // IOleControl
    platform::HRESULT SetClientSite(platform::IControlSite* site) override;
    platform::HRESULT Activate() override;
    platform::HRESULT Deactivate() override;
    platform::HRESULT GetWindow(platform::WindowHandle& window) override;
    platform::HRESULT GetPropertyPages(std::vector<platform::Guid>& pages) override;

    // IViewObject
    platform::HRESULT Draw(int width, int height, platform::Image& image) override;
    platform::HRESULT GetToolboxImage(platform::Image& image) override;

    // Properties.
    [[nodiscard]] int16_t GetSelWaveDevice() const { return m_selWaveDevice; }
    void SetSelWaveDevice(int16_t value);
    [[nodiscard]] int16_t GetPlayPosition() const { return m_playPosition; }
    void SetPlayPosition(int16_t value);
    [[nodiscard]] int32_t GetFrameCount();
    [[nodiscard]] bool GetIsCopyrighted() const;
    [[nodiscard]] bool GetIsOriginal() const;
    [[nodiscard]] bool GetHasChecksums() const;
    [[nodiscard]] int16_t GetLayer() const { return m_layer; }
    [[nodiscard]] int32_t GetSampleFrequency() const { return m_sampleFrequency; }
    [[nodiscard]] int32_t GetBitRate() const { return m_bitRate; }
    [[nodiscard]] int16_t GetMPEGVersion() const { return m_mpegVersion; }
    [[nodiscard]] int16_t GetMPEGMode() const { return m_mpegMode; }
    [[nodiscard]] int16_t GetFrameNotifyCount() const { return m_frameNotifyCount; }
    void SetFrameNotifyCount(int16_t value);
    [[nodiscard]] int16_t GetVersion() const { return AurionVersion; }
    [[nodiscard]] float GetMsPerFrame() const { return m_msPerFrame; }
    [[nodiscard]] int32_t GetTotalTime() const;
    [[nodiscard]] int16_t GetChannelMode() const { return m_channelMode; }
    void SetChannelMode(int16_t value);

    // Session methods.
    int16_t Open(const std::string& mp3File, const std::string& waveFile);
    int16_t Play();
    int16_t Pause();
    int16_t Seek(int32_t frame);
    int16_t Stop();
    int16_t Close();
    int16_t PlayFromTo(int32_t frameA, int32_t frameB);
    int16_t PlayFromToS(float secX, float secY);
    int16_t SetSpeed(int16_t percent);
    [[nodiscard]] int16_t GetStatus() const { return m_playStatus; }
    [[nodiscard]] float GetWaveLengthSecs() const;
    int16_t SetErrorMode(int16_t errorsOn);

    // How far a session has got, as a host shows it. The frame the device is playing
    // (ActFrame is the frame being decoded, a second or two ahead of what is heard);
    // for a WAV target, the frame last reported. 650 with no session.
    [[nodiscard]] int32_t GetPlayedFrame();
    // The frame count as the stream read so far suggests; FrameCount until the
    // worker has read on, and whenever the header frame gives it. 650 with no session.
    [[nodiscard]] int32_t GetFrameEstimate();
    // True when FrameCount and TotalTime come from the file's header frame; false
    // when they are estimates from the first frame and the file's size, or with no
    // session.
    [[nodiscard]] bool GetLengthKnown() const { return m_session && m_lengthKnown; }
    // The operating system's reason for the last Failure the control reported ("No
    // space left on device"); empty when it gave none.
    [[nodiscard]] std::string GetFailureReason() const { return m_failureReason; }

    // Volume and devices.
    int32_t GetVolumeLeft();
    int32_t GetVolumeRight();
    int16_t GetVolumeLeftP();
    int16_t GetVolumeRightP();
    int16_t SetVolume(int32_t left, int32_t right);
    int16_t SetVolumeP(int16_t left, int16_t right);
    [[nodiscard]] int16_t GetLeftSelVolumeP() const;
    [[nodiscard]] int16_t GetNumDevs() const;
    [[nodiscard]] std::string GetDevName(int16_t device) const;
    [[nodiscard]] int32_t GetDevParam(int16_t device) const;
    int16_t SetOutDevice(int16_t device);
    [[nodiscard]] int16_t GetOutDevice() const { return m_outDevice; }

    // Tag access: the ID3v1 tag of the file last given to Open. Texts are UTF-8 here.
    // With no tag record (no file probed, or the probe failed) getters answer empty
    // texts, 0 or -1, setters do nothing, WriteTag and DelTag fail with 650.
    [[nodiscard]] std::string GetTitle() const;
    [[nodiscard]] std::string GetArtist() const;
    [[nodiscard]] std::string GetAlbum() const;
    [[nodiscard]] std::string GetComment() const;
    [[nodiscard]] int16_t GetYear() const;
    [[nodiscard]] int16_t GetGenre() const;
    [[nodiscard]] std::string GetGenreString(int16_t genre) const;
    [[nodiscard]] bool GetHasTag() const;
    void SetTitle(const std::string& text);
    void SetArtist(const std::string& text);
    void SetAlbum(const std::string& text);
    void SetComment(const std::string& text);
    void SetYear(int16_t year);
    void SetGenre(int16_t genre);
    int16_t WriteTag();
    int16_t DelTag();

    void AboutBox();

    // The open session, for tests that look at what reaches the worker; null when none.
    [[nodiscard]] const PlaybackSession* Session() const { return m_session.get(); }
    // Where WriteTag writes: empty when no probe succeeded.
    [[nodiscard]] std::string TagPath() const;

private:
    AurionCtrl();
    ~AurionCtrl();

    // Returns the number; in ErrorMode a failure with a text is raised when Invoke returns.
    int16_t Fail(const ControlError& error);
    // Open's steps. A session whose context holds what Open was given and the
    // control's settings; the stream and its first frame (0, 641 or 643); the free
    // space for the WAV target (0, 712 or 714); the properties from the header.
    [[nodiscard]] std::unique_ptr<PlaybackSession> NewSession(const std::string& waveFile) const;
    int16_t OpenStream(DecodeContext& context, const std::string& mp3File);
    int16_t CheckRoomForWavFile(const std::string& waveFile, const FrameHeader& header,
                                int channels);
    void TakeStreamProperties(const FrameHeader& header);
    int16_t NoSessionAnswer(bool withDiskQuery);
    void RestoreDefaults();
    void DestroySession();
    // Stops, joins and discards a session without any event (destruction, Deactivate).
    void ShutDownSession();
    void MarkModified();
    // The capabilities of a device number of -1 (device 0) to count - 1.
    [[nodiscard]] std::optional<platform::WaveOutCaps> DeviceCaps(int16_t device) const;
    // The volume methods' session checks: 650 without a session, the given 657 on a
    // session that writes a WAV file.
    [[nodiscard]] std::optional<ControlError> VolumeSessionCheck(const ControlError& onWaveFile);
    // The device volume, or nothing after reporting the failure (m_volumeError).
    std::optional<uint32_t> ReadVolume();
    bool WriteVolume(uint32_t volume);

    // Open's probe: discards the previous tag state and reads the file's tag. True
    // when the file is an MPEG file (a tag record then exists).
    bool ProbeTagFile(const std::string& path);
    void SetTagText(std::string TagRecord::*field, size_t width, const std::string& text);
    [[nodiscard]] std::string TagText(std::string TagRecord::*field) const;

    platform::HRESULT InvokeMember(const DispatchMember& member, platform::InvokeKind kind,
                                   std::span<const platform::Variant> args,
                                   platform::Variant& result);
    platform::HRESULT PutProperty(platform::DispId id, const platform::Variant& value);
    platform::Variant GetProperty(platform::DispId id);
    platform::Variant CallMethod(platform::DispId id, std::span<const platform::Variant> args);

    void OnWindowMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam);
    void OnActFrame(platform::WParam frame);
    void OnThreadEnded();
    void OnSeekDone();
    // `step` is the OutputFailure that MSG_FAILURE names.
    void OnFailure(platform::WParam step, platform::HRESULT scode);

    std::atomic<uint32_t> m_refs{1};
    ControlEvents m_events;
    platform::ComPtr<platform::IControlSite> m_site;
    platform::WindowHandle m_window = platform::NullWindow;
    std::optional<ControlError> m_raised;

    // Stream properties (defaults when no session has them).
    int32_t m_frameCount = 0;
    float m_totalTime = 0.0f;
    float m_msPerFrame = 0.0f;
    int16_t m_layer = -1;
    bool m_hasChecksums = true;
    bool m_isCopyrighted = true;
    bool m_isOriginal = true;
    int32_t m_sampleFrequency = -1;
    int32_t m_bitRate = -1;
    int16_t m_mpegMode = -1;
    int16_t m_mpegVersion = -1;
    int16_t m_frameNotifyCount = DefaultFrameNotifyCount;
    bool m_seeking = false;
    int16_t m_outDevice = 0;
    bool m_lengthKnown = false;
    std::string m_failureReason;

    // OpenFailure: reset to true at the start of every Open.
    bool m_headerReadable = true;
    bool m_diskSpaceSufficient = true;
    bool m_diskQuerySucceeded = true;
    uint64_t m_bytesNeeded = 0;
    float m_framesPerSecond = 0.0f;
    int16_t m_leftVolumeP = -1;
    int16_t m_rightVolumeP = -1;
    int16_t m_volumeError = 0;  // the number of the last failed volume read

    std::unique_ptr<PlaybackSession> m_session;
    bool m_errorMode = false;
    int16_t m_selWaveDevice = 0;
    int16_t m_playPosition = 0;
    int16_t m_channelMode = 0;

    std::optional<TagFile> m_tagFile;
    std::optional<TagRecord> m_tagRecord;  // present when the last probe succeeded
    bool m_tagModified = false;            // set by the setters, never cleared
    int16_t m_playStatus = 0;
};

}  // namespace aurion
