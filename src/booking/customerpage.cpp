#include "booking/customerpage.h"

#include "core/bookingstore.h"
#include "core/configrecords.h"
#include "core/customerstore.h"
#include "core/customfieldstore.h"
#include "widgets/guard.h"
#include "core/format.h"
#include "widgets/mainview.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/reserved.h"
#include "core/settingkeys.h"
#include "widgets/twips.h"
#include "widgets/plaintext.h"
#include "booking/frmrescustsearch.h"
#include "ui_customerpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Where element 0 of each custom array stands on the page (twips). The
// inputs share the right-hand input column of the page, which stands 600
// twips further right than the labels' width alone would need, so that the
// labels have room at the desktop's font size.
struct Place {
    int left, top, width, height;
};
constexpr int kInputShift = 600;
constexpr Place kLabel0 = {5220, 3480, 1815, 255};
constexpr Place kCheck0 = {6360 + kInputShift, 3480, 3075, 255};
constexpr Place kCombo0 = {6330 + kInputShift, 3450, 3045, 315};
constexpr Place kText0 = {6330 + kInputShift, 3420, 3015, 285};
// A label ends a little before the inputs begin; a longer name ends in "..."
// and shows whole in the label's tip.
constexpr int kLabelWidth = std::min({kCheck0.left, kCombo0.left, kText0.left}) - 60 - kLabel0.left;

enum class Kind { CheckBox, Combo, Text };

Kind kindOf(const QString& type)
{
    const QString t = type.toLower();
    if (t == QLatin1String("checkbox"))
        return Kind::CheckBox;
    if (t == QLatin1String("combobox"))
        return Kind::Combo;
    return Kind::Text;
}

// The field id a custom input control stands for.
const char* const kTag = "Tag";

// A count as the booking stores it: whole numbers, halves to even.
QVariant countValue(const QString& text)
{
    double v = 0;
    if (!Fmt::parseNumber(text, &v))
        return 0;
    const double n = std::nearbyint(v);
    if (std::abs(n) < double(std::numeric_limits<qint32>::max()))
        return qint32(n);
    return n;
}

QString countText(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return QString();
    return Fmt::number(v.toDouble());
}

}  // namespace

CustomerPage::CustomerPage(QWidget* parent) : WizardPage(parent), ui(new Ui::CustomerPage)
{
    ui->setupUi(this);
    lblCustom << ui->lblCustom_0;
    chkCustom << ui->chkCustom_0;
    cboCustom << ui->cboCustom_0;
    txtCustom << ui->txtCustom_0;
    ui->picCustomFields->viewport()->setAutoFillBackground(false);
    ui->picCustomFieldsArea->setAutoFillBackground(false);

    connect(ui->cmdResSearch, &QPushButton::clicked, this, guarded(this, &CustomerPage::cmdResSearch_Click));
    OnFocusLeave(ui->txtNoAdults, [this] { txtNoAdults_LostFocus(); });
    OnFocusLeave(ui->txtNoChildren, [this] { txtNoChildren_LostFocus(); });
}

CustomerPage::~CustomerPage()
{
    delete ui;
}

// ---- Showing and saving ---------------------------------------------------

void CustomerPage::ShowPage()
{
    qint64 customerId = 0;
    const std::optional<BookingRecord> booking = BookingStore::read(iBookingID);
    if (!booking) {
        ResetCustomerForm();
    } else {
        if (Config::EnableCustomField.read()) {
            ui->cboBookingUDF->setVisible(true);
            ui->lblLabels_17->setVisible(true);
            SetElidedText(ui->lblLabels_17,
                         Config::CustomFieldTitle.read() + u':');
            ComboClear(ui->cboBookingUDF);
            for (const NamedRow& choice : BookingChoiceRecord::all())
                ComboAdd(ui->cboBookingUDF, choice.name, choice.id);
            SelectCombo_ItemData(ui->cboBookingUDF,
                                 QString::number(booking->bookingUdfId.value_or(BookingUdfId::Default)));
        } else {
            ui->cboBookingUDF->setVisible(false);
            ui->lblLabels_17->setVisible(false);
        }

        ui->txtNoAdults->setText(countText(booking->noAdults));
        ui->txtNoChildren->setText(countText(booking->noKids));

        const std::optional<CustomerRecord> c =
            booking->hasCustomer ? CustomerStore::read(booking->customerId) : std::nullopt;
        if (!c) {
            ResetCustomerForm();
        } else {
            customerId = c->id;
            ui->txtFirstname->setText(c->firstName);
            ui->txtLastname->setText(c->lastName);
            ui->txtAddress1->setText(c->address1);
            ui->txtAddress2->setText(c->address2);
            ui->txtCity->setText(c->city);
            ui->txtState->setText(c->state);
            ui->txtPostcode->setText(c->postCode);
            ui->txtCountry->setText(c->country);
            ui->txtPhone->setText(c->phone);
            ui->txtHomePhone->setText(c->homePhone);
            ui->txtMobile->setText(c->mobile);
            ui->txtFax->setText(c->fax);
            ui->txtEmail->setText(c->email);
            ui->txtBusinessName->setText(c->businessName);
        }
    }

    BuildCustomFields();
    FillCustomFields(customerId);
    ShowBoxesFromStart(this);
    ui->txtFirstname->setFocus();
}

