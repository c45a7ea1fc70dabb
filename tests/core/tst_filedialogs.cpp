// Temporary files and the save-file dialog.
#include "widgets/filedialogs.h"
#include "core/filewriter.h"
#include "core/modmain.h"
#include "support/testsupport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

class TestFileDialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { resetProgramState(); }
    void tempFilesAreUniqueAndCreated();
    void tempFileInUsersFolder();
    void stripTerminator();
    void filterLookup();
    void saveNameAndFilterHandedBack();
    void cancelClearsEverything();
    void replacingAFileIsAskedFirst();
    void theDatabaseIsRefusedBeforeTheQuestion();
    void opensCentredOnItsOwnerWithItsTitle();
};

void TestFileDialogs::tempFilesAreUniqueAndCreated()
{
    QTemporaryDir dir;
    QSet<QString> names;
    for (int i = 0; i < 50; ++i) {
        QString name;
        QVERIFY(GetTempFile(dir.path(), QStringLiteral("Booking"), 0, name));
        QVERIFY(QFile::exists(name));
        QCOMPARE(QFileInfo(name).absolutePath(), dir.path());
        QVERIFY(QFileInfo(name).fileName().startsWith(QStringLiteral("Boo")));
        QVERIFY(name.endsWith(QStringLiteral(".tmp")));
        names.insert(name);
    }
    QCOMPARE(names.size(), 50);
    QString name = QStringLiteral("untouched");
    QVERIFY(!GetTempFile(dir.path() + QStringLiteral("/missing"), QStringLiteral("x"), 0, name));
}

void TestFileDialogs::tempFileInUsersFolder()
{
    QString name;
    QVERIFY(GetTempFile(QString(), QStringLiteral("rtf"), 0, name));
    QCOMPARE(QFileInfo(name).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    QFile::remove(name);
}

void TestFileDialogs::stripTerminator()
{
    QCOMPARE(StripTerminator(QStringLiteral("plain")), QStringLiteral("plain"));
    QCOMPARE(StripTerminator(QStringLiteral("name") + QChar(0) + QStringLiteral("junk")), QStringLiteral("name"));
    QCOMPARE(StripTerminator(QString(QChar(0)) + QStringLiteral("x")), QString());
}

void TestFileDialogs::filterLookup()
{
    const QChar nul(0);
    const QString filters = QStringLiteral("CSV(*.CSV)") + nul + QStringLiteral("*.CSV") + nul
                            + QStringLiteral("Text") + nul + QStringLiteral("*.txt") + nul + nul;
    QCOMPARE(FilterLookup(filters, 1), QStringLiteral("CSV(*.CSV)") + nul + QStringLiteral("*.CSV"));
    QCOMPARE(FilterLookup(filters, 2), QStringLiteral("Text") + nul + QStringLiteral("*.txt"));
    QCOMPARE(FilterLookup(filters, 3), QString());
    QCOMPARE(FilterLookup(filters, 0), QString());
    QCOMPARE(FilterLookup(QString(), 1), QString());
}

void TestFileDialogs::saveNameAndFilterHandedBack()
{
    fakes().saveFile->answer = QStringLiteral("/home/sam/exports/customers.csv");
    QString fileName = QStringLiteral("customers");
    QString fileTitle;
    QString filter = QStringLiteral("CSV(*.CSV)|*.CSV");
    int filterIndex = 1;
    int flags = 0;
    QVERIFY(VBGetSaveFileName(fileName, fileTitle, true, filter, filterIndex, QString(), QString(),
                              QStringLiteral(".csv"), nullptr, flags, 0));
    QCOMPARE(fileName, QStringLiteral("/home/sam/exports/customers.csv"));
    QCOMPARE(fileTitle, QStringLiteral("customers.csv"));
    QCOMPARE(filter, QStringLiteral("CSV(*.CSV)") + QChar(0) + QStringLiteral("*.CSV"));
    QCOMPARE(filterIndex, 1);
    const SaveFileRequest& asked = fakes().saveFile->requests.last();
    QCOMPARE(asked.filters, QStringList({QStringLiteral("CSV(*.CSV)"), QStringLiteral("*.CSV")}));
    QCOMPARE(asked.defaultExt, QStringLiteral(".csv"));

    // A colon in a description splits it as well.
    QString colon = QStringLiteral("Data: all|*.*");
    VBGetSaveFileName(fileName, fileTitle, true, colon, filterIndex, QString(), QString(), QString(), nullptr, flags, 5);
    QCOMPARE(fakes().saveFile->requests.last().filters,
             QStringList({QStringLiteral("Data"), QStringLiteral(" all"), QStringLiteral("*.*")}));
}

void TestFileDialogs::cancelClearsEverything()
{
    fakes().saveFile->answer.clear();
    QString fileName = QStringLiteral("x.csv");
    QString fileTitle = QStringLiteral("x.csv");
    QString filter = QStringLiteral("CSV(*.CSV)|*.CSV");
    int filterIndex = 1;
    int flags = 5;
    QVERIFY(!VBGetSaveFileName(fileName, fileTitle, true, filter, filterIndex, QString(), QString(), QString(), nullptr,
                               flags, 0));
    QVERIFY(fileName.isEmpty() && fileTitle.isEmpty() && filter.isEmpty());
    QCOMPARE(filterIndex, 0);
    QCOMPARE(flags, 0);
}

void TestFileDialogs::replacingAFileIsAskedFirst()
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("reservations.csv"));
    writeFile(existing, "keep me");

    std::unique_ptr<SaveFileService> dialog = desktopSaveFileService();
    for (bool replace : {false, true}) {
        bool asked = false;
        onNextDialogOf<QFileDialog>([&asked, replace](QFileDialog* files) {
            onNextDialogOf<QMessageBox>([&asked, replace, files](QMessageBox* question) {
                asked = true;
                question->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                if (!replace)
                    files->reject();
            });
            QMetaObject::invokeMethod(files, "accept");
        });
        SaveFileRequest request;
        request.fileName = existing;
        request.filters = {QStringLiteral("CSV(*.CSV)"), QStringLiteral("*.CSV")};
        const bool chosen = dialog->getSaveFileName(request);
        QVERIFY(asked);
        QCOMPARE(chosen, replace);
    }
}

