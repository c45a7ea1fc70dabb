// The customers panel and the customer search dialog: their first screens.
#include "app/frmmain.h"
#include "benchsupport.h"
#include "core/db.h"
#include "customers/customerspanel.h"
#include "customers/frmfindcustomer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

// View Customers, all customers (0) or those owing money (1): the list until
// its first screen is painted.
void BM_CustomersPanelFirstScreen(benchmark::State& state)
{
    frmMain& main = MainOnBenchDb();
    SilenceMessageBoxes();
    main.mnuCustomersView_Click();
    CustomersPanel* panel = main.customers();
    panel->SetView(int(state.range(0)));
    for (auto _ : state) {
        panel->RefreshCustomerScreen(1, 0);
        Paint(panel->findChild<QAbstractItemView*>(QStringLiteral("gcust")));
    }
    state.counters["rows_loaded"] = panel->findChild<QAbstractItemView*>(QStringLiteral("gcust"))->model()->rowCount();
    panel->SetView(0);
}
BENCHMARK(BM_CustomersPanelFirstScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Find Customer with a few letters in the last-name box: the search, its
// count and the first screen of matches painted.
void BM_FindCustomerFirstScreen(benchmark::State& state)
{
    OpenBenchDb();
    SilenceMessageBoxes();
    frmFindCustomer dialog;
    dialog.findChild<QLineEdit*>(QStringLiteral("txtLastname"))->setText(QStringLiteral("an"));
    auto* grid = dialog.findChild<QAbstractItemView*>(QStringLiteral("gcust"));
    for (auto _ : state) {
        dialog.RefreshCustomerScreen(1, 0);
        Paint(grid);
    }
    state.counters["rows_loaded"] = grid->model()->rowCount();
}
BENCHMARK(BM_FindCustomerFirstScreen)->Unit(benchmark::kMillisecond);

// The same, until the count of matches is shown beside them.
void BM_FindCustomerCount(benchmark::State& state)
{
    OpenBenchDb();
    SilenceMessageBoxes();
    frmFindCustomer dialog;
    dialog.findChild<QLineEdit*>(QStringLiteral("txtLastname"))->setText(QStringLiteral("an"));
    auto* count = dialog.findChild<QLabel*>(QStringLiteral("lblTotalCustomers"));
    for (auto _ : state) {
        dialog.RefreshCustomerScreen(1, 0);
        while (count->text().isEmpty())
            QCoreApplication::processEvents();
    }
    state.counters["matches"] = count->text().toDouble();
}
BENCHMARK(BM_FindCustomerCount)->Unit(benchmark::kMillisecond);

// The owed view scrolled to its end: what every customer owes, from one
// pass over their bookings and lines, a chunk of customers at a time.
void BM_CustomersOwedToTheEnd(benchmark::State& state)
{
    frmMain& main = MainOnBenchDb();
    SilenceMessageBoxes();
    main.mnuCustomersView_Click();
    CustomersPanel* panel = main.customers();
    panel->SetView(1);
    QAbstractItemModel* model = panel->findChild<QAbstractItemView*>(QStringLiteral("gcust"))->model();
    for (auto _ : state) {
        panel->RefreshCustomerScreen(1, 0);
        while (model->canFetchMore(QModelIndex()))
            model->fetchMore(QModelIndex());
    }
    state.counters["owing"] = model->rowCount();
    panel->SetView(0);
}
BENCHMARK(BM_CustomersOwedToTheEnd)->Unit(benchmark::kMillisecond);

}  // namespace
