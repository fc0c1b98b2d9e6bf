#include "shell/imageLists.h"

#include "shell/artwork.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace {

// Paints one picture of the artwork at the exact device size asked for.
class TartworkIconEngine : public QIconEngine {
public:
    TartworkIconEngine(int picture, bool alwaysDisabled) : m_picture(picture), m_alwaysDisabled(alwaysDisabled) {}

    QIconEngine *clone() const override { return new TartworkIconEngine(m_picture, m_alwaysDisabled); }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // QIcon hands over the size in device pixels already multiplied by the scale.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        const int side = qMax(1, qMin(size.width(), size.height()));
        const bool disabled = m_alwaysDisabled || mode == QIcon::Disabled;
        QPixmap result = QPixmap::fromImage(Artwork::Render(m_picture, side, disabled));
        result.setDevicePixelRatio(scale);
        return result;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const int side = qMin(rect.width(), rect.height());
        const int deviceSide = qRound(side * ratio);
        const QPixmap picture = scaledPixmap(QSize(deviceSide, deviceSide), mode, state, ratio);
        painter->drawPixmap(QRect(rect.x() + (rect.width() - side) / 2,
                                  rect.y() + (rect.height() - side) / 2, side, side),
                            picture);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        return QSize(side, side);
    }

    QString key() const override { return QStringLiteral("kanvo-artwork"); }

private:
    int m_picture;
    bool m_alwaysDisabled;
};

}  // namespace

QIcon ArtworkIcon(int picture)
{
    return QIcon(new TartworkIconEngine(picture, false));
}

TimageList::TimageList(const QString &name, int size, int count, bool inactive)
    : m_name(name), m_size(size), m_count(count), m_inactive(inactive)
{
}

QIcon TimageList::Icon(int index) const
{
    if (index < 0 || index >= m_count)
        return {};
    return QIcon(new TartworkIconEngine(index, m_inactive));
}

void TimageList::Draw(QPainter &painter, int x, int y, int index) const
{
    if (index < 0 || index >= m_count)
        return;
    Icon(index).paint(&painter, QRect(x, y, m_size, m_size));
}
