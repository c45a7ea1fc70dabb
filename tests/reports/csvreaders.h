#pragma once
// Outside readers of the exported files: Python's csv module and LibreOffice.
// Each returns false, with the reason, when the reader is not installed.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

using CsvRows = QList<QStringList>;

inline bool ReadWithPython(const QString& file, CsvRows* rows, QString* why)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        *why = QStringLiteral("python3 is not installed");
        return false;
    }
    QProcess p;
    p.start(python, {QStringLiteral("-c"),
                     QStringLiteral("import csv, json, sys\n"
                                    "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                    "    sys.stdout.write(json.dumps(list(csv.reader(f))))\n"),
                     file});
    p.waitForFinished(30000);
    const QJsonArray lines = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    rows->clear();
    for (const auto& line : lines) {
        QStringList fields;
        for (const auto& field : line.toArray())
            fields << field.toString();
        rows->append(fields);
    }
    return true;
}

// Calc reads the file as comma-separated UTF-8 and writes its cells back
// tab-separated; a line break inside a cell comes back as LF.
inline bool ReadWithCalc(const QString& file, CsvRows* rows, QString* why)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        *why = QStringLiteral("LibreOffice (soffice) is not installed");
        return false;
    }
    QTemporaryDir profile, out;
    QProcess p;
    p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + profile.path(), QStringLiteral("--headless"),
                      QStringLiteral("--infilter=CSV:44,34,76,1,,1033,true,false"),
                      QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):9,34,76"),
                      QStringLiteral("--outdir"), out.path(), file});
    p.waitForFinished(120000);
    const QStringList made = QDir(out.path()).entryList(QDir::Files);
    if (made.isEmpty()) {
        *why = QStringLiteral("LibreOffice wrote nothing: ") + QString::fromLocal8Bit(p.readAllStandardError());
        return false;
    }
    QFile f(out.filePath(made.first()));
    f.open(QIODevice::ReadOnly);
    const QByteArray tsv = f.readAll();
    // Tab-separated with quotes around cells that need them.
    rows->clear();
    QStringList fields;
    QString cell;
    bool quoted = false;
    const QString text = QString::fromUtf8(tsv);
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (ch == u'"') {
                quoted = false;
            } else {
                cell += ch;
            }
        } else if (ch == u'"') {
            quoted = true;
        } else if (ch == u'\t') {
            fields << cell;
            cell.clear();
        } else if (ch == u'\n' || ch == u'\r') {
            if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            fields << cell;
            rows->append(fields);
            fields.clear();
            cell.clear();
        } else {
            cell += ch;
        }
    }
    if (!cell.isEmpty() || !fields.isEmpty())
        rows->append(fields << cell);
    return true;
}
