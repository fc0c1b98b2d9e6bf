#include "colour/ocTrees.h"

#include "common/KanvoError.h"
#include "kits/threadKits.h"

#include <algorithm>
#include <limits>

namespace {
// Larger than any colour distance, so the first candidate always wins the first comparison.
constexpr TextendedFloat kNoDistance = std::numeric_limits<TextendedFloat>::infinity();

// Orders the node list: an ancestor before its descendants, then more pixels first.
int CompareNodes(const TocTree *x, const TocTree *y)
{
    if (TocTree::HasAncestor(x, y))
        return 1;
    if (TocTree::HasAncestor(y, x))
        return -1;
    return y->Sum.Count - x->Sum.Count;
}

// The classic in-place quicksort with the middle element as pivot. Its exact element moves
// decide the order among unrelated nodes with equal counts, which decides the palette, so it
// must stay this algorithm and not a library sort.
void QuickSortNodes(std::vector<TocTree *> &list, int l, int r)
{
    int i;
    do {
        i = l;
        int j = r;
        const TocTree *pivot = list[std::size_t((l + r) / 2)];
        do {
            while (CompareNodes(list[std::size_t(i)], pivot) < 0)
                ++i;
            while (CompareNodes(list[std::size_t(j)], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(list[std::size_t(i)], list[std::size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j)
            QuickSortNodes(list, l, j);
        l = i;
    } while (i < r);
}
}  // namespace

std::vector<TocTree *> &NodeList()
{
    static std::vector<TocTree *> list;
    return list;
}

namespace {
// The node on which SortNodes last ran, the one the node list belongs to.
const TocTree *g_sortedTree = nullptr;
}  // namespace

TocTree::TocTree(TocTree *parent, const TrgbColor *color, int level)
    : Parent(parent), Level(level)
{
    if (color)
        Color.emplace(*color);
}

TocTree::~TocTree()
{
    // The node list refers to the last tree sorted; it must not outlive that tree.
    if (g_sortedTree == this) {
        NodeList().clear();
        g_sortedTree = nullptr;
    }
}

std::unique_ptr<TocTree> TocTree::LoadThreadKit(const QString &fileName)
{
    auto root = std::make_unique<TocTree>(nullptr, nullptr, 0);
    const TthreadEntries entries = ReadThreadColors(fileName);
    // From the last line to the first: of two threads with one RGB the later line's code stays.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        root->Insert(ParseThreadColor(it->first, it->second));
    return root;
}

void TocTree::Insert(const TrgbColor &color)
{
    TocTree *node = this;
    for (;;) {
        if (!node->Color) {
            node->Color.emplace(color);
            return;
        }
        if (!node->Split) {
            if (node->Color->SameColor(color))
                return;  // the first thread inserted with this RGB keeps its place and code
            // A divided leaf keeps its colour and passes a copy down, so every node's colour is
            // also some leaf's colour.
            node->Split = true;
            node->Children[std::size_t(node->Color->OctDigit(node->Level))] =
                std::make_unique<TocTree>(node, &*node->Color, node->Level + 1);
        }
        auto &child = node->Children[std::size_t(color.OctDigit(node->Level))];
        if (!child) {
            child = std::make_unique<TocTree>(node, &color, node->Level + 1);
            return;
        }
        node = child.get();
    }
}

void TocTree::ClearSums()
{
    Sum.Clear();
    for (auto &child : Children)
        if (child)
            child->ClearSums();
}

void TocTree::AddPixel(const TrgbColor &color)
{
    TocTree *node = this;
    for (;;) {
        node->Sum.Add(color);
        if (!node->Split)
            return;
        const int digit = color.OctDigit(node->Level);
        const int next = node->Children[std::size_t(digit)] ? digit : node->NearestChild(color);
        if (next < 0)
            return;
        node = node->Children[std::size_t(next)].get();
    }
}

void TocTree::SumUp()
{
    for (auto &child : Children) {
        if (!child)
            continue;
        child->SumUp();
        Sum.Red += child->Sum.Red;
        Sum.Green += child->Sum.Green;
        Sum.Blue += child->Sum.Blue;
        Sum.Count += child->Sum.Count;
    }
}

int TocTree::NearestChild(const TrgbColor &color) const
{
    if (!Split)
        return -1;
    TextendedFloat best = kNoDistance;
    int result = -1;
    for (int i = 7; i >= 0; --i) {
        if (!Children[std::size_t(i)])
            continue;
        const TextendedFloat d = Children[std::size_t(i)]->SubtreeDistance(color);
        if (d < best) {
            best = d;
            result = i;
        }
    }
    return result;
}

TextendedFloat TocTree::SubtreeDistance(const TrgbColor &color) const
{
    TextendedFloat m = TrgbColor::Distance(*Color, color);
    if (Split) {
        for (int i = 7; i >= 0; --i) {
            if (Children[std::size_t(i)])
                m = std::min(m, Children[std::size_t(i)]->SubtreeDistance(color));
        }
    }
    return m;
}

TextendedFloat TocTree::NearestLeaf(const TrgbColor &color, const TocTree *&leaf) const
{
    if (!Split) {
        leaf = this;
        return TrgbColor::Distance(*Color, color);
    }
    TextendedFloat best = kNoDistance;
    for (int i = 7; i >= 0; --i) {
        if (!Children[std::size_t(i)])
            continue;
        const TocTree *candidate = nullptr;
        const TextendedFloat d = Children[std::size_t(i)]->NearestLeaf(color, candidate);
        if (d < best) {
            best = d;
            leaf = candidate;
        }
    }
    return best;
}

bool TocTree::HasAncestor(const TocTree *node, const TocTree *other)
{
    for (const TocTree *up = node->Parent; up; up = up->Parent)
        if (up == other)
            return true;
    return false;
}

void TocTree::CollectNodes()
{
    NodeList().push_back(this);
    for (int i = 7; i >= 0; --i)
        if (Children[std::size_t(i)])
            Children[std::size_t(i)]->CollectNodes();
}

void TocTree::SortNodes()
{
    auto &list = NodeList();
    list.clear();
    g_sortedTree = this;
    CollectNodes();
    if (!list.empty())
        QuickSortNodes(list, 0, int(list.size()) - 1);
}

std::unique_ptr<TrgbArray> TocTree::ChoosePalette(int n)
{
    if (!Color)
        throw EKanvoError(QStringLiteral("The threads kit has no thread colors"));

    // A list of another tree (or none) would name nodes that are not this tree's, perhaps freed
    // ones, so it is made for this one.
    if (g_sortedTree != this)
        SortNodes();

    // The sort puts more populated nodes first, but with equal counts an unrelated node can
    // separate an ancestor from a descendant in either order. So a node is skipped when a
    // descendant of it is already chosen, and a chosen node gives up every chosen ancestor,
    // not just its parent: the palette never holds a node together with a node inside it, and
    // thus never one thread twice.
    std::vector<TocTree *> chosen;
    for (TocTree *node : NodeList()) {
        if (int(chosen.size()) >= n)
            break;
        if (node->Sum.Count <= 0)
            break;  // sorted by count: no later node has pixels either
        const bool holdsChosen = std::any_of(chosen.begin(), chosen.end(), [node](const TocTree *c) {
            return HasAncestor(c, node);
        });
        if (holdsChosen)
            continue;
        std::erase_if(chosen, [node](const TocTree *c) { return HasAncestor(node, c); });
        chosen.push_back(node);
    }

    const int m = int(chosen.size());
    auto colours = std::make_unique<TrgbArray>(m);
    for (int k = m - 1; k >= 0; --k) {
        const TocTree *x = chosen[std::size_t(k)];
        TsumColor mean = x->Sum;
        mean.Average();
        const TocTree *leaf = nullptr;
        x->NearestLeaf(mean, leaf);
        colours->SetItem(k, TcountColor::CreateFromRgb(*leaf->Color));
    }
    colours->Sort();
    return colours;
}
