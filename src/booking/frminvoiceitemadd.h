#pragma once
// "Item Details": adds a line to the invoice of the booking in progress, or
// edits one, from a catalogue item or as a free-text line.
#include <QDialog>
#include <QMap>

class QLabel;
class QLineEdit;
class PaymentPage;
namespace Ui { class frmInvoiceItemAdd; }

// The line the dialog edits, or -1 for a new one; after a new line is saved,
// its id (-1 when none could be written).
extern qint64 giInvoiceItemAdd_ItemID;

class frmInvoiceItemAdd : public QDialog {
    Q_OBJECT
public:
    // The page's invoice grid is refreshed when a line is saved.
    explicit frmInvoiceItemAdd(PaymentPage* page);
    ~frmInvoiceItemAdd() override;

    Ui::frmInvoiceItemAdd* ui;
    QMap<int, QLabel*> lblLabels;

    void Form_Load();
    void cboItemList_Click();
    void cboTaxRate_Click();
    void cmdOk_Click();
    void cmdCancel_Click();
    // Selects the whole text of a box that is not empty.
    void Hightlight(QLineEdit* t);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PaymentPage* m_page;
    qint64 m_storedItem = 2;   // the item of the line being edited
};
