#include "colour/pixelRouter.h"

#include <functional>

TpixelRouter::TpixelRouter(TocTree &root)
{
    Flatten(root);
}

std::int32_t TpixelRouter::Flatten(TocTree &node)
{
    const std::int32_t index = std::int32_t(m_nodes.size());
    m_nodes.push_back({&node, {-1, -1, -1, -1, -1, -1, -1, -1}, -1, -1});
    for (int slot = 7; slot >= 0; --slot) {
        if (node.Children[std::size_t(slot)]) {
            const std::int32_t child = Flatten(*node.Children[std::size_t(slot)]);
            m_nodes[std::size_t(index)].Children[std::size_t(slot)] = child;
        }
    }
    if (!node.Split)
        return index;

    // Every node's colour is also the colour of a leaf below it, so the least distance over a
    // child's subtree is the least over its leaves. Listing the leaves child by child from slot 7
    // down, the first leaf at the least distance lies under the child NearestChild picks.
    std::vector<const TrgbColor *> leaves;
    const std::int32_t slotsStart = std::int32_t(m_leafSlots.size());
    std::function<void(const TocTree &, int)> addLeaves = [&](const TocTree &n, int slot) {
        if (!n.Split) {
            leaves.push_back(&*n.Color);
            m_leafSlots.push_back(slot);
            return;
        }
        for (int s = 7; s >= 0; --s)
            if (n.Children[std::size_t(s)])
                addLeaves(*n.Children[std::size_t(s)], slot);
    };
    for (int slot = 7; slot >= 0; --slot)
        if (node.Children[std::size_t(slot)])
            addLeaves(*node.Children[std::size_t(slot)], slot);
    m_nodes[std::size_t(index)].LeafBlock = m_leaves.AddBlock(leaves);
    m_nodes[std::size_t(index)].LeafSlots = slotsStart;
    return index;
}

TocTree *TpixelRouter::Leaf(const TrgbColor &pixel) const
{
    const Tnode *node = &m_nodes.front();
    for (;;) {
        if (!node->Node->Split)
            return node->Node;
        std::int32_t child = node->Children[std::size_t(pixel.OctDigit(node->Node->Level))];
        if (child < 0) {
            const std::int32_t nearest = m_leaves.FirstNearest(pixel, node->LeafBlock, false);
            child = node->Children[std::size_t(m_leafSlots[std::size_t(node->LeafSlots + nearest)])];
        }
        node = &m_nodes[std::size_t(child)];
    }
}
