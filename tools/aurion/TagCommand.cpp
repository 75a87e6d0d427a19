#include "tools/aurion/TagCommand.h"

#include <cstdio>
#include <optional>
#include <string>

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

// The control's number for a file that its probe does not take as an MPEG file.
constexpr int32_t NotAnMpegFile = 641;
constexpr int32_t CannotOpenForWriting = 715;
constexpr int32_t TagNotWritten = -1;

int Fail(const std::string& file, const ControlError& error) {
    // The control cannot say why it could not write; the system can.
    std::optional<std::string> reason;
    if (error.Number == CannotOpenForWriting) reason = UnwritableReason(file);
    ReportProblem(file, error, reason.value_or(""));
    return 1;
}

// The tag methods' short result -1 comes without a text.
ControlError WithText(ControlError error, const char* shortResult) {
    if (error.Text.empty() && error.Number == TagNotWritten) error.Text = shortResult;
    return error;
}

std::optional<ControlError> CallText(ControlCaller& control, Member member, std::string& text,
                                     std::vector<Variant> args = {}) {
    Variant result;
    if (auto error = control.Call(member, std::move(args), &result)) return error;
    Variant converted;
    if (platform::Failed(result.ChangeType(VarType::Bstr, converted))) {
        return ErrorFromHresult(platform::DISP_E_TYPEMISMATCH, member.Name);
    }
    text = converted.AsBstr();
    return std::nullopt;
}

std::optional<ControlError> PrintTag(ControlCaller& control) {
    std::string lines;
    for (Member getter : {members::GetTitle, members::GetArtist, members::GetAlbum,
                          members::GetYear, members::GetComment, members::GetGenre}) {
        std::string value;
        if (auto error = CallText(control, getter, value)) return error;
        lines += std::string(getter.Name.substr(3)) + "=" + value + "\n";
    }
    Variant genre;
    if (auto error = control.Call(members::GetGenre, {}, &genre)) return error;
    std::string genreName;
    if (auto error = CallText(control, members::GetGenreString, genreName, {genre})) return error;
    lines += "GenreName=" + genreName + "\n";
    Variant hasTag;
    if (auto error = control.Call(members::GetHasTag, {}, &hasTag)) return error;
    Variant flag;
    if (platform::Failed(hasTag.ChangeType(VarType::Bool, flag))) {
        return ErrorFromHresult(platform::DISP_E_TYPEMISMATCH, members::GetHasTag.Name);
    }
    lines += std::string("HasTag=") + (flag.AsBool() ? "1" : "0") + "\n";
    std::fputs(lines.c_str(), stdout);
    return std::nullopt;
}

std::optional<ControlError> SetField(ControlCaller& control, Member setter,
                                     const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    return control.Call(setter, {Variant(*text)});
}

std::optional<ControlError> SetNumber(ControlCaller& control, Member setter,
                                      std::optional<int16_t> number) {
    if (!number) return std::nullopt;
    return control.Call(setter, {Variant(*number)});
}

std::optional<ControlError> WriteTag(ControlCaller& control, const TagEdit& edit) {
    if (auto error = SetField(control, members::SetTitle, edit.Title)) return error;
    if (auto error = SetField(control, members::SetArtist, edit.Artist)) return error;
    if (auto error = SetField(control, members::SetAlbum, edit.Album)) return error;
    if (auto error = SetNumber(control, members::SetYear, edit.Year)) return error;
    if (auto error = SetField(control, members::SetComment, edit.Comment)) return error;
    if (auto error = SetNumber(control, members::SetGenre, edit.Genre)) return error;
    if (auto error = control.CallStatus(members::WriteTag, {})) {
        return WithText(*error, "the tag was not written completely");
    }
    return std::nullopt;
}

std::optional<ControlError> DeleteTag(ControlCaller& control) {
    if (auto error = control.CallStatus(members::DelTag, {})) {
        return WithText(*error, "the file has no tag");
    }
    return std::nullopt;
}

}  // namespace

int RunTag(const Command& command) {
    if (auto reason = UnreadableReason(command.File)) {
        Say("cannot read " + command.File + ": " + *reason);
        return 1;
    }
    ControlHost host(ControlEvents{});
    if (auto error = host.Start()) return Fail({}, *error);
    ControlCaller control(host.Control());
    if (auto error = EnableErrorMode(control)) return Fail({}, *error);

    // The probe that opens the file reads its tag; whether the stream behind it can
    // be played does not matter here. Closing lets go of the file before it is written.
    auto open = control.CallStatus(members::Open, {Variant(command.File), Variant("")});
    if (open && open->Number == NotAnMpegFile) return Fail(command.File, *open);
    if (auto error = control.CallStatus(members::Close, {})) return Fail(command.File, *error);

    std::optional<ControlError> error;
    if (command.Tag.Delete) {
        error = DeleteTag(control);
    } else if (command.Tag.SetsFields()) {
        error = WriteTag(control, command.Tag);
    } else {
        error = PrintTag(control);
    }
    if (error) return Fail(command.File, *error);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace aurion::host
