// The reports panel: its statistics on a small history with a fixed "now",
// the series of its graphs, the chart as painted, and the graph's export.
#include "support/testsupport.h"

#include "csvreaders.h"

#include "app/frmmain.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/twips.h"
#include "reports/reportchart.h"
#include "reports/reportseries.h"
#include "reports/reportspanel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class TestReports : public DbTest {
    Q_OBJECT

    ReportsPanel* panel = nullptr;

    static qint32 booking(qint32 customerId, const char* from, QList<int> rooms = {1}, int adults = 2)
    {
        const qint32 id = insertRow("booking", {{"customerid", customerId}, {"fromdate", from},
                                                {"todate", "2030-01-01 10:00:00"}, {"noadults", adults}});
        for (int room : rooms)
            insertRow("bookingroom", {{"bookingid", id}, {"roomid", room}});
        return id;
    }
    QString figure(const char* name) { return control<QLabel>(panel, name)->text(); }
    QStringList week()
    {
        QStringList w;
        for (int i = 0; i < 7; ++i)
            w << control<QLabel>(panel, qPrintable(QStringLiteral("lblGuestDOW_%1").arg(i)))->text();
        return w;
    }
    QStringList figures(const QDateTime& now)
    {
        panel->ShowReports(now);
        QStringList f;
        for (const char* name : {"lblCapacity", "lblTotalResToday", "lblMostResDate", "lblLeastResDate",
                                 "lblMostPopMonth", "lblLeastPopMonth", "lblMostCustsDate", "lblLeastCustsDate",
                                 "lblRecCust", "lblResThisMonth", "lblResThisMonthYTD", "lblTotRes"})
            f << figure(name);
        return f;
    }
    static QStringList values(const QList<SeriesRow>& rows)
    {
        QStringList v;
        for (const SeriesRow& r : rows)
            v << r.valueText;
        return v;
    }
    static QImage paint(int style, const QList<ChartPoint>& points, ReportChart& chart)
    {
        chart.resize(420, 300);
        chart.setChart(style, points);
        QImage image(chart.size(), QImage::Format_RGB32);
        chart.render(&image);
        return image;
    }
    static int countColour(const QImage& image, int x, const QColor& colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += image.pixelColor(x, y) == colour;
        return n;
    }
    static bool near(const QImage& image, QPoint p, const QColor& colour)
    {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (image.pixelColor(p + QPoint(dx, dy)) == colour)
                    return true;
        return false;
    }

