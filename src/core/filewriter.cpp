#include "core/filewriter.h"

#include <QSaveFile>

bool WriteWholeFile(const QString& file, const QByteArray& bytes, QString* why)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (why)
            *why = out.errorString();
        out.cancelWriting();
        return false;
    }
    return true;
}
