// Commission payments: the list with its filter, order and reselection, and
// the payment dialog with its prefilled amount and the amounts it refuses.
#include "support/testsupport.h"

#include "core/db.h"
#include "core/format.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "core/numberinput.h"
#include "widgets/lists.h"
#include "reports/frmaddcommissionpayment.h"
#include "reports/frmcommissionpayment.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

class TestCommissionPayments : public DbTest {
    Q_OBJECT

    static qint32 payment(qint32 account, const char* amount, const char* date)
    {
        return insertRow("commissionPayment",
                         {{"CommissionID", account}, {"Amount", money(amount).toDb()}, {"SubmittedDate", date}});
    }
    // Each row as "account|amount|date", the selected one marked with "*".
    static QStringList rows(frmCommissionPayment& d)
    {
        auto* g = control<QTableWidget>(&d, "gPayments");
        QStringList r;
        for (int i = 0; i < g->rowCount(); ++i)
            r << (g->currentRow() == i && g->item(i, 2)->isSelected() ? QStringLiteral("*") : QString()) +
                     GridText(g, i, 0) + u'|' + GridText(g, i, 1) + u'|' + GridText(g, i, 2);
        return r;
    }
    static void click(QWidget* d, const char* button) { control<QPushButton>(d, button)->click(); }
    static qint64 count() { return objConn.scalar(QStringLiteral("SELECT count(*) FROM commissionPayment")).toLongLong(); }

private slots:
    void init()
    {
        openDb();
        fakes().messageBoxes->clear();
    }

