// The message box (keys, answers, the two forms, growth with its text) and the error display.
#include "common/KanvoAbort.h"
#include "common/KanvoError.h"
#include "shell/MessageBox.h"
#include "shell/errorDisplay.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void keysAndCloseBoxAnswer_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("answer");  // mrNone: the box stays open
        QTest::newRow("question, Enter") << true << "enter" << int(mrYes);
        QTest::newRow("question, Escape") << true << "escape" << int(mrNo);
        QTest::newRow("question, close box") << true << "close" << int(mrCancel);
        QTest::newRow("question, Cancel button") << true << "cancel" << int(mrCancel);
        QTest::newRow("question, Tab then Enter") << true << "tab-enter" << int(mrNo);
        QTest::newRow("notice, Enter") << false << "enter" << int(mrOk);
        QTest::newRow("notice, Escape") << false << "escape" << int(mrNone);
        QTest::newRow("notice, close box") << false << "close" << int(mrCancel);
    }
    void keysAndCloseBoxAnswer()
    {
        QFETCH(bool, question);
        QFETCH(QString, input);
        QFETCH(int, answer);
        TfrmMessage box(nullptr, QStringLiteral("Changes saving"), QStringLiteral("Save?"), question, 2);
        box.open();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(QApplication::focusWidget(), box.btnYes);
        if (input == QLatin1String("enter")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else if (input == QLatin1String("escape")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (input == QLatin1String("close")) {
            box.close();
        } else if (input == QLatin1String("cancel")) {
            box.btnCancel->click();
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        if (answer == mrNone) {
            QVERIFY(box.isVisible());
            return;
        }
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), answer);
    }

    void noticeFormShowsOnlyOkAtTheRight()
    {
        TfrmMessage box(nullptr, QStringLiteral("Help"), QStringLiteral("Not yet"), false, 4);
        box.show();
        QVERIFY(box.btnYes->isVisible());
        QVERIFY(!box.btnNo->isVisible());
        QVERIFY(!box.btnCancel->isVisible());
        QCOMPARE(box.btnYes->text(), QStringLiteral("OK"));
        QCOMPARE(box.btnYes->geometry(), QRect(304, 8, 93, 25));
    }

    void escapesBecomeLineBreaksAndTabs()
    {
        QCOMPARE(TfrmMessage::ExpandEscapes(QStringLiteral("one\\ntwo\\tthree")), QStringLiteral("one\ntwo\tthree"));
        TfrmMessage box(nullptr, QStringLiteral("c"), QStringLiteral("a\\nb"), true, 2);
        QCOMPARE(box.lblMessage->text(), QStringLiteral("a\nb"));
    }

    void boxGrowsWithItsText()
    {
        TfrmMessage shortBox(nullptr, QStringLiteral("c"), QStringLiteral("One line."), true, 2);
        QCOMPARE(shortBox.width(), TfrmMessage::ClientWidth);
        QCOMPARE(shortBox.height(), 41 + 41 + 73);
        QString longText;
        for (int i = 0; i < 12; ++i)
            longText += QStringLiteral("A sentence long enough to wrap in the message column. ");
        TfrmMessage longBox(nullptr, QStringLiteral("c"), longText, true, 2);
        QCOMPARE(longBox.width(), TfrmMessage::ClientWidth);
        const int textHeight = longBox.lblMessage->heightForWidth(TfrmMessage::MessageWidth);
        QVERIFY(textHeight + 26 > 73);
        QCOMPARE(longBox.height(), 41 + 41 + textHeight + 26);
    }

    void seamAnswersInsteadOfAWindow()
    {
        TmessageBoxRequest seen;
        SetMessageBoxSeam([&](const TmessageBoxRequest &request) {
            seen = request;
            return int(mrNo);
        });
        QCOMPARE(ShowMessageBox(QStringLiteral("Cap"), QStringLiteral("Text"), true, 2, nullptr), int(mrNo));
        SetMessageBoxSeam({});
        QCOMPARE(seen.Caption, QStringLiteral("Cap"));
        QVERIFY(seen.Question);
        QCOMPARE(seen.Picture, 2);
    }

    void errorTextGetsAFullStop_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Cannot open file" << "Cannot open file.";
        QTest::newRow("digit") << "Code 12" << "Code 12.";
        QTest::newRow("question mark") << "Why?" << "Why?.";
        QTest::newRow("full stop") << "Done." << "Done.";
        QTest::newRow("exclamation") << "Stop!" << "Stop!";
        QTest::newRow("bracket") << "(no kit)" << "(no kit)";
        QTest::newRow("empty") << "" << "";
    }
    void errorTextGetsAFullStop()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorDisplayText(message), shown);
    }

    void guardShowsErrorsAndIgnoresAbandons()
    {
        QStringList shown;
        SetErrorDisplaySeam([&](const QString &caption, const QString &text) { shown << caption + '|' + text; });
        QVERIFY(!RunGuarded([] { throw EKanvoError(QStringLiteral("'x1' is not a valid integer value")); }));
        QVERIFY(!RunGuarded([] { throw EKanvoAbort(); }));
        QVERIFY(RunGuarded([] {}));
        SetErrorDisplaySeam({});
        QCOMPARE(shown, QStringList{QStringLiteral("Kanvo|'x1' is not a valid integer value.")});
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messageBox.moc"
