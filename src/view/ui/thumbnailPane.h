#pragma once
// The main window's left pane (nbrThumbColors): two stacked groups, each a header with a 32-pixel
// picture and a bold caption over a content area whose height the program sets: the preview
// picture and the colours kit. The pane scrolls when the groups are taller than the window.
#include <QImage>
#include <QPixmap>
#include <QScrollArea>
#include <QWidget>

class QLabel;
class QVBoxLayout;

// One group of the pane.
class TnavBarGroup : public QWidget {
    Q_OBJECT
public:
    TnavBarGroup(const QString &name, int picture, const QString &caption, QWidget *parent);

    void SetCaption(const QString &caption);
    QString Caption() const;
    // The content area's height; its width follows the pane.
    void SetContentHeight(int height);
    int ContentHeight() const;
    QWidget *Content() const { return m_content; }
    void SetContentWidget(QWidget *widget);

private:
    QLabel *m_caption;
    QWidget *m_content;
    QVBoxLayout *m_contentLayout;
};

// imThumbnail: the preview picture, one pixel per stitch, drawn centred in its area at its own
// size or, when stretched, scaled down keeping its proportions.
class TthumbnailView : public QWidget {
    Q_OBJECT
public:
    explicit TthumbnailView(QWidget *parent = nullptr);

    const QImage &Picture() const { return m_picture; }
    void SetPicture(const QImage &picture);
    void SetPixel(int x, int y, QRgb color);
    void SetStretch(bool stretch);
    bool Stretch() const { return m_stretch; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_picture;
    bool m_stretch = false;
    QPixmap m_scaled;  // the picture as last drawn, remade when picture or size change
};

class TthumbnailPane : public QScrollArea {
    Q_OBJECT
public:
    explicit TthumbnailPane(QWidget *parent = nullptr);

    TnavBarGroup *nbgThumbnail = nullptr;
    TnavBarGroup *nbgColorList = nullptr;
    TthumbnailView *imThumbnail = nullptr;

    // The preview area's current width.
    int PreviewAreaWidth() const;

signals:
    // The preview area changed its width: the picture must be fitted again.
    void PreviewAreaResized();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_lastPreviewWidth = -1;
};
