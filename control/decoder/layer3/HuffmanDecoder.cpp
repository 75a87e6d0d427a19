#include "control/decoder/layer3/HuffmanDecoder.h"

#include <algorithm>
#include <span>

namespace aurion {

namespace {

constexpr uint32_t LongStep = 250;       // steps this long chain through a jump pair
constexpr unsigned MaxCodeBits = 32;     // a walk this long without a leaf gives up
constexpr uint32_t SpectrumLines = 576;  // 32 subbands x 18 lines
constexpr unsigned QuadTableBase = 32;

// Walks the tree bit by bit from node p with bitsRead bits of the code already
// read; false when no leaf is reached within MaxCodeBits bits or a step leaves
// the tree.
bool WalkTree(const HuffmanTable& table, uint32_t p, unsigned bitsRead, uint32_t& leaf,
              BitReservoir& reservoir) {
    const uint8_t(*tree)[2] = table.tree;
    for (;; ++bitsRead) {
        if (tree[p][0] == 0) {
            leaf = tree[p][1];
            return true;
        }
        if (bitsRead == MaxCodeBits) {
            return false;
        }
        const uint32_t bit = reservoir.Get1Bit();
        while (tree[p][bit] >= LongStep) {
            p += tree[p][bit];
            if (p >= table.treeLength) {
                return false;
            }
        }
        p += tree[p][bit];
        if (p >= table.treeLength) {
            return false;
        }
    }
}

// The walk's result, taking as many bits at once as the table's lookup resolves.
bool FindLeaf(const HuffmanTable& table, uint32_t& leaf, BitReservoir& reservoir) {
    if (table.lookup == nullptr) {
        return WalkTree(table, 0, 0, leaf, reservoir);
    }
    const HuffmanLookupEntry entry = (*table.lookup)[reservoir.PeekBits(HuffmanLookupBits)];
    switch (entry.kind) {
        case HuffmanLookupEntry::Leaf:
            reservoir.SkipBits(entry.length);
            leaf = entry.leafOrNode;
            return true;
        case HuffmanLookupEntry::Continue:
            reservoir.SkipBits(HuffmanLookupBits);
            return WalkTree(table, entry.leafOrNode, HuffmanLookupBits, leaf, reservoir);
        case HuffmanLookupEntry::WalkFromRoot:
            break;
    }
    return WalkTree(table, 0, 0, leaf, reservoir);
}

int32_t ApplySign(int32_t value, BitReservoir& reservoir) {
    if (value != 0 && reservoir.Get1Bit() != 0) {
        return -value;
    }
    return value;
}

// Beyond the table's last boundary the region extends to the end of the spectrum.
uint32_t Boundary(std::span<const uint16_t, 23> boundaries, uint64_t index) {
    if (index >= boundaries.size()) {
        return SpectrumLines;
    }
    return std::min<uint32_t>(boundaries[index], SpectrumLines);
}

// The values of the last pair or quadruple as DecodeHuffmanPair leaves them: what
// its rule for a code without a leaf falls back on.
struct Carried {
    int32_t x = 0;
    int32_t y = 0;
    int32_t v = 0;
    int32_t w = 0;
};

// Takes the sign bit of a non-zero magnitude from the top of `window`; a zero takes
// no bit. Branch-free: the signs are as random as the data.
int32_t TakeSign(int32_t magnitude, uint64_t& window, unsigned& used) {
    const auto present = static_cast<uint32_t>(magnitude != 0);
    const auto negative = static_cast<int32_t>(static_cast<uint32_t>(window >> 63) & present);
    window <<= present;
    used += present;
    return (magnitude ^ -negative) + negative;
}

// A register copy of the reservoir's next bits. Codes are taken from it by shifts,
// so one code's length is all that stands between two table reads; the
// reservoir's position moves on only when the copy is refilled or handed back.
class CachedBits {
public:
    explicit CachedBits(BitReservoir& reservoir)
        : m_reservoir(reservoir), m_window(reservoir.PeekWindow()) {}
    // At least `bits` (at most WindowBits) valid bits at the top of Window().
    void Ensure(unsigned bits) {
        if (m_taken > BitReservoir::WindowBits - bits) {
            Sync();
            Reload();
        }
    }
    [[nodiscard]] uint64_t Window() const { return m_window; }
    void Take(unsigned n) {
        m_window <<= n;
        m_taken += n;
    }
    // Moves the reservoir past the bits taken, for reading it directly; Reload
    // then picks up where that reading left it.
    BitReservoir& Sync() {
        m_reservoir.SkipBits(m_taken);
        m_taken = 0;
        return m_reservoir;
    }
    void Reload() { m_window = m_reservoir.PeekWindow(); }

private:
    BitReservoir& m_reservoir;
    uint64_t m_window;
    unsigned m_taken = 0;
};

// The most bits a pair read from the cache takes: a code the lookup resolves and
// two values each with the most linbits of Table B.7 and a sign.
constexpr unsigned MaxLinbits = 13;
constexpr unsigned MaxCachedPairBits = HuffmanLookupBits + 2 * (MaxLinbits + 1);
static_assert(MaxCachedPairBits <= BitReservoir::WindowBits);

// Lines first..end-1 (pairs starting below end) of the big values with one table.
// A short code with its signs is one read of the signed lookup; a code the lookup
// resolves but that takes linbits or more sign bits reads them from the same
// window; any other code goes through DecodeHuffmanPair, which walks the tree.
uint32_t DecodePairs(const HuffmanTable& table, uint32_t line, uint32_t end, Carried& carried,
                     BitReservoir& reservoir, std::array<int32_t, 576>& quantized) {
    if (table.treeLength == 0 || table.tree == nullptr || table.lookup == nullptr ||
        table.signedLookup == nullptr || table.linbits > MaxLinbits) {
        for (; line < end; line += 2) {
            DecodeHuffmanPair(table, carried.x, carried.y, carried.v, carried.w, reservoir);
            quantized[line] = carried.x;
            quantized[line + 1] = carried.y;
        }
        return line;
    }
    const HuffmanLookup& lookup = *table.lookup;
    const SignedLookup& signedLookup = *table.signedLookup;
    const unsigned linbits = table.linbits;
    const auto escape = static_cast<int32_t>(table.xlen) - 1;
    CachedBits cache(reservoir);
    for (; line < end; line += 2) {
        cache.Ensure(MaxCachedPairBits);
        uint64_t window = cache.Window();
        const size_t index = window >> (64 - HuffmanLookupBits);
        const SignedLookupEntry& pair = signedLookup[index];
        if (pair.resolved) {
            cache.Take(pair.length);
            carried.x = pair.values[0];
            carried.y = pair.values[1];
        } else if (const HuffmanLookupEntry entry = lookup[index];
                   entry.kind != HuffmanLookupEntry::Leaf) {
            DecodeHuffmanPair(table, carried.x, carried.y, carried.v, carried.w, cache.Sync());
            cache.Reload();
        } else {
            unsigned used = entry.length;
            window <<= entry.length;
            int32_t x = entry.leafOrNode >> 4;
            int32_t y = entry.leafOrNode & 0xF;
            if (linbits > 0 && x == escape) {
                x += static_cast<int32_t>(window >> (64 - linbits));
                window <<= linbits;
                used += linbits;
            }
            x = TakeSign(x, window, used);
            if (linbits > 0 && y == escape) {
                y += static_cast<int32_t>(window >> (64 - linbits));
                window <<= linbits;
                used += linbits;
            }
            y = TakeSign(y, window, used);
            cache.Take(used);
            carried.x = x;
            carried.y = y;
        }
        quantized[line] = carried.x;
        quantized[line + 1] = carried.y;
    }
    cache.Sync();
    return line;
}

// One quadruple of the count1 region, stored at line (v, w) and line + 2 (x, y)
// when that is still a line of the spectrum.
void StoreQuadruple(const Carried& carried, uint32_t line, std::array<int32_t, 576>& quantized) {
    quantized[line] = carried.v;
    quantized[line + 1] = carried.w;
    if (line + 2 < SpectrumLines) {
        quantized[line + 2] = carried.x;
        quantized[line + 3] = carried.y;
    }
}

// The count1 region from `line` until the channel's bits reach `end` or the lines
// are full. Every code of tables 32 and 33 (at most 6 bits) and its signs lie in
// the signed lookup's index, so a quadruple is one lookup.
uint32_t DecodeQuadruples(const HuffmanTable& table, uint32_t line, int64_t end, Carried& carried,
                          BitReservoir& reservoir, std::array<int32_t, 576>& quantized) {
    if (table.signedLookup == nullptr) {
        for (; reservoir.TotalBits() < end && line < SpectrumLines; line += 4) {
            DecodeHuffmanPair(table, carried.x, carried.y, carried.v, carried.w, reservoir);
            StoreQuadruple(carried, line, quantized);
        }
        return line;
    }
    const SignedLookup& signedLookup = *table.signedLookup;
    // The bits the channel has left; it goes down as the cache takes them.
    int64_t left = end - reservoir.TotalBits();
    CachedBits cache(reservoir);
    for (; left > 0 && line < SpectrumLines; line += 4) {
        cache.Ensure(HuffmanLookupBits);
        const SignedLookupEntry& quadruple =
            signedLookup[cache.Window() >> (64 - HuffmanLookupBits)];
        if (quadruple.resolved) {
            cache.Take(quadruple.length);
            left -= quadruple.length;
            carried.v = quadruple.values[0];
            carried.w = quadruple.values[1];
            carried.x = quadruple.values[2];
            carried.y = quadruple.values[3];
        } else {
            BitReservoir& direct = cache.Sync();
            const int32_t before = direct.TotalBits();
            DecodeHuffmanPair(table, carried.x, carried.y, carried.v, carried.w, direct);
            left -= direct.TotalBits() - before;
            cache.Reload();
        }
        StoreQuadruple(carried, line, quantized);
    }
    cache.Sync();
    return line;
}

// Where the second table of the big values takes over. A short block's region 0
// spans three short bands (region0_count 8 counts each band once per window,
// ISO/IEC 11172-3 clause 2.4.2.7): line 36 at every frequency but MPEG-2.5's 8 kHz,
// whose short bands are wider. A mixed block's region 0 ends with its long part.
uint32_t ShortRegion1Start(const GranuleInfo& info, const ScaleFactorBands& bands) {
    constexpr uint32_t MixedLongLines = 36;
    constexpr size_t ShortRegion0Bands = 3;
    if (info.IsMixed()) {
        return MixedLongLines;
    }
    return std::min<uint32_t>(3u * bands.shortBounds[ShortRegion0Bands], SpectrumLines);
}

}  // namespace

bool DecodeHuffmanPair(const HuffmanTable& table, int32_t& x, int32_t& y, int32_t& v, int32_t& w,
                       BitReservoir& reservoir) {
    if (table.treeLength == 0 || table.tree == nullptr) {
        x = 0;
        y = 0;
        return true;
    }
    const bool isQuad = table.xlen == 1 && table.ylen == 16;
    uint32_t leaf = 0;
    const bool found = FindLeaf(table, leaf, reservoir);
    if (found) {
        if (isQuad) {
            y = static_cast<int32_t>(leaf);
        } else {
            x = static_cast<int32_t>(leaf >> 4);
            y = static_cast<int32_t>(leaf & 0xF);
        }
    }
    if (isQuad) {
        // Without a leaf the previous y stands in for the leaf value.
        const auto value = static_cast<uint32_t>(y);
        v = ApplySign(static_cast<int32_t>((value >> 3) & 1), reservoir);
        w = ApplySign(static_cast<int32_t>((value >> 2) & 1), reservoir);
        x = ApplySign(static_cast<int32_t>((value >> 1) & 1), reservoir);
        y = ApplySign(static_cast<int32_t>(value & 1), reservoir);
        return found;
    }
    const auto escape = static_cast<int32_t>(table.xlen) - 1;
    if (table.linbits > 0 && x == escape) {
        x += static_cast<int32_t>(reservoir.GetBits(table.linbits));
    }
    x = ApplySign(x, reservoir);
    if (table.linbits > 0 && y == escape) {
        y += static_cast<int32_t>(reservoir.GetBits(table.linbits));
    }
    y = ApplySign(y, reservoir);
    return found;
}

uint32_t DecodeSpectrum(const GranuleInfo& info, const ScaleFactorBands& bands, int32_t part2Start,
                        BitReservoir& reservoir, std::array<int32_t, 576>& quantized) {
    const std::span<const uint16_t, 23> longBandBoundaries(bands.longBounds);
    uint32_t region1Start = 0;
    uint32_t region2Start = 0;
    if (info.IsShort()) {
        region1Start = ShortRegion1Start(info, bands);
        region2Start = SpectrumLines;
    } else {
        region1Start = Boundary(longBandBoundaries, uint64_t{info.region0_count} + 1);
        region2Start =
            Boundary(longBandBoundaries, uint64_t{info.region0_count} + info.region1_count + 2);
    }

    // A pair belongs to the region its first line lies in; a region that ends
    // before the previous one has no pairs.
    Carried carried;
    const uint32_t bigValuesEnd =
        static_cast<uint32_t>(std::min<uint64_t>(uint64_t{info.big_values} * 2, SpectrumLines));
    uint32_t line = 0;
    line = DecodePairs(GetHuffmanTable(info.table_select[0]), line,
                       std::min(region1Start, bigValuesEnd), carried, reservoir, quantized);
    line = DecodePairs(GetHuffmanTable(info.table_select[1]), line,
                       std::min(region2Start, bigValuesEnd), carried, reservoir, quantized);
    line = DecodePairs(GetHuffmanTable(info.table_select[2]), line, bigValuesEnd, carried,
                       reservoir, quantized);

    // Compared in 64 bits: the end may lie beyond what a 32-bit counter holds.
    const int64_t end = int64_t{part2Start} + info.part2_3_length;
    const HuffmanTable& quadTable = GetHuffmanTable(QuadTableBase + (info.count1table_select & 1));
    const uint32_t count1Start = line;
    line = DecodeQuadruples(quadTable, line, end, carried, reservoir, quantized);

    const int64_t total = reservoir.TotalBits();
    if (total > end) {
        // The last quadruple ran past the channel's bits: drop it and give the bits
        // back to the next channel. An overrun already in the big values has no
        // quadruple to drop; only the bits are given back.
        reservoir.RewindBits(static_cast<int32_t>(total - end));
        if (line > count1Start) {
            line -= 4;
        }
    } else if (total < end) {
        // The lines are full before the channel's bits end: the rest is stuffing.
        int64_t stuffing = end - total;
        while (stuffing > 0) {
            const auto chunk = static_cast<unsigned>(std::min<int64_t>(stuffing, 32));
            reservoir.GetBits(chunk);
            stuffing -= chunk;
        }
    }

    uint32_t coded = std::min(line, SpectrumLines);
    for (; line < SpectrumLines; ++line) {
        quantized[line] = 0;
    }
    // Zeros coded at the end need no work in the later stages either.
    while (coded > 0 && quantized[coded - 1] == 0) {
        --coded;
    }
    return coded;
}

}  // namespace aurion
