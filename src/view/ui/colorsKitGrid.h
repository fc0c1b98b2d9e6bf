#pragma once
// gvColors: the colours kit grid of the main window's left pane. It shows the kit list through a
// sorting layer (sorting by colour, thread or stitches reorders the display only), toggles a
// colour's Visible check box with one click, draws symbols in the scheme's symbol font and colours
// as swatches, and keeps its current row and the kit list's current row (the drawing colour) equal.
#include <QTableView>

class QSortFilterProxyModel;
class TcolorsKitList;
class TstyledTextDelegate;

class TcolorsKitGrid : public QTableView {
    Q_OBJECT
public:
    explicit TcolorsKitGrid(QWidget *parent = nullptr);

    void SetKitList(TcolorsKitList *kitList);
    TcolorsKitList *KitList() const { return m_kitList; }
    QSortFilterProxyModel *SortModel() const { return m_sort; }

    // colSymbol's font: the scheme's symbol font, 13 pixels.
    void SetSymbolFontName(const QString &fontName);
    QString SymbolFontName() const;

    // The view row that shows a kit row, and back.
    int ViewRowOf(int kitRow) const;
    int KitRowOf(int viewRow) const;

    // Widths at design: Visible 19, Symbol 19, Color 33, Thread 49, Stitches 57; shared out over
    // the grid's width.
    static constexpr int DesignWidths[5] = {19, 19, 33, 49, 57};

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void HeaderClicked(int section);
    void FitColumns();
    void ShowKitCurrentRow(int kitRow);

    TcolorsKitList *m_kitList = nullptr;
    QSortFilterProxyModel *m_sort = nullptr;
    TstyledTextDelegate *m_symbolDelegate = nullptr;
};
