#pragma once
// The colours kit list (mdPalette): one row per colour the scheme uses, in the order the rows were
// appended, with the colour's index, a Visible flag for its symbols, symbol, packed colour, thread
// code and stitch count, and a current row that is the drawing colour. It is a table model so
// the kit grid can show it and edit Visible; the sheets, drawing, export and printing read it.
#include "colour/rgbColors.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <vector>

class TindexBitmap;

struct TcolorsKitRow {
    int Num = 0;            // index of the colour in the scheme's colour list
    bool Visible = true;    // the colour's symbols are shown in the scheme sheet
    char Symbol = ' ';
    TpackedColor Color = 0;
    QByteArray Thread;      // at most ThreadLength bytes
    int Count = 0;          // stitches
};

class TcolorsKitList : public QAbstractTableModel {
    Q_OBJECT
public:
    // Fields in table order; the model's columns are these.
    enum Field { Num, Visible, Symbol, Color, Thread, Count, FieldCount };
    static constexpr int ThreadLength = 20;
    // The raw field value (int, bool, char as int, packed colour as uint, thread bytes).
    static constexpr int RawRole = Qt::UserRole;

    explicit TcolorsKitList(QObject *parent = nullptr);

    int RowCount() const { return int(m_rows.size()); }
    const TcolorsKitRow &Row(int row) const { return m_rows.at(std::size_t(row)); }
    void Clear();
    void Append(TcolorsKitRow row);  // cuts Thread to ThreadLength bytes
    // The row holding colour num, or -1.
    int FindNum(int num) const;

    void SetVisible(int row, bool visible);
    void SetCount(int row, int count);

    // The drawing colour's row, -1 while the list is empty.
    int CurrentRow() const { return m_currentRow; }
    void SetCurrentRow(int row);

    // The rebuild from the scheme raster: every colour with stitches gets a visible row, in colour
    // order, and the first row becomes current.
    void Rebuild(const TindexBitmap &scheme);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void CurrentRowChanged(int row);

private:
    void FieldChanged(int row, Field field);

    std::vector<TcolorsKitRow> m_rows;
    int m_currentRow = -1;
};
