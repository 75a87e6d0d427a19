// The outside of the Aurion control, standing for its type library AURIONLib 1.0:
// the fixed identities (control class, property page, type library, dispatch and
// event interfaces), the ProgIDs, the descriptive names and the dispatch identifiers
// of _DAurion and _DAurionEvents. The desktop program and the command-line host call
// the control late-bound through these numbers, so they never change. Depends on
// nothing but the platform's component model.
#pragma once

#include <string_view>

#include "platform/com/Dispatch.h"
#include "platform/com/Guid.h"

namespace aurion {

// {C541EF3D-30AC-43E5-9112-CEA275F1FF4A}: the control class `Aurion` (CAurionCtrl).
inline constexpr platform::Guid CLSID_Aurion{
    0xC541EF3D, 0x30AC, 0x43E5, {0x91, 0x12, 0xCE, 0xA2, 0x75, 0xF1, 0xFF, 0x4A}};
// {6F2E7994-3288-4E41-B31C-FC67F6EF45DD}: the property page CAurionPropPage.
inline constexpr platform::Guid CLSID_AurionPropPage{
    0x6F2E7994, 0x3288, 0x4E41, {0xB3, 0x1C, 0xFC, 0x67, 0xF6, 0xEF, 0x45, 0xDD}};
// {D2E9909D-B86D-4D17-A957-AF759986AA83}: the type library AURIONLib.
inline constexpr platform::Guid LIBID_AURIONLib{
    0xD2E9909D, 0xB86D, 0x4D17, {0xA9, 0x57, 0xAF, 0x75, 0x99, 0x86, 0xAA, 0x83}};
// {E6EB2119-9D5C-491D-81DE-B840961BCECE}: the dispatch interface _DAurion.
inline constexpr platform::Guid DIID__DAurion{
    0xE6EB2119, 0x9D5C, 0x491D, {0x81, 0xDE, 0xB8, 0x40, 0x96, 0x1B, 0xCE, 0xCE}};
// {51DDD699-E68A-42F2-8930-5409BB3BA90F}: the event interface _DAurionEvents.
inline constexpr platform::Guid DIID__DAurionEvents{
    0x51DDD699, 0xE68A, 0x42F2, {0x89, 0x30, 0x54, 0x09, 0xBB, 0x3B, 0xA9, 0x0F}};

inline constexpr std::string_view AurionCtrlProgId = "Aurion.AurionCtrl.1";
inline constexpr std::string_view AurionPropPageProgId = "Aurion.AurionPropPage.1";

inline constexpr std::string_view AurionControlName = "Aurion Control";
inline constexpr std::string_view AurionPropPageName = "Aurion Property Page";
inline constexpr std::string_view AurionTypeLibName = "Aurion ActiveX Control module";
inline constexpr std::string_view AurionDispatchName = "_DAurion";
inline constexpr std::string_view AurionEventsName = "_DAurionEvents";
inline constexpr std::string_view AurionDispatchHelp = "Dispatch interface for Aurion Control";
inline constexpr std::string_view AurionEventsHelp = "Event interface for Aurion Control";
inline constexpr std::string_view AurionTypeLibVersion = "1.0";

// _DAurion. Identifier 23 is not part of the interface.
namespace DispIds {
using platform::DispId;
// Properties.
inline constexpr DispId SelWaveDevice = 1;
inline constexpr DispId PlayPosition = 2;
inline constexpr DispId FrameCount = 3;
inline constexpr DispId IsCopyrighted = 4;
inline constexpr DispId IsOriginal = 5;
inline constexpr DispId HasChecksums = 6;
inline constexpr DispId Layer = 7;
inline constexpr DispId SampleFrequency = 8;
inline constexpr DispId BitRate = 9;
inline constexpr DispId MPEGVersion = 10;
inline constexpr DispId MPEGMode = 11;
inline constexpr DispId FrameNotifyCount = 12;
inline constexpr DispId Version = 13;
inline constexpr DispId MsPerFrame = 14;
inline constexpr DispId TotalTime = 15;
inline constexpr DispId ChannelMode = 16;
// Methods.
inline constexpr DispId Open = 17;
inline constexpr DispId Play = 18;
inline constexpr DispId Pause = 19;
inline constexpr DispId Seek = 20;
inline constexpr DispId Stop = 21;
inline constexpr DispId Close = 22;
inline constexpr DispId SetErrorMode = 24;
inline constexpr DispId GetVolumeLeft = 25;
inline constexpr DispId SetVolume = 26;
inline constexpr DispId GetVolumeRight = 27;
inline constexpr DispId SetVolumeP = 28;
inline constexpr DispId GetVolumeRightP = 29;
inline constexpr DispId GetVolumeLeftP = 30;
inline constexpr DispId GetNumDevs = 31;
inline constexpr DispId GetDevName = 32;
inline constexpr DispId GetDevParam = 33;
inline constexpr DispId SetOutDevice = 34;
inline constexpr DispId GetOutDevice = 35;
inline constexpr DispId PlayFromTo = 36;
inline constexpr DispId GetWaveLengthSecs = 37;
inline constexpr DispId PlayFromToS = 38;
inline constexpr DispId GetLeftSelVolumeP = 39;
inline constexpr DispId SetSpeed = 40;
inline constexpr DispId GetArtist = 41;
inline constexpr DispId SetArtist = 42;
inline constexpr DispId WriteTag = 43;
inline constexpr DispId GetTitle = 44;
inline constexpr DispId SetTitle = 45;
inline constexpr DispId GetComment = 46;
inline constexpr DispId SetComment = 47;
inline constexpr DispId GetAlbum = 48;
inline constexpr DispId SetAlbum = 49;
inline constexpr DispId GetYear = 50;
inline constexpr DispId SetYear = 51;
inline constexpr DispId GetGenre = 52;
inline constexpr DispId SetGenre = 53;
inline constexpr DispId GetGenreString = 54;
inline constexpr DispId GetHasTag = 55;
inline constexpr DispId DelTag = 56;
inline constexpr DispId GetStatus = 57;
// Added for hosts that show how far a session has got and why it failed; the
// members above keep their identifiers and meaning.
inline constexpr DispId GetPlayedFrame = 58;
inline constexpr DispId GetFrameEstimate = 59;
inline constexpr DispId GetLengthKnown = 60;
inline constexpr DispId GetFailureReason = 61;
inline constexpr DispId AboutBox = platform::DISPID_ABOUTBOX;
}  // namespace DispIds

// _DAurionEvents, plus the framework's stock Error event that the control fires in
// error mode (arguments: Number I2, Description, Scode I4, Source, HelpFile,
// HelpContext I4, CancelDisplay Bool that the sink may set to true).
namespace EventIds {
using platform::DispId;
inline constexpr DispId ActFrame = 1;     // ActFrame: long
inline constexpr DispId ThreadEnded = 2;  // none
inline constexpr DispId Failure = 3;      // ErrorCode: long, ErrStr: string
inline constexpr DispId Error = platform::DISPID_ERROREVENT;
inline constexpr size_t ErrorCancelDisplayArg = 6;
}  // namespace EventIds

// PlayStatus as GetStatus reads it.
namespace PlayStatus {
inline constexpr short Stopped = 0;
inline constexpr short Playing = 1;
inline constexpr short Paused = 2;
}  // namespace PlayStatus

}  // namespace aurion
