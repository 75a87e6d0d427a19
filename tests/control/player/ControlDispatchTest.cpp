// The control's dispatch interface as a late-bound host sees it, with no file open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/AurionInterface.h"
#include "tests/support/ControlTestHost.h"

namespace aurion {
namespace {

using platform::InvokeKind;
using platform::Variant;
using test::ControlTestHost;
using test::DispatchOutcome;

constexpr platform::HRESULT ControlScode(int number) {
    return static_cast<platform::HRESULT>(0x800A0000u + static_cast<uint32_t>(number));
}

// A member called with no file open, with the arguments it needs and the
// number and text it answers.
struct NoFileCase {
    const char* Name;
    std::vector<Variant> Args;
    int Number;
    const char* Text;
};

std::vector<NoFileCase> NoFileCases() {
    return {
        {"Play", {}, 650, "Player not opened"},
        {"PlayFromTo", {Variant(int32_t{0}), Variant(int32_t{10})}, 650, "Player not opened"},
        {"PlayFromToS", {Variant(0.0f), Variant(1.0f)}, 650, "Player not opened"},
        {"Pause", {}, 647, "Player not started"},
        {"Seek", {Variant(int32_t{0})}, 647, "Player not started"},
        {"Stop", {}, 647, "Player not started"},
        {"GetVolumeLeft", {}, 650, "Player not opened"},
        {"GetVolumeRight", {}, 650, "Player not opened"},
        {"GetVolumeLeftP", {}, 650, "Player not opened"},
        {"GetVolumeRightP", {}, 650, "Player not opened"},
        {"SetVolume", {Variant(int32_t{100}), Variant(int32_t{100})}, 650, "Player not opened"},
        {"SetVolumeP", {Variant(int16_t{50}), Variant(int16_t{50})}, 650, "Player not opened"},
        {"WriteTag", {}, 650, "not openend"},
        {"DelTag", {}, 650, "not openend"},
        {"GetPlayedFrame", {}, 650, "Player not opened"},
        {"GetFrameEstimate", {}, 650, "Player not opened"},
    };
}

TEST(ControlDispatch, EveryMethodWithoutFileReturnsItsNotOpenedNumber) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    for (const NoFileCase& c : NoFileCases()) {
        DispatchOutcome out = host.Invoke(c.Name, InvokeKind::Method, c.Args);
        EXPECT_EQ(out.Hr, platform::S_OK) << c.Name;
        EXPECT_EQ(out.Long(), c.Number) << c.Name;
    }
    DispatchOutcome frames = host.Get("FrameCount");
    EXPECT_EQ(frames.Hr, platform::S_OK);
    EXPECT_EQ(frames.Long(), 650);
}

TEST(ControlDispatch, EveryMethodWithoutFileRaisesItsNumberInErrorMode) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    ASSERT_EQ(host.Call("SetErrorMode", int16_t{1}).Short(), -1);
    for (const NoFileCase& c : NoFileCases()) {
        DispatchOutcome out = host.Invoke(c.Name, InvokeKind::Method, c.Args);
        EXPECT_EQ(out.Hr, platform::DISP_E_EXCEPTION) << c.Name;
        EXPECT_EQ(out.Error.Scode, ControlScode(c.Number)) << c.Name;
        EXPECT_EQ(out.Error.Description, c.Text) << c.Name;
    }
    DispatchOutcome frames = host.Get("FrameCount");
    EXPECT_EQ(frames.Hr, platform::DISP_E_EXCEPTION);
    EXPECT_EQ(frames.Error.Scode, ControlScode(650));
    EXPECT_EQ(frames.Error.Description, "Player not Opened");
}

TEST(ControlDispatch, FailuresWithoutTextAreReturnedEvenInErrorMode) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome speed = host.Call("SetSpeed", int16_t{100});
    EXPECT_EQ(speed.Hr, platform::S_OK);
    EXPECT_EQ(speed.Short(), 650);
    DispatchOutcome device = host.Call("SetOutDevice", int16_t{3});
    EXPECT_EQ(device.Hr, platform::S_OK);
    EXPECT_EQ(device.Short(), 713);
    // Close, GetStatus and the other harmless calls succeed without a file.
    EXPECT_EQ(host.Call("Close").Short(), 0);
    EXPECT_EQ(host.Call("GetStatus").Short(), 0);
}

