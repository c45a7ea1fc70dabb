#pragma once
// The configuration wizard: the unit words, the regional words and taxes,
// the default charge and tax percentages and the list of units, in six pages
// (core/wizardpages.h). Nothing is written before the last page's Finish.
#include "core/money.h"
#include "core/wizardpages.h"

#include <QString>
#include <vector>

class QWidget;
namespace Ui {
class frmWizConfig_Commodity;
class frmWizConfig_Regional;
class frmWizConfig_Charges;
class frmWizConfig_Rooms;
}

// One unit as the wizard holds it. Entries are never taken out of the list:
// a removed unit stays, flagged Deleted, so list entries can keep their
// positions as item data.
struct WizConfig_Room {
    qint32 ID = -1;          // room.id; -1 for a unit added in this pass
    bool Deleted = false;    // removed in this pass
    QString Name;
};

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
};

class ConfigWizard {
public:
    enum class Result { Finished, Cancelled };

    // Runs the wizard. postCode and salesTaxName are the words the main window
    // shows now. Finished: the settings, the unit words, the program's copies
    // (sCostPerNight, the percentages) and the units are written; the caller
    // brings the main window up to date. Cancelled: nothing is written.
    static Result ask(const QString& postCode, const QString& salesTaxName, QWidget* parent);

    // The driver's loading of the copies, and Finish's writing of them.
    static WizConfigCopies Load(const QString& postCode, const QString& salesTaxName);
    static void Finish(const WizConfigCopies& copies);
};

// Page 2: the naming convention.
class frmWizConfig_Commodity : public WizPage {
    Q_OBJECT
public:
    frmWizConfig_Commodity(WizardRun& run, WizConfigCopies& copies, QWidget* parent);
    ~frmWizConfig_Commodity() override;
    // Lists the plural of every unit word offered, in table order, with its
    // row id as item data; bSelect chooses the first entry.
    static void PopulateCombo(class QComboBox* c, bool bSelect);

protected:
    bool Validate() override;
    void Store() override;

private:
    void cboList_Click();
    bool custom() const;
    Ui::frmWizConfig_Commodity* ui;
    WizConfigCopies& m_copies;
};

// Page 3: post-code word and tax names.
class frmWizConfig_Regional : public WizPage {
    Q_OBJECT
public:
    frmWizConfig_Regional(WizardRun& run, WizConfigCopies& copies, QWidget* parent);
    ~frmWizConfig_Regional() override;

protected:
    void Store() override;

private:
    Ui::frmWizConfig_Regional* ui;
    WizConfigCopies& m_copies;
};

// Page 4: the default charge and the tax percentages.
class frmWizConfig_Charges : public WizPage {
    Q_OBJECT
public:
    frmWizConfig_Charges(WizardRun& run, WizConfigCopies& copies, QWidget* parent);
    ~frmWizConfig_Charges() override;

protected:
    bool Validate() override;
    void Store() override;

private:
    Ui::frmWizConfig_Charges* ui;
    WizConfigCopies& m_copies;
};

// Page 5: the units. Adding and removing change the copies at once, so they
// survive Back.
class frmWizConfig_Rooms : public WizPage {
    Q_OBJECT
public:
    frmWizConfig_Rooms(WizardRun& run, WizConfigCopies& copies, QWidget* parent);
    ~frmWizConfig_Rooms() override;

    void cmdAdd_Click();
    void cmdRemove_Click();

protected:
    bool Validate() override;
    // Enter in the name box adds the unit rather than going on.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Ui::frmWizConfig_Rooms* ui;
    WizConfigCopies& m_copies;
};
