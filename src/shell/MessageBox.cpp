#include "shell/MessageBox.h"

#include "shell/StringConstantes.h"
#include "shell/artwork.h"
#include "shell/imageLists.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
TmessageBoxSeam &Seam()
{
    static TmessageBoxSeam seam;
    return seam;
}

QPushButton *FooterButton(QWidget *footer, const QString &text, const char *name, int x, int picture)
{
    auto *button = new QPushButton(ArtworkIcon(picture), text, footer);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, 8, 93, 25);
    button->setIconSize(QSize(16, 16));
    return button;
}
}  // namespace

TfrmMessage::TfrmMessage(QWidget *owner, const QString &caption, const QString &text, bool question,
                         int picture)
    : TfrmDialogTemplate(owner), m_picture(picture), m_question(question)
{
    setObjectName(QStringLiteral("frmMessage"));
    setWindowTitle(StringConstantes::ApplicationTitle);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    lblCaption = AddCaptionLabel(caption);
    lblCaption->setGeometry(8, 8, ClientWidth - 16, BandHeight - 8);
    lblCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *row = new QHBoxLayout(pnlClient);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto *pnlImage = new QWidget(pnlClient);
    pnlImage->setObjectName(QStringLiteral("pnlImage"));
    pnlImage->setFixedWidth(ImageColumnWidth);
    pnlImage->setMinimumHeight(ImageColumnWidth);
    pbxImage = new QWidget(pnlImage);
    pbxImage->setObjectName(QStringLiteral("pbxImage"));
    pbxImage->setGeometry(8, 8, 57, 57);
    pbxImage->installEventFilter(this);

    auto *pnlMessage = new QWidget(pnlClient);
    pnlMessage->setObjectName(QStringLiteral("pnlMessage"));
    pnlMessage->setFixedWidth(MessageWidth);
    auto *column = new QVBoxLayout(pnlMessage);
    column->setContentsMargins(0, Spacer, 0, Spacer);
    column->setSpacing(0);
    lblMessage = new QLabel(ExpandEscapes(text), pnlMessage);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    lblMessage->setTextFormat(Qt::PlainText);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(lblMessage);
    column->addStretch(1);

    auto *pnlRight = new QWidget(pnlClient);
    pnlRight->setObjectName(QStringLiteral("pnlRight"));
    pnlRight->setFixedWidth(Spacer);
    row->addWidget(pnlImage, 0, Qt::AlignTop);
    row->addWidget(pnlMessage);
    row->addWidget(pnlRight);

    btnYes = FooterButton(pnlFooter, QStringLiteral("&Yes"), "btnYes", 112, Artwork::ButtonYes);
    btnNo = FooterButton(pnlFooter, QStringLiteral("No"), "btnNo", 208, Artwork::ButtonNo);
    btnCancel = FooterButton(pnlFooter, QStringLiteral("Cancel"), "btnCancel", 304, Artwork::ButtonCancel);
    btnYes->setDefault(true);
    int yesAnswer = mrYes;
    if (!question) {
        btnNo->hide();
        btnCancel->hide();
        btnYes->move(304, 8);
        btnYes->setText(QStringLiteral("OK"));
        yesAnswer = mrOk;
    }
    connect(btnYes, &QPushButton::clicked, this, [this, yesAnswer] { done(yesAnswer); });
    connect(btnNo, &QPushButton::clicked, this, [this] { done(mrNo); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    setTabOrder(btnYes, btnNo);
    setTabOrder(btnNo, btnCancel);

    // The box keeps its width and grows with its text: bands + the taller of picture and text.
    const int textHeight = lblMessage->heightForWidth(MessageWidth);
    const int clientHeight = qMax(ImageColumnWidth, textHeight + 2 * Spacer);
    SetFixedClientSize(ClientWidth, 2 * BandHeight + clientHeight);
    btnYes->setFocus();
}

QString TfrmMessage::ExpandEscapes(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    result.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
    return result;
}

void TfrmMessage::reject()
{
    done(mrCancel);
}

void TfrmMessage::showEvent(QShowEvent *event)
{
    TfrmDialogTemplate::showEvent(event);
    btnYes->setFocus();
    QApplication::beep();
}

void TfrmMessage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // Escape presses the first visible cancel button: No in the question form, none otherwise.
        if (m_question)
            btnNo->click();
        event->accept();
        return;
    }
    TfrmDialogTemplate::keyPressEvent(event);
}

bool TfrmMessage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pbxImage && event->type() == QEvent::Paint) {
        QPainter painter(pbxImage);
        TimageLists lists;
        lists.ilToolbarActive.Draw(painter, 4, 4, m_picture);
        return true;
    }
    return TfrmDialogTemplate::eventFilter(watched, event);
}

void SetMessageBoxSeam(TmessageBoxSeam seam)
{
    Seam() = std::move(seam);
}

int ShowMessageBox(const QString &caption, const QString &text, bool question, int picture, QWidget *owner)
{
    if (Seam())
        return Seam()({caption, text, question, picture, owner});
    TfrmMessage box(owner, caption, text, question, picture);
    return box.exec();
}