private slots:
    void init()
    {
        resetProgramState();
        loadMain();
        panel = main->reports();
    }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void statisticsOfAnEmptyAndASmallHistory()
    {
        const QDateTime wednesday(QDate(2025, 3, 12), QTime(10, 0));
        QCOMPARE(figures(wednesday), QStringList({"n/a", "0", "n/a", "n/a", "n/a", "n/a", "n/a", "n/a", "n/a", "0",
                                                  "0", "0"}));
        QCOMPARE(week(), QStringList({"0", "0", "0", "-", "-", "-", "-"}));

        objConn.execute(QStringLiteral("DELETE FROM room WHERE id = 5"));   // four units
        const qint32 ann = insertRow("customer", {{"FirstName", "Ann"}, {"LastName", "Lee"}});
        const qint32 bob = insertRow("customer", {{"FirstName", "<b>Bob</b>"}});
        booking(ann, "2025-03-12 14:00:00", {1, 2}, 1);
        booking(bob, "2025-03-12 15:00:00", {3}, 1);       // same day, another group
        booking(bob, "2025-03-10 09:00:00", {1}, 3);
        booking(0, "2025-03-10 09:00:00", {2}, 2);         // 5 adults at that moment in all
        booking(0, "2025-01-05 09:00:00", {1}, 4);         // 4 adults in one party
        booking(0, "2025-03-31 23:59:30", {1}, 1);         // after the month's last minute
        booking(0, "2024-03-01 00:00:00", {1}, 2);         // a year back
        booking(0, "2025-03-12 23:59:30", {4}, 2);         // after today's last minute
        QCOMPARE(figures(wednesday), QStringList({"75%", "3", "3/10/2025", "3/1/2024", "Mar", "Jan", "3/10/2025",
                                                  "3/12/2025", "<b>Bob</b> ", "5", "1", "8"}));
        QCOMPARE(week(), QStringList({"2", "0", "2", "-", "-", "-", "-"}));
        QCOMPARE(control<QLabel>(panel, "lblRecCust")->textFormat(), Qt::PlainText);

        // Capacity: 1 of 3 units; 2 of 2; units but no arrival today.
        objConn.execute(QStringLiteral("DELETE FROM room WHERE id = 4"));
        objConn.execute(QStringLiteral("DELETE FROM bookingroom WHERE roomid IN (2, 3)"));
        QCOMPARE(figures(wednesday).first(), QStringLiteral("33.3%"));
        objConn.execute(QStringLiteral("DELETE FROM room WHERE id = 3"));
        booking(0, "2025-03-12 08:00:00", {2});
        QCOMPARE(figures(wednesday).first(), QStringLiteral("100%"));
        QCOMPARE(figures(wednesday.addDays(1)).mid(0, 2), QStringList({"n/a", "0"}));

        // The week row from Monday (one figure) to Sunday (seven), in German too.
        panel->ShowReports(QDateTime(QDate(2025, 3, 10), QTime(8, 0)));
        QCOMPARE(week(), QStringList({"2", "-", "-", "-", "-", "-", "-"}));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        panel->ShowReports(QDateTime(QDate(2025, 3, 16), QTime(8, 0)));
        QCOMPARE(week(), QStringList({"2", "0", "3", "0", "0", "0", "0"}));

        // 29 February a year back is 28 February: February 2003 counts.
        booking(0, "2003-02-28 23:00:00");
        booking(0, "2004-02-01 23:00:00");
        panel->ShowReports(QDateTime(QDate(2004, 2, 29), QTime(8, 0)));
        QCOMPARE(figure("lblResThisMonthYTD"), QStringLiteral("1"));
        QCOMPARE(figure("lblResThisMonth"), QStringLiteral("1"));

        // A failing statement shows "n/a" for its figures only.
        objConn.execute(QStringLiteral("DROP TABLE customer"));
        panel->ShowReports(wednesday);
        QCOMPARE(figure("lblRecCust"), QStringLiteral("n/a"));
        QCOMPARE(figure("lblTotRes"), QStringLiteral("11"));
    }

    void seriesOfTheFourGraphs()
    {
        QCOMPARE(GraphSeries(ReservationsByMonth, QDate(2003, 2, 15)).size(), 28);
        QCOMPARE(GraphSeries(ReservationsByMonth, QDate(2003, 3, 31)).size(), 31);
        QCOMPARE(GraphSeries(7, QDate(2003, 3, 31)).size(), 0);

        booking(0, "2003-03-15 23:59:30");   // in its month, on no day
        booking(0, "2003-03-15 00:00:00");
        booking(0, "2003-03-31 23:59:30");   // after the month's last minute
        booking(0, "2002-04-01 00:00:00");
        const QList<SeriesRow> year = GraphSeries(ReservationsByYear, QDate(2003, 3, 15));
        QCOMPARE(year.size(), 12);
        QCOMPARE(year.first().label, QStringLiteral("Apr-2002"));
        QCOMPARE(year.first().dateText, QStringLiteral("4/1/2002"));
        QCOMPARE(year.last().label, QStringLiteral("Mar-2003"));
        QCOMPARE(values(year), QStringList({"1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "2"}));
        QCOMPARE(GraphSeries(ReservationsByMonth, QDate(2003, 3, 1))[14].valueText, QStringLiteral("1"));

        const QList<SeriesRow> week = GraphSeries(ReservationsByWeek, QDate(2003, 3, 12));   // a Wednesday
        QCOMPARE(week.first().date, QDate(2003, 3, 12));
        QCOMPARE(week.last().label, Fmt::shortDate(QDate(2003, 3, 18)));
        QCOMPARE(values(week), QStringList({"0", "0", "0", "1", "0", "0", "0"}));

        // Revenue: whole invoices of the bookings arriving that day.
        const qint32 both = booking(0, "2003-03-12 10:00:00", {1, 2});
        const qint32 other = booking(0, "2003-03-12 18:00:00", {3});
        booking(0, "2003-03-12 11:00:00", {2});   // no invoice lines
        for (auto [b, amount, qty] : {std::tuple{both, "100", 1}, {both, "20", 2}, {other, "50.5", 1}})
            insertRow("invoiceline", {{"bookingid", b}, {"itemid", 1}, {"amount", money(amount).toDb()}, {"quantity", qty}});
        QCOMPARE(values(GraphSeries(RevenueByWeek, QDate(2003, 3, 11))).mid(0, 3),
                 QStringList({"$0.00", "$190.50", "$0.00"}));
        QCOMPARE(GraphSeries(RevenueByWeek, QDate(2003, 3, 12), 2).first().valueText, QStringLiteral("$140.00"));
        QCOMPARE(GraphSeries(RevenueByWeek, QDate(2003, 3, 12), 5).first().valueText, QStringLiteral("$0.00"));
    }

    void chartPaintsEachStyle()
    {
        const QList<ChartPoint> points{{"a", 0}, {"b", 5}, {"c", 10}};
        const QColor front = ReportChart::seriesColor();
        for (int style = 0; style < 8; ++style) {
            ReportChart chart;
            const QImage image = paint(style, points, chart);
            const int x1 = int(chart.rowSlot(1).center().x()), x2 = int(chart.rowSlot(2).center().x());
            const int h5 = chart.yOf(0) - chart.yOf(5), h10 = chart.yOf(0) - chart.yOf(10);
            QVERIFY(h10 > 100 && std::abs(h10 - 2 * h5) <= 1);
            switch (style / 2) {
            case 0:   // bars in proportion
                QVERIFY(std::abs(countColour(image, x1, front) - h5) <= 2);
                QVERIFY(std::abs(countColour(image, x2, front) - h10) <= 2);
                QCOMPARE(countColour(image, int(chart.rowSlot(0).center().x()), front), 0);
                break;
            case 1:   // the line through the points
                for (int r = 0; r < 3; ++r)
                    QVERIFY(near(image, QPoint(int(chart.rowSlot(r).center().x()), chart.yOf(points[r].value)), front));
                QVERIFY(image.pixelColor(x2, (chart.yOf(0) + chart.yOf(10)) / 2) != front);
                break;
            case 2:   // area filled down to the zero line
                QVERIFY(image.pixelColor((x1 + x2) / 2, chart.yOf(0) - 3) == front);
                QVERIFY(image.pixelColor(x1, chart.yOf(5) + 3) == front);
                QVERIFY(image.pixelColor(x1, chart.yOf(10)) != front);
                break;
            case 3: {   // flat across each row, jumping at its edges
                const QRectF slot = chart.rowSlot(1);
                for (int x = int(slot.left()) + 2; x < int(slot.right()) - 2; x += 5)
                    QVERIFY(near(image, QPoint(x, chart.yOf(5)), front));
                QVERIFY(near(image, QPoint(int(chart.rowSlot(2).left()), (chart.yOf(5) + chart.yOf(10)) / 2), front));
                QVERIFY(image.pixelColor(x1, chart.yOf(5) - 10) != front);
                break;
            }
            }
            // The depth of the 3D styles: shaded faces up and to the right.
            int faces = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    faces += image.pixelColor(x, y) == ReportChart::sideColor() ||
                             image.pixelColor(x, y) == ReportChart::topColor();
            QVERIFY2((faces > 50) == (style % 2 == 0), qPrintable(QStringLiteral("style %1: %2 shaded pixels").arg(style).arg(faces)));
        }

        // Counts tick in whole numbers however few; money ticks in the
        // currency format.
        for (const QList<ChartPoint>& few : {QList<ChartPoint>{{"a", 1}}, QList<ChartPoint>{{"a", 2}, {"b", 0}},
                                             QList<ChartPoint>{{"a", 3}}, QList<ChartPoint>{}}) {
            ReportChart counts;
            counts.setChart(ReportChart::Bar2D, few);
            const QList<double> t = counts.ticks();
            QVERIFY(t.size() >= 2);
            for (double v : t)
                QCOMPARE(v, std::round(v));
        }
        ReportChart revenue;
        revenue.setChart(ReportChart::Line3D, {{"a", 0.5}, {"b", 25000}}, ReportChart::Values::Money);
        QCOMPARE(revenue.tickText(revenue.ticks().last()), Fmt::currency(Money::fromDouble(revenue.ticks().last())));
        QVERIFY(revenue.tickText(25000).startsWith(u'$'));

        // A refund below the zero line; empty and all-zero series still draw.
        ReportChart chart;
        QImage image = paint(ReportChart::Bar2D, {{"x", -5}, {"y", 5}}, chart);
        QVERIFY(chart.yOf(-5) > chart.yOf(0));
        QVERIFY(image.pixelColor(int(chart.rowSlot(0).center().x()), (chart.yOf(0) + chart.yOf(-5)) / 2) == front);
        for (const QList<ChartPoint>& empty : {QList<ChartPoint>{}, QList<ChartPoint>{{"z", 0}, {"w", 0}}}) {
            image = paint(ReportChart::Area3D, empty, chart);
            QVERIFY(image.pixelColor(chart.plotArea().left(), chart.yOf(0)) == QColor(Qt::black));
        }
    }

    // Each showing of the panel draws the chart from the bookings its figures
    // count: the first booking of a new file shows in both, whatever was
    // drawn before (and nothing is read for the chart before it is shown).
    void chartShowsTheFiguresBookings()
    {
        ReportChart* chart = panel->chart();
        QCOMPARE(chart->points().size(), 0);
        const QDate today = QDate::currentDate();
        const auto total = [chart] {
            double sum = 0;
            for (const ChartPoint& p : chart->points())
                sum += p.value;
            return sum;
        };
        for (int bookings = 0; bookings < 3; ++bookings) {
            if (bookings > 0)
                booking(0, qPrintable(today.toString(QStringLiteral("yyyy-MM-dd 00:00:01"))));
            main->mnuReports_Click();
            QCOMPARE(figure("lblTotRes"), QString::number(bookings));
            QCOMPARE(chart->points().size(), today.daysInMonth());
            QCOMPARE(total(), double(bookings));
            QCOMPARE(chart->points()[today.day() - 1].value, double(bookings));
        }
    }

    void controlsRedrawAndExport()
    {
        auto* type = control<QComboBox>(panel, "cboGraphType");
        auto* style = control<QComboBox>(panel, "cboGraphStyle");
        auto* date = control<QDateEdit>(panel, "dtReport");
        auto* room = control<QComboBox>(panel, "cboReportRoom");
        ReportChart* chart = panel->chart();
        QCOMPARE(type->currentIndex(), 0);
        main->mnuReports_Click();
        QCOMPARE(chart->points().size(), QDate::currentDate().daysInMonth());

        const qint32 b = booking(0, "2003-03-12 10:00:00", {2});
        insertRow("invoiceline", {{"bookingid", b}, {"itemid", 1}, {"amount", money("1234.5").toDb()}, {"quantity", 1}});
        date->setDate(QDate(2003, 3, 12));
        SetListIndex(style, 5);
        QCOMPARE(chart->chartType(), 5);
        gsCommodityPlural = QStringLiteral("Cabins");
        gsCommoditySingular = QStringLiteral("Cabin");
        SetListIndex(type, RevenueByWeek);
        QVERIFY(control<QWidget>(panel, "picReportRoom")->isVisibleTo(panel));
        QCOMPARE(room->itemText(0), QStringLiteral("All Cabins"));
        QCOMPARE(control<QLabel>(panel, "lblReportCommodity")->text(), QStringLiteral("Cabin:"));
        QCOMPARE(chart->points().first().value, 1234.5);
        SetListIndex(room, 1);   // "Room 1" holds nothing that day
        QCOMPARE(chart->points().first().value, 0.0);
        // A long unit word is shown whole, the list beside it.
        gsCommoditySingular = QStringLiteral("Holiday Apartment");
        SetListIndex(type, ReservationsByWeek);
        SetListIndex(type, RevenueByWeek);
        auto* caption = control<QLabel>(panel, "lblReportCommodity");
        QVERIFY(caption->width() >= caption->sizeHint().width());
        QVERIFY(room->x() >= caption->x() + caption->width());
        QCOMPARE(control<QWidget>(panel, "picReportRoom")->width(), room->x() + room->width());
        SetListIndex(type, ReservationsByWeek);
        QVERIFY(!control<QWidget>(panel, "picReportRoom")->isVisibleTo(panel));
        QCOMPARE(chart->points().first().value, 1.0);

        // Expand over the statistics and back.
        main->mnuReports_Click();
        auto* expand = control<QPushButton>(panel, "cmdExpand");
        const int narrowLeft = chart->x();
        QCOMPARE(narrowLeft, Twips::toPx(3870));
        expand->click();
        QCOMPARE(expand->text(), QStringLiteral("Shrink >>"));
        QVERIFY(!control<QGroupBox>(panel, "Frame2")->isVisibleTo(panel));
        QVERIFY(chart->x() < narrowLeft / 4);
        expand->click();
        QCOMPARE(expand->text(), QStringLiteral("<< Expand"));
        QCOMPARE(chart->x(), narrowLeft);
        QVERIFY(control<QGroupBox>(panel, "Frame2")->isVisibleTo(panel));

        // The export of each count graph: the first day of each row, its count.
        const QString counts = db->folder() + QStringLiteral("counts.csv");
        fakes().saveFile->answer = counts;
        date->setDate(QDate(2003, 2, 12));
        for (auto [graph, lines, first] : {std::tuple{0, 28, "\"2/1/2003\",\"0\""}, {1, 12, "\"3/1/2002\",\"0\""},
                                           {2, 7, "\"2/12/2003\",\"0\""}}) {
            SetListIndex(type, graph);
            control<QPushButton>(panel, "cmdReportExport")->click();
            QFile f(counts);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QList<QByteArray> got = f.readAll().split('\n');
            QCOMPARE(got.size(), lines + 2);   // the header, the rows, and nothing after the last CR LF
            QCOMPARE(got[0], QByteArray("Date, Total\r"));
            QCOMPARE(got[1], QByteArray(first) + '\r');
        }
        date->setDate(QDate(2003, 3, 12));

        // The export: a longer old file replaced whole, the revenue's comma kept.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        SetListIndex(type, RevenueByWeek);
        const QString file = db->folder() + QStringLiteral("graph.csv");
        writeFile(file, QByteArray(4000, 'x'));
        fakes().saveFile->answer = file;
        control<QPushButton>(panel, "cmdReportExport")->click();
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray expected = "Date, Total\r\n";
        for (int i = 0; i < 7; ++i)
            expected += "\"" + Fmt::shortDate(QDate(2003, 3, 12 + i)).toUtf8() + "\",\"" +
                        (i == 0 ? Fmt::currency(money("1234.5")) : Fmt::currency(Money())).toUtf8() + "\"\r\n";
        QCOMPARE(f.readAll(), expected);
        QVERIFY(expected.contains("1.234,50"));
        CsvRows rows;
        QString why;
        if (ReadWithPython(file, &rows, &why))
            QCOMPARE(rows[1], QStringList({"12.03.2003", Fmt::currency(money("1234.5"))}));
        QCOMPARE(fakes().saveFile->requests.last().defaultExt, QStringLiteral(".csv"));

        // A folder in the file's place: a message, the folder untouched.
        fakes().messageBoxes->clear();
        QVERIFY(QDir().mkpath(db->folder() + QStringLiteral("dir.csv/x")));
        fakes().saveFile->answer = db->folder() + QStringLiteral("dir.csv");
        control<QPushButton>(panel, "cmdReportExport")->click();
        QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("Unable to write to file.\r\n")
                                                               + QDir::toNativeSeparators(fakes().saveFile->answer)));
        QVERIFY(QDir(db->folder() + QStringLiteral("dir.csv/x")).exists());
        // A failing query: "Error - " and nothing written.
        objConn.execute(QStringLiteral("DROP TABLE invoiceline"));
        fakes().saveFile->answer = db->folder() + QStringLiteral("never.csv");
        control<QPushButton>(panel, "cmdReportExport")->click();
        QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("Error - ")));
        QVERIFY(!QFile::exists(db->folder() + QStringLiteral("never.csv")));
    }
};

TARLOMY_GUI_TEST_MAIN(TestReports)
#include "tst_reports.moc"
