#include "view/ui/thumbnailPane.h"

#include "shell/artwork.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
const QColor HeaderTop(0xdd, 0xe8, 0xf8);
const QColor HeaderBottom(0xb9, 0xcd, 0xee);
const QColor PaneBackground(0x9e, 0xb6, 0xde);
}  // namespace

TnavBarGroup::TnavBarGroup(const QString &name, int picture, const QString &caption, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *header = new QWidget(this);
    header->setObjectName(name + QStringLiteral("Header"));
    header->setAutoFillBackground(true);
    QPalette headerPalette = header->palette();
    QLinearGradient shade(0, 0, 0, 36);
    shade.setColorAt(0, HeaderTop);
    shade.setColorAt(1, HeaderBottom);
    headerPalette.setBrush(QPalette::Window, shade);
    header->setPalette(headerPalette);
    header->setFixedHeight(36);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(6);
    auto *icon = new QLabel(header);
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(Artwork::Render(picture, qRound(32 * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    icon->setPixmap(pixmap);
    icon->setFixedSize(32, 32);
    m_caption = new QLabel(caption, header);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    QPalette captionPalette = m_caption->palette();
    captionPalette.setColor(QPalette::WindowText, QColor(0x1e, 0x39, 0x6e));
    m_caption->setPalette(captionPalette);
    row->addWidget(icon);
    row->addWidget(m_caption, 1);
    column->addWidget(header);

    m_content = new QWidget(this);
    m_content->setObjectName(name + QStringLiteral("Content"));
    m_contentLayout = new QVBoxLayout(m_content);
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    m_contentLayout->setSpacing(0);
    column->addWidget(m_content);
}

void TnavBarGroup::SetCaption(const QString &caption)
{
    m_caption->setText(caption);
}

QString TnavBarGroup::Caption() const
{
    return m_caption->text();
}

void TnavBarGroup::SetContentHeight(int height)
{
    m_content->setFixedHeight(qMax(0, height));
}

int TnavBarGroup::ContentHeight() const
{
    return m_content->maximumHeight();
}

void TnavBarGroup::SetContentWidget(QWidget *widget)
{
    m_contentLayout->addWidget(widget);
}

TthumbnailView::TthumbnailView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imThumbnail"));
}

void TthumbnailView::SetPicture(const QImage &picture)
{
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

void TthumbnailView::SetPixel(int x, int y, QRgb color)
{
    if (!m_picture.valid(x, y))
        return;
    m_picture.setPixel(x, y, color);
    m_scaled = QPixmap();
    update();
}

void TthumbnailView::SetStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    m_stretch = stretch;
    m_scaled = QPixmap();
    update();
}

void TthumbnailView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_scaled = QPixmap();
}

void TthumbnailView::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_scaled.isNull()) {
        const qreal ratio = devicePixelRatioF();
        QSize logical = m_picture.size();
        if (m_stretch)
            logical = logical.scaled(size(), Qt::KeepAspectRatio);
        // Scaled once to device pixels, so a 1000-stitch picture is not resampled on every paint.
        const QSize device = (QSizeF(logical) * ratio).toSize().expandedTo(QSize(1, 1));
        const QImage scaled = device == m_picture.size()
                                  ? m_picture
                                  : m_picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled = QPixmap::fromImage(scaled);
        m_scaled.setDevicePixelRatio(ratio);
    }
    const QSizeF shown = m_scaled.deviceIndependentSize();
    painter.drawPixmap(QPointF((width() - shown.width()) / 2.0, (height() - shown.height()) / 2.0), m_scaled);
}

TthumbnailPane::TthumbnailPane(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("nbrThumbColors"));
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    auto *inner = new QWidget(this);
    inner->setAutoFillBackground(true);
    QPalette palette = inner->palette();
    palette.setColor(QPalette::Window, PaneBackground);
    inner->setPalette(palette);
    auto *column = new QVBoxLayout(inner);
    // Narrow margins, so that a 200-stitch preview still fits the pane's design width of 222
    // pixels unstretched when the scroll bar shows.
    column->setContentsMargins(2, 4, 2, 4);
    column->setSpacing(4);
    nbgThumbnail = new TnavBarGroup(QStringLiteral("nbgThumbnail"), Artwork::GroupPreview,
                                    QStringLiteral("Preview (%d%%)"), inner);
    nbgColorList = new TnavBarGroup(QStringLiteral("nbgColorList"), Artwork::GroupKit,
                                    QStringLiteral("Colors kit"), inner);
    imThumbnail = new TthumbnailView(nbgThumbnail->Content());
    nbgThumbnail->SetContentWidget(imThumbnail);
    nbgThumbnail->Content()->setAutoFillBackground(true);
    QPalette white = nbgThumbnail->Content()->palette();
    white.setColor(QPalette::Window, Qt::white);
    nbgThumbnail->Content()->setPalette(white);
    column->addWidget(nbgThumbnail);
    column->addWidget(nbgColorList);
    column->addStretch(1);
    setWidget(inner);
    nbgThumbnail->Content()->installEventFilter(this);
}

int TthumbnailPane::PreviewAreaWidth() const
{
    return nbgThumbnail->Content()->width();
}

bool TthumbnailPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == nbgThumbnail->Content() && event->type() == QEvent::Resize
        && PreviewAreaWidth() != m_lastPreviewWidth) {
        m_lastPreviewWidth = PreviewAreaWidth();
        emit PreviewAreaResized();
    }
    return QScrollArea::eventFilter(watched, event);
}
