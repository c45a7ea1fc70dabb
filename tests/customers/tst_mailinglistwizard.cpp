// The Email Mailing List wizard and the file it writes.
#include "support/pagescript.h"

#include "app/frmmain.h"
#include "core/db.h"
#include "core/modmain.h"
#include "customers/mailinglist.h"
#include "customers/mailinglistwizard.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {

const QString kWelcome = QStringLiteral("frmWizMailList_Welcome");
const QString kFile = QStringLiteral("frmWizMailList_File");
const QString kComplete = QStringLiteral("frmWizMailList_Complete");

QLineEdit* nameBox(QDialog* d) { return control<QLineEdit>(d, "txtName"); }

PageAction typeName(const QString& name, const char* button = "cmdNext")
{
    return [=](QDialog* d) { nameBox(d)->setText(name); click(d, button); };
}

// The whole wizard, writing to file.
QStringList writeTo(const QString& file)
{
    return walkPages({press("cmdNext"), typeName(file), press("cmdNext")}, [] { RunMailingListWizard(nullptr); });
}

void addCustomer(const QVariant& email)
{
    insertRow("customer", {{"FirstName", QStringLiteral("F")}, {"Email", email}});
}

}  // namespace

class TestMailingListWizard : public DbTest {
    Q_OBJECT
    QString file;

private slots:
    void init()
    {
        openDb();
        objConn.execute(QStringLiteral("DELETE FROM customer"));
        file = db->folder() + QStringLiteral("list.txt");
    }

    // Every address once per customer, in case-blind order, joined by ", "
    // with nothing around them; empty and Null addresses add nothing; a
    // longer old file is replaced whole; no address gives an empty file.
    void writesTheList()
    {
        for (const QVariant& email : {QVariant(QStringLiteral("zed@x")), QVariant(QStringLiteral("Bob@x")),
                                      QVariant(QString()), dbNull(), QVariant(QStringLiteral("amy@x")),
                                      QVariant(QStringLiteral("bob@x")), QVariant(QStringLiteral("amy@x"))})
            addCustomer(email);
        writeFile(file, QByteArray(5000, '#'));
        QCOMPARE(writeTo(file), QStringList({kWelcome, kFile, kComplete}));
        QCOMPARE(readFile(file), QByteArray("amy@x, amy@x, Bob@x, bob@x, zed@x"));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());

        objConn.execute(QStringLiteral("DELETE FROM customer"));
        for (const QString& t : hostileTexts())
            addCustomer(t);
        writeTo(file);
        QCOMPARE(QString::fromUtf8(readFile(file)).split(QStringLiteral(", ")).size(), hostileTexts().size());
        for (const QString& t : hostileTexts())
            QVERIFY(QString::fromUtf8(readFile(file)).contains(t));

        objConn.execute(QStringLiteral("UPDATE customer SET email = ''"));
        writeTo(file);
        QCOMPARE(readFile(file), QByteArray());
    }

    // Cancel on any page writes nothing; a folder in the file's place gives
    // the message and stays as it was.
    void cancelAndFailure()
    {
        addCustomer(QStringLiteral("amy@x"));
        writeFile(file, "old");
        const QList<PageAction> through{press("cmdNext"), typeName(file), press("cmdNext")};
        for (int last = 0; last < 3; ++last)
            walkPages(through.mid(0, last) << press("cmdCancel"), [] { RunMailingListWizard(nullptr); });
        QCOMPARE(readFile(file), QByteArray("old"));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());

        const QString folder = db->folder() + QStringLiteral("taken.txt");
        QVERIFY(QDir().mkdir(folder));
        writeTo(folder);
        QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("Unable to write to file ") + folder
                                                               + QStringLiteral(".\r\n")));
        QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical));
        QVERIFY(QFileInfo(folder).isDir());
    }

    // The file page: Browse offers text documents and a cancel keeps the box;
    // an empty box is refused; a blank is a name, offered again next time; an
    // unticked welcome box starts the next run on the file page, whose Back
    // still leads to the welcome page. From the menu, as from here.
    void filePageAndWelcome()
    {
        frmMain& main = loadMainWindow(*db);
        installFakes();
        fakes().messageBoxes->answers = {vbOK};
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(db->folder());
        walkPages({[](QDialog* d) {
                       control<QCheckBox>(d, "chkDisplayNext")->setChecked(false);
                       click(d, "cmdNext");
                   },
                   [&](QDialog* d) {
                       click(d, "cmdNext");
                       fakes().saveFile->answer = file;
                       click(d, "cmdBrowse");
                       QCOMPARE(nameBox(d)->text(), file);
                       fakes().saveFile->answer.clear();
                       click(d, "cmdBrowse");
                       QCOMPARE(nameBox(d)->text(), file);
                       typeName(QStringLiteral(" "))(d);
                   },
                   press("cmdNext")},
                  [] { RunMailingListWizard(nullptr); });
        QVERIFY(QFile::exists(db->folder() + u' '));
        QDir::setCurrent(cwd);
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("No mailing list filename has been entered. Please enter a filename to continue."));
        QCOMPARE(fakes().messageBoxes->shown[0].style, int(vbCritical));
        QCOMPARE(fakes().saveFile->requests.value(1).filters,
                 QStringList({QStringLiteral("Text documents (*.txt)"), QStringLiteral("*.txt")}));

        addCustomer(QStringLiteral("amy@x"));
        QCOMPARE(walkPages({[](QDialog* d) {
                                QCOMPARE(nameBox(d)->text(), QStringLiteral(" "));
                                click(d, "cmdBack");
                            },
                            press("cmdNext"), typeName(file), press("cmdNext")},
                           [&] { main.mnuCustMailingList_Click(); }),
                 QStringList({kFile, kWelcome, kFile, kComplete}));
        QCOMPARE(readFile(file), QByteArray("amy@x"));
    }
};

TARLOMY_GUI_TEST_MAIN(TestMailingListWizard)
#include "tst_mailinglistwizard.moc"
