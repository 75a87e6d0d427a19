#include "host/ControlCaller.h"

namespace aurion::host {

std::optional<ControlError> ControlCaller::Invoke(Member member, platform::InvokeKind kind,
                                                  std::vector<platform::Variant>& args,
                                                  platform::Variant* result) {
    if (m_control == nullptr) return ErrorFromHresult(platform::E_POINTER, member.Name);
    platform::ExcepInfo exception;
    const platform::HRESULT hr = m_control->Invoke(member.Id, kind, args, result, &exception);
    if (hr == platform::DISP_E_EXCEPTION) {
        return ErrorFromException(exception, member.Name);
    }
    if (platform::Failed(hr)) {
        return ErrorFromHresult(hr, member.Name);
    }
    return std::nullopt;
}

std::optional<ControlError> ControlCaller::Call(Member member, std::vector<platform::Variant> args,
                                                platform::Variant* result) {
    platform::Variant ignored;
    return Invoke(member, platform::InvokeKind::Method, args, result ? result : &ignored);
}

std::optional<ControlError> ControlCaller::CallAs(Member member,
                                                  std::vector<platform::Variant> args,
                                                  platform::VarType type,
                                                  platform::Variant& value) {
    platform::Variant raw;
    if (auto error = Call(member, std::move(args), &raw)) return error;
    if (platform::Failed(raw.ChangeType(type, value))) {
        return ErrorFromHresult(platform::DISP_E_TYPEMISMATCH, member.Name);
    }
    return std::nullopt;
}

std::optional<ControlError> ControlCaller::CallStatus(Member member,
                                                      std::vector<platform::Variant> args) {
    platform::Variant result;
    if (auto error = Call(member, std::move(args), &result)) {
        return error;
    }
    platform::Variant status;
    if (platform::Failed(result.ChangeType(platform::VarType::I4, status))) {
        return ErrorFromHresult(platform::DISP_E_TYPEMISMATCH, member.Name);
    }
    if (status.AsI4() != 0) {
        return ControlError{status.AsI4(), {}};
    }
    return std::nullopt;
}

std::optional<ControlError> ControlCaller::Get(Member member, platform::VarType type,
                                               platform::Variant& value) {
    std::vector<platform::Variant> none;
    platform::Variant raw;
    if (auto error = Invoke(member, platform::InvokeKind::PropertyGet, none, &raw)) {
        return error;
    }
    if (platform::Failed(raw.ChangeType(type, value))) {
        return ErrorFromHresult(platform::DISP_E_TYPEMISMATCH, member.Name);
    }
    return std::nullopt;
}

std::optional<ControlError> ControlCaller::Put(Member member, platform::Variant value) {
    std::vector<platform::Variant> args{std::move(value)};
    return Invoke(member, platform::InvokeKind::PropertyPut, args, nullptr);
}

}  // namespace aurion::host