void CustomerPage::SavePage()
{
    ui->txtNoAdults->setText(FormatNumberText(ui->txtNoAdults->text()));
    ui->txtNoChildren->setText(FormatNumberText(ui->txtNoChildren->text()));
    BookingStore::CustomerStep step;
    step.adults = countValue(ui->txtNoAdults->text());
    step.kids = countValue(ui->txtNoChildren->text());
    CustomerRecord& c = step.customer;
    c.firstName = ui->txtFirstname->text();
    c.lastName = ui->txtLastname->text();
    c.address1 = ui->txtAddress1->text();
    c.address2 = ui->txtAddress2->text();
    c.city = ui->txtCity->text();
    c.state = ui->txtState->text();
    c.postCode = ui->txtPostcode->text();
    c.country = ui->txtCountry->text();
    c.phone = ui->txtPhone->text();
    c.mobile = ui->txtMobile->text();
    c.homePhone = ui->txtHomePhone->text();
    c.fax = ui->txtFax->text();
    c.email = ui->txtEmail->text();
    c.businessName = ui->txtBusinessName->text();
    step.bookingUdfId = BookingUdfId::Default;
    if (Config::EnableCustomField.read() && ui->cboBookingUDF->currentIndex() >= 0)
        step.bookingUdfId = ComboItemData(ui->cboBookingUDF, ui->cboBookingUDF->currentIndex());
    step.customValues = CustomFieldValues();
    BookingStore::saveCustomerStep(iBookingID, step);
}

void CustomerPage::ResetCustomerForm()
{
    for (QLineEdit* box : {ui->txtFirstname, ui->txtLastname, ui->txtBusinessName, ui->txtAddress1, ui->txtAddress2,
                           ui->txtCity, ui->txtState, ui->txtCountry, ui->txtPostcode, ui->txtEmail, ui->txtPhone,
                           ui->txtHomePhone, ui->txtMobile, ui->txtFax})
        box->clear();
    ui->txtNoAdults->setText(QStringLiteral("2"));
    ui->txtNoChildren->setText(QStringLiteral("0"));
}

// ---- Handlers ---------------------------------------------------------------

void CustomerPage::cmdResSearch_Click()
{
    const std::optional<qint32> chosen =
        frmResCustSearch::ask(ui->txtFirstname->text(), ui->txtLastname->text(), window());
    if (!chosen)
        return;
    BookingStore::saveCustomer(iBookingID, *chosen);
    int step = 2;
    mainView().ShowBookingStep(step);
    ui->txtNoAdults->setFocus();
}

void CustomerPage::txtNoAdults_LostFocus()
{
    ui->txtNoAdults->setText(FormatNumberText(ui->txtNoAdults->text()));
}

void CustomerPage::txtNoChildren_LostFocus()
{
    ui->txtNoChildren->setText(FormatNumberText(ui->txtNoChildren->text()));
}

// ---- Layout -------------------------------------------------------------------

