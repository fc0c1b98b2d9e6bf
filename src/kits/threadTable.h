#pragma once
// The table of one kit's threads that the threads kit dialog shows: number, code, colour and name
// of every "THREAD_COLORS" line, in file order. It only reads the kit file.
#include "colour/rgbColors.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <vector>

struct TthreadRow {
    int Num = 0;
    QByteArray Thread;       // at most ThreadLength bytes
    TpackedColor Color = 0;
    QByteArray Name;         // at most NameLength bytes
};

class TthreadTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Num, Thread, Color, Name, ColumnCount };
    static constexpr int ThreadLength = 20;
    static constexpr int NameLength = 250;

    explicit TthreadTable(QObject *parent = nullptr);

    int RowCount() const { return int(m_rows.size()); }
    const TthreadRow &Row(int row) const { return m_rows.at(std::size_t(row)); }

    // Fills the table anew from the kit file. A malformed colour value stops the filling at its
    // line and throws that error; the rows appended before it stay and are shown.
    void Fill(const QString &kitFileName);
    void Clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    std::vector<TthreadRow> m_rows;
};
