#pragma once
// "<unit> Details": one lettable unit with its charge unit, prices, tax rate
// and commission. The four season and weekend prices fold away while they
// are equal.
#include "config/configlist.h"

#include <QMap>

class QLabel;
class QLineEdit;
namespace Ui { class frmRoomAdd; }

class frmRoomAdd : public ConfigEditDialog {
    Q_OBJECT
public:
    // id: the unit to edit, or -1 to add one.
    frmRoomAdd(qint32 id, QWidget* parent = nullptr);
    ~frmRoomAdd() override;

    // Stacks the panels and sets the form's height.
    void ResizeForm();

    void cboChargePer_Click();
    void cboAccount_Click();
    void lblShowAdvancedPricing_Click();
    void txtUnitPrice_LostFocus();
    // Leaving one of the four season and weekend boxes.
    void txtAdvancedPrice_LostFocus(QLineEdit* box);

protected:
    void setDefaults() override;
    bool loadRow() override;
    QString notFoundMessage() const override;
    QString nameMessage() const override;
    bool correctNumbers() override;
    void saveRow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The four boxes in the order low unit, high unit, low weekend, high weekend.
    QList<QLineEdit*> advancedBoxes() const;
    bool advancedPricesEqual() const;
    // Widens the label column when a long unit word would cut a caption off.
    void fitLabelColumn(const QList<QLabel*>& labels);

    Ui::frmRoomAdd* ui;
    QMap<int, QLabel*> picShowAdvancedPricing;
    QString m_storedChargeUnit = QStringLiteral("Night");   // kept when it is none of the offered ones
    double m_percentage = 0;
    Money m_prices[5];
};
