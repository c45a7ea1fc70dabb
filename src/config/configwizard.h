#pragma once
// The configuration wizard: the unit words, the regional words and taxes,
// the default charge and tax percentages and the list of units, in six pages
// (widgets/wizardpages.h). Nothing is written before the last page's Finish.
#include "config/wizardrecords.h"
#include "core/money.h"
#include "widgets/wizardpages.h"

#include <QString>
#include <vector>

class QWidget;

// The copies the pages edit, loaded when the wizard starts, applied at Finish.
struct WizConfigCopies {
    QString CommoditySingular;
    QString CommodityPlural;
    QString PostCode;
    QString SalesTaxName;
    QString SalesTaxName2;
    bool EnableTax2 = false;
    Money CostPerNight;
    double SalesTaxPercentage = 0;
    double SalesTaxPercentage2 = 0;
    std::vector<WizConfig_Room> Rooms;

    // The tax names and percentages as loaded: Finish writes to the tax
    // rows only what the pages changed.
    struct Taxes {
        QString name, name2;
        double percentage = 0, percentage2 = 0;
    } loaded;
};

// Tells the user why a page cannot go on and puts the cursor where the fix is.
void WizConfig_Refuse(const QString& message, QWidget* focus);

class ConfigWizard {
public:
    enum class Result { Finished, Cancelled, NotSaved };

    // Runs the wizard. postCode and salesTaxName are the words the main window
    // shows now. Finished: the settings, the unit words and the units are
    // written; the caller
    // brings the main window up to date. Cancelled: nothing is written.
    // NotSaved: the settings could not be written, which the user was told;
    // nothing else was written either.
    static Result ask(const QString& postCode, const QString& salesTaxName, QWidget* parent);

    // The driver's loading of the copies, and Finish's writing of them
    // (false when the settings could not be written).
    static WizConfigCopies Load(const QString& postCode, const QString& salesTaxName);
    static bool Finish(const WizConfigCopies& copies);
};