TEST(ControlDispatch, SetVolumePChecksRangesBeforeTheSession) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    EXPECT_EQ(host.Call("SetVolumeP", int16_t{101}, int16_t{0}).Short(), 687);
    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome left = host.Call("SetVolumeP", int16_t{-1}, int16_t{0});
    EXPECT_EQ(left.Error.Scode, ControlScode(687));
    EXPECT_EQ(left.Error.Description, "Left volume only valid between 0 and 100");
    DispatchOutcome right = host.Call("SetVolumeP", int16_t{0}, int16_t{200});
    EXPECT_EQ(right.Error.Description, "Right volume only valid between 0 and 100");
}

TEST(ControlDispatch, StreamPropertiesWithoutFileReadTheirNoFileValues) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    for (const char* name : {"Layer", "SampleFrequency", "BitRate", "MPEGVersion", "MPEGMode"})
        EXPECT_EQ(host.Get(name).Long(), -1) << name;
    for (const char* name : {"IsCopyrighted", "IsOriginal", "HasChecksums"}) {
        DispatchOutcome out = host.Get(name);
        EXPECT_EQ(out.Result.Type(), platform::VarType::Bool) << name;
        EXPECT_FALSE(out.Bool()) << name;
    }
    EXPECT_EQ(host.Get("TotalTime").Long(), 0);
    EXPECT_EQ(host.Get("MsPerFrame").Float(), 0.0f);
    EXPECT_EQ(host.Call("GetWaveLengthSecs").Float(), 0.0f);
    EXPECT_EQ(host.Get("FrameNotifyCount").Short(), 32);
    EXPECT_EQ(host.Get("ChannelMode").Short(), 0);
    EXPECT_EQ(host.Call("GetLeftSelVolumeP").Short(), -1);
}

TEST(ControlDispatch, ResultsCarryTheirListedTypes) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    EXPECT_EQ(host.Get("Version").Result, Variant(int16_t{151}));
    EXPECT_EQ(host.Get("FrameCount").Result.Type(), platform::VarType::I4);
    EXPECT_EQ(host.Get("MsPerFrame").Result.Type(), platform::VarType::R4);
    EXPECT_EQ(host.Call("GetDevName", int16_t{0}).Result.Type(), platform::VarType::Bstr);
    EXPECT_EQ(host.Call("AboutBox").Result.Type(), platform::VarType::Empty);
}

TEST(ControlDispatch, SetErrorModeAnswersMinusOneForOnAndZeroForOff) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    EXPECT_EQ(host.Call("SetErrorMode", int16_t{5}).Short(), -1);
    EXPECT_EQ(host.Call("Play").Hr, platform::DISP_E_EXCEPTION);
    EXPECT_EQ(host.Call("SetErrorMode", int16_t{0}).Short(), 0);
    EXPECT_EQ(host.Call("Play").Hr, platform::S_OK);
}

TEST(ControlDispatch, ChannelModeOutOfRangeIsIgnoredSilentlyOrRaised) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    EXPECT_EQ(host.Put("ChannelMode", int16_t{2}).Hr, platform::S_OK);
    EXPECT_EQ(host.ModifiedCount(), 1);

    DispatchOutcome quiet = host.Put("ChannelMode", int16_t{4});
    EXPECT_EQ(quiet.Hr, platform::S_OK);
    EXPECT_EQ(host.Get("ChannelMode").Short(), 2);
    EXPECT_EQ(host.ModifiedCount(), 1);

    host.Call("SetErrorMode", int16_t{1});
    DispatchOutcome raised = host.Put("ChannelMode", int16_t{-1});
    EXPECT_EQ(raised.Hr, platform::DISP_E_EXCEPTION);
    EXPECT_EQ(raised.Error.Scode, ControlScode(687));
    EXPECT_EQ(raised.Error.Description, "ChannelMode only valid between 0 and 3");
    EXPECT_EQ(host.Get("ChannelMode").Short(), 2);
}

TEST(ControlDispatch, ReadOnlyPropertiesRefuseWrites) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    for (const char* name :
         {"FrameCount", "IsCopyrighted", "IsOriginal", "HasChecksums", "Layer", "SampleFrequency",
          "BitRate", "MPEGVersion", "MPEGMode", "Version", "MsPerFrame", "TotalTime"}) {
        EXPECT_EQ(host.Put(name, int16_t{1}).Hr, platform::CTL_E_SETNOTSUPPORTED) << name;
    }
    EXPECT_EQ(host.Get("Version").Short(), 151);
    EXPECT_EQ(host.ModifiedCount(), 0);
}

