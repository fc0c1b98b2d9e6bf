#pragma once
// The compound document container that .xls files live in: a small file system of 512-byte
// sectors with an allocation table, holding here exactly one stream (the workbook). Streams of
// any size are supported; past 7 MB the allocation table needs the extra index sectors, which are
// written too.
#include <QByteArray>
#include <QString>

class QIODevice;

// Writes a container holding stream under streamName (at most 31 characters) to device. A stream
// shorter than the container's 4096-byte small-stream limit must be padded by the caller (the
// workbook stream is: readers stop at its end record). Throws EKanvoError when device fails.
void WriteCompoundFile(QIODevice &device, const QString &streamName, const QByteArray &stream);