// The program's database chosen in the desktop's dialog is refused at once,
// before the question whether to replace it, and the dialog stays open.
void TestFileDialogs::theDatabaseIsRefusedBeforeTheQuestion()
{
    OpenTestDb db;
    const QByteArray bytes = readFile(db.file());
    std::unique_ptr<SaveFileService> dialog = desktopSaveFileService();
    bool asked = false, stayedOpen = false;
    // A replace question, should one come, is answered No.
    QTimer question;
    question.setInterval(200);
    connect(&question, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = true;
            box->button(QMessageBox::No)->click();
        }
    });
    question.start();
    onNextDialogOf<QFileDialog>([&](QFileDialog* files) {
        QMetaObject::invokeMethod(files, "accept");
        stayedOpen = files->isVisible();
        files->reject();
    });
    SaveFileRequest request;
    request.fileName = db.file();
    request.filters = {QStringLiteral("CSV(*.CSV)"), QStringLiteral("*.CSV")};
    QVERIFY(!dialog->getSaveFileName(request));
    QVERIFY(!asked);
    QVERIFY(stayedOpen);
    QCOMPARE(fakes().messageBoxes->shown.size(), 1);
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QDir::toNativeSeparators(db.file()) + QStringLiteral("\r\n")
                                                     + OpenDatabaseReason()
                                                     + QStringLiteral(" Please choose another file name."));
    QCOMPARE(readFile(db.file()), bytes);
}

// The desktop's dialog opens centred on the window of its owner (a panel of
// it, as the menu commands pass), with its title, the desktop's own when the
// caller gives none; without an owner, in the middle of the screen.
void TestFileDialogs::opensCentredOnItsOwnerWithItsTitle()
{
    QWidget window;
    window.setGeometry(60, 40, 700, 520);
    QWidget* panel = new QWidget(&window);
    panel->setGeometry(0, 0, 100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    std::unique_ptr<SaveFileService> dialog = desktopSaveFileService();
    for (const QString& title : {QString(), QStringLiteral("Export Customers")}) {
        for (QWidget* owner : {panel, static_cast<QWidget*>(nullptr)}) {
            QRect placed;
            QString shownTitle;
            onNextDialogOf<QFileDialog>([&](QFileDialog* files) {
                placed = files->frameGeometry();
                shownTitle = files->windowTitle();
                files->reject();
            });
            SaveFileRequest request;
            request.owner = owner;
            request.dialogTitle = title;
            request.filters = {QStringLiteral("CSV (*.csv)"), QStringLiteral("*.csv")};
            QVERIFY(!dialog->getSaveFileName(request));
            const QPoint centre = owner ? window.frameGeometry().center() : window.screen()->geometry().center();
            QVERIFY2((placed.center() - centre).manhattanLength() <= 2,
                     qPrintable(QStringLiteral("%1,%2 %3x%4").arg(placed.x()).arg(placed.y()).arg(placed.width()).arg(placed.height())));
            QCOMPARE(shownTitle, title.isEmpty() ? QStringLiteral("Save As") : title);
        }
    }
}

TARLOMY_TEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