TEST(ControlDispatch, WritablePropertiesStoreAndMarkTheControlModified) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    host.Put("SelWaveDevice", int16_t{7});
    host.Put("PlayPosition", int16_t{1234});
    host.Put("FrameNotifyCount", int16_t{5});
    host.Put("ChannelMode", int16_t{3});
    EXPECT_EQ(host.Get("SelWaveDevice").Short(), 7);
    EXPECT_EQ(host.Get("PlayPosition").Short(), 1234);
    EXPECT_EQ(host.Get("FrameNotifyCount").Short(), 5);
    EXPECT_EQ(host.Get("ChannelMode").Short(), 3);
    EXPECT_EQ(host.ModifiedCount(), 4);
}

TEST(ControlDispatch, ArgumentsAreCoercedAsVariantsConvert) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    DispatchOutcome fromText = host.Call("SetErrorMode", "1");
    EXPECT_EQ(fromText.Hr, platform::S_OK);
    EXPECT_EQ(fromText.Short(), -1);
    EXPECT_EQ(host.Put("FrameNotifyCount", "12").Hr, platform::S_OK);
    EXPECT_EQ(host.Get("FrameNotifyCount").Short(), 12);
    EXPECT_EQ(host.Put("PlayPosition", int32_t{40}).Hr, platform::S_OK);
    EXPECT_EQ(host.Get("PlayPosition").Short(), 40);

    EXPECT_EQ(host.Call("SetErrorMode", "five").Hr, platform::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(host.Put("ChannelMode", "mix").Hr, platform::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(host.Get("FrameNotifyCount").Short(), 12);
}

TEST(ControlDispatch, WrongArgumentCountsAndUnknownMembersAreRefused) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    EXPECT_EQ(host.Call("Play", int16_t{1}).Hr, platform::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(host.Call("Open", "a.mp3").Hr, platform::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(host.Invoke("Version", InvokeKind::PropertyGet, {Variant(int16_t{1})}).Hr,
              platform::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(host.InvokeId(23, InvokeKind::Method, {}).Hr, platform::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(host.InvokeId(62, InvokeKind::Method, {}).Hr, platform::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(host.Invoke("Play", InvokeKind::PropertyPut, {Variant(int16_t{1})}).Hr,
              platform::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(host.Call("Rewind").Hr, platform::DISP_E_UNKNOWNNAME);
}

TEST(ControlDispatch, NamesResolveToTheFixedIdentifiersWithoutRegardToCase) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    struct Pair {
        const char* Name;
        platform::DispId Id;
    };
    for (Pair p :
         {Pair{"SelWaveDevice", 1}, Pair{"channelmode", 16}, Pair{"OPEN", 17}, Pair{"Close", 22},
          Pair{"SetErrorMode", 24}, Pair{"getdevname", 32}, Pair{"PlayFromToS", 38},
          Pair{"SetSpeed", 40}, Pair{"GetStatus", 57}, Pair{"GetPlayedFrame", 58},
          Pair{"GetFrameEstimate", 59}, Pair{"GetLengthKnown", 60}, Pair{"GetFailureReason", 61},
          Pair{"AboutBox", -552}}) {
        platform::DispId id = 0;
        EXPECT_EQ(host.Dispatch()->GetIdOfName(p.Name, id), platform::S_OK) << p.Name;
        EXPECT_EQ(id, p.Id) << p.Name;
    }
}

TEST(ControlDispatch, TagAccessWithoutFileFindsNoRecord) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    for (const char* name : {"GetTitle", "GetArtist", "GetAlbum", "GetComment"})
        EXPECT_EQ(host.Call(name).Text(), "") << name;
    EXPECT_EQ(host.Call("GetYear").Short(), 0);
    EXPECT_EQ(host.Call("GetGenre").Short(), -1);
    EXPECT_EQ(host.Call("GetGenreString", int16_t{0}).Text(), "");
    EXPECT_FALSE(host.Call("GetHasTag").Bool());
    EXPECT_EQ(host.Call("SetTitle", "Intro").Hr, platform::S_OK);
    EXPECT_EQ(host.Call("GetTitle").Text(), "");
    EXPECT_EQ(host.ModifiedCount(), 0);
    // SetGenre marks the control modified in every case.
    host.Call("SetGenre", int16_t{3});
    EXPECT_EQ(host.ModifiedCount(), 1);
}

}  // namespace
}  // namespace aurion
