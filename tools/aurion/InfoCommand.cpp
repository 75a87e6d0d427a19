#include "tools/aurion/InfoCommand.h"

#include <array>
#include <cstdio>

#include "host/AurionMembers.h"
#include "host/ControlCaller.h"
#include "host/ControlHost.h"
#include "tools/aurion/FileChecks.h"
#include "tools/aurion/OpenStream.h"
#include "tools/aurion/Problems.h"

namespace aurion::host {

namespace {

using platform::Variant;
using platform::VarType;

struct Property {
    Member Of;
    VarType Type;
};

// The order of the output lines.
constexpr std::array<Property, 13> InfoProperties{{
    {members::FrameCount, VarType::I4},
    {members::IsCopyrighted, VarType::Bool},
    {members::IsOriginal, VarType::Bool},
    {members::HasChecksums, VarType::Bool},
    {members::Layer, VarType::I2},
    {members::SampleFrequency, VarType::I4},
    {members::BitRate, VarType::I4},
    {members::MPEGVersion, VarType::I2},
    {members::MPEGMode, VarType::I2},
    {members::FrameNotifyCount, VarType::I2},
    {members::Version, VarType::I2},
    {members::MsPerFrame, VarType::R4},
    {members::TotalTime, VarType::I4},
}};

std::string ValueText(const Variant& value) {
    switch (value.Type()) {
        case VarType::Bool:
            return value.AsBool() ? "1" : "0";
        case VarType::I2:
            return std::to_string(value.AsI2());
        case VarType::I4:
            return std::to_string(value.AsI4());
        case VarType::R4:
            return DecimalText(value.AsR4());
        case VarType::Bstr:
            return value.AsBstr();
        case VarType::Empty:
            return {};
    }
    return {};
}

int Fail(const std::string& file, const ControlError& error) {
    ReportProblem(file, error);
    return 1;
}

// The values that are estimates when the file's header frame does not give them.
bool EstimatedUnlessKnown(Member property) {
    return property.Id == members::FrameCount.Id || property.Id == members::TotalTime.Id;
}

}  // namespace

std::string DecimalText(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    std::string result = text;
    if (result.find('.') != std::string::npos) {
        while (result.back() == '0') result.pop_back();
        if (result.back() == '.') result.pop_back();
    }
    if (result == "-0") result = "0";
    return result;
}

int RunInfo(const std::string& file) {
    if (auto reason = UnreadableReason(file)) {
        Say("cannot read " + file + ": " + *reason);
        return 1;
    }
    ControlHost host(ControlEvents{});
    if (auto error = host.Start()) {
        return Fail({}, *error);
    }
    ControlCaller control(host.Control());
    if (auto error = EnableErrorMode(control)) {
        return Fail({}, *error);
    }
    if (auto error = OpenStream(control, file, "")) {
        return Fail(file, *error);
    }
    Variant known;
    if (auto error = control.CallAs(members::GetLengthKnown, {}, VarType::Bool, known)) {
        (void)control.Call(members::Close, {});
        return Fail(file, *error);
    }
    std::string lines;
    for (const Property& property : InfoProperties) {
        Variant value;
        if (auto error = control.Get(property.Of, property.Type, value)) {
            (void)control.Call(members::Close, {});
            return Fail(file, *error);
        }
        const bool estimated = !known.AsBool() && EstimatedUnlessKnown(property.Of);
        lines +=
            std::string(property.Of.Name) + "=" + (estimated ? "~" : "") + ValueText(value) + "\n";
    }
    if (auto error = control.CallStatus(members::Close, {})) {
        return Fail(file, *error);
    }
    std::fputs(lines.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace aurion::host
