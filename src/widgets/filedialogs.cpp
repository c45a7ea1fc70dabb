#include "widgets/filedialogs.h"

#include "core/filewriter.h"
#include "widgets/platform.h"

#include <QDir>
#include <QFileInfo>

bool GetTempFile(QString strDestPath, const QString& lpPrefixString, int wUnique, QString& lpTempFilename)
{
    if (strDestPath.isEmpty()) {
        strDestPath = platform().tempFiles().tempFolder();
        if (strDestPath.isEmpty())
            return false;
    }
    const QString prefix = lpPrefixString.left(3);
    QString name;
    if (wUnique != 0) {
        name = QDir(strDestPath).filePath(prefix + QString::number(wUnique & 0xFFFF, 16).toUpper()
                                          + QStringLiteral(".tmp"));
    } else {
        name = platform().tempFiles().createUniqueFile(strDestPath, prefix, QStringLiteral(".tmp"));
    }
    lpTempFilename = StripTerminator(name);
    return !name.isEmpty();
}

QString StripTerminator(const QString& strstring)
{
    const int p = strstring.indexOf(QChar(0));
    return p < 0 ? strstring : strstring.left(p);
}

QString FilterLookup(const QString& sFilters, int iCur)
{
    if (sFilters.isEmpty())
        return QString();
    const QChar nul(0);
    int start = 0;
    for (;;) {
        const int first = sFilters.indexOf(nul, start);
        // No further pair (the list ends in two NULs).
        if (first <= start)
            return QString();
        const int end = sFilters.indexOf(nul, first + 1);
        const QString pair = end < 0 ? sFilters.mid(start) : sFilters.mid(start, end - start);
        if (iCur == 1)
            return pair;
        --iCur;
        if (iCur == 0 || end < 0)
            return QString();
        start = end + 1;
    }
}

bool RefusedAsOpenDatabase(const QString& file)
{
    if (!ReplacesOpenDatabase(file))
        return false;
    MsgBox(QDir::toNativeSeparators(file) + QStringLiteral("\r\n") + OpenDatabaseReason()
               + QStringLiteral(" Please choose another file name."),
           vbExclamation);
    return true;
}

bool VBGetSaveFileName(QString& FileName, QString& FileTitle, bool /*OverWritePrompt*/, QString& Filter,
                       int& FilterIndex, const QString& InitDir, const QString& DlgTitle,
                       const QString& DefaultExt, QWidget* Owner, int& flags, int /*DlgPos*/)
{
    // "|" and ":" both separate the parts of the filter.
    QString converted;
    for (QChar ch : Filter)
        converted += (ch == u'|' || ch == u':') ? QChar(0) : ch;
    converted += QChar(0);
    converted += QChar(0);

    SaveFileRequest request;
    request.owner = Owner;
    request.fileName = StripTerminator(FileName);
    request.dialogTitle = DlgTitle;
    QStringList parts = converted.split(QChar(0));
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    request.filters = parts;
    request.filterIndex = FilterIndex;
    request.initialDir = InitDir;
    request.defaultExt = DefaultExt;

    if (!platform().saveFile().getSaveFileName(request)) {
        FileName.clear();
        FileTitle.clear();
        Filter.clear();
        flags = 0;
        FilterIndex = 0;
        return false;
    }
    FileName = request.fileName;
    FileTitle = QFileInfo(request.fileName).fileName();
    // Explorer style, hook, multiple selection, and the replace question.
    flags = 0x80222;
    FilterIndex = request.filterIndex;
    Filter = FilterLookup(converted, FilterIndex);
    return true;
}
