// The customer dialog: what it shows and stores for any text typed, what
// Cancel leaves, which booking a new customer is given to, and the e-mail link.
#include "support/testsupport.h"

#include "core/customerstore.h"
#include "core/db.h"
#include "core/modmain.h"
#include "customers/frmcustomer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <memory>

namespace {

const char* const kBoxes[] = {"txtFirstname", "txtLastname", "txtBusinessName", "txtAddress1", "txtAddress2",
                              "txtCity",      "txtState",    "txtCountry",      "txtPostcode", "txtPhone",
                              "txtHomePhone", "txtMobile",   "txtFax",          "txtEmail"};

// The fourteen details in box order.
QStringList details(const CustomerRecord& c)
{
    return {c.firstName, c.lastName, c.businessName, c.address1, c.address2, c.city, c.state,
            c.country, c.postCode, c.phone, c.homePhone, c.mobile, c.fax, c.email};
}

QStringList boxes(const frmCustomer* dlg)
{
    QStringList texts;
    for (const char* name : kBoxes)
        texts << control<QLineEdit>(dlg, name)->text();
    return texts;
}

// Opens the dialog for id, checks what it shows, types texts (when given)
// and presses the button; returns the dialog's answer.
std::optional<qint64> editInDialog(qint64 id, const QStringList& expectShown, const QStringList& type,
                                   const char* button, qint32 bookingInProgress = 0)
{
    onNextDialogOf<frmCustomer>([=](frmCustomer* dlg) {
        QCOMPARE(boxes(dlg), expectShown);
        for (int i = 0; i < type.size(); ++i)
            control<QLineEdit>(dlg, kBoxes[i])->setText(type[i]);
        QTest::mouseClick(control<QPushButton>(dlg, button), Qt::LeftButton);
    });
    return frmCustomer::ask(id, bookingInProgress, nullptr);
}

int count(const char* sql)
{
    return objConn.scalar(QString::fromLatin1(sql)).toInt();
}

}  // namespace

class TestCustomerDialog : public DbTest {
    Q_OBJECT

private slots:
    void init() { openDb(); }

    void cleanup() { closeDb(); }

    void anyTextIsStoredAndShownAsTyped()
    {
        const QStringList hostile = hostileTexts();
        QStringList typed;
        for (int i = 0; i < 14; ++i)
            typed << hostile[i % hostile.size()];
        const QStringList empty(14, QString());

        // Cancel adds nothing; OK adds the row and answers its id.
        QVERIFY(!editInDialog(-1, empty, typed, "cmdCancel"));
        QCOMPARE(count("SELECT count(*) FROM customer"), 0);
        const std::optional<qint64> id = editInDialog(-1, empty, typed, "cmdOk");
        QVERIFY(id && *id > 0);
        QCOMPARE(details(*CustomerStore::read(*id)), typed);

        // Editing shows the stored texts; Cancel leaves them, OK replaces them.
        std::rotate(typed.begin(), typed.begin() + 3, typed.end());
        QVERIFY(!editInDialog(*id, details(*CustomerStore::read(*id)), typed, "cmdCancel"));
        QVERIFY(details(*CustomerStore::read(*id)) != typed);
        QCOMPARE(editInDialog(*id, details(*CustomerStore::read(*id)), typed, "cmdOk"), id);
        QCOMPARE(details(*CustomerStore::read(*id)), typed);
        QCOMPARE(count("SELECT count(*) FROM customer"), 1);
    }

    void nullDetailsShowEmptyAndAreSavedAsEmptyTexts()
    {
        // An old row without phones, above the 16-bit range of ids.
        objConn.execute(QStringLiteral("INSERT INTO customer (ID, FirstName, LastName) VALUES (40000, 'Old', 'Row')"));
        QStringList shown(14, QString());
        shown[0] = QStringLiteral("Old");
        shown[1] = QStringLiteral("Row");
        QCOMPARE(editInDialog(40000, shown, {}, "cmdOk"), std::optional<qint64>(40000));
        QCOMPARE(count("SELECT count(*) FROM customer WHERE HomePhone = '' AND Mobile = '' AND Email = '' "
                       "AND Address1 = ''"),
                 1);

        // An all-empty new customer is stored with empty texts, not Null.
        const std::optional<qint64> blank = editInDialog(-1, QStringList(14, QString()), {}, "cmdOk");
        QVERIFY(blank);
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM customer WHERE ID = ? AND FirstName = '' "
                                               "AND BusinessName = '' AND Fax = '' AND Mobile = ''"),
                                {*blank})
                     .toInt(),
                 1);

        // A customer deleted meanwhile opens empty; OK then stores nothing.
        QCOMPARE(editInDialog(777, QStringList(14, QString()), {QStringLiteral("Ghost")}, "cmdOk"),
                 std::optional<qint64>(777));
        QCOMPARE(count("SELECT count(*) FROM customer WHERE FirstName = 'Ghost'"), 0);
    }

    void aNewCustomerBecomesTheCustomerOfTheBookingInProgress()
    {
        const qint64 other = insertRow("customer", {{"FirstName", QStringLiteral("Other")}});
        const qint64 empty = insertRow("booking", {{"fromdate", "2030-01-01 14:00:00"},
                                                   {"todate", "2030-01-02 10:00:00"}, {"customerid", 0}});
        const qint64 taken = insertRow("booking", {{"fromdate", "2030-02-01 14:00:00"},
                                                   {"todate", "2030-02-02 10:00:00"}, {"customerid", other}});
        const auto customerOf = [](qint64 booking) {
            return objConn.scalar(QStringLiteral("SELECT customerid FROM booking WHERE id = ?"), {booking}).toLongLong();
        };

        // No booking in progress: no booking changes.
        editInDialog(-1, QStringList(14, QString()), {QStringLiteral("A")}, "cmdOk", 0);
        QCOMPARE(customerOf(empty), qint64(0));
        QCOMPARE(customerOf(taken), other);

        // A booking without a customer, and one that had a customer, take the new one.
        const std::optional<qint64> a =
            editInDialog(-1, QStringList(14, QString()), {QStringLiteral("B")}, "cmdOk", qint32(empty));
        QCOMPARE(customerOf(empty), *a);
        const std::optional<qint64> b =
            editInDialog(-1, QStringList(14, QString()), {QStringLiteral("C")}, "cmdOk", qint32(taken));
        QCOMPARE(customerOf(taken), *b);

        // Editing, and a cancelled new customer, link nothing.
        QCOMPARE(editInDialog(other, details(*CustomerStore::read(other)), {QStringLiteral("D")}, "cmdOk", qint32(taken)),
                 std::optional<qint64>(other));
        editInDialog(-1, QStringList(14, QString()), {QStringLiteral("E")}, "cmdCancel", qint32(taken));
        QCOMPARE(customerOf(taken), *b);
    }

    void emailLinkWritesToTheAddressTyped()
    {
        frmCustomer dlg(-1, 0, nullptr);
        QLabel* link = control<QLabel>(&dlg, "lblEmail");
        QTest::mouseClick(link, Qt::LeftButton);
        control<QLineEdit>(&dlg, "txtEmail")->setText(QStringLiteral("o'brien+x@example.com"));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(fakes().shell->opened,
                 QStringList({QStringLiteral("mailto:"), QStringLiteral("mailto:o'brien+x@example.com")}));

        // Esc is Cancel: nothing stored.
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(count("SELECT count(*) FROM customer"), 0);
    }
};

TARLOMY_TEST_MAIN(TestCustomerDialog)
#include "tst_customerdialog.moc"
