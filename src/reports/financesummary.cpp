#include "reports/financesummary.h"

#include "core/format.h"
#include "core/invoicetotals.h"
#include "reports/reportstore.h"

#include <QHash>

namespace {

QString Line(const QString& label, Money amount)
{
    return label + QStringLiteral(" - ") + Fmt::currency(amount);
}

}  // namespace

void FinanceSummaryLines(QStringList* lines)
{
    struct Item {
        qint64 id;
        QString name;
    };
    QList<Item> items;
    for (Query r = ReportStore::ItemsByName(); r.next();)
        items.append({r.integer(0), r.text(1)});

    // One pass over the invoice lines gives each item's total and each tax
    // name's total. Lines alike in item, tax, amount and quantity come as one
    // group with their number: each of them adds the same value and tax.
    QHash<qint64, Money> itemTotals;
    QList<QPair<QString, Money>> taxes;
    QString current;
    Money taxTotal;
    for (Query r = ReportStore::InvoiceLineGroupsByTaxName(); r.next();) {
        InvoiceLine line;
        line.amount = r.money(3);
        line.quantity = r.value(4).toDouble();
        const Money value = line.itemTotal();
        const qint64 alike = r.integer(5);
        itemTotals[r.integer(0)] += value * alike;

        const QString name = r.text(1);
        if (!name.isEmpty() && name != current) {
            if (!current.isEmpty())
                taxes.append({current, taxTotal});
            current = name;
            taxTotal = Money();
        }
        // Charged as the booking charged it: a rate of 0 or less is no tax.
        const double percentage = ChargedTaxPercentage(r.value(2).toDouble());
        if (percentage != 0)
            taxTotal += value.percent(percentage) * alike;
    }
    if (!current.isEmpty())
        taxes.append({current, taxTotal});

    for (const Item& item : items)
        if (item.id == 1)
            lines->append(Line(QStringLiteral("Reservations"), itemTotals.value(1)));
    for (const Item& item : items)
        if (item.id == 2)
            lines->append(Line(QStringLiteral("Other sales"), itemTotals.value(2)));
    for (const auto& [name, total] : taxes)
        lines->append(Line(name + QStringLiteral(" (Sales Tax)"), total));
    for (const Item& item : items)
        if (item.id != 1 && item.id != 2)
            lines->append(Line(item.name, itemTotals.value(item.id)));

    for (Query r = ReportStore::CommissionTotals(); r.next();) {
        lines->append(Line(r.text(0) + QStringLiteral(" (Commission Due)"), r.money(1)));
        lines->append(Line(r.text(0) + QStringLiteral(" (Commission Payment)"), r.money(2)));
    }
}

