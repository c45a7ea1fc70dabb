#include "config/frmroomadd.h"

#include "widgets/amountbox.h"
#include "widgets/controlarray.h"
#include "core/format.h"
#include "widgets/guard.h"
#include "widgets/linklabel.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/plaintext.h"
#include "core/reserved.h"
#include "core/settingkeys.h"
#include "widgets/twips.h"
#include "ui_frmroomadd.h"

#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

namespace {
constexpr qint64 kNoCommission = -1;

bool isWeekUnit(const QString& unit)
{
    return unit.startsWith(QLatin1String("Week")) || unit.startsWith(QLatin1String("Month"));
}
}  // namespace

frmRoomAdd::frmRoomAdd(qint32 id, QWidget* parent) : ConfigEditDialog(id, parent), ui(new Ui::frmRoomAdd)
{
    ui->setupUi(this);
    wire(ui->txtName, ui->cmdOK, ui->cmdCancel);
    const QMap<int, QLabel*> Label1 = ControlArray<QLabel>(this, QStringLiteral("Label1"));
    picShowAdvancedPricing = ControlArray<QLabel>(this, QStringLiteral("picShowAdvancedPricing"));
    picShowAdvancedPricing[0]->setPixmap(style()->standardIcon(QStyle::SP_ArrowRight).pixmap(16, 16));
    picShowAdvancedPricing[1]->setPixmap(style()->standardIcon(QStyle::SP_ArrowDown).pixmap(16, 16));
    ui->lblShowAdvancedPricing->setStyleSheet(QStringLiteral("color: palette(link); text-decoration: underline;"));
    connect(ui->lblShowAdvancedPricing, &LinkLabel::clicked, this, guarded(this, &frmRoomAdd::lblShowAdvancedPricing_Click));
    for (QLabel* l : {picShowAdvancedPricing[0], picShowAdvancedPricing[1]}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    for (QLineEdit* box : advancedBoxes())
        box->installEventFilter(this);
    ui->txtUnitPrice->installEventFilter(this);
    connect(ui->cboChargePer, &QComboBox::currentIndexChanged, this, guarded(this, &frmRoomAdd::cboChargePer_Click));
    connect(ui->cboAccount, &QComboBox::currentIndexChanged, this, guarded(this, &frmRoomAdd::cboAccount_Click));

    // Captions from the user's unit word.
    setWindowTitle(gsCommoditySingular + QStringLiteral(" Details"));
    SetPlainText(Label1[13], gsCommoditySingular + QStringLiteral(" Name:"));
    SetPlainText(Label1[0], gsCommoditySingular + QStringLiteral(" Notes:"));
    fitLabelColumn({Label1[13], Label1[0]});

    ComboClear(ui->cboAccount);
    ComboAdd(ui->cboAccount, QStringLiteral("No Commission"), kNoCommission);
    for (const NamedRow& r : CommissionAccountRecord::listed())
        ComboAdd(ui->cboAccount, r.name, r.id);
    ui->picCommission->setVisible(Config::EnableCommission.read());

    ComboClear(ui->cboChargePer);
    for (const QString& unit : UnitRecord::chargeUnits())
        ComboAdd(ui->cboChargePer, unit);

    ComboClear(ui->cboTaxRate);
    ComboAdd(ui->cboTaxRate, QStringLiteral("n/a"), TaxRateId::None);
    for (const TaxRateRecord& r : TaxRateRecord::listed())
        ComboAdd(ui->cboTaxRate, r.name + QStringLiteral(" (") + Fmt::number(r.percentage) + QStringLiteral("%)"), r.id);

    Form_Load();

    if (!Config::AdvancedPricing.read() && advancedPricesEqual())
        lblShowAdvancedPricing_Click();
    ResizeForm();
}

frmRoomAdd::~frmRoomAdd()
{
    delete ui;
}

QList<QLineEdit*> frmRoomAdd::advancedBoxes() const
{
    return {ui->txtLowUnitPrice, ui->txtHighUnitPrice, ui->txtLowWeekendPrice, ui->txtHighWeekendPrice};
}

void frmRoomAdd::fitLabelColumn(const QList<QLabel*>& labels)
{
    int need = 0;
    for (QLabel* l : labels)
        need = std::max(need, l->sizeHint().width() - l->width());
    if (need <= 0)
        return;
    // Everything from the boxes' column rightwards moves over; what spans
    // the column (the panels, the notes) grows.
    const int column = ui->txtName->x();
    for (QWidget* parent : QList<QWidget*>{this, ui->picAdvancedPrice, ui->picCommission, ui->picBot}) {
        for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isWindow())
                continue;
            if (w->x() >= column)
                w->move(w->x() + need, w->y());
            else if (w->x() + w->width() > column || labels.contains(qobject_cast<QLabel*>(w)))
                w->resize(w->width() + need, w->height());
        }
    }
    resize(width() + need, height());
}

