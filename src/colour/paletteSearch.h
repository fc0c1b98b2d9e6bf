#pragma once
// The reduction's per-stitch search in a sorted scheme palette: the same index as
// TrgbArray::FindNearest, through a copy of the palette's digit index, with the range scanned fast.
#include "colour/nearestScan.h"

#include <array>

class TpaletteSearch {
public:
    // The palette must be sorted and must not change while the search is used.
    explicit TpaletteSearch(const TrgbArray &palette);

    // The colour sought needs channels in 0..255 and its OctKey current.
    std::int32_t Find(const TrgbColor &colour) const;

private:
    // One per index node: where the descent goes on, and the range a search ending here scans
    // (its parent's, or its own at the root) as a block from the highest index down.
    struct Tnode {
        std::array<std::int32_t, 8> Children;
        std::int32_t ScanBlock;
        std::int32_t ScanHi;
    };
    std::int32_t Flatten(const TrgbArray &palette, const TarrayBounds *bounds, std::int32_t parentBlock,
                         std::int32_t parentHi);

    std::vector<Tnode> m_nodes;
    TcandidateBlocks m_blocks;
};
