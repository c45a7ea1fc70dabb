#pragma once
// The text form of the per-user settings file: [section] headings and
// key=value lines, byte for byte as Qt's own INI files have them (Qt wrote
// this file in earlier builds), so that every value reads back as it was
// written, whoever wrote it: texts whatever characters they hold, and lists
// and the values Qt writes in its @-forms. The store (core/settings.cpp) reads
// and writes it through QSettings, which keeps the file locked and shared;
// writing goes through here because every write is checked: a file that
// could not be written whole is never taken for saved.
#include <QSettings>
#include <QString>

class QIODevice;

namespace SettingsFile {

bool read(QIODevice& device, QSettings::SettingsMap& map);
// False, with the system's reason in lastWriteFailure(), when any of it
// could not be written or put on the disk.
bool write(QIODevice& device, const QSettings::SettingsMap& map);
QString lastWriteFailure();
void clearLastWriteFailure();

// The text of a map and a map from text, as the two above use them.
QByteArray text(const QSettings::SettingsMap& map);
QSettings::SettingsMap parse(const QByteArray& text);

}  // namespace SettingsFile
