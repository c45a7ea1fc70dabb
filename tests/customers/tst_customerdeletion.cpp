// Removing a customer: bookings not yet over keep them, past bookings go with
// them after a question, and a failure midway leaves every row.
#include "support/testsupport.h"

#include "core/apperror.h"
#include "core/db.h"
#include "customers/customerdeletion.h"

#include <QDate>
#include <memory>

namespace {

const QString kRefusal = QStringLiteral("refused here");

QString at(int daysFromToday, const char* time)
{
    return QDate::currentDate().addDays(daysFromToday).toString(Qt::ISODate) + u' ' + QString::fromLatin1(time);
}

qint32 addCustomer(const char* name)
{
    return insertRow("customer", {{"FirstName", QString::fromLatin1(name)}, {"LastName", QStringLiteral("X")}});
}

// A booking of the customer with one unit row and one invoice line.
qint32 addStay(qint32 customer, const QString& from, const QString& to)
{
    const qint32 b = addBooking(from, to, {{"customerid", customer}}, {1});
    addLine(b, 1, "100", 0, QString(), {{"itemid", 1}, {"name", QStringLiteral("Stay")}});
    return b;
}

int rowsOf(qint32 customer)
{
    return objConn
        .scalar(QStringLiteral("SELECT (SELECT count(*) FROM customer WHERE id = ?) "
                               "+ (SELECT count(*) FROM booking WHERE customerid = ?) "
                               "+ (SELECT count(*) FROM bookingroom WHERE bookingid IN "
                               "   (SELECT id FROM booking WHERE customerid = ?))"),
                {customer, customer, customer})
        .toInt();
}

int lines()
{
    return objConn.scalar(QStringLiteral("SELECT count(*) FROM invoiceline")).toInt();
}

}  // namespace

class TestCustomerDeletion : public DbTest {
    Q_OBJECT
    int refills = 0;

    bool remove(qint64 id)
    {
        return DeleteCustomer(id, kRefusal, [this] { ++refills; });
    }

private slots:
    void init()
    {
        openDb();
        refills = 0;
    }

    void cleanup() { closeDb(); }

    void bookingsNotOverKeepTheCustomer()
    {
        // Arriving today; departing today just after midnight or late; in the future.
        const qint32 arriving = addCustomer("Arriving");
        addStay(arriving, at(0, "14:00:00"), at(2, "10:00:00"));
        const qint32 early = addCustomer("Early");
        addStay(early, at(-3, "14:00:00"), at(0, "00:30:00"));
        const qint32 late = addCustomer("Late");
        addStay(late, at(-3, "14:00:00"), at(0, "23:00:00"));
        const qint32 coming = addCustomer("Coming");
        addStay(coming, at(-30, "14:00:00"), at(-29, "10:00:00"));
        addStay(coming, at(300, "14:00:00"), at(302, "10:00:00"));

        for (qint32 id : {arriving, early, late, coming}) {
            fakes().messageBoxes->clear();
            QVERIFY(!remove(id));
            QCOMPARE(fakes().messageBoxes->shown.size(), 1);
            const ShownMessage m = fakes().messageBoxes->shown.first();
            QCOMPARE(m.prompt, kRefusal);
            QCOMPARE(m.style, int(vbCritical | vbOKOnly));
            QCOMPARE(m.title, QStringLiteral("Can not delete customer."));
        }
        QCOMPARE(rowsOf(arriving) + rowsOf(early) + rowsOf(late), 9);
        QCOMPARE(rowsOf(coming), 5);
        QCOMPARE(refills, 0);

        // No customer selected: nothing at all.
        fakes().messageBoxes->clear();
        QVERIFY(!remove(0));
        QVERIFY(!remove(-1));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }

    void pastBookingsGoWithTheCustomerAfterTheQuestion()
    {
        const qint32 past = addCustomer("Past");
        addStay(past, at(-3, "14:00:00"), at(-1, "23:59:00"));
        addStay(past, at(-400, "14:00:00"), at(-398, "10:00:00"));
        const qint32 bystander = addCustomer("Bystander");
        addStay(bystander, at(-3, "14:00:00"), at(-1, "10:00:00"));
        const int linesBefore = lines();

        for (int answer : {int(vbNo), int(vbCancel)}) {
            fakes().messageBoxes->clear();
            fakes().messageBoxes->answers = {answer};
            QVERIFY(!remove(past));
            QCOMPARE(rowsOf(past), 5);
        }
        const ShownMessage question = fakes().messageBoxes->shown.first();
        QCOMPARE(question.title, QStringLiteral("Confirm customer deletion."));
        QCOMPARE(question.style, int(vbQuestion | vbYesNoCancel));
        QCOMPARE(question.prompt, QStringLiteral("Deleting this customer will also remove all past reservations. "
                                                 "This would affect historic reports. Are you sure you want to "
                                                 "delete this customer?"));

        fakes().messageBoxes->answers = {vbYes};
        QVERIFY(remove(past));
        QCOMPARE(rowsOf(past), 0);
        QCOMPARE(rowsOf(bystander), 3);
        QCOMPARE(lines(), linesBefore);   // the invoice lines stay
        QCOMPARE(refills, 1);

        // Without bookings: no question.
        fakes().messageBoxes->clear();
        const qint32 none = addCustomer("None");
        QVERIFY(remove(none));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
        QCOMPARE(rowsOf(none), 0);
    }

    void aFailureMidwayLeavesEveryRow()
    {
        const qint32 past = addCustomer("Past");
        addStay(past, at(-3, "14:00:00"), at(-2, "10:00:00"));
        addStay(past, at(-9, "14:00:00"), at(-8, "10:00:00"));
        objConn.execute(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON customer "
                                       "BEGIN SELECT RAISE(ABORT, 'kept'); END"));
        fakes().messageBoxes->answers = {vbYes};
        bool failed = false;
        try {
            remove(past);
        } catch (const AppError&) {
            failed = true;
        }
        QVERIFY(failed);
        QCOMPARE(rowsOf(past), 5);
        QCOMPARE(refills, 0);
    }
};

TARLOMY_TEST_MAIN(TestCustomerDeletion)
#include "tst_customerdeletion.moc"