// The page is drawn for 780 pixels across; a wider page widens the contact
// boxes of the left column (to at most 1.8 times) and moves the right one
// along, so that names and addresses show more of themselves.
void CustomerPage::resizeEvent(QResizeEvent* event)
{
    WizardPage::resizeEvent(event);
    if (m_design.isEmpty()) {
        for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            m_design.insert(w, w->geometry());
    }
    constexpr int kLeft = 10, kColumn = 330, kDesignWidth = 780;
    const double f = std::clamp(double(width() - 2 * kLeft) / (kDesignWidth - 2 * kLeft), 1.0, 1.8);
    const int columnRight = kLeft + int(std::lround(kColumn * f));
    const int shift = columnRight - (kLeft + kColumn);
    // The boxes beside their captions stand clear of the widest caption, in
    // whatever font the captions are drawn.
    int boxesLeft = 0;
    for (auto it = m_design.constBegin(); it != m_design.constEnd(); ++it) {
        const auto* label = qobject_cast<QLabel*>(it.key());
        const QRect& r = it.value();
        if (label && r.left() < kLeft + kColumn && label->buddy() && m_design.value(label->buddy()).left() > r.right())
            boxesLeft = std::max(boxesLeft, r.left() + label->sizeHint().width() + 6);
    }
    for (auto it = m_design.constBegin(); it != m_design.constEnd(); ++it) {
        QWidget* w = it.key();
        QRect r = it.value();
        if (w == ui->lblCustomerHeading) {
            r.setWidth(std::max(r.width(), width() - 2 * kLeft));
        } else if (w == ui->txtFirstname || w == ui->lblFirstname) {
            r.setWidth(int(std::lround(r.width() * f)));
        } else if (w == ui->txtLastname || w == ui->lblLastname) {
            // From its place along the column to the search button.
            const QRect search = m_design.value(ui->cmdResSearch);
            r.moveLeft(kLeft + int(std::lround((r.left() - kLeft) * f)));
            r.setRight(columnRight - 1 - search.width() - (search.left() - it.value().right() - 1));
        } else if (w == ui->cmdResSearch) {
            r.moveRight(columnRight - 1);
        } else if (r.left() >= kLeft + kColumn) {
            r.translate(shift, 0);
        } else if (qobject_cast<QLineEdit*>(w)) {
            r.setRight(columnRight - 1);
            if (r.left() > kLeft)
                r.setLeft(std::max(r.left(), boxesLeft));
        } else if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy()) {
            r.setWidth(std::max(r.width(), label->sizeHint().width()));
        }
        w->setGeometry(r);
    }
}

// ---- Custom customer fields -------------------------------------------------

void CustomerPage::placeCustom(QWidget* w, int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    // The area's origin is a place on the page as designed; the controls keep
    // places of that page.
    const QPoint origin = m_design.value(ui->picCustomFields, ui->picCustomFields->geometry()).topLeft();
    w->setGeometry(Twips::toPx(leftTwips) - origin.x(), Twips::toPx(topTwips) - origin.y(), Twips::toPx(widthTwips),
                   Twips::toPx(heightTwips));
}

template <class W>
W* CustomerPage::customElement(QList<W*>& array, int k)
{
    if (k < array.size())
        return array[k];
    W* first = array.first();
    auto* w = new W(first->parentWidget());
    w->setObjectName(first->objectName().section(u'_', 0, 0) + QStringLiteral("_%1").arg(k));
    w->setFont(first->font());
    w->setSizePolicy(first->sizePolicy());
    w->resize(first->size());
    w->setVisible(false);
    array.append(w);
    return w;
}

