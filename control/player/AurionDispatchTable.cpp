#include "control/player/AurionDispatchTable.h"

#include "control/AurionInterface.h"

namespace aurion {

namespace {

using platform::VarType;
using enum MemberKind;

constexpr VarType None = VarType::Empty;
constexpr VarType Short = VarType::I2;
constexpr VarType Long = VarType::I4;
constexpr VarType Float = VarType::R4;
constexpr VarType Bool = VarType::Bool;
constexpr VarType Text = VarType::Bstr;

constexpr DispatchMember Prop(platform::DispId id, std::string_view name, VarType type,
                              MemberKind kind) {
    return DispatchMember{id, name, kind, type, 0, {None, None}};
}
constexpr DispatchMember Meth(platform::DispId id, std::string_view name, VarType result) {
    return DispatchMember{id, name, Method, result, 0, {None, None}};
}
constexpr DispatchMember Meth(platform::DispId id, std::string_view name, VarType result,
                              VarType a) {
    return DispatchMember{id, name, Method, result, 1, {a, None}};
}
constexpr DispatchMember Meth(platform::DispId id, std::string_view name, VarType result, VarType a,
                              VarType b) {
    return DispatchMember{id, name, Method, result, 2, {a, b}};
}

namespace D = DispIds;

constexpr std::array Members{
    Prop(D::SelWaveDevice, "SelWaveDevice", Short, Property),
    Prop(D::PlayPosition, "PlayPosition", Short, Property),
    Prop(D::FrameCount, "FrameCount", Long, ReadOnlyProperty),
    Prop(D::IsCopyrighted, "IsCopyrighted", Bool, ReadOnlyProperty),
    Prop(D::IsOriginal, "IsOriginal", Bool, ReadOnlyProperty),
    Prop(D::HasChecksums, "HasChecksums", Bool, ReadOnlyProperty),
    Prop(D::Layer, "Layer", Short, ReadOnlyProperty),
    Prop(D::SampleFrequency, "SampleFrequency", Long, ReadOnlyProperty),
    Prop(D::BitRate, "BitRate", Long, ReadOnlyProperty),
    Prop(D::MPEGVersion, "MPEGVersion", Short, ReadOnlyProperty),
    Prop(D::MPEGMode, "MPEGMode", Short, ReadOnlyProperty),
    Prop(D::FrameNotifyCount, "FrameNotifyCount", Short, Property),
    Prop(D::Version, "Version", Short, ReadOnlyProperty),
    Prop(D::MsPerFrame, "MsPerFrame", Float, ReadOnlyProperty),
    Prop(D::TotalTime, "TotalTime", Long, ReadOnlyProperty),
    Prop(D::ChannelMode, "ChannelMode", Short, Property),
    Meth(D::Open, "Open", Short, Text, Text),
    Meth(D::Play, "Play", Short),
    Meth(D::Pause, "Pause", Short),
    Meth(D::Seek, "Seek", Short, Long),
    Meth(D::Stop, "Stop", Short),
    Meth(D::Close, "Close", Short),
    Meth(D::SetErrorMode, "SetErrorMode", Short, Short),
    Meth(D::GetVolumeLeft, "GetVolumeLeft", Long),
    Meth(D::SetVolume, "SetVolume", Short, Long, Long),
    Meth(D::GetVolumeRight, "GetVolumeRight", Long),
    Meth(D::SetVolumeP, "SetVolumeP", Short, Short, Short),
    Meth(D::GetVolumeRightP, "GetVolumeRightP", Short),
    Meth(D::GetVolumeLeftP, "GetVolumeLeftP", Short),
    Meth(D::GetNumDevs, "GetNumDevs", Short),
    Meth(D::GetDevName, "GetDevName", Text, Short),
    Meth(D::GetDevParam, "GetDevParam", Long, Short),
    Meth(D::SetOutDevice, "SetOutDevice", Short, Short),
    Meth(D::GetOutDevice, "GetOutDevice", Short),
    Meth(D::PlayFromTo, "PlayFromTo", Short, Long, Long),
    Meth(D::GetWaveLengthSecs, "GetWaveLengthSecs", Float),
    Meth(D::PlayFromToS, "PlayFromToS", Short, Float, Float),
    Meth(D::GetLeftSelVolumeP, "GetLeftSelVolumeP", Short),
    Meth(D::SetSpeed, "SetSpeed", Short, Short),
    Meth(D::GetArtist, "GetArtist", Text),
    Meth(D::SetArtist, "SetArtist", None, Text),
    Meth(D::WriteTag, "WriteTag", Short),
    Meth(D::GetTitle, "GetTitle", Text),
    Meth(D::SetTitle, "SetTitle", None, Text),
    Meth(D::GetComment, "GetComment", Text),
    Meth(D::SetComment, "SetComment", None, Text),
    Meth(D::GetAlbum, "GetAlbum", Text),
    Meth(D::SetAlbum, "SetAlbum", None, Text),
    Meth(D::GetYear, "GetYear", Short),
    Meth(D::SetYear, "SetYear", None, Short),
    Meth(D::GetGenre, "GetGenre", Short),
    Meth(D::SetGenre, "SetGenre", None, Short),
    Meth(D::GetGenreString, "GetGenreString", Text, Short),
    Meth(D::GetHasTag, "GetHasTag", Bool),
    Meth(D::DelTag, "DelTag", Short),
    Meth(D::GetStatus, "GetStatus", Short),
    Meth(D::GetPlayedFrame, "GetPlayedFrame", Long),
    Meth(D::GetFrameEstimate, "GetFrameEstimate", Long),
    Meth(D::GetLengthKnown, "GetLengthKnown", Bool),
    Meth(D::GetFailureReason, "GetFailureReason", Text),
    Meth(D::AboutBox, "AboutBox", None),
};

constexpr char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

constexpr bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

}  // namespace

std::span<const DispatchMember> AurionMembers() { return Members; }

const DispatchMember* FindMember(platform::DispId id) {
    for (const DispatchMember& member : Members)
        if (member.Id == id) return &member;
    return nullptr;
}

const DispatchMember* FindMemberByName(std::string_view name) {
    for (const DispatchMember& member : Members)
        if (SameName(member.Name, name)) return &member;
    return nullptr;
}

}  // namespace aurion
