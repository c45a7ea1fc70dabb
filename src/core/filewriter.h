#pragma once
// Files the program writes whole (exports, lists, pages): the new content goes
// to a temporary file beside the target, which replaces the target only once
// it is complete. A failure leaves an existing file as it was.
#include <QByteArray>
#include <QString>

// Writes bytes as the whole of file. On failure returns false and, when why
// is given, the system's reason.
bool WriteWholeFile(const QString& file, const QByteArray& bytes, QString* why = nullptr);
