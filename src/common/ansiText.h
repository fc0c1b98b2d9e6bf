#pragma once
// The program's 8-bit texts (thread codes, kit and font names in files) are windows-1251 bytes;
// these convert them to and from Qt's strings in one place.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

QString FromAnsi(QByteArrayView bytes);
// A character the code page lacks becomes "?".
QByteArray ToAnsi(const QString &text);
// True when every character of text has a windows-1251 byte.
bool IsAnsi(const QString &text);
