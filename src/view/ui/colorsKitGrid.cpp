#include "view/ui/colorsKitGrid.h"

#include "document/colorsKitList.h"
#include "shell/artwork.h"
#include "shell/gridStyles.h"
#include "shell/imageLists.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSortFilterProxyModel>

namespace {

// Sorts by the raw values (packed colour, thread bytes, count) and puts a picture on the header
// of the check box column, which has no text.
class TkitSortModel : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && section == TcolorsKitList::Visible && role == Qt::DecorationRole)
            return ArtworkIcon(Artwork::VisibleColumn);
        if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }
};

// The Visible column: a centred check box that one click anywhere in the cell (or the space bar)
// toggles and writes to the list at once.
class TcheckBoxDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        QStyledItemDelegate::paint(painter, background, QModelIndex());
        QStyleOptionButton box;
        box.state = QStyle::State_Enabled;
        box.state |= index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &box, option.widget);
        box.rect = QStyle::alignedRect(option.direction, Qt::AlignCenter, indicator.size(), option.rect);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
    }

    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override
    {
        if (!(index.flags() & Qt::ItemIsUserCheckable))
            return false;
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()))
                return false;
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            return true;  // the press and release already toggled; a second toggle would undo it
        } else if (event->type() == QEvent::KeyPress) {
            if (static_cast<QKeyEvent *>(event)->key() != Qt::Key_Space)
                return false;
        } else {
            return false;
        }
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
};

QFont SymbolFont(const QString &name)
{
    QFont font(name);
    font.setPixelSize(13);
    return font;
}

}  // namespace

TcolorsKitGrid::TcolorsKitGrid(QWidget *parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("gvColors"));
    GridStyles::ApplyGridLook(*this);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setTabKeyNavigation(false);
    m_sort = new TkitSortModel(this);
    m_sort->setSortRole(TcolorsKitList::RawRole);
    m_sort->setDynamicSortFilter(true);
    setModel(m_sort);

    setItemDelegateForColumn(TcolorsKitList::Visible, new TcheckBoxDelegate(this));
    m_symbolDelegate = new TstyledTextDelegate(SymbolFont(QStringLiteral("Glifa")), Qt::AlignCenter, this);
    setItemDelegateForColumn(TcolorsKitList::Symbol, m_symbolDelegate);
    setItemDelegateForColumn(TcolorsKitList::Color, new TcolorSwatchDelegate(this));
    setItemDelegateForColumn(TcolorsKitList::Thread,
                             new TstyledTextDelegate(GridStyles::BoldTextFont(), Qt::AlignLeft | Qt::AlignVCenter, this));
    setItemDelegateForColumn(TcolorsKitList::Count,
                             new TstyledTextDelegate(GridStyles::TextFont(), Qt::AlignRight | Qt::AlignVCenter, this));

    QHeaderView *header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(8);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, &TcolorsKitGrid::HeaderClicked);
}

void TcolorsKitGrid::SetKitList(TcolorsKitList *kitList)
{
    m_kitList = kitList;
    m_sort->setSourceModel(kitList);
    setColumnHidden(TcolorsKitList::Num, true);
    FitColumns();
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_kitList && current.isValid())
                    m_kitList->SetCurrentRow(KitRowOf(current.row()));
            });
    connect(kitList, &TcolorsKitList::CurrentRowChanged, this, &TcolorsKitGrid::ShowKitCurrentRow);
    connect(kitList, &QAbstractItemModel::modelReset, this, [this] { ShowKitCurrentRow(m_kitList->CurrentRow()); });
}

void TcolorsKitGrid::SetSymbolFontName(const QString &fontName)
{
    m_symbolDelegate->SetFont(SymbolFont(fontName));
    viewport()->update();
}

QString TcolorsKitGrid::SymbolFontName() const
{
    return m_symbolDelegate->Font().family();
}

int TcolorsKitGrid::ViewRowOf(int kitRow) const
{
    if (!m_kitList || kitRow < 0)
        return -1;
    return m_sort->mapFromSource(m_kitList->index(kitRow, 0)).row();
}

int TcolorsKitGrid::KitRowOf(int viewRow) const
{
    if (viewRow < 0)
        return -1;
    return m_sort->mapToSource(m_sort->index(viewRow, 0)).row();
}

void TcolorsKitGrid::ShowKitCurrentRow(int kitRow)
{
    const int viewRow = ViewRowOf(kitRow);
    if (viewRow < 0) {
        selectionModel()->clear();
        return;
    }
    if (currentIndex().row() == viewRow)
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : TcolorsKitList::Thread;
    selectionModel()->setCurrentIndex(m_sort->index(viewRow, column),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TcolorsKitGrid::HeaderClicked(int section)
{
    // Only colour, thread and stitches sort; the order is the display's, never the list's.
    if (section != TcolorsKitList::Color && section != TcolorsKitList::Thread && section != TcolorsKitList::Count)
        return;
    const Qt::SortOrder order = m_sort->sortColumn() == section && m_sort->sortOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    m_sort->sort(section, order);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(section, order);
    ShowKitCurrentRow(m_kitList ? m_kitList->CurrentRow() : -1);
}

void TcolorsKitGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    FitColumns();
}

void TcolorsKitGrid::FitColumns()
{
    const int available = viewport()->width();
    int designTotal = 0;
    for (int width : DesignWidths)
        designTotal += width;
    int used = 0;
    for (int i = 0; i < 5; ++i) {
        const int column = TcolorsKitList::Visible + i;
        const int width = i == 4 ? qMax(8, available - used) : DesignWidths[i] * available / designTotal;
        setColumnWidth(column, width);
        used += width;
    }
}