void CustomerPage::BuildCustomFields()
{
    auto destroyCopies = [](auto& array) {
        while (array.size() > 1)
            delete array.takeLast();
        array.first()->setVisible(false);
    };
    destroyCopies(lblCustom);
    destroyCopies(chkCustom);
    destroyCopies(cboCustom);
    destroyCopies(txtCustom);
    placeCustom(lblCustom[0], kLabel0.left, kLabel0.top, kLabelWidth, kLabel0.height);
    placeCustom(chkCustom[0], kCheck0.left, kCheck0.top, kCheck0.width, kCheck0.height);
    placeCustom(cboCustom[0], kCombo0.left, kCombo0.top, kCombo0.width, kCombo0.height);
    placeCustom(txtCustom[0], kText0.left, kText0.top, kText0.width, kText0.height);
    for (QWidget* w : {static_cast<QWidget*>(chkCustom[0]), static_cast<QWidget*>(cboCustom[0]),
                       static_cast<QWidget*>(txtCustom[0])})
        w->setProperty(kTag, QString());

    const QList<CustomFieldDefinition> fields = CustomFieldStore::definitions();
    if (fields.isEmpty()) {
        fitCustomArea();
        return;
    }

    QWidget* previousInTab = ui->txtEmail;
    int i = 0;
    int checks = 0, combos = 0, texts = 0;
    int labelTop = kLabel0.top;
    for (const CustomFieldDefinition& field : fields) {
        const QString fieldId = QString::number(field.id);
        if (i > 0)
            labelTop += kLabel0.height + 80;
        QLabel* label = customElement(lblCustom, i);
        placeCustom(label, kLabel0.left, labelTop, kLabelWidth, kLabel0.height);
        SetElidedText(label, field.name + QStringLiteral(":"));
        label->setVisible(true);

        QWidget* input = nullptr;
        switch (kindOf(field.type)) {
        case Kind::CheckBox: {
            QCheckBox* chk = customElement(chkCustom, checks);
            placeCustom(chk, kCheck0.left, i > 0 ? labelTop - 20 : kCheck0.top, kCheck0.width, kCheck0.height);
            chk->setText(QString());
            chk->setChecked(false);
            input = chk;
            ++checks;
            break;
        }
        case Kind::Combo: {
            QComboBox* cbo = customElement(cboCustom, combos);
            placeCustom(cbo, kCombo0.left, i > 0 ? labelTop - 20 : kCombo0.top, kCombo0.width, kCombo0.height);
            ComboClear(cbo);
            for (const QString& option : CustomFieldStore::options(field.id))
                ComboAdd(cbo, option);
            if (cbo->count() > 0)
                SetListIndex(cbo, 0);
            input = cbo;
            ++combos;
            break;
        }
        case Kind::Text: {
            QLineEdit* txt = customElement(txtCustom, texts);
            placeCustom(txt, kText0.left, i > 0 ? labelTop - 20 : kText0.top, kText0.width, kText0.height);
            txt->clear();
            input = txt;
            ++texts;
            break;
        }
        }
        input->setProperty(kTag, fieldId);
        input->setVisible(true);
        input->raise();   // over the label's spare width
        QWidget::setTabOrder(previousInTab, input);
        previousInTab = input;
        ++i;
    }
    QWidget::setTabOrder(previousInTab, ui->txtPhone);
    fitCustomArea();
}

void CustomerPage::fitCustomArea()
{
    int bottom = 0;
    const auto consider = [&bottom](const auto& array) {
        for (QWidget* w : array)
            if (!w->isHidden())
                bottom = std::max(bottom, w->geometry().bottom() + 1);
    };
    consider(lblCustom);
    consider(chkCustom);
    consider(cboCustom);
    consider(txtCustom);
    ui->picCustomFieldsArea->resize(ui->picCustomFields->viewport()->width(), bottom + 4);
}

void CustomerPage::FillCustomFields(qint64 customerId)
{
    int checks = 0, combos = 0, texts = 0;
    for (const CustomFieldDefinition& field : CustomFieldStore::definitions()) {
        const Kind kind = kindOf(field.type);
        int& k = kind == Kind::CheckBox ? checks : kind == Kind::Combo ? combos : texts;
        if (const std::optional<QString> value = CustomFieldStore::value(customerId, field.id)) {
            if (kind == Kind::CheckBox && k < chkCustom.size())
                chkCustom[k]->setChecked(*value == QLatin1String("1"));
            else if (kind == Kind::Combo && k < cboCustom.size())
                SelectCombo(cboCustom[k], *value);
            else if (kind == Kind::Text && k < txtCustom.size())
                txtCustom[k]->setText(*value);
        }
        ++k;
    }
}

QList<std::pair<qint64, QString>> CustomerPage::CustomFieldValues() const
{
    QList<std::pair<qint64, QString>> values;
    int checks = 0, combos = 0, texts = 0;
    for (const CustomFieldDefinition& field : CustomFieldStore::definitions()) {
        const QString fieldId = QString::number(field.id);
        const Kind kind = kindOf(field.type);
        int& k = kind == Kind::CheckBox ? checks : kind == Kind::Combo ? combos : texts;
        QWidget* input = nullptr;
        QString sCustomData;
        if (kind == Kind::CheckBox && k < chkCustom.size()) {
            input = chkCustom[k];
            sCustomData = chkCustom[k]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        } else if (kind == Kind::Combo && k < cboCustom.size()) {
            input = cboCustom[k];
            sCustomData = cboCustom[k]->count() > 0 ? cboCustom[k]->currentText() : QString();
        } else if (kind == Kind::Text && k < txtCustom.size()) {
            input = txtCustom[k];
            sCustomData = txtCustom[k]->text();
        }
        ++k;
        // A field the page has not shown has no value to store.
        if (input && input->property(kTag).toString() == fieldId)
            values.append({field.id, sCustomData});
    }
    return values;
}
