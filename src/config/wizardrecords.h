#pragma once
// What the configuration wizard and the options dialog read and write beyond
// the records of core/configrecords.h: the unit words offered (table
// Commodity), a unit removed with its bookings, a sales-tax row written back.
#include <QString>
#include <optional>
#include <vector>

// ---- Commodity: unit words offered on the naming page ----------------------
struct CommodityWord {
    qint32 id = 0;
    QString plural;
};
// Every row, in table order.
std::vector<CommodityWord> CommodityPlurals();
// The singular listed with plural; none when no row has it.
std::optional<QString> CommoditySingular(const QString& plural);

// ---- Units and sales-tax rows (core/configrecords.h holds the rest) -------------
// Removes a unit and every booking that holds it, whole: the booking and all
// of its unit rows (other units' too). Invoice lines and customers stay.
void RemoveUnitWithBookings(qint32 unitId);
// Writes both sales-tax rows (rows 2 and 3), name and percentage, at once;
// a row that was removed in the tax-rate list is written back under its id.
void WriteSalesTaxRows(const QString& name, double percentage, const QString& name2, double percentage2);
