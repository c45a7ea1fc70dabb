#pragma once
// The customer picker of the booking wizard: finds customers by first or last
// name and hands the chosen one back in giResCustomerSearchID (-1: none).
#include <QDialog>

class PagedModel;
namespace Ui { class frmResCustSearch; }

class frmResCustSearch : public QDialog {
    Q_OBJECT
public:
    explicit frmResCustSearch(QWidget* parent = nullptr);
    ~frmResCustSearch() override;

    Ui::frmResCustSearch* ui;

    // Runs the search for the two boxes and refills gcust. Row SelectRow
    // (1 = the first match), or the row of SelectCustomerID when listed, is
    // selected; returns the row actually selected (0 when there is none).
    int RefreshCustomerScreen(int SelectRow = 1, qint64 SelectCustomerID = 0);

    void cmdOk_Click();
    void cmdSelect_Click();
    void cmdCancel_Click();

private:
    void Form_Load();

    PagedModel* m_matches;   // the customers found, loaded as they are scrolled
};

// The condition of one name box: its column contains the text as typed.
// Empty when the box is empty; otherwise appends the LIKE pattern to params.
QString AAS(const QString& sFieldname, const QString& text, QVariantList& params);
