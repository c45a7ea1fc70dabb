#include "booking/bookingsummaryview.h"

#include "booking/bookingtexts.h"
#include "core/customerstore.h"
#include "widgets/guard.h"
#include "widgets/linklabel.h"
#include "widgets/platform.h"
#include "core/invoicetotals.h"

#include <QLabel>

BookingSummaryView::BookingSummaryView(QWidget* host) : QObject(host)
{
    auto label = [host](const char* name) { return host->findChild<QLabel*>(QString::fromLatin1(name)); };
    dates = label("lblConfirmDates");
    adultsChildren = label("lblConfirmAdultsChildren");
    contact = label("lblConfirmContact");
    emailLink = label("lblEmail");
    balanceDue = label("lblConfirm_0");
    subTotal = label("lblConfirm_2");
    salesTax = label("lblConfirm_3");
    totalPayable = label("lblConfirm_4");
    payments = label("lblConfirm_5");
    paymentMethod = label("lblConfirm_6");
    cardType = label("lblConfirm_7");
    cardNo = label("lblConfirm_8");
    cardExpiry = label("lblConfirm_9");
    salesTax2 = label("lblConfirm_10");
    tip = label("lblConfirm_11");
    if (auto* link = qobject_cast<LinkLabel*>(emailLink))
        connect(link, &LinkLabel::clicked, this, guarded([this] { openEmail(); }));
}

QList<QLabel*> BookingSummaryView::values() const
{
    return {dates,   adultsChildren, contact,       balanceDue, subTotal, salesTax,   totalPayable, payments,
            paymentMethod, cardType, cardNo, cardExpiry, salesTax2, tip};
}

void BookingSummaryView::clear()
{
    for (QLabel* label : values())
        if (label)
            label->clear();
    m_email.clear();
}

std::optional<BookingRecord> BookingSummaryView::show(qint32 bookingId)
{
    clear();
    const std::optional<BookingRecord> b = BookingStore::read(bookingId);
    if (!b)
        return b;
    auto put = [](QLabel* label, const QString& text) {
        if (label)
            label->setText(text);
    };
    put(dates, BookingPeriodText(b->from, b->to));
    put(adultsChildren, AdultsChildrenText(b->noAdults, b->noKids));
    put(paymentMethod, b->paymentMethod);
    put(cardType, b->creditCardType);
    put(cardNo, b->creditCardNo);
    put(cardExpiry, b->creditCardExpiry);

    if (b->customerId != 0) {
        if (const std::optional<CustomerRecord> c = CustomerStore::read(b->customerId)) {
            put(contact, ContactBlockText(*c));
            m_email = c->email;
        }
    }

    const BookingTotals t = CalcTotal(bookingId);
    put(subTotal, t.cSubTotal);
    put(salesTax, t.cSalesTax1);
    put(salesTax2, t.cSalesTax2);
    put(tip, t.cTip);
    put(totalPayable, t.cTotalPayable);
    put(payments, t.cPayments);
    put(balanceDue, t.cBalanceDue);
    return b;
}

void BookingSummaryView::openEmail() const
{
    OpenOrTell(QStringLiteral("mailto:") + m_email, QStringLiteral("Unable to open the mail program."));
}
