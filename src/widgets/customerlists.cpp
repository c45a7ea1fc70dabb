#include "widgets/customerlists.h"

QList<PagedModel::Column> CustomerSearchColumns()
{
    const Qt::Alignment leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
    return {{QStringLiteral("Name")},
            {QStringLiteral("Address"), leftCentre},
            {QStringLiteral("Postcode"), leftCentre},
            {QStringLiteral("Phone")}};
}

int CustomerSearchColumnWidth(int column)
{
    static const int widths[] = {2400, 1600, 1100, 1600};
    return column >= 0 && column < 4 ? widths[column] : 0;
}

PagedRow CustomerSearchRow(const CustomerStore::ListRow& c)
{
    QString address = c.address1;
    if (!c.address2.isEmpty())
        address += QStringLiteral(", ") + c.address2;
    return {c.id, {c.firstName + u' ' + c.lastName, address, c.postCode, c.phone}, c.key};
}

namespace {

// A page of the customers the criteria choose, each made a list row.
auto PageReader(const QList<CustomerStore::Criterion>& criteria, PagedRow (*makeRow)(const CustomerStore::ListRow&))
{
    return [criteria, makeRow](const QVariantList* key, bool forward, int limit) {
        QList<PagedRow> rows;
        for (const CustomerStore::ListRow& c : CustomerStore::listPage(criteria, key, forward, limit))
            rows << makeRow(c);
        return rows;
    };
}

}  // namespace

void SetCustomerList(PagedModel* model, const QList<CustomerStore::Criterion>& criteria,
                     PagedRow (*makeRow)(const CustomerStore::ListRow&), bool counted)
{
    model->setKeyset(
        PageReader(criteria, makeRow),
        [criteria](const QVariantList& key) { return CustomerStore::countBefore(criteria, key); },
        counted ? PagedModel::Counter([criteria] { return qint64(CustomerStore::matchCount(criteria)); })
                : PagedModel::Counter());
}

void SetWholeCustomerList(PagedModel* model, const QList<CustomerStore::Criterion>& criteria,
                          PagedRow (*makeRow)(const CustomerStore::ListRow&))
{
    model->setWholeList(
        PageReader(criteria, makeRow),
        [criteria](const QVariantList& key) { return CustomerStore::countBefore(criteria, key); },
        [criteria] { return qint64(CustomerStore::matchCount(criteria)); },
        [criteria](qint64 offset, bool fromEnd) { return CustomerStore::keyAt(criteria, offset, fromEnd); });
}
