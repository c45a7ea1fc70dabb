// The customers panel and the customer search dialog: their first screens.
#include "app/frmmain.h"
#include "benchsupport.h"
#include "core/bookingstore.h"
#include "widgets/customerlists.h"
#include "core/customerstore.h"
#include "core/db.h"
#include "widgets/grid.h"
#include "widgets/pagedmodel.h"
#include "customers/customerspanel.h"
#include "customers/frmfindcustomer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <functional>

namespace {

// The customers panel shown in a view (0 all customers, 1 those who owe
// money), and its list.
CustomersPanel* ShownPanel(int view, QTableView** grid)
{
    frmMain& main = MainOnBenchDb();
    SilenceMessageBoxes();
    main.mnuCustomersView_Click();
    CustomersPanel* panel = main.customers();
    panel->SetView(view);
    *grid = panel->findChild<QTableView*>(QStringLiteral("gcust"));
    return panel;
}

// The customers panel in the view of the case's argument (0 all customers,
// 1 those who owe money, whose balances the first pages work out a chunk of
// customers at a time and a longer read in one pass over the bookings),
// refilled from its first row and then taken on by then.
void PanelCase(benchmark::State& state, const std::function<void(QAbstractItemView*)>& then)
{
    QTableView* grid = nullptr;
    CustomersPanel* panel = ShownPanel(int(state.range(0)), &grid);
    for (auto _ : state) {
        panel->RefreshCustomerScreen(1, 0);
        then(grid);
    }
    state.counters["rows_loaded"] = grid->model()->rowCount();
    panel->SetView(0);
}

// A list scrolled to its end, a page at a time.
int64_t ReadToTheEnd(QAbstractItemModel* model)
{
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
    return model->rowCount();
}

// The list read to its end and taken to its last row: that row's place.
qint64 ReadToTheLastPlace(QTableView* grid)
{
    ReadToTheEnd(grid->model());
    PressCtrlEnd(grid);
    return CurrentPlace(grid, qobject_cast<PagedModel*>(grid->model()));
}

// View Customers: the list until its first screen is painted.
void BM_CustomersPanelFirstScreen(benchmark::State& state) { PanelCase(state, Paint); }
// The list scrolled to its end.
void BM_CustomersToTheEnd(benchmark::State& state)
{
    PanelCase(state, [](QAbstractItemView* grid) { ReadToTheEnd(grid->model()); });
}
// The list taken to its last row with Ctrl+End, once before the figures
// (the owing customers' balances are then worked out), then again after
// each refill.
void BM_CustomersCtrlEnd(benchmark::State& state)
{
    QTableView* grid = nullptr;
    CustomersPanel* panel = ShownPanel(int(state.range(0)), &grid);
    PressCtrlEnd(grid);
    for (auto _ : state) {
        panel->RefreshCustomerScreen(1, 0);
        PressCtrlEnd(grid);
        Paint(grid);
    }
    state.counters["rows_loaded"] = grid->model()->rowCount();
    panel->SetView(0);
}
BENCHMARK(BM_CustomersPanelFirstScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomersToTheEnd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomersCtrlEnd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The panel shown in a view (the first argument) and read to its end once,
// then refilled on the row at a depth (the second argument, in hundredths
// of the list), as after Edit, Delete or View History there.
void BM_CustomersPanelRefill(benchmark::State& state)
{
    QTableView* grid = nullptr;
    CustomersPanel* panel = ShownPanel(int(state.range(0)), &grid);
    const qint64 total = ReadToTheLastPlace(grid);
    const qint64 place = std::max<qint64>(1, total * state.range(1) / 100);
    panel->RefreshCustomerScreen(place, 0);
    for (auto _ : state) {
        panel->RefreshCustomerScreen(place, 0);
        Paint(grid);
    }
    state.counters["row"] = double(place);
    panel->SetView(0);
}
BENCHMARK(BM_CustomersPanelRefill)->Args({0, 1})->Args({0, 99})->Args({1, 1})->Args({1, 99})
    ->Unit(benchmark::kMillisecond);

// Edit on the customer halfway down the list (the argument: the view), the
// dialog answered OK at once: the list refilled on that row after the save.
void BM_CustomersPanelEditAtDepth(benchmark::State& state)
{
    QTableView* grid = nullptr;
    CustomersPanel* panel = ShownPanel(int(state.range(0)), &grid);
    const qint64 place = ReadToTheLastPlace(grid) / 2;
    panel->RefreshCustomerScreen(place, 0);
    for (auto _ : state) {
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                if (auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdOk")))
                    ok->click();
        });
        panel->cmdEditCustomer_Click();
        Paint(grid);
    }
    state.counters["row"] = double(place);
    panel->SetView(0);
}
BENCHMARK(BM_CustomersPanelEditAtDepth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The view chosen afresh and read to its end, a page at a time: the owing
// customers' balances worked out once, as on the first showing.
void BM_CustomersShownAndReadToTheEnd(benchmark::State& state)
{
    frmMain& main = MainOnBenchDb();
    SilenceMessageBoxes();
    main.mnuCustomersView_Click();
    CustomersPanel* panel = main.customers();
    auto* grid = panel->findChild<QTableView*>(QStringLiteral("gcust"));
    for (auto _ : state) {
        panel->SetView(1 - int(state.range(0)));
        panel->SetView(int(state.range(0)));
        ReadToTheEnd(grid->model());
        PressCtrlEnd(grid);
        Paint(grid);
    }
    panel->SetView(0);
}
BENCHMARK(BM_CustomersShownAndReadToTheEnd)->Arg(1)->Unit(benchmark::kMillisecond);

// Ten presses of Page Down from the first row, each screen painted.
void BM_CustomersPageDown(benchmark::State& state)
{
    PanelCase(state, [](QAbstractItemView* grid) {
        for (int i = 0; i < 10; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            QCoreApplication::sendEvent(grid, &press);
            Paint(grid);
        }
    });
}
BENCHMARK(BM_CustomersPageDown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The scroll bar's thumb of all customers dragged to one place after
// another: each place shown and painted.
void BM_CustomersThumbDrag(benchmark::State& state)
{
    QTableView* grid = nullptr;
    CustomersPanel* panel = ShownPanel(0, &grid);
    panel->RefreshCustomerScreen(1, 0);
    QScrollBar* bar = grid->verticalScrollBar();
    static const int hundredths[] = {50, 3, 97, 25, 75, 0, 100, 60, 40};
    int step = 0;
    for (auto _ : state) {
        bar->setValue(int(qint64(bar->maximum()) * hundredths[step++ % 9] / 100));
        Paint(grid);
    }
    state.counters["bar_maximum"] = bar->maximum();
}
BENCHMARK(BM_CustomersThumbDrag)->Unit(benchmark::kMillisecond);

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

// Find Customer "a" in the last-name box, scrolled to its end.
void BM_FindCustomerToTheEnd(benchmark::State& state)
{
    OpenBenchDb();
    SilenceMessageBoxes();
    frmFindCustomer dialog;
    dialog.findChild<QLineEdit*>(QStringLiteral("txtLastname"))->setText(QStringLiteral("a"));
    auto* grid = dialog.findChild<QAbstractItemView*>(QStringLiteral("gcust"));
    for (auto _ : state) {
        dialog.RefreshCustomerScreen(1, 0);
        ReadToTheEnd(grid->model());
    }
    state.counters["rows"] = grid->model()->rowCount();
}
BENCHMARK(BM_FindCustomerToTheEnd)->Unit(benchmark::kMillisecond);

}  // namespace

// Lists at depth, read by key: on the 100-year file the anchor lies near row
// 198,000 of the customers (argument 0: all of them, 1: Find Customer "a").
namespace {

QList<CustomerStore::Criterion> DepthCriteria(int64_t which)
{
    if (which == 0)
        return {};
    return {{QStringLiteral("lastname"), QStringLiteral("a")}, {QStringLiteral("firstname"), QStringLiteral("a")}};
}

// The key of the row some 2,000 rows from the end, and its place.
std::pair<QVariantList, qint64> DeepAnchor(PagedModel& model)
{
    model.setPageSize(2000);
    model.loadEnd();
    return {model.keyAt(model.base()), model.base()};
}

// One page of 60 rows after the deep row.
void BM_CustomerPageAtDepth(benchmark::State& state)
{
    OpenBenchDb();
    PagedModel model(CustomerSearchColumns());
    const QList<CustomerStore::Criterion> criteria = DepthCriteria(state.range(0));
    SetCustomerList(&model, criteria);
    const auto [key, place] = DeepAnchor(model);
    for (auto _ : state)
        benchmark::DoNotOptimize(CustomerStore::listPage(criteria, &key, true, 60));
    state.counters["row"] = double(place);
}
BENCHMARK(BM_CustomerPageAtDepth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The refill after Edit, Delete or View History on the deep row: the count
// before its key and the page around it, the row selected.
void BM_CustomerRefillAtDepth(benchmark::State& state)
{
    OpenBenchDb();
    PagedModel model(CustomerSearchColumns());
    QTableView g;
    SetGridModel(&g, &model);
    const QList<CustomerStore::Criterion> criteria = DepthCriteria(state.range(0));
    SetCustomerList(&model, criteria);
    const auto [key, place] = DeepAnchor(model);
    model.setPageSize(60);
    for (auto _ : state)
        RefillAndSelect(&g, &model, place + 1, 0, key);
    state.counters["row"] = double(place);
}
BENCHMARK(BM_CustomerRefillAtDepth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The booking search from a hundred years back: its last page, after the
// key of the booking before it.
void BM_FindBookingLastPage(benchmark::State& state)
{
    OpenBenchDb();
    BookingSearch search(QDate::currentDate().addYears(-101), QDate());
    QVariantList key;
    {
        Query q = objConn.query(QStringLiteral("SELECT fromdate, todate, id FROM booking "
                                               "ORDER BY fromdate DESC, todate DESC, id DESC LIMIT 31"));
        while (q.next())
            key = {q.value(0), q.value(1), q.value(2)};
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(search.page(&key, true, 60));
}
BENCHMARK(BM_FindBookingLastPage)->Unit(benchmark::kMillisecond);

}  // namespace
