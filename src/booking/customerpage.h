#pragma once
// The customer details page of the booking wizard: adults and children, the
// booking's customer, the custom booking field and the custom customer fields.
#include "booking/wizardpage.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <utility>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
namespace Ui { class CustomerPage; }

class CustomerPage : public WizardPage {
    Q_OBJECT
public:
    explicit CustomerPage(QWidget* parent = nullptr);
    ~CustomerPage() override;

    // The custom customer fields, built afresh each time the page is shown:
    // element 0 of each array comes with the page, the others are copies.
    QList<QLabel*> lblCustom;
    QList<QCheckBox*> chkCustom;
    QList<QComboBox*> cboCustom;
    QList<QLineEdit*> txtCustom;

    void ShowPage() override;
    void SavePage() override;

    // Empties the contact boxes; two adults and no children.
    void ResetCustomerForm();

    void cmdResSearch_Click();
    void txtNoAdults_LostFocus();
    void txtNoChildren_LostFocus();

    // The custom customer fields of a customer (0: none yet), and the
    // values of those shown, by field id, as they are stored.
    void BuildCustomFields();
    void FillCustomFields(qint64 customerId);
    QList<std::pair<qint64, QString>> CustomFieldValues() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Ui::CustomerPage* ui;
    // Where each control of the page stands in the design.
    QHash<QWidget*, QRect> m_design;
    template <class W>
    W* customElement(QList<W*>& array, int k);
    void placeCustom(QWidget* w, int leftTwips, int topTwips, int widthTwips, int heightTwips);
    void fitCustomArea();
};
