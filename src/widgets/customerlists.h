#pragma once
// The customer search lists (the booking wizard's picker and the customer
// search dialog): the same columns and cells, read page by page.
#include "core/customerstore.h"
#include "widgets/pagedmodel.h"

// "Name", "Address", "Postcode", "Phone", with their widths in twips.
QList<PagedModel::Column> CustomerSearchColumns();
int CustomerSearchColumnWidth(int column);
// The cells of one customer: first and last name; address1 with ", " and
// address2 when there is one; postcode; work phone.
PagedRow CustomerSearchRow(const CustomerStore::ListRow& c);
// The list of model becomes the customers matching the criteria (every one
// when none is filled), read page by page in list order, each row made by
// makeRow; with counted, the model can count them all.
void SetCustomerList(PagedModel* model, const QList<CustomerStore::Criterion>& criteria,
                     PagedRow (*makeRow)(const CustomerStore::ListRow&) = CustomerSearchRow, bool counted = false);
// The same list standing whole in its view (PagedModel::setWholeList): its
// scroll bar covers every customer, and a place scrolled to is found through
// the list index.
void SetWholeCustomerList(PagedModel* model, const QList<CustomerStore::Criterion>& criteria,
                          PagedRow (*makeRow)(const CustomerStore::ListRow&) = CustomerSearchRow);
