#pragma once
// One existing booking, read-only, and the user's choice of what to do with
// it. The dialog changes nothing itself: it reports the choice in
// giSummaryReturnCode (1 edit, 2 cancel, -1 nothing) and the opener acts on it.
#include <QDialog>
#include <QMap>

class QLabel;
namespace Ui { class frmBookingSummary; }

class frmBookingSummary : public QDialog {
    Q_OBJECT
public:
    // Shows the booking giSummaryReservationID.
    explicit frmBookingSummary(QWidget* parent = nullptr);
    ~frmBookingSummary() override;

    Ui::frmBookingSummary* ui;
    // The values beside the captions, by index: 2 sub total, 3 sales tax,
    // 4 total payable, 5 payments, 6 payment method, 7 card type, 8 card
    // number, 9 card expiry, 10 second sales tax, 11 gratuity.
    QMap<int, QLabel*> lblConfirm;

    // The address the "Email" link writes to: the booking's customer's.
    QString sEmail;

    void Form_Load();
    void cmdEdit_Click();
    void cmdCancel_Click();
    void cmdClose_Click();
    void lblEmail_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
