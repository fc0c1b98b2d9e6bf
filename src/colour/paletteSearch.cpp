#include "colour/paletteSearch.h"

TpaletteSearch::TpaletteSearch(const TrgbArray &palette)
{
    Flatten(palette, palette.Root.get(), -1, -1);
}

std::int32_t TpaletteSearch::Flatten(const TrgbArray &palette, const TarrayBounds *bounds, std::int32_t parentBlock,
                                     std::int32_t parentHi)
{
    std::vector<const TrgbColor *> range;
    for (std::int32_t i = bounds->Hi; i >= bounds->Lo; --i)
        range.push_back(&palette.GetItem(i));
    const std::int32_t ownBlock = m_blocks.AddBlock(range);
    const std::int32_t index = std::int32_t(m_nodes.size());
    m_nodes.push_back({{-1, -1, -1, -1, -1, -1, -1, -1},
                       parentBlock >= 0 ? parentBlock : ownBlock,
                       parentBlock >= 0 ? parentHi : bounds->Hi});
    for (std::size_t d = 0; d < 8; ++d) {
        if (bounds->Children[d]) {
            const std::int32_t child = Flatten(palette, bounds->Children[d].get(), ownBlock, bounds->Hi);
            m_nodes[std::size_t(index)].Children[d] = child;
        }
    }
    return index;
}

std::int32_t TpaletteSearch::Find(const TrgbColor &colour) const
{
    // Descend while the colour's digits match a run, then scan the range one level up (or the
    // whole list at the root), from its highest index down so that ties go to the highest index.
    const Tnode *node = &m_nodes.front();
    for (int level = 0;; ++level) {
        const std::int32_t child = node->Children[std::size_t(colour.OctDigit(level))];
        if (child < 0)
            break;
        node = &m_nodes[std::size_t(child)];
    }
    return node->ScanHi - m_blocks.FirstNearest(colour, node->ScanBlock, true);
}
