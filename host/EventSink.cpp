#include "host/EventSink.h"

#include <optional>
#include <string>

#include "control/AurionInterface.h"

namespace aurion::host {

using platform::HRESULT;
using platform::Variant;
using platform::VarType;

namespace {

std::optional<int32_t> LongArgument(const Variant& value) {
    Variant converted;
    if (platform::Failed(value.ChangeType(VarType::I4, converted))) return std::nullopt;
    return converted.AsI4();
}

std::optional<std::string> TextArgument(const Variant& value) {
    Variant converted;
    if (platform::Failed(value.ChangeType(VarType::Bstr, converted))) return std::nullopt;
    return converted.AsBstr();
}

// The stock Error event's arguments: Number, Description, Scode, Source, HelpFile,
// HelpContext, CancelDisplay.
constexpr size_t StockErrorArgs = 7;

}  // namespace

HRESULT EventSink::GetIdOfName(std::string_view, platform::DispId& id) {
    id = platform::DISPID_UNKNOWN;
    return platform::DISP_E_UNKNOWNNAME;
}

bool EventSink::Provides(const platform::Guid& iid) const {
    return iid == platform::IID_IDispatch || iid == DIID__DAurionEvents;
}

HRESULT EventSink::Invoke(platform::DispId id, platform::InvokeKind, std::span<Variant> args,
                          Variant*, platform::ExcepInfo*) {
    switch (id) {
        case EventIds::ActFrame: {
            if (args.size() != 1) return platform::DISP_E_BADPARAMCOUNT;
            const std::optional<int32_t> frame = LongArgument(args[0]);
            if (!frame) return platform::DISP_E_TYPEMISMATCH;
            if (m_events.ActFrame) m_events.ActFrame(*frame);
            return platform::S_OK;
        }
        case EventIds::ThreadEnded:
            if (!args.empty()) return platform::DISP_E_BADPARAMCOUNT;
            if (m_events.ThreadEnded) m_events.ThreadEnded();
            return platform::S_OK;
        case EventIds::Failure: {
            if (args.size() != 2) return platform::DISP_E_BADPARAMCOUNT;
            const std::optional<int32_t> number = LongArgument(args[0]);
            std::optional<std::string> text = TextArgument(args[1]);
            if (!number || !text) return platform::DISP_E_TYPEMISMATCH;
            if (m_events.Failure) m_events.Failure(ControlError{*number, std::move(*text)});
            return platform::S_OK;
        }
        case EventIds::Error: {
            if (args.size() != StockErrorArgs) return platform::DISP_E_BADPARAMCOUNT;
            const std::optional<int32_t> number = LongArgument(args[0]);
            std::optional<std::string> text = TextArgument(args[1]);
            const std::optional<int32_t> scode = LongArgument(args[2]);
            if (!number || !text || !scode) return platform::DISP_E_TYPEMISMATCH;
            const ControlError error{*number, std::move(*text)};
            bool cancelDisplay = true;
            if (m_events.StockError) {
                cancelDisplay = m_events.StockError(error, *scode);
            } else if (m_events.Failure) {
                m_events.Failure(error);
            }
            args[EventIds::ErrorCancelDisplayArg] = Variant(cancelDisplay);
            return platform::S_OK;
        }
        default:
            return platform::DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace aurion::host
