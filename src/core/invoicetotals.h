#pragma once
// A booking's figures. No total is ever stored: the charges are the invoice
// lines plus the tip, so every window and document computes them here, and
// all of them show the same figures for the same booking.
#include "core/invoicelinestore.h"
#include "core/money.h"

#include <QHash>
#include <QList>
#include <QString>

// The name shown for the first tax: the tax name the lines carry when they
// all carry the same one (a leading line without a name is passed over), else
// "Tax of:", also when there are no lines.
QString FirstTaxName(const QList<InvoiceLine>& lines);

// The figures of a booking. Every amount is rounded to the cents it is shown
// in (halves to even), and the total is the sum of the amounts as shown, so
// that subtotal + taxes + tip on any page or document add up to the total:
//   subTotal      the lines' totals, tax excluded
//   salesTax1     the lines' own taxes, each line rounded to the ten-thousandth
//   salesTax2     the second sales tax (tax rate 3) on the whole subtotal,
//                 charged only while the setting EnabledSalesTax2 is on, and
//                 like a line's tax only at a rate above 0
//   tip           the booking's tip
//   totalPayable  subTotal + salesTax1 + salesTax2 + tip
//   payments      the amount the customer paid
//   balanceDue    totalPayable - payments
// The c... texts are the same amounts as currency texts in the user's locale.
struct BookingTotals {
    Money subTotal, salesTax1, salesTax2, tip, totalPayable, payments, balanceDue;
    QString cSubTotal, cSalesTax1, cSalesTax2, cTip, cTotalPayable, cPayments, cBalanceDue;

    bool salesTax2Enabled = false;      // the setting EnabledSalesTax2
    bool salesTax2RateFound = false;    // tax rate 3 exists
    double salesTax2Percentage = 0;     // the percentage charged, when it exists
};

// The figures of a booking from the database: its lines, its Tip and its
// AmountPayed (Null counts as 0). A booking that does not exist has tip and
// payments 0 and the totals of whatever lines carry its id.
BookingTotals CalcTotal(qint32 bookingId);
// The same, for lines already read from the booking.
BookingTotals CalcTotal(qint32 bookingId, const QList<InvoiceLine>& lines);

// The same figures for given lines, tip and payments (the payment page passes
// what its boxes hold before they are saved).
BookingTotals TotalsOfLines(const QList<InvoiceLine>& lines, Money tip, Money payments);

// What customers were charged and paid over all their bookings: due is the
// sum of the bookings' total payable, as CalcTotal gives each, paid the sum
// of their payments as stored (Null counts as 0).
struct CustomerBalance {
    Money due, paid;
    Money owed() const { return due - paid; }
};
// The balances of the given customers, from one pass over their bookings
// and lines; a customer without bookings is not in the result.
QHash<qint32, CustomerBalance> CustomerBalances(const QList<qint64>& customerIds);
// The same for every customer who has a booking.
QHash<qint32, CustomerBalance> AllCustomerBalances();

// The rate of the second sales tax charged on every booking now, 0 when
// none is: balances worked out at another rate are no longer right.
double SecondTaxCharged();

// The commission on a total payable at a percentage, to the cent.
Money CommissionOf(Money totalPayable, double percentage);
