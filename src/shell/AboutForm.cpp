#include "shell/AboutForm.h"

#include "shell/artwork.h"
#include "shell/MessageBox.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace {
TfrmAbout::TlinkOpener &Opener()
{
    static TfrmAbout::TlinkOpener opener;
    return opener;
}

// Positions below are those of the whole client area; the white part starts under the header.
constexpr int ClientTop = TfrmDialogTemplate::BandHeight;

QLabel *TextLine(QWidget *parent, const QString &text, int x, int y, bool bold = false)
{
    auto *label = new QLabel(text, parent);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    font.setBold(bold);
    label->setFont(font);
    label->move(x, y - ClientTop);
    label->adjustSize();
    return label;
}

QLabel *Link(QWidget *parent, const char *name, const QString &text, const QString &target, int y)
{
    QLabel *link = TextLine(parent, text, 228, y);
    link->setObjectName(QLatin1String(name));
    link->setToolTip(target);
    link->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    link->setCursor(Qt::PointingHandCursor);
    return link;
}
}  // namespace

TfrmAbout::TfrmAbout(QWidget *owner) : TfrmDialogTemplate(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    SetFixedClientSize(449, 294);

    auto *title = new QLabel(ProductTitle, pnlHeader);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->move(8, 4);
    title->adjustSize();

    pnlClient->setAutoFillBackground(true);
    QPalette white = pnlClient->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlClient->setPalette(white);

    const qreal ratio = devicePixelRatioF();
    imgTesmoLogo = new QLabel(pnlClient);
    imgTesmoLogo->setObjectName(QStringLiteral("imgTesmoLogo"));
    imgTesmoLogo->setGeometry(8, 44 - ClientTop, 432, 72);
    imgTesmoLogo->setPixmap(QPixmap::fromImage(Artwork::MakerBanner(432, 72, ratio)));
    imgTesmoLogo->setToolTip(MakerAddress);
    imgTesmoLogo->setCursor(Qt::PointingHandCursor);

    imgLogo = new QLabel(pnlClient);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(8, 120 - ClientTop, 128, 128);
    QPixmap logo = QPixmap::fromImage(Artwork::ProgramLogo(qRound(128 * ratio)));
    logo.setDevicePixelRatio(ratio);
    imgLogo->setPixmap(logo);

    TextLine(pnlClient, QStringLiteral("Author:"), 176, 144);
    TextLine(pnlClient, Author, 228, 144, true)->setObjectName(QStringLiteral("lblAuthor"));
    TextLine(pnlClient, Notice, 176, 164)->setObjectName(QStringLiteral("lblNotice"));
    TextLine(pnlClient, QStringLiteral("Web:"), 176, 184);
    lblWeb = Link(pnlClient, "lblWeb", WebAddress, WebAddress, 184);
    TextLine(pnlClient, QStringLiteral("EMail:"), 176, 204);
    lblEMail = Link(pnlClient, "lblEMail", EMailAddress, QStringLiteral("mailto:") + EMailAddress, 204);
    for (QLabel *link : {imgTesmoLogo, lblWeb, lblEMail})
        link->installEventFilter(this);

    btnClose = new QPushButton(QStringLiteral("Close"), pnlFooter);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(352, 8, 87, 25);
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, [this] { done(mrOk); });
}

void TfrmAbout::SetLinkOpener(TlinkOpener opener)
{
    Opener() = std::move(opener);
}

void TfrmAbout::lblWebClick(QObject *sender)
{
    auto *control = qobject_cast<QWidget *>(sender);
    if (!control)
        return;
    const QUrl target(control->toolTip());
    // A refusal of the desktop to open the address is not reported.
    if (Opener())
        Opener()(target);
    else
        QDesktopServices::openUrl(target);
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == imgTesmoLogo || watched == lblWeb || watched == lblEMail)
        && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblWebClick(watched);
        return true;
    }
    return TfrmDialogTemplate::eventFilter(watched, event);
}
