#include "shell/gridStyles.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace GridStyles {

QFont TextFont()
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(11);
    return font;
}

QFont BoldTextFont()
{
    QFont font = TextFont();
    font.setBold(true);
    return font;
}

void ApplyGridLook(QTableView &view)
{
    view.setShowGrid(false);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setWordWrap(false);
    view.setCornerButtonEnabled(false);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(RowHeight);
    view.verticalHeader()->setMinimumSectionSize(RowHeight);
    QHeaderView *header = view.horizontalHeader();
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setFont(TextFont());
    header->setFixedHeight(RowHeight);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Base, PaleBlue);
    palette.setColor(QPalette::AlternateBase, PaleBlue);
    palette.setColor(QPalette::Text, palette.color(QPalette::WindowText));
    view.setPalette(palette);
}

}  // namespace GridStyles

TstyledTextDelegate::TstyledTextDelegate(const QFont &font, Qt::Alignment alignment, QObject *parent)
    : QStyledItemDelegate(parent), m_font(font), m_alignment(alignment)
{
}

void TstyledTextDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->font = m_font;
    option->fontMetrics = QFontMetrics(m_font);
    option->displayAlignment = m_alignment;
}

void TcolorSwatchDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    // The row's selection highlight first, so the swatch sits on the same band as its neighbours.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.backgroundBrush = Qt::NoBrush;
    background.text.clear();
    background.icon = {};
    QStyledItemDelegate::paint(painter, background, QModelIndex());
    const QVariant colour = index.data(Qt::BackgroundRole);
    if (!colour.isValid())
        return;
    const QRect swatch = option.rect.adjusted(3, 3, -3, -3);
    painter->save();
    painter->setPen(QColor(0x40, 0x40, 0x40));
    painter->setBrush(colour.value<QColor>());
    painter->drawRect(swatch.adjusted(0, 0, -1, -1));
    painter->restore();
}
