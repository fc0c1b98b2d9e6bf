// The threads kit dialog: the rows of a kit in file order, codes cut to 20 characters, a code
// listed twice, missing names, clamped channels, a malformed value, and choosing another kit.
#include "kits/threadTable.h"
#include "kits/ui/Threads.h"
#include "kits/ui/kitComboBox.h"
#include "shell/errorDisplay.h"

#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void WriteKit(const QDir &folder, const QString &fileName, const QByteArray &text)
{
    QFile file(folder.filePath(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}
}  // namespace

class TestThreadsDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetErrorDisplaySeam([this](const QString &, const QString &text) { m_errors << text; });
        QDir root(m_program.path());
        QVERIFY(root.mkpath(QStringLiteral("Threads")));
        QDir kits(root.filePath(QStringLiteral("Threads")));
        // File names sort the kits: "a" comes first.
        WriteKit(kits, QStringLiteral("a.thr"),
                 "[GENERAL]\nNAME=First kit\n[THREAD_COLORS]\n"
                 "310=0,0,0\n"
                 "ABCDEFGHIJKLMNOPQRSTUVWXY=10,20,30\n"
                 "310=255,255,255\n"
                 "hot=300,-4,128\n"
                 "[THREAD_NAMES]\n310=Black\nhot=Clamped pink\n");
        WriteKit(kits, QStringLiteral("b.thr"),
                 "[GENERAL]\nNAME=Broken kit\n[THREAD_COLORS]\n1=1,2,3\n2=4,5q,6\n3=7,8,9\n");
    }
    void init() { m_errors.clear(); }

    void showsTheFirstKitInFileOrder()
    {
        TfrmThreads dialog(nullptr, m_program.path() + '/');
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Threads kit"));
        QCOMPARE(dialog.cbxPalette->count(), 2);
        QCOMPARE(dialog.cbxPalette->currentText(), QStringLiteral("First kit"));
        const TthreadTable &table = *dialog.mdPalette;
        QCOMPARE(table.RowCount(), 4);
        for (int row = 0; row < 4; ++row)
            QCOMPARE(table.Row(row).Num, row + 1);
        QCOMPARE(table.Row(0).Thread, QByteArray("310"));
        QCOMPARE(table.Row(0).Name, QByteArray("Black"));
        QCOMPARE(table.Row(1).Thread, QByteArray("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(table.index(1, TthreadTable::Thread).data().toString(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QVERIFY(table.Row(1).Name.isEmpty());
        // The code listed twice takes its first line's colour both times.
        QCOMPARE(table.Row(2).Thread, QByteArray("310"));
        QCOMPARE(table.Row(2).Color, TpackedColor(0x000000));
        QCOMPARE(table.Row(3).Color, TpackedColor(0x8000FF));
        QCOMPARE(table.index(3, TthreadTable::Color).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 128));
        QCOMPARE(dialog.gvColors->currentIndex().row(), 0);
        QVERIFY(m_errors.isEmpty());
    }

    void malformedValueKeepsEarlierRows()
    {
        TfrmThreads dialog(nullptr, m_program.path() + '/');
        dialog.cbxPalette->setCurrentIndex(1);
        QCOMPARE(dialog.mdPalette->RowCount(), 1);
        QCOMPARE(m_errors, QStringList{QStringLiteral("'5q' is not a valid integer value.")});
        QCOMPARE(dialog.gvColors->model()->rowCount(), 1);
        dialog.cbxPalette->setCurrentIndex(0);
        QCOMPARE(dialog.mdPalette->RowCount(), 4);
    }

    void noKitsGivesAnEmptyTable()
    {
        QTemporaryDir empty;
        TfrmThreads dialog(nullptr, empty.path() + '/');
        QCOMPARE(dialog.cbxPalette->count(), 0);
        QCOMPARE(dialog.mdPalette->RowCount(), 0);
        QVERIFY(m_errors.isEmpty());
    }

    void tableIsReadOnly()
    {
        TfrmThreads dialog(nullptr, m_program.path() + '/');
        const QModelIndex code = dialog.mdPalette->index(0, TthreadTable::Thread);
        QVERIFY(!(dialog.mdPalette->flags(code) & Qt::ItemIsEditable));
        QVERIFY(!dialog.mdPalette->setData(code, QStringLiteral("999")));
        QCOMPARE(dialog.mdPalette->Row(0).Thread, QByteArray("310"));
    }

private:
    QTemporaryDir m_program;
    QStringList m_errors;
};

QTEST_MAIN(TestThreadsDialog)
#include "tst_threadsDialog.moc"
