#pragma once
// Finding the thread kit that kanvo-convert's --kit option names: a kit of the Threads folder by
// its display name, or a .thr file by its path, with the kit list's first entry as the default.
#include <QByteArray>
#include <QString>

struct TchosenKit {
    QString FileName;
    QByteArray DisplayName;  // 8-bit, as the kit file holds it and the scheme file records it
};

// Throws EKanvoError naming the kit or file when no such kit exists.
TchosenKit ChooseKit(const QString &kitArgument, const QString &programFolder);
