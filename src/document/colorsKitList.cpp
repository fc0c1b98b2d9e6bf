#include "document/colorsKitList.h"
#include "common/ansiText.h"

#include "colour/rgbBitmaps.h"
#include "common/symbolChars.h"

#include <QColor>

namespace {

QColor SwatchColor(TpackedColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

}  // namespace

TcolorsKitList::TcolorsKitList(QObject *parent) : QAbstractTableModel(parent)
{
    setObjectName(QStringLiteral("mdPalette"));
}

void TcolorsKitList::Clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
    SetCurrentRow(-1);
}

void TcolorsKitList::Append(TcolorsKitRow row)
{
    if (row.Thread.size() > ThreadLength)
        row.Thread.truncate(ThreadLength);
    const int at = RowCount();
    beginInsertRows({}, at, at);
    m_rows.push_back(std::move(row));
    endInsertRows();
}

int TcolorsKitList::FindNum(int num) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (m_rows[std::size_t(i)].Num == num)
            return i;
    return -1;
}

void TcolorsKitList::SetVisible(int row, bool visible)
{
    if (row < 0 || row >= RowCount() || m_rows[std::size_t(row)].Visible == visible)
        return;
    m_rows[std::size_t(row)].Visible = visible;
    FieldChanged(row, Visible);
}

void TcolorsKitList::SetCount(int row, int count)
{
    if (row < 0 || row >= RowCount() || m_rows[std::size_t(row)].Count == count)
        return;
    m_rows[std::size_t(row)].Count = count;
    FieldChanged(row, Count);
}

void TcolorsKitList::SetCurrentRow(int row)
{
    if (row < -1 || row >= RowCount())
        row = -1;
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    emit CurrentRowChanged(row);
}

void TcolorsKitList::Rebuild(const TindexBitmap &scheme)
{
    beginResetModel();
    m_rows.clear();
    for (int i = 0; i < scheme.ColorCount(); ++i) {
        const TcountColor &color = scheme.GetColor(i);
        if (color.Count <= 0)
            continue;
        TcountColor copy = color;  // ToColor clamps in place; the scheme's colour stays as read
        TcolorsKitRow row;
        row.Num = i;
        row.Visible = true;
        row.Symbol = color.Symbol;
        row.Color = copy.ToColor();
        row.Thread = color.Thread.left(ThreadLength);
        row.Count = color.Count;
        m_rows.push_back(std::move(row));
    }
    endResetModel();
    m_currentRow = -2;  // force the notification even when row 0 was current before
    SetCurrentRow(m_rows.empty() ? -1 : 0);
}

void TcolorsKitList::FieldChanged(int row, Field field)
{
    const QModelIndex at = index(row, field);
    emit dataChanged(at, at);
}

int TcolorsKitList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int TcolorsKitList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FieldCount;
}

QVariant TcolorsKitList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= RowCount())
        return {};
    const TcolorsKitRow &row = m_rows[std::size_t(index.row())];
    if (role == RawRole) {
        switch (Field(index.column())) {
        case Num: return row.Num;
        case Visible: return row.Visible;
        case Symbol: return int(static_cast<unsigned char>(row.Symbol));
        case Color: return uint(row.Color);
        case Thread: return row.Thread;
        case Count: return row.Count;
        default: return {};
        }
    }
    switch (Field(index.column())) {
    case Num:
        return role == Qt::DisplayRole ? QVariant(row.Num) : QVariant();
    case Visible:
        return role == Qt::CheckStateRole ? QVariant(row.Visible ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    case Symbol:
        if (role == Qt::DisplayRole)
            return SymbolText(row.Symbol);
        return role == Qt::TextAlignmentRole ? QVariant(int(Qt::AlignCenter)) : QVariant();
    case Color:
        return role == Qt::BackgroundRole ? QVariant(SwatchColor(row.Color)) : QVariant();
    case Thread:
        return role == Qt::DisplayRole ? QVariant(FromAnsi(row.Thread)) : QVariant();
    case Count:
        return role == Qt::DisplayRole ? QVariant(row.Count) : QVariant();
    default:
        return {};
    }
}

bool TcolorsKitList::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != Visible || index.row() >= RowCount())
        return false;
    if (role == Qt::CheckStateRole)
        SetVisible(index.row(), value.toInt() == int(Qt::Checked));
    else if (role == Qt::EditRole || role == RawRole)
        SetVisible(index.row(), value.toBool());
    else
        return false;
    return true;
}

Qt::ItemFlags TcolorsKitList::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Visible)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant TcolorsKitList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (Field(section)) {
    case Num: return QStringLiteral("Num");
    case Visible: return QString();
    case Symbol: return QStringLiteral("Sm");
    case Color: return QStringLiteral("Color");
    case Thread: return QStringLiteral("Thread");
    case Count: return QStringLiteral("Stitches");
    default: return {};
    }
}
