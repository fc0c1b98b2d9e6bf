#pragma once
// TfrmAbout: the about box with the product's name and version, its picture, the author and the
// links to the web site and the support address, which open in the desktop's own programs.
#include "shell/DialogTemplate.h"

#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;

class TfrmAbout : public TfrmDialogTemplate {
    Q_OBJECT
public:
    static inline const QString ProductTitle = QStringLiteral("Kanvo  3.1");
    static inline const QString Author = QStringLiteral("Kanvo developers");
    static inline const QString Notice = QStringLiteral("Free software for cross-stitch embroiderers.");
    static inline const QString WebAddress = QStringLiteral("https://kanvo.example.org/");
    static inline const QString MakerAddress = QStringLiteral("https://www.example.org/");
    static inline const QString EMailAddress = QStringLiteral("support@kanvo.example.org");

    explicit TfrmAbout(QWidget *owner);

    QLabel *imgTesmoLogo = nullptr;
    QLabel *imgLogo = nullptr;
    QLabel *lblWeb = nullptr;
    QLabel *lblEMail = nullptr;
    QPushButton *btnClose = nullptr;

    // Tests see the address instead of a browser starting.
    using TlinkOpener = std::function<void(const QUrl &)>;
    static void SetLinkOpener(TlinkOpener opener);

public slots:
    void lblWebClick(QObject *sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
