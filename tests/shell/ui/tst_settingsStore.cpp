// The settings store: Boolean words, owners' sub-keys, "FormVersion" and the window state.
#include "shell/formStorage.h"
#include "shell/settingsStore.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { m_fileName = m_dir.filePath(QStringLiteral("ZEL-%1.ini").arg(++m_serial)); }

    void booleanWordsAreRead_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");  // 1 true, 0 false, -1 absent (default kept)
        QTest::newRow("TRUE") << "TRUE" << 1;
        QTest::newRow("true") << "true" << 1;
        QTest::newRow("Yes") << "Yes" << 1;
        QTest::newRow("y") << "y" << 1;
        QTest::newRow("FALSE") << "FALSE" << 0;
        QTest::newRow("no") << "no" << 0;
        QTest::newRow("N") << "N" << 0;
        QTest::newRow("number 1") << "1" << 1;
        QTest::newRow("number 0") << "0" << 0;
        QTest::newRow("other word") << "maybe" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void booleanWordsAreRead()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        {
            QSettings raw(m_fileName, QSettings::IniFormat);
            raw.setValue(QStringLiteral("frmZelWizard/chbUseEye_Checked"), stored);
        }
        TsettingsStore store(m_fileName);
        const auto value = store.ReadBool(QStringLiteral("frmZelWizard"), QStringLiteral("chbUseEye_Checked"));
        QCOMPARE(value.has_value() ? int(*value) : -1, expected);
    }

    void booleansAreWrittenAsWords()
    {
        {
            TsettingsStore store(m_fileName);
            store.WriteBool(QStringLiteral("frmZelWizard"), QStringLiteral("on"), true);
            store.WriteBool(QStringLiteral("frmZelWizard"), QStringLiteral("off"), false);
        }
        QFile file(m_fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("on=TRUE"), text.constData());
        QVERIFY2(text.contains("off=FALSE"), text.constData());
    }

    void ownerThatIsNoWindowUsesTheLiteralPattern()
    {
        TsettingsStore store(m_fileName);
        bool big = true;
        TformStorage dataModule(store, QStringLiteral("dmZel"), false);
        dataModule.AddBool(QStringLiteral("actTBBigButtons"), QStringLiteral("Checked"), [&] { return big; },
                           [&](bool value) { big = value; });
        TformStorage mainForm(store, QStringLiteral("frmZelMain"), true);
        QCOMPARE(dataModule.SubKey(), QStringLiteral("%FORM_NAME%"));
        QCOMPARE(mainForm.SubKey(), QStringLiteral("frmZelMain"));
        big = false;
        dataModule.Save();

        QSettings raw(m_fileName, QSettings::IniFormat);
        QCOMPARE(raw.childGroups(), QStringList{QStringLiteral("%FORM_NAME%")});
        QCOMPARE(raw.value(QStringLiteral("%FORM_NAME%/actTBBigButtons_Checked")).toString(), QStringLiteral("FALSE"));
        QCOMPARE(raw.value(QStringLiteral("%FORM_NAME%/FormVersion")).toInt(), 0);
    }

    void restoreReadsValuesInOrderAndCallsTheHandler()
    {
        {
            QSettings raw(m_fileName, QSettings::IniFormat);
            raw.setValue(QStringLiteral("frmZelWizard/udColCount_Position"), 12);
            raw.setValue(QStringLiteral("frmZelWizard/cbxPalette_Text"), QStringLiteral("Anchor"));
        }
        TsettingsStore store(m_fileName);
        TformStorage wizard(store, QStringLiteral("frmZelWizard"), true);
        int colours = 25;
        QString kit = QStringLiteral("first");
        bool dither = true;
        QStringList order;
        wizard.AddInteger(QStringLiteral("udColCount"), QStringLiteral("Position"), [&] { return colours; },
                          [&](int value) { colours = value; order << QStringLiteral("count"); });
        wizard.AddString(QStringLiteral("cbxPalette"), QStringLiteral("Text"), [&] { return kit; },
                         [&](const QString &value) { kit = value; order << QStringLiteral("kit"); });
        wizard.AddBool(QStringLiteral("chbUseDithering"), QStringLiteral("Checked"), [&] { return dither; },
                       [&](bool value) { dither = value; });
        wizard.OnRestorePlacement = [&] { order << QStringLiteral("after"); };
        wizard.Restore();
        QCOMPARE(colours, 12);
        QCOMPARE(kit, QStringLiteral("Anchor"));
        QVERIFY(dither);  // absent: the built-in default stays
        QCOMPARE(order, (QStringList{QStringLiteral("count"), QStringLiteral("kit"), QStringLiteral("after")}));
    }

    void formVersionBelowZeroSkipsTheOwner_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("applied");
        QTest::newRow("-1 skips") << -1 << false;
        QTest::newRow("0 applies") << 0 << true;
        QTest::newRow("3 applies") << 3 << true;
    }
    void formVersionBelowZeroSkipsTheOwner()
    {
        QFETCH(int, version);
        QFETCH(bool, applied);
        {
            QSettings raw(m_fileName, QSettings::IniFormat);
            raw.setValue(QStringLiteral("frmZelMain/FormVersion"), version);
            raw.setValue(QStringLiteral("frmZelMain/ShowCmd"), 1);
            raw.setValue(QStringLiteral("frmZelMain/nbrThumbColors_Width"), 300);
        }
        TsettingsStore store(m_fileName);
        TformStorage mainForm(store, QStringLiteral("frmZelMain"), true);
        QWidget window;
        int width = 222;
        bool stateApplied = false;
        bool handlerCalled = false;
        mainForm.StoreWindowState(&window, [&](TwindowShowState) { stateApplied = true; });
        mainForm.AddInteger(QStringLiteral("nbrThumbColors"), QStringLiteral("Width"), [&] { return width; },
                            [&](int value) { width = value; });
        mainForm.OnRestorePlacement = [&] { handlerCalled = true; };
        mainForm.Restore();
        QCOMPARE(width, applied ? 300 : 222);
        QCOMPARE(stateApplied, applied);
        QCOMPARE(handlerCalled, applied);
    }

    void showCmdIsRead_data()
    {
        QTest::addColumn<int>("stored");  // -1: absent
        QTest::addColumn<int>("state");
        const int normal = int(TwindowShowState::Normal);
        const int maximized = int(TwindowShowState::Maximized);
        const int minimized = int(TwindowShowState::MinimizedApplication);
        for (int value : {1, 5, 9})
            QTest::addRow("%d normal", value) << value << normal;
        QTest::newRow("3 maximised") << 3 << maximized;
        for (int value : {2, 6, 7})
            QTest::addRow("%d minimised", value) << value << minimized;
        for (int value : {0, 4, 8, 10, -1})
            QTest::addRow("%d maximised", value) << value << maximized;
    }
    void showCmdIsRead()
    {
        QFETCH(int, stored);
        QFETCH(int, state);
        {
            QSettings raw(m_fileName, QSettings::IniFormat);
            if (stored != -1)
                raw.setValue(QStringLiteral("frmZelMain/ShowCmd"), stored);
        }
        TsettingsStore store(m_fileName);
        TformStorage mainForm(store, QStringLiteral("frmZelMain"), true);
        QWidget window;
        int applied = -1;
        mainForm.StoreWindowState(&window, [&](TwindowShowState restored) { applied = int(restored); });
        mainForm.Restore();
        QCOMPARE(applied, state);
    }

    void showCmdIsWrittenFromTheWindowState_data()
    {
        QTest::addColumn<int>("windowState");
        QTest::addColumn<int>("showCmd");
        QTest::newRow("normal") << int(Qt::WindowNoState) << 1;
        QTest::newRow("maximised") << int(Qt::WindowMaximized) << 3;
        QTest::newRow("minimised") << int(Qt::WindowMinimized) << 2;
    }
    void showCmdIsWrittenFromTheWindowState()
    {
        QFETCH(int, windowState);
        QFETCH(int, showCmd);
        TsettingsStore store(m_fileName);
        TformStorage mainForm(store, QStringLiteral("frmZelMain"), true);
        QWidget window;
        window.setWindowState(Qt::WindowStates(windowState));
        mainForm.StoreWindowState(&window, [](TwindowShowState) {});
        mainForm.Save();
        QSettings raw(m_fileName, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("frmZelMain/ShowCmd")).toInt(), showCmd);
        QCOMPARE(raw.value(QStringLiteral("frmZelMain/FormVersion")).toInt(), 0);
    }

private:
    QTemporaryDir m_dir;
    QString m_fileName;
    int m_serial = 0;
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsStore.moc"
