#pragma once
// The options dialog: the post-code word, the charge unit, the default cost
// per night and times, the gratuity, the two sales taxes and four switches.
// OK writes the settings, the sales-tax rows 2 and 3 and the program's copies
// of the cost and percentages; the caller then shows them in the main window.
#include <QDialog>
#include <utility>
#include <vector>

class QCheckBox;
namespace SettingDecl { struct Flag; }
namespace Ui { class frmTerminology; }

class frmTerminology : public QDialog {
    Q_OBJECT
public:
    enum class Answer { Saved, Cancelled };

    // postCode and salesTaxName: the words the main window shows now.
    static Answer ask(const QString& postCode, const QString& salesTaxName, QWidget* parent);

    frmTerminology(const QString& postCode, const QString& salesTaxName, QWidget* parent);
    ~frmTerminology() override;

private:
    void Form_Load(const QString& postCode);
    // The two tax rows as stored (row 2 missing: salesTaxName and the program's percentage).
    void LoadTaxes();
    // The switches and the settings they show, for loading and saving alike.
    std::vector<std::pair<QCheckBox*, const SettingDecl::Flag*>> switches() const;
    void chkEnableTax2_Click();
    void cmdTaxAdvanced_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    Ui::frmTerminology* ui;
    QString m_salesTaxName;
};
