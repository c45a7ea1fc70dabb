#pragma once
// "Item Details": adds a line to a booking's invoice, or edits one, from a
// catalogue item or as a free-text line.
#include <QDialog>
#include <QMap>
#include <optional>

class QLabel;
class QLineEdit;
namespace Ui { class frmInvoiceItemAdd; }

class frmInvoiceItemAdd : public QDialog {
    Q_OBJECT
public:
    // Edits the invoice line lineId of booking bookingId, or makes a new line
    // of it when there is none.
    frmInvoiceItemAdd(qint32 bookingId, std::optional<qint64> lineId, QWidget* parent = nullptr);
    ~frmInvoiceItemAdd() override;

    // Waits for the user; the id of the line saved (-1 when a new line could
    // not be written), or nothing when the dialog was cancelled.
    static std::optional<qint64> ask(qint32 bookingId, std::optional<qint64> lineId, QWidget* parent);
    qint64 savedLine() const { return m_saved; }

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
    Ui::frmInvoiceItemAdd* ui;
    qint32 m_bookingId;
    std::optional<qint64> m_lineId;
    qint64 m_saved = -1;
    qint64 m_storedItem = 2;   // the item of the line being edited
};
