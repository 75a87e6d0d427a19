#include "tools/aurion/DevicesCommand.h"

#include <cstdio>

#include "host/AurionMembers.h"
#include "host/ControlCaller.h"
#include "host/ControlHost.h"
#include "tools/aurion/OpenStream.h"
#include "tools/aurion/Problems.h"

namespace aurion::host {

using platform::Variant;

int RunDevices() {
    ControlHost host(ControlEvents{});
    auto fail = [](const ControlError& error) {
        ReportProblem({}, error);
        return 1;
    };
    if (auto error = host.Start()) return fail(*error);
    ControlCaller control(host.Control());
    if (auto error = EnableErrorMode(control)) return fail(*error);
    Variant count;
    if (auto error = control.CallAs(members::GetNumDevs, {}, platform::VarType::I2, count))
        return fail(*error);
    for (int16_t device = 0; device < count.AsI2(); ++device) {
        Variant name;
        Variant formats;
        if (auto error = control.CallAs(members::GetDevName, {Variant(device)},
                                        platform::VarType::Bstr, name))
            return fail(*error);
        if (auto error = control.CallAs(members::GetDevParam, {Variant(device)},
                                        platform::VarType::I4, formats))
            return fail(*error);
        std::printf("%d  %s  0x%08X\n", device, name.AsBstr().c_str(),
                    static_cast<unsigned>(formats.AsI4()));
    }
    return 0;
}

}  // namespace aurion::host
