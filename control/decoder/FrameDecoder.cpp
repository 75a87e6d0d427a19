#include "control/decoder/FrameDecoder.h"

#include "control/decoder/layer12/SubbandFrameDecoder.h"
#include "control/decoder/layer3/Layer3Decoder.h"

namespace aurion {

std::unique_ptr<FrameDecoder> MakeFrameDecoder(uint32_t layer, const FrameDecoderParts& parts) {
    switch (layer) {
        case 1:
        case 2:
            return std::make_unique<SubbandFrameDecoder>(parts);
        case 3:
            return std::make_unique<Layer3Decoder>(parts.Stream, parts.Header, parts.LeftFilter,
                                                   parts.RightFilter, parts.Sink, parts.Choice);
        default:
            return nullptr;
    }
}

}  // namespace aurion
