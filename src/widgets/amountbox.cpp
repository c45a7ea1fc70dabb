#include "widgets/amountbox.h"

#include "core/format.h"

#include <QLineEdit>

namespace {

// What the box was given: the amount and the text it showed.
constexpr const char* kAmount = "shownAmount";
constexpr const char* kText = "shownAmountText";

}  // namespace

void ShowAmount(QLineEdit* box, Money m, AmountForm form)
{
    const QString text = form == AmountForm::Currency ? Fmt::currency(m) : Fmt::moneyPlain(m);
    box->setProperty(kAmount, QVariant::fromValue<qlonglong>(m.raw()));
    box->setProperty(kText, text);
    box->setText(text);
}

Money ShownAmount(const QLineEdit* box)
{
    return Money::fromRaw(box->property(kAmount).toLongLong());
}

Typed ReadAmountBox(const QLineEdit* box, Money* out, Sign sign)
{
    const QString text = box->text();
    const QVariant shown = box->property(kText);
    if (shown.isValid() && shown.toString() == text) {
        *out = Money::fromRaw(box->property(kAmount).toLongLong());
        return Typed::Number;
    }
    if (text.trimmed().isEmpty()) {
        *out = Money();
        return Typed::Number;
    }
    return ReadAmount(text, out, sign);
}
