#pragma once
// The shared look of the program's two table grids (the colours kit and the threads kit): the
// styles stlText, stlBoldText and stlColor (Verdana 11 pixels on a pale blue), the colour swatch
// column, and the grid settings both use: no grid lines, 18-pixel rows, no editing but check boxes.
#include <QColor>
#include <QFont>
#include <QStyledItemDelegate>

class QTableView;

namespace GridStyles {
inline const QColor PaleBlue(202, 213, 242);  // packed 0xF2D5CA
constexpr int RowHeight = 18;

QFont TextFont();      // stlText
QFont BoldTextFont();  // stlBoldText

// The settings both grids share; columns fill the view's width.
void ApplyGridLook(QTableView &view);
}  // namespace GridStyles

// Draws a cell's text in a fixed font (stlText, stlBoldText, the symbol font) on the pale blue.
class TstyledTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TstyledTextDelegate(const QFont &font, Qt::Alignment alignment, QObject *parent);
    void SetFont(const QFont &font) { m_font = font; }
    QFont Font() const { return m_font; }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QFont m_font;
    Qt::Alignment m_alignment;
};

// stlColor: a swatch of the colour the model gives as its background, without any text.
class TcolorSwatchDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
