#pragma once
// What the configuration wizard and the options dialog read and write beyond
// the records of core/configrecords.h: the unit words offered (table
// Commodity), the wizard's changes to the units and the sales-tax rows.
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

// ---- Units and sales-tax rows (core/configrecords.h holds the rest) -------------
// One unit as the configuration wizard holds it. Entries are never taken out
// of the wizard's list: a removed unit stays, flagged Deleted, so list
// entries can keep their positions as item data.
struct WizConfig_Room {
    qint32 ID = -1;          // room.id; -1 for a unit added in this pass
    bool Deleted = false;    // removed in this pass
    QString Name;
};

// What the user changed of a sales-tax row on the wizard's pages: only what
// is given is written. A row removed in the tax-rate list comes back under
// its id, with the wizard's name and percentage, when something of it was
// changed or (restore) a unit added refers to it.
struct SalesTaxRowEdit {
    std::optional<QString> name;
    std::optional<double> percentage;
    QString wizardName;
    double wizardPercentage = 0;
    bool restore = false;
};

// The configuration wizard's Finish, all at once or not at all: the edits
// of the two sales-tax rows; each unit removed in the pass goes with every
// booking that holds it, whole (the booking and all of its unit rows, other
// units' too; invoice lines and customers stay); each unit added is written
// with all five prices at price and the first sales tax. A unit added and
// removed in the same pass touches no row; the others are left alone.
void WriteWizardRecords(const std::vector<WizConfig_Room>& rooms, Money price, const SalesTaxRowEdit& first,
                        const SalesTaxRowEdit& second);
// Writes both sales-tax rows (rows 2 and 3), name and percentage, at once;
// a row that was removed in the tax-rate list is written back under its id.
void WriteSalesTaxRows(const QString& name, double percentage, const QString& name2, double percentage2);
