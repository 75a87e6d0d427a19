// Late-bound access to the control: names to identifiers, argument coercion to
// the listed types, the members' dispatch, and raised errors as automation
// exceptions.
#include "control/AurionInterface.h"
#include "control/player/AurionCtrl.h"

namespace aurion {

using platform::HRESULT;
using platform::InvokeKind;
using platform::Variant;

namespace D = DispIds;

platform::HRESULT AurionCtrl::GetIdOfName(std::string_view name, platform::DispId& id) {
    const DispatchMember* member = FindMemberByName(name);
    if (member == nullptr) {
        id = platform::DISPID_UNKNOWN;
        return platform::DISP_E_UNKNOWNNAME;
    }
    id = member->Id;
    return platform::S_OK;
}

platform::HRESULT AurionCtrl::Invoke(platform::DispId id, InvokeKind kind, std::span<Variant> args,
                                     Variant* result, platform::ExcepInfo* error) {
    const DispatchMember* member = FindMember(id);
    if (member == nullptr) return platform::DISP_E_MEMBERNOTFOUND;

    std::array<platform::VarType, 2> types = member->Args;
    size_t expected = member->ArgCount;
    if (member->IsProperty()) {
        if (kind == InvokeKind::PropertyPut) {
            if (member->Kind == MemberKind::ReadOnlyProperty)
                return platform::CTL_E_SETNOTSUPPORTED;
            types[0] = member->Result;
            expected = 1;
        }
    } else if (kind == InvokeKind::PropertyPut) {
        return platform::DISP_E_MEMBERNOTFOUND;
    }
    if (args.size() != expected) return platform::DISP_E_BADPARAMCOUNT;

    std::array<Variant, 2> coerced;
    for (size_t i = 0; i < expected; ++i) {
        if (HRESULT hr = args[i].ChangeType(types[i], coerced[i]); platform::Failed(hr)) return hr;
    }

    // An event handler or a message box inside a member may release the host's reference.
    AddRef();
    m_raised.reset();
    Variant value;
    HRESULT hr =
        InvokeMember(*member, kind, std::span<const Variant>(coerced.data(), expected), value);
    std::optional<ControlError> raised = m_raised;
    m_raised.reset();
    Release();

    if (raised) {
        if (error != nullptr) {
            error->Scode = ErrorScode(raised->Number);
            error->Source = std::string(AurionControlName);
            error->Description = raised->Text;
        }
        return platform::DISP_E_EXCEPTION;
    }
    if (platform::Succeeded(hr) && result != nullptr) *result = std::move(value);
    return hr;
}

platform::HRESULT AurionCtrl::InvokeMember(const DispatchMember& member, InvokeKind kind,
                                           std::span<const Variant> args, Variant& result) {
    if (!member.IsProperty()) {
        result = CallMethod(member.Id, args);
        return platform::S_OK;
    }
    if (kind == InvokeKind::PropertyPut) return PutProperty(member.Id, args[0]);
    result = GetProperty(member.Id);
    return platform::S_OK;
}

platform::Variant AurionCtrl::GetProperty(platform::DispId id) {
    switch (id) {
        case D::SelWaveDevice:
            return GetSelWaveDevice();
        case D::PlayPosition:
            return GetPlayPosition();
        case D::FrameCount:
            return GetFrameCount();
        case D::IsCopyrighted:
            return GetIsCopyrighted();
        case D::IsOriginal:
            return GetIsOriginal();
        case D::HasChecksums:
            return GetHasChecksums();
        case D::Layer:
            return GetLayer();
        case D::SampleFrequency:
            return GetSampleFrequency();
        case D::BitRate:
            return GetBitRate();
        case D::MPEGVersion:
            return GetMPEGVersion();
        case D::MPEGMode:
            return GetMPEGMode();
        case D::FrameNotifyCount:
            return GetFrameNotifyCount();
        case D::Version:
            return GetVersion();
        case D::MsPerFrame:
            return GetMsPerFrame();
        case D::TotalTime:
            return GetTotalTime();
        case D::ChannelMode:
            return GetChannelMode();
        default:
            return Variant();
    }
}

platform::HRESULT AurionCtrl::PutProperty(platform::DispId id, const Variant& value) {
    switch (id) {
        case D::SelWaveDevice:
            SetSelWaveDevice(value.AsI2());
            return platform::S_OK;
        case D::PlayPosition:
            SetPlayPosition(value.AsI2());
            return platform::S_OK;
        case D::FrameNotifyCount:
            SetFrameNotifyCount(value.AsI2());
            return platform::S_OK;
        case D::ChannelMode:
            SetChannelMode(value.AsI2());
            return platform::S_OK;
        default:
            return platform::CTL_E_SETNOTSUPPORTED;
    }
}

platform::Variant AurionCtrl::CallMethod(platform::DispId id, std::span<const Variant> args) {
    switch (id) {
        case D::Open:
            return Open(args[0].AsBstr(), args[1].AsBstr());
        case D::Play:
            return Play();
        case D::Pause:
            return Pause();
        case D::Seek:
            return Seek(args[0].AsI4());
        case D::Stop:
            return Stop();
        case D::Close:
            return Close();
        case D::SetErrorMode:
            return SetErrorMode(args[0].AsI2());
        case D::GetVolumeLeft:
            return GetVolumeLeft();
        case D::SetVolume:
            return SetVolume(args[0].AsI4(), args[1].AsI4());
        case D::GetVolumeRight:
            return GetVolumeRight();
        case D::SetVolumeP:
            return SetVolumeP(args[0].AsI2(), args[1].AsI2());
        case D::GetVolumeRightP:
            return GetVolumeRightP();
        case D::GetVolumeLeftP:
            return GetVolumeLeftP();
        case D::GetNumDevs:
            return GetNumDevs();
        case D::GetDevName:
            return GetDevName(args[0].AsI2());
        case D::GetDevParam:
            return GetDevParam(args[0].AsI2());
        case D::SetOutDevice:
            return SetOutDevice(args[0].AsI2());
        case D::GetOutDevice:
            return GetOutDevice();
        case D::PlayFromTo:
            return PlayFromTo(args[0].AsI4(), args[1].AsI4());
        case D::GetWaveLengthSecs:
            return GetWaveLengthSecs();
        case D::PlayFromToS:
            return PlayFromToS(args[0].AsR4(), args[1].AsR4());
        case D::GetLeftSelVolumeP:
            return GetLeftSelVolumeP();
        case D::SetSpeed:
            return SetSpeed(args[0].AsI2());
        case D::GetArtist:
            return GetArtist();
        case D::SetArtist:
            SetArtist(args[0].AsBstr());
            return Variant();
        case D::WriteTag:
            return WriteTag();
        case D::GetTitle:
            return GetTitle();
        case D::SetTitle:
            SetTitle(args[0].AsBstr());
            return Variant();
        case D::GetComment:
            return GetComment();
        case D::SetComment:
            SetComment(args[0].AsBstr());
            return Variant();
        case D::GetAlbum:
            return GetAlbum();
        case D::SetAlbum:
            SetAlbum(args[0].AsBstr());
            return Variant();
        case D::GetYear:
            return GetYear();
        case D::SetYear:
            SetYear(args[0].AsI2());
            return Variant();
        case D::GetGenre:
            return GetGenre();
        case D::SetGenre:
            SetGenre(args[0].AsI2());
            return Variant();
        case D::GetGenreString:
            return GetGenreString(args[0].AsI2());
        case D::GetHasTag:
            return GetHasTag();
        case D::DelTag:
            return DelTag();
        case D::GetStatus:
            return GetStatus();
        case D::GetPlayedFrame:
            return GetPlayedFrame();
        case D::GetFrameEstimate:
            return GetFrameEstimate();
        case D::GetLengthKnown:
            return GetLengthKnown();
        case D::GetFailureReason:
            return GetFailureReason();
        case D::AboutBox:
            AboutBox();
            return Variant();
        default:
            return Variant();
    }
}

}  // namespace aurion
