// The record stores: every column of a booking and of a customer goes in and
// comes back as it was; the reserved rows named in the code are the rows the
// default database holds; and the desktop's opener never keeps the program
// waiting.
#include "support/testsupport.h"

#include "core/bookingstore.h"
#include "core/customerstore.h"
#include "core/db.h"
#include "core/reserved.h"
#include "core/rowscan.h"

#include <QElapsedTimer>
#include <QFile>

class TestStores : public DbTest {
    Q_OBJECT

private slots:
    void init() { openDb(); }
    void cleanup()
    {
        platform().useDesktop();
        installFakes();
    }

    // However another program stored an amount, the fast row reader reads it
    // as a query does.
    void storedAmountsReadAlikeByEveryReader_data()
    {
        QTest::addColumn<QString>("stored");
        for (const char* v : {"123456", "-7", "12.5", "12.4999", "-0.5", "'12.34'", "'abc'", "X'3432'", "NULL"})
            QTest::newRow(v) << QString::fromLatin1(v);
    }
    void storedAmountsReadAlikeByEveryReader()
    {
        QFETCH(QString, stored);
        objConn.execute(QStringLiteral("UPDATE invoiceline SET amount = ") + stored);
        objConn.execute(QStringLiteral("INSERT INTO invoiceline (bookingid, itemid, quantity, name, amount) "
                                       "VALUES (0, 1, 1, 'x', ") + stored + u')');
        RowScan scan(QStringLiteral("SELECT amount FROM invoiceline"));
        QVERIFY(scan.next());
        QCOMPARE(scan.money(0), Money::fromDb(objConn.scalar(QStringLiteral("SELECT amount FROM invoiceline"))));
    }

    void bookingRoundTrip()
    {
        const QDateTime from(QDate(2025, 3, 3), QTime(9, 0));
        const QDateTime to(QDate(2025, 3, 5), QTime(14, 30));
        const qint32 id = BookingStore::addPlaceholder(from, to);
        std::optional<BookingRecord> b = BookingStore::read(id);
        QVERIFY(b && BookingStore::exists(id) && !BookingStore::exists(id + 1) && !BookingStore::read(id + 1));
        // A new booking: the table's defaults, no customer, nothing chosen.
        QVERIFY(b->id == id && b->from == from && b->to == to && !b->hasCustomer && b->customerId == 0);
        QVERIFY(b->noAdults.toInt() == 2 && b->noKids.toInt() == 0 && b->bookedBy.isEmpty());
        QVERIFY(b->commissionId == std::optional<qint64>(CommissionAccountId::None) && !b->bookingUdfId);

        const QString hostile = hostileTexts().join(u'|');
        BookingStore::saveDates(id, hostile, to, from.addDays(9));
        BookingStore::saveNotes(id, hostile + QStringLiteral("\nline two"));
        BookingStore::saveGuestCounts(id, 3, QVariant());
        BookingStore::saveCustomer(id, 70000);
        BookingStore::saveCustomField(id, 4);
        BookingStore::Payment p;
        p.paymentMethod = QStringLiteral("Visa");
        p.tip = money("2.5");
        p.amountPayed = money("100");
        p.commissionAmount = money("12.3456");
        p.commissionId = 5;
        p.creditCardNo = QStringLiteral("4111");
        p.creditCardExpiry = QStringLiteral("12/27");
        p.creditCardType = QStringLiteral("Gold");
        BookingStore::savePayment(id, p);
        objConn.execute(QStringLiteral("UPDATE booking SET Discount = ? WHERE id = ?"), {dbValue(money("1.5")), id});

        b = BookingStore::read(id);
        QCOMPARE(b->bookedBy, hostile);
        QCOMPARE(b->notes, hostile + QStringLiteral("\nline two"));
        QVERIFY(b->from == to && b->to == from.addDays(9));
        QVERIFY(b->noAdults.toInt() == 3 && b->noKids.isNull());   // a count left out stays Null
        QVERIFY(b->hasCustomer && b->customerId == 70000 && b->bookingUdfId == std::optional<qint64>(4));
        QCOMPARE(b->paymentMethod, QStringLiteral("Visa"));
        QVERIFY(b->tip == money("2.5") && b->amountPayed == money("100") && b->commissionAmount == money("12.3456"));
        QVERIFY(b->commissionId == std::optional<qint64>(5) && b->discount == money("1.5"));
        QCOMPARE(QStringList({b->creditCardNo, b->creditCardExpiry, b->creditCardType}),
                 QStringList({"4111", "12/27", "Gold"}));

        // An amount left out keeps what is stored.
        p.tip.reset();
        p.amountPayed = money("0");
        BookingStore::savePayment(id, p);
        b = BookingStore::read(id);
        QVERIFY(b->tip == money("2.5") && b->amountPayed.isZero());

        insertRow("bookingroom", {{"bookingid", id}, {"roomid", 1}});
        insertRow("invoiceline", {{"bookingid", id}, {"itemid", ItemId::Booking}});
        BookingStore::remove(id);
        QVERIFY(!BookingStore::exists(id));
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM bookingroom WHERE bookingid = ?"), {id}).toInt(), 0);
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM invoiceline WHERE bookingid = ?"), {id}).toInt(), 0);
    }