bool frmRoomAdd::advancedPricesEqual() const
{
    const QString first = ui->txtLowUnitPrice->text();
    for (QLineEdit* box : advancedBoxes())
        if (box->text() != first)
            return false;
    return true;
}

void frmRoomAdd::setDefaults()
{
    SetListIndex(ui->cboTaxRate, 0);
    SelectCombo(ui->cboChargePer, QStringLiteral("Night"));
    ShowAmount(ui->txtUnitPrice, Money());
    for (QLineEdit* box : advancedBoxes())
        ShowAmount(box, Money());
    SetListIndex(ui->cboAccount, 0);
    ui->txtCommissionPercentage->setText(QStringLiteral("0"));
}

bool frmRoomAdd::loadRow()
{
    const std::optional<UnitRecord> u = UnitRecord::find(rowId());
    if (!u)
        return false;
    ui->txtName->setText(u->name);
    SetListIndex(ui->cboTaxRate, 0);
    if (u->taxRateId)
        SelectCombo_ItemData(ui->cboTaxRate, QString::number(*u->taxRateId));
    ShowAmount(ui->txtUnitPrice, u->unitPrice);
    ShowAmount(ui->txtLowUnitPrice, u->lowUnitPrice);
    ShowAmount(ui->txtHighUnitPrice, u->highUnitPrice);
    ShowAmount(ui->txtLowWeekendPrice, u->lowWeekendPrice);
    ShowAmount(ui->txtHighWeekendPrice, u->highWeekendPrice);
    if (u->commissionId)
        SelectCombo_ItemData(ui->cboAccount, QString::number(*u->commissionId));
    if (ui->cboAccount->currentIndex() < 0)
        SetListIndex(ui->cboAccount, 0);
    ui->txtCommissionPercentage->setText(Fmt::number(u->commissionPercentage));
    m_storedChargeUnit = u->chargeForEach;
    SelectCombo(ui->cboChargePer, u->chargeForEach);
    ui->txtNotes->setPlainText(u->notes);
    return true;
}

// A unit that has gone opens with empty boxes, without a message.
QString frmRoomAdd::notFoundMessage() const
{
    return {};
}

QString frmRoomAdd::nameMessage() const
{
    return QStringLiteral("No %1 name has been entered. Please enter a %1 name to continue.").arg(gsCommoditySingular);
}

void frmRoomAdd::cboChargePer_Click()
{
    const int index = ui->cboChargePer->currentIndex();
    if (index < 0)
        return;
    const bool weekends = !isWeekUnit(ui->cboChargePer->itemText(index));
    ui->txtLowWeekendPrice->setEnabled(weekends);
    ui->txtHighWeekendPrice->setEnabled(weekends);
}

void frmRoomAdd::cboAccount_Click()
{
    const int index = ui->cboAccount->currentIndex();
    if (index < 0)
        return;
    ui->txtCommissionPercentage->setEnabled(ComboItemData(ui->cboAccount, index) != kNoCommission);
}

void frmRoomAdd::lblShowAdvancedPricing_Click()
{
    if (ui->lblShowAdvancedPricing->text() == QLatin1String("Hide Advanced Pricing")) {
        ui->lblShowAdvancedPricing->setText(QStringLiteral("Show Advanced Pricing"));
        picShowAdvancedPricing[0]->raise();
        ui->picAdvancedPrice->hide();
    } else {
        ui->lblShowAdvancedPricing->setText(QStringLiteral("Hide Advanced Pricing"));
        picShowAdvancedPricing[1]->raise();
        ui->picAdvancedPrice->show();
    }
    ResizeForm();
}

