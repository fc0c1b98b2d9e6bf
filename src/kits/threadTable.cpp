#include "kits/threadTable.h"

#include "kits/threadKits.h"

#include <QColor>
#include <QStringDecoder>

namespace {
QString FromAnsi(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.isValid() ? QString(decoder(bytes)) : QString::fromLatin1(bytes);
}
}  // namespace

TthreadTable::TthreadTable(QObject *parent) : QAbstractTableModel(parent)
{
    setObjectName(QStringLiteral("mdPalette"));
}

void TthreadTable::Clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void TthreadTable::Fill(const QString &kitFileName)
{
    // One reset around the whole filling: the grid repaints once, also when a line fails.
    beginResetModel();
    m_rows.clear();
    try {
        const TthreadEntries entries = ReadThreadColors(kitFileName);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            TrgbColor colour = ParseThreadColor(entries[i].first, entries[i].second);
            TthreadRow row;
            row.Num = int(i) + 1;
            row.Thread = colour.Thread.left(ThreadLength);
            row.Color = colour.ToColor();
            row.Name = ReadThreadName(kitFileName, entries[i].first).left(NameLength);
            m_rows.push_back(std::move(row));
        }
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

int TthreadTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int TthreadTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TthreadTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= RowCount())
        return {};
    const TthreadRow &row = m_rows[std::size_t(index.row())];
    if (index.column() == Color) {
        if (role != Qt::BackgroundRole)
            return {};
        return QColor(int(row.Color & 0xFF), int((row.Color >> 8) & 0xFF), int((row.Color >> 16) & 0xFF));
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Num: return row.Num;
    case Thread: return FromAnsi(row.Thread);
    case Name: return FromAnsi(row.Name);
    default: return {};
    }
}

QVariant TthreadTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(section == Num ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Num: return QStringLiteral("Num");
    case Thread: return QStringLiteral("Code");
    case Color: return QStringLiteral("Color");
    case Name: return QStringLiteral("Name");
    default: return {};
    }
}

Qt::ItemFlags TthreadTable::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
