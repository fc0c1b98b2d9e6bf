// The about box (texts, links, Close) and the dialog frame's help link.
#include "shell/AboutForm.h"
#include "shell/MessageBox.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestAboutForm : public QObject {
    Q_OBJECT

private slots:
    void showsProductAndOpensLinks()
    {
        QList<QUrl> opened;
        TfrmAbout::SetLinkOpener([&](const QUrl &url) { opened << url; });
        TfrmAbout about(nullptr);
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QCOMPARE(about.size(), QSize(449, 294));
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Kanvo  3.1"));
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblAuthor"))->text(), QStringLiteral("Kanvo developers"));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.lblWeb, Qt::LeftButton);
        QTest::mouseClick(about.lblEMail, Qt::LeftButton);
        QTest::mouseClick(about.imgTesmoLogo, Qt::LeftButton);
        TfrmAbout::SetLinkOpener({});
        QCOMPARE(opened, (QList<QUrl>{QUrl(QStringLiteral("https://kanvo.example.org/")),
                                      QUrl(QStringLiteral("mailto:support@kanvo.example.org")),
                                      QUrl(QStringLiteral("https://www.example.org/"))}));
        QCOMPARE(about.lblEMail->text(), QStringLiteral("support@kanvo.example.org"));
        about.btnClose->click();
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(mrOk));
    }

    void frameHelpLinkSaysNotImplemented()
    {
        TmessageBoxRequest seen;
        SetMessageBoxSeam([&](const TmessageBoxRequest &request) {
            seen = request;
            return int(mrOk);
        });
        TfrmDialogTemplate frame(nullptr);
        QVERIFY(!frame.lblHelp->isVisibleTo(&frame));
        frame.lblHelpClick();
        SetMessageBoxSeam({});
        QCOMPARE(seen.Caption, QStringLiteral("Help"));
        QCOMPARE(seen.Text, QStringLiteral("This function is not implemented yet..."));
        QVERIFY(!seen.Question);
        QCOMPARE(seen.Picture, 4);
        QCOMPARE(seen.Owner, &frame);
    }
};

QTEST_MAIN(TestAboutForm)
#include "tst_aboutForm.moc"
