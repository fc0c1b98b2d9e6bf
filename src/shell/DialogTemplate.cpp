#include "shell/DialogTemplate.h"

#include "shell/StringConstantes.h"
#include "shell/artwork.h"
#include "shell/MessageBox.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
QWidget *Band(QWidget *parent, const char *name, const QColor &colour)
{
    auto *band = new QWidget(parent);
    band->setObjectName(QLatin1String(name));
    band->setFixedHeight(TfrmDialogTemplate::BandHeight);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, colour);
    band->setPalette(palette);
    return band;
}
}  // namespace

TfrmDialogTemplate::TfrmDialogTemplate(QWidget *owner) : QDialog(owner)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pnlHeader = Band(this, "pnlHeader", QColor(166, 202, 240));
    pnlClient = new QWidget(this);
    pnlClient->setObjectName(QStringLiteral("pnlClient"));
    pnlFooter = Band(this, "pnlFooter", Qt::white);
    layout->addWidget(pnlHeader);
    layout->addWidget(pnlClient, 1);
    layout->addWidget(pnlFooter);

    imgHelp = new QLabel(pnlFooter);
    imgHelp->setObjectName(QStringLiteral("imgHelp"));
    imgHelp->setGeometry(8, 8, 24, 24);
    imgHelp->setPixmap(QPixmap::fromImage(Artwork::Render(Artwork::HelpSign, 24)));
    lblHelp = new QLabel(QStringLiteral("Help"), pnlFooter);
    lblHelp->setObjectName(QStringLiteral("lblHelp"));
    lblHelp->move(36, 12);
    lblHelp->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    for (QLabel *help : {imgHelp, lblHelp}) {
        help->setCursor(Qt::PointingHandCursor);
        help->installEventFilter(this);
        help->hide();
    }
}

QLabel *TfrmDialogTemplate::AddCaptionLabel(const QString &text)
{
    auto *caption = new QLabel(text, pnlHeader);
    caption->setObjectName(QStringLiteral("lblCaption"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(14);
    caption->setFont(font);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    caption->setPalette(palette);
    caption->move(8, 8);
    caption->adjustSize();
    return caption;
}

void TfrmDialogTemplate::SetFixedClientSize(int width, int height)
{
    setFixedSize(width, height);
}

void TfrmDialogTemplate::lblHelpClick()
{
    ShowMessageBox(StringConstantes::HelpCaption, StringConstantes::HelpNotImplemented, false,
                   Artwork::Options, this);
}

bool TfrmDialogTemplate::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == imgHelp || watched == lblHelp) && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblHelpClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