    void customerRoundTrip()
    {
        const QStringList texts = hostileTexts();
        CustomerRecord c;
        QString* fields[] = {&c.firstName, &c.lastName, &c.businessName, &c.address1, &c.address2, &c.city,
                             &c.state,     &c.postCode, &c.country,      &c.phone,    &c.fax,      &c.email,
                             &c.mobile,    &c.homePhone};
        int i = 0;
        for (QString* f : fields) {
            *f = texts[i % texts.size()] + QString::number(i);
            ++i;
        }
        c.submittedDate = QStringLiteral("ignored");
        c.id = CustomerStore::add(c);
        QVERIFY(c.id > 0 && CustomerStore::exists(c.id) && !CustomerStore::exists(c.id + 1));
        std::optional<CustomerRecord> back = CustomerStore::read(c.id);
        QVERIFY(back);
        // Never written by the program.
        QVERIFY(back->submittedDate.isEmpty());
        i = 0;
        const CustomerRecord& r = *back;
        const QString* read[] = {&r.firstName, &r.lastName, &r.businessName, &r.address1, &r.address2, &r.city,
                                 &r.state,     &r.postCode, &r.country,      &r.phone,    &r.fax,      &r.email,
                                 &r.mobile,    &r.homePhone};
        for (const QString* f : read)
            QCOMPARE(*f, *fields[i++]);

        // Update writes every edited column of that row and no other.
        const qint64 other = CustomerStore::add(CustomerRecord{});
        for (QString* f : fields)
            f->append(QStringLiteral(" changed"));
        objConn.execute(QStringLiteral("UPDATE customer SET SubmittedDate = '2025-01-01' WHERE ID = ?"), {c.id});
        CustomerStore::update(c);
        back = CustomerStore::read(c.id);
        QVERIFY(back->homePhone.endsWith(QStringLiteral(" changed")) && back->fax == c.fax);
        QCOMPARE(back->submittedDate, QStringLiteral("2025-01-01"));
        QVERIFY(CustomerStore::read(other)->firstName.isEmpty());
        QVERIFY(!CustomerStore::read(-1));
    }

    // The reserved rows the code names are those of a new database.
    void reservedRowsMatchTheDefaultDatabase()
    {
        auto name = [](const char* table, qint32 id) {
            return objConn.scalar(QStringLiteral("SELECT name FROM %1 WHERE id = ?").arg(QLatin1String(table)), {id})
                .toString();
        };
        QCOMPARE(name("taxrate", TaxRateId::None), QStringLiteral("N/A"));
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT percentage FROM taxrate WHERE id = ?"), {TaxRateId::None})
                     .toDouble(),
                 0.0);
        QCOMPARE(name("taxrate", TaxRateId::First), QStringLiteral("Sales Tax"));
        QCOMPARE(name("taxrate", TaxRateId::Second), QStringLiteral("Sales Tax2"));
        QCOMPARE(name("item", ItemId::Booking), QStringLiteral("Booking"));
        QCOMPARE(name("item", ItemId::NewItem), QStringLiteral("New Item..."));
        QCOMPARE(name("commission", CommissionAccountId::None), QStringLiteral("No Commission"));
        QCOMPARE(name("BookingUDF", BookingUdfId::Default), QStringLiteral("Not Selected"));
    }

    // The opener is started and left to run; a failure it ends with is told
    // afterwards, through the same reasons.
    void desktopOpenerNeverWaits()
    {
        QTemporaryDir bin;
        QFile opener(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\nsleep 1\nexit 3\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
        platform().useDesktop();

        QList<int> late;
        QElapsedTimer clock;
        clock.start();
        const int started = platform().shell().open(QStringLiteral("https://example.org/"),
                                                    [&late](int result) { late << result; });
        QVERIFY2(clock.elapsed() < 500, "the opener was waited for");
        QCOMPARE(started, int(SE_OK));
        QTRY_COMPARE_WITH_TIMEOUT(late, QList<int>({int(SE_ERR_NOASSOC)}), 10000);

        // What is known at once is answered at once.
        QCOMPARE(platform().shell().open(db->folder() + QStringLiteral("missing.rtf")), int(SE_ERR_FNF));
        qputenv("PATH", path);
    }
};

TARLOMY_TEST_MAIN(TestStores)
#include "tst_stores.moc"