void frmRoomAdd::ResizeForm()
{
    QWidget* adv = ui->picAdvancedPrice;
    QWidget* com = ui->picCommission;
    QWidget* bot = ui->picBot;
    com->move(com->x(), adv->isHidden() ? adv->y() : adv->y() + adv->height());
    bot->move(bot->x(), com->isHidden() ? com->y() : com->y() + com->height());
    // The buttons end 2 px above the bottom panel's foot: the window ends
    // under them with the margin its sides keep (8 px), no band below.
    setFixedSize(width(), bot->y() + bot->height() + 6);
}

void frmRoomAdd::txtAdvancedPrice_LostFocus(QLineEdit* box)
{
    Money m;
    if (ReadAmountBox(box, &m, Sign::NotNegative) == Typed::Number)
        ShowAmount(box, m);
}

void frmRoomAdd::txtUnitPrice_LostFocus()
{
    Money m;
    if (ReadAmountBox(ui->txtUnitPrice, &m, Sign::NotNegative) != Typed::Number)
        return;
    ShowAmount(ui->txtUnitPrice, m);
    // Prices never set follow the unit price, and so do prices still equal
    // to one another; prices made different stay.
    const QString zero = Fmt::currency(Money());
    for (QLineEdit* box : advancedBoxes())
        if (box->text() == zero)
            ShowAmount(box, m);
    if (advancedPricesEqual())
        for (QLineEdit* box : advancedBoxes())
            ShowAmount(box, m);
}

bool frmRoomAdd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == picShowAdvancedPricing[0] || watched == picShowAdvancedPricing[1])) {
        RunGuarded([this] { lblShowAdvancedPricing_Click(); });
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        if (watched == ui->txtUnitPrice)
            RunGuarded([this] { txtUnitPrice_LostFocus(); });
        else if (auto* box = qobject_cast<QLineEdit*>(watched); box && advancedBoxes().contains(box))
            RunGuarded([this, box] { txtAdvancedPrice_LostFocus(box); });
    }
    return ConfigEditDialog::eventFilter(watched, event);
}

bool frmRoomAdd::correctNumbers()
{
    if (!PercentageOrZero(ui->txtCommissionPercentage, QStringLiteral("Commission Percentage"), &m_percentage))
        return false;
    const struct {
        QLineEdit* box;
        const char* caption;
    } prices[5] = {{ui->txtUnitPrice, "Unit Price"},
                   {ui->txtLowUnitPrice, "Low Season Unit Price"},
                   {ui->txtHighUnitPrice, "High Season Unit Price"},
                   {ui->txtLowWeekendPrice, "Low Season Weekend Price"},
                   {ui->txtHighWeekendPrice, "High Season Weekend Price"}};
    for (int i = 0; i < 5; ++i)
        if (!AmountOrZero(prices[i].box, QString::fromLatin1(prices[i].caption), &m_prices[i], Sign::NotNegative))
            return false;
    return true;
}

void frmRoomAdd::saveRow()
{
    if (!Config::AdvancedPricing.save(!ui->picAdvancedPrice->isHidden()))
        ReportUnsavedSettings();
    UnitRecord u;
    u.id = rowId();
    u.name = ui->txtName->text();
    u.notes = ui->txtNotes->toPlainText();
    const int unit = ui->cboChargePer->currentIndex();
    u.chargeForEach = unit < 0 ? m_storedChargeUnit : ui->cboChargePer->itemText(unit);
    u.unitPrice = m_prices[0];
    u.lowUnitPrice = m_prices[1];
    u.highUnitPrice = m_prices[2];
    u.lowWeekendPrice = m_prices[3];
    u.highWeekendPrice = m_prices[4];
    const int tax = ui->cboTaxRate->currentIndex();
    u.taxRateId = tax < 0 ? TaxRateId::None : qint32(ComboItemData(ui->cboTaxRate, tax));
    const int account = ui->cboAccount->currentIndex();
    const qint64 accountId = account < 0 ? kNoCommission : ComboItemData(ui->cboAccount, account);
    if (accountId != kNoCommission)
        u.commissionId = qint32(accountId);
    u.commissionPercentage = m_percentage;
    u.save();
}
