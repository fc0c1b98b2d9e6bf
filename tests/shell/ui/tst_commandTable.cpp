// The command table, its radio group and enabled rules, the toolbar options and the pictures.
#include "shell/commandTable.h"
#include "shell/errorDisplay.h"
#include "shell/imageLists.h"
#include "shell/toolbarOptions.h"

#include <QAction>
#include <QActionGroup>
#include <QToolBar>
#include <QtTest>

class TestCommandTable : public QObject {
    Q_OBJECT

private slots:
    void commandsAreAsListed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<int>("picture");
        QTest::addColumn<bool>("checkable");
        auto row = [](const char *n, const char *c, const char *cap, const char *h, const char *s, int p, bool t) {
            QTest::newRow(n) << QString(n) << QString(c) << QString(cap) << QString(h) << QString(s) << p << t;
        };
        row("actStart", "File", "New scheme...", "Create new scheme with wizard", "Ctrl+N", 0, false);
        row("actFileOpen", "File", "Open...", "Open existing scheme", "Ctrl+O", 1, false);
        row("actFileSave", "File", "Save", "Save scheme", "Ctrl+S", 2, false);
        row("actFileSaveAs", "File", "Save As...", "Save scheme into new file", "", -1, false);
        row("actPreview", "File", "Print Preview...", "Preview print result", "", 10, false);
        row("actPrint", "File", "Print...", "Print scheme", "Ctrl+P", 3, false);
        row("actDraw", "Editor", "Draw", "Set drawing mode", "", 5, true);
        row("actViewSymbolsOnly", "View mode", "Symbols only", "Draw symbols only", "", 6, true);
        row("actViewHalfTone", "View mode", "Half-tone colors", "Draw symbols on half-tone colors", "", 7, true);
        row("actViewSymbolsAndColors", "View mode", "Symbols and colors", "Draw both symbols and colors", "", 8, true);
        row("actViewColorsOnly", "View mode", "Colors only", "Draw colors only", "", 9, true);
        row("actExit", "File", "Exit", "Close program", "", -1, false);
        row("actViewThreads", "Editor", "Threads kit...", "Open threads kit dialog", "", -1, false);
        row("actTBBigButtons", "Toolbox", "Big buttons", "Switch between big and small buttons", "", -1, true);
        row("actTBCaptions", "Toolbox", "Show captions", "Show or hide button captions", "", -1, true);
        row("actAbout", "Help", "About...", "Show about information", "", -1, false);
    }
    void commandsAreAsListed()
    {
        QFETCH(QString, name);
        QFETCH(QString, category);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QString, shortcut);
        QFETCH(int, picture);
        QFETCH(bool, checkable);
        TimageLists images;
        TcommandTable commands(images, nullptr);
        QCOMPARE(int(commands.Actions().size()), 16);
        QAction *action = commands.Action(name);
        QVERIFY(action);
        QCOMPARE(TcommandTable::Category(action), category);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->toolTip(), hint);
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
        QCOMPARE(TcommandTable::PictureIndex(action), picture);
        QCOMPARE(action->icon().isNull(), picture < 0);
        QCOMPARE(action->isCheckable(), checkable);
    }

    void startStateAndViewRadioGroup()
    {
        TimageLists images;
        TcommandTable commands(images, nullptr);
        QVERIFY(commands.actViewHalfTone->isChecked());
        QVERIFY(!commands.actDraw->isChecked());
        QVERIFY(commands.actTBBigButtons->isChecked());
        QVERIFY(commands.actTBCaptions->isChecked());
        commands.actViewColorsOnly->trigger();
        QCOMPARE(commands.ViewModeGroup->checkedAction(), commands.actViewColorsOnly);
        QVERIFY(!commands.actViewHalfTone->isChecked());
        commands.actViewColorsOnly->trigger();  // a ticked radio item stays ticked
        QVERIFY(commands.actViewColorsOnly->isChecked());
    }

    void enabledRulesRunWhenIdle()
    {
        TimageLists images;
        TcommandTable commands(images, nullptr);
        bool loaded = false;
        commands.SetEnabledRule(commands.actDraw, [&] { return loaded; });
        QVERIFY(!commands.actDraw->isEnabled());
        loaded = true;
        commands.ScheduleUpdate();
        QVERIFY(!commands.actDraw->isEnabled());
        QTRY_VERIFY(commands.actDraw->isEnabled());
    }

    void handlerErrorsDoNotEscape()
    {
        TimageLists images;
        TcommandTable commands(images, nullptr);
        int runs = 0;
        commands.SetHandler(commands.actAbout, [&] {
            ++runs;
            throw std::runtime_error("boom");
        });
        QStringList shown;
        SetErrorDisplaySeam([&](const QString &, const QString &text) { shown << text; });
        commands.actAbout->trigger();
        SetErrorDisplaySeam({});
        QCOMPARE(runs, 1);
        QCOMPARE(shown, QStringList{QStringLiteral("boom.")});
    }

    void toolbarLayoutTable_data()
    {
        QTest::addColumn<bool>("big");
        QTest::addColumn<bool>("captions");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("style");
        QTest::newRow("big, captions") << true << true << 48 << int(Qt::ToolButtonTextUnderIcon);
        QTest::newRow("big, no captions") << true << false << 48 << int(Qt::ToolButtonIconOnly);
        QTest::newRow("small, captions") << false << true << 16 << int(Qt::ToolButtonTextBesideIcon);
        QTest::newRow("small, no captions") << false << false << 16 << int(Qt::ToolButtonIconOnly);
    }
    void toolbarLayoutTable()
    {
        QFETCH(bool, big);
        QFETCH(bool, captions);
        QFETCH(int, size);
        QFETCH(int, style);
        TimageLists images;
        TcommandTable commands(images, nullptr);
        TtoolbarOptions options(commands.actTBBigButtons, commands.actTBCaptions);
        QToolBar toolbar;
        options.SetToolbar(&toolbar);
        // Reach the state through the commands, as a user would.
        if (!captions)
            options.actTBCaptionsExecute();
        if (!big)
            options.actTBBigButtonsExecute();
        QCOMPARE(toolbar.iconSize(), QSize(size, size));
        QCOMPARE(int(toolbar.toolButtonStyle()), style);
    }

    void captionsStayHiddenWhileButtonsChangeSize()
    {
        TimageLists images;
        TcommandTable commands(images, nullptr);
        TtoolbarOptions options(commands.actTBBigButtons, commands.actTBCaptions);
        QToolBar toolbar;
        options.SetToolbar(&toolbar);
        options.actTBCaptionsExecute();
        QCOMPARE(toolbar.toolButtonStyle(), Qt::ToolButtonIconOnly);
        options.actTBBigButtonsExecute();
        QCOMPARE(toolbar.iconSize(), QSize(16, 16));
        QCOMPARE(toolbar.toolButtonStyle(), Qt::ToolButtonIconOnly);
        options.actTBBigButtonsExecute();
        QCOMPARE(toolbar.iconSize(), QSize(48, 48));
        QCOMPARE(toolbar.toolButtonStyle(), Qt::ToolButtonIconOnly);
    }

    void restoredTicksAreLaidOut()
    {
        TimageLists images;
        TcommandTable commands(images, nullptr);
        TtoolbarOptions options(commands.actTBBigButtons, commands.actTBCaptions);
        QToolBar toolbar;
        options.SetToolbar(&toolbar);
        commands.actTBCaptions->setChecked(false);
        commands.actTBBigButtons->setChecked(false);
        options.fstDataModuleRestorePlacement();
        QVERIFY(!commands.actTBCaptions->isChecked());
        QVERIFY(!commands.actTBBigButtons->isChecked());
        QCOMPARE(toolbar.iconSize(), QSize(16, 16));
        QCOMPARE(toolbar.toolButtonStyle(), Qt::ToolButtonIconOnly);
    }

    void picturesAreDrawnAtDevicePixels_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("16 at 1x") << 16 << 1.0;
        QTest::newRow("16 at 2x") << 16 << 2.0;
        QTest::newRow("48 at 1.5x") << 48 << 1.5;
    }
    void picturesAreDrawnAtDevicePixels()
    {
        QFETCH(int, size);
        QFETCH(qreal, ratio);
        TimageLists images;
        for (int index = 0; index < images.ilMainActive.Count(); ++index) {
            const QPixmap picture = images.ilMainActive.Icon(index).pixmap(QSize(size, size), ratio);
            QCOMPARE(picture.size(), QSize(qRound(size * ratio), qRound(size * ratio)));
            QCOMPARE(picture.devicePixelRatio(), ratio);
            const QImage image = picture.toImage();
            bool painted = false;
            for (int y = 0; y < image.height() && !painted; ++y)
                for (int x = 0; x < image.width() && !painted; ++x)
                    painted = qAlpha(image.pixel(x, y)) > 0;
            QVERIFY2(painted, qPrintable(QStringLiteral("picture %1 is empty").arg(index)));
        }
        QVERIFY(images.ilToolbarInactive.Icon(6).isNull());  // the disabled big list has 0 to 5
    }
};

QTEST_MAIN(TestCommandTable)
#include "tst_commandTable.moc"
