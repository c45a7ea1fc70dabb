#pragma once
// The rows the configuration wizard and the options dialog read and write:
// the unit words offered (table Commodity), the units (table room) as the
// wizard lists, adds and removes them, and the two sales-tax rows of taxrate.
#include "core/money.h"

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

// ---- Units -------------------------------------------------------------------
struct UnitName {
    qint32 id = 0;
    QString name;
};
// Every unit, by name.
std::vector<UnitName> UnitsByName();
// Adds a unit with all five prices price and the given tax rate; its other
// columns keep the table's defaults. Returns the new id.
qint32 AddUnit(const QString& name, Money price, qint32 taxRateId);
// Removes a unit and every booking that holds it, whole: the booking and all
// of its unit rows (other units' too). Invoice lines and customers stay.
void RemoveUnitWithBookings(qint32 unitId);

// ---- Sales-tax rows ------------------------------------------------------------
struct TaxRateRow {
    QString name;
    double percentage = 0;
};
std::optional<TaxRateRow> ReadTaxRate(qint32 id);
// Writes the row's name and percentage; a row that was removed is written
// back under the same id.
void WriteTaxRate(qint32 id, const TaxRateRow& row);
