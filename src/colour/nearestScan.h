#pragma once
// Fast nearest-colour scans for the reduction's hot loops, with exactly the answers of a plain
// scan with TrgbColor::Distance: same distances, same ties.
#include "colour/rgbColors.h"

#include <cstdint>
#include <vector>

// Blocks of candidate colours, each block in the order a scan visits it, laid out for scanning
// four at a time. The colours must stay alive and unchanged while the blocks are used.
//
// With the eyesight weighting, the distance to candidate c is W(c) + W(s) - (60 Rs) Rc -
// (118 Gs) Gc - (22 Bs) Bc, W being the weighted squared length; W(s) is the same for every
// candidate, so the scan ranks by the rest. Every product and partial sum of it is an integer
// below 2^24 in magnitude, so single floats hold them exactly and rank and tie as the integer
// distances do.
//
// Without the weighting, the distance is s2 + |B|^2 - (A.B)^2 / |A|^2 (s2 alone when A is black)
// in exact arithmetic. Estimated in single floats it is off by less than 0.1, and the extended-
// precision Heron form of TrgbColor::Distance is off by less than 1e-6. So every nearest
// candidate has an estimate within 1 of the least estimate; when one candidate alone does, it is
// the answer, and otherwise those within 1 are decided by the exact distance.
class TcandidateBlocks {
public:
    // Adds a block of colours in scan order and returns its number.
    std::int32_t AddBlock(const std::vector<const TrgbColor *> &colours);

    // The first position in the block whose distance to the colour sought is least. soughtIsA
    // says which side of the asymmetric distance the sought colour takes. Only the sought
    // colour's channels are read, and they must lie in 0..255.
    std::int32_t FirstNearest(const TrgbColor &sought, std::int32_t block, bool soughtIsA) const;

private:
    struct Tblock {
        std::int32_t Start;  // first entry in the arrays, a multiple of 4
        std::int32_t Size;   // colours; the entries up to End, a multiple of 4, are padding
        std::int32_t End;
    };
    std::int32_t FirstPlainNearest(const TrgbColor &sought, const Tblock &block, bool soughtIsA) const;

    std::vector<Tblock> m_blocks;
    std::vector<const TrgbColor *> m_colours;
    // Per entry, as floats: the channels, the weighted and plain squared lengths, and for a
    // candidate taking A's side the plain length's inverse and 1 (0 for black, where the distance
    // has no line term). Padding entries have infinite lengths, so they are never nearest.
    std::vector<float> m_red, m_green, m_blue, m_weighted, m_length, m_inverse, m_lineFactor;
    mutable std::vector<float> m_scratch;
};