    void emptyListsAndRefusals()
    {
        frmCommissionPayment d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Commission Payments"));
        QCOMPARE(rows(d), QStringList());
        click(&d, "cmdEdit");
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("No Payment has been selected to edit. Please select a Payment and try again."));
        click(&d, "cmdRemove");
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Please select a Payment to remove."));
        click(&d, "cmdAdd");   // only "No Commission" exists: nothing to pay
        QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("No Commission Accounts exist")));
        QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical));

        // A payment dialog without any account: OK does nothing.
        frmAddCommissionPayment add(-1, -1);
        click(&add, "cmdOK");
        QCOMPARE(add.result(), 0);
        QCOMPARE(count(), 0);
    }

    void orderFilterAndReselection()
    {
        const qint32 zed = insertRow("commission", {{"name", "Zed"}});
        const qint32 alpha = insertRow("commission", {{"name", "Alpha"}});
        payment(zed, "5", "2025-01-02 09:00:00");
        const qint32 a = payment(alpha, "7.5", "2025-01-02 09:00:00");
        payment(zed, "1", "2025-01-01 18:00:00");
        frmCommissionPayment d;
        auto* filter = control<QComboBox>(&d, "cboAccount");
        QCOMPARE(filter->itemText(0), QStringLiteral("All Payments"));
        QCOMPARE(filter->itemText(1), QStringLiteral("Alpha"));
        QCOMPARE(rows(d), QStringList({"*Zed|$1.00|1/1/2025", "Alpha|$7.50|1/2/2025", "Zed|$5.00|1/2/2025"}));
        SetListIndex(filter, 2);
        QCOMPARE(rows(d), QStringList({"*Zed|$1.00|1/1/2025", "Zed|$5.00|1/2/2025"}));
        SetListIndex(filter, 0);

        // An edit keeps the payment selected at its new place.
        GridSelectRow(control<QTableWidget>(&d, "gPayments"), 1);
        onNextDialogOf<frmAddCommissionPayment>([](frmAddCommissionPayment* e) {
            QCOMPARE(control<QLineEdit>(e, "txtAmount")->text(), QStringLiteral("$7.50"));
            control<QDateEdit>(e, "dtSubmittedDate")->setDate(QDate(2024, 12, 31));
            click(e, "cmdOK");
        });
        emit control<QTableWidget>(&d, "gPayments")->cellDoubleClicked(1, 0);
        QCOMPARE(rows(d), QStringList({"*Alpha|$7.50|12/31/2024", "Zed|$1.00|1/1/2025", "Zed|$5.00|1/2/2025"}));
        QCOMPARE(objConn.scalar("SELECT SubmittedDate FROM commissionPayment WHERE id = ?", {a}).toString(),
                 QStringLiteral("2024-12-31 09:00:00"));

        // Remove: No keeps it; Yes deletes it and selects the first payment.
        GridSelectRow(control<QTableWidget>(&d, "gPayments"), 2);
        fakes().messageBoxes->answers = {vbNo};
        click(&d, "cmdRemove");
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Are you sure you want to delete this Payment?"));
        QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbYesNoCancel | vbQuestion));
        QCOMPARE(count(), 3);
        fakes().messageBoxes->answers = {vbYes};
        click(&d, "cmdRemove");
        QCOMPARE(rows(d), QStringList({"*Alpha|$7.50|12/31/2024", "Zed|$1.00|1/1/2025"}));

        // Add with the filter on Zed: Zed preselected, the first row selected after.
        SetListIndex(filter, 2);
        onNextDialogOf<frmAddCommissionPayment>([](frmAddCommissionPayment* e) {
            QCOMPARE(control<QComboBox>(e, "cboAccount")->currentText(), QStringLiteral("Zed"));
            control<QDateEdit>(e, "dtSubmittedDate")->setDate(QDate(2025, 6, 1));
            click(e, "cmdOK");
        });
        click(&d, "cmdAdd");
        QCOMPARE(rows(d), QStringList({"*Zed|$1.00|1/1/2025", "Zed|$0.00|6/1/2025"}));
    }

    void prefillTextsAndRefusedAmounts()
    {
        const qint32 zed = insertRow("commission", {{"name", "Zed"}});
        const qint32 alpha = insertRow("commission", {{"name", "Alpha"}});
        for (const char* due : {"10", "2.5"})
            insertRow("booking", {{"fromdate", "2025-01-01 14:00:00"}, {"todate", "2025-01-02 10:00:00"},
                                  {"CommissionID", alpha}, {"CommissionAmount", money(due).toDb()}});
        payment(alpha, "100", "2025-01-01 00:00:00");   // payments are not taken off

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        frmAddCommissionPayment add(-1, -1);   // "All Payments": the first account by name
        auto* account = control<QComboBox>(&add, "cboAccount");
        auto* amount = control<QLineEdit>(&add, "txtAmount");
        QCOMPARE(account->currentText(), QStringLiteral("Alpha"));
        QCOMPARE(amount->text(), QStringLiteral("$12.50"));
        SetListIndex(account, 1);
        QCOMPARE(amount->text(), QStringLiteral("$0.00"));
        SetListIndex(account, 0);

        // Notes as typed; an amount that is not money is refused and nothing saved.
        const QString notes = hostileTexts().join(QStringLiteral("\n"));
        control<QPlainTextEdit>(&add, "txtNotes")->setPlainText(notes);
        for (const char* bad : {"1'000", "12abc", "$"}) {
            amount->setText(QString::fromLatin1(bad));
            click(&add, "cmdOK");
            QCOMPARE(fakes().messageBoxes->lastPrompt(), NumberRefusal(QStringLiteral("Amount")));
            QCOMPARE(count(), 1);
            QCOMPARE(add.result(), 0);
        }
        amount->setText(QString());   // empty is 0
        click(&add, "cmdOK");
        QCOMPARE(add.result(), int(QDialog::Accepted));
        Query q = objConn.query(QStringLiteral("SELECT amount, notes, submitteddate, commissionid FROM commissionPayment "
                                               "ORDER BY id DESC LIMIT 1"));
        QVERIFY(q.next());
        QCOMPARE(q.money(0), Money());
        QCOMPARE(q.text(1), notes);
        QVERIFY(q.dateTime(2) >= before && q.dateTime(2) <= QDateTime::currentDateTime());
        QCOMPARE(q.integer(3), qint64(alpha));

        // Editing: the stored figures; another account replaces the amount.
        const qint32 p = payment(zed, "1234.5", "2025-02-03 16:45:00");
        frmAddCommissionPayment edit(p, -1);
        QCOMPARE(control<QComboBox>(&edit, "cboAccount")->currentText(), QStringLiteral("Zed"));
        QCOMPARE(control<QLineEdit>(&edit, "txtAmount")->text(), QStringLiteral("$1,234.50"));
        QCOMPARE(control<QDateEdit>(&edit, "dtSubmittedDate")->date(), QDate(2025, 2, 3));
        SetListIndex(control<QComboBox>(&edit, "cboAccount"), 0);
        QCOMPARE(control<QLineEdit>(&edit, "txtAmount")->text(), QStringLiteral("$12.50"));

        // A payment that vanished: "Record not found." without an icon.
        fakes().messageBoxes->clear();
        frmAddCommissionPayment gone(9999, -1);
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Record not found."));
        QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbOKOnly));
        click(&gone, "cmdOK");
        QCOMPARE(count(), 3);
    }
};

TARLOMY_TEST_MAIN(TestCommissionPayments)
#include "tst_commissionpayments.moc"
