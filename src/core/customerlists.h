#pragma once
// The customer search lists (the booking wizard's picker and the customer
// search dialog): the same columns and cells, read page by page.
#include "core/customerstore.h"
#include "core/pagedmodel.h"

// "Name", "Address", "Postcode", "Phone", with their widths in twips.
QList<PagedModel::Column> CustomerSearchColumns();
int CustomerSearchColumnWidth(int column);
// The cells of one customer: first and last name; address1 with ", " and
// address2 when there is one; postcode; work phone.
PagedRow CustomerSearchRow(const CustomerStore::ListRow& c);
// Reads the customers matching the criteria (every one when none is filled).
PagedModel::PageReader CustomerSearchReader(const QList<CustomerStore::Criterion>& criteria);
PagedModel::Counter CustomerSearchCounter(const QList<CustomerStore::Criterion>& criteria);
