#pragma once
// Octree over the thread colours of one kit: accumulates picture pixels per part of colour space
// and chooses the N most populated parts' threads as a scheme's palette.
#include "colour/rgbColors.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class TocTree {
public:
    TocTree(TocTree *parent, const TrgbColor *color, int level);
    ~TocTree();
    TocTree(const TocTree &) = delete;
    TocTree &operator=(const TocTree &) = delete;

    TocTree *Parent;
    std::array<std::unique_ptr<TocTree>, 8> Children;
    bool Split = false;
    int Level;
    std::optional<TrgbColor> Color;
    TsumColor Sum;

    // Throws EKanvoError with the kit parser's message on a malformed line.
    static std::unique_ptr<TocTree> LoadThreadKit(const QString &fileName);
    void Insert(const TrgbColor &color);
    void ClearSums();
    void AddPixel(const TrgbColor &color);
    int NearestChild(const TrgbColor &color) const;
    TextendedFloat SubtreeDistance(const TrgbColor &color) const;
    TextendedFloat NearestLeaf(const TrgbColor &color, const TocTree *&leaf) const;
    static bool HasAncestor(const TocTree *node, const TocTree *other);
    void CollectNodes();
    void SortNodes();
    // Reads the process-wide node list, as SortNodes on this tree left it (the list is sorted
    // afresh if it holds another tree). Throws EKanvoError when the tree holds no thread at all.
    std::unique_ptr<TrgbArray> ChoosePalette(int n);

    // Adds the sums of every node's descendants into it. After each picture pixel has been
    // added to the Sum of the leaf its AddPixel descent ends in, this gives every node the sum
    // AddPixel would have given it.
    void SumUp();
};

// The process-wide node list that SortNodes fills and ChoosePalette reads.
std::vector<TocTree *> &NodeList();
