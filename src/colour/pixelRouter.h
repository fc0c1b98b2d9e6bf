#pragma once
// Routes picture pixels through a kit's octree the way TocTree::AddPixel does, but fast enough for
// a million pixels: the tree is flattened once, and where a pixel's digit has no branch the
// nearest child is found by one scan over the leaves below the node instead of a recursive walk.
#include "colour/nearestScan.h"
#include "colour/ocTrees.h"

#include <array>
#include <cstdint>
#include <vector>

class TpixelRouter {
public:
    // The tree must not change while the router is used.
    explicit TpixelRouter(TocTree &root);

    // The leaf where AddPixel's descent for this colour ends. The pixel needs channels in 0..255
    // and its OctKey current.
    TocTree *Leaf(const TrgbColor &pixel) const;

private:
    struct Tnode {
        TocTree *Node;
        std::array<std::int32_t, 8> Children;  // flat indices, -1 where there is no child
        std::int32_t LeafBlock;                // split nodes: the leaves below, higher slots first
        std::int32_t LeafSlots;                // where the block's child slots start in m_leafSlots
    };
    std::int32_t Flatten(TocTree &node);

    std::vector<Tnode> m_nodes;
    TcandidateBlocks m_leaves;
    std::vector<std::int32_t> m_leafSlots;  // per block entry: the child slot the leaf lies under
};
