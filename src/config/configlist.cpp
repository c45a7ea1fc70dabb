#include "config/configlist.h"

#include "core/format.h"
#include "widgets/amountbox.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "ui_configlist.h"

#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

// ---- List dialog ------------------------------------------------------------

ConfigListDialog::ConfigListDialog(QWidget* parent) : QDialog(parent) {}

ConfigListDialog::~ConfigListDialog()
{
    delete ui;
}

void ConfigListDialog::useStandardDesign(const QString& name, const QString& caption, const QString& title,
                                         const QString& instruction)
{
    ui = new Ui::ConfigListDialog;
    ui->setupUi(this);
    setObjectName(name);
    setWindowTitle(caption);
    SetPlainText(ui->Label1_9, title);
    SetPlainText(ui->Label1_2, instruction);
    wire(ui->lstItems, ui->cmdAdd, ui->cmdEdit, ui->cmdRemove, ui->cmdCancel);
}

void ConfigListDialog::wire(QListWidget* list, QPushButton* add, QPushButton* edit, QPushButton* remove,
                            QPushButton* close)
{
    m_list = list;
    connect(add, &QPushButton::clicked, this, guarded(this, &ConfigListDialog::cmdAdd_Click));
    connect(edit, &QPushButton::clicked, this, guarded(this, &ConfigListDialog::cmdEdit_Click));
    connect(remove, &QPushButton::clicked, this, guarded(this, &ConfigListDialog::cmdRemove_Click));
    connect(close, &QPushButton::clicked, this, guarded(this, &ConfigListDialog::cmdCancel_Click));
    if (list)
        connect(list, &QListWidget::itemDoubleClicked, this, guarded(this, &ConfigListDialog::lstItems_DblClick));
    // Esc presses Close: a dialog's own Esc would reject without running it.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, close, &QPushButton::click);
    for (QPushButton* b : {add, edit, remove, close})
        b->setAutoDefault(false);
}

void ConfigListDialog::fillList()
{
    ListClear(m_list);
    for (const NamedRow& e : entries())
        ListAdd(m_list, e.name, e.id);
}

void ConfigListDialog::Setup()
{
    fillList();
    if (m_list->count() > 0)
        SetListIndex(m_list, 0);
}

void ConfigListDialog::refresh(qint32)
{
    Setup();
}

std::optional<qint32> ConfigListDialog::selectedId() const
{
    const int row = m_list->currentRow();
    if (row < 0 || !m_list->item(row)->isSelected())
        return std::nullopt;
    return qint32(ListItemData(m_list, row));
}

QString ConfigListDialog::inUseRefusal(qint32)
{
    return {};
}

void ConfigListDialog::cmdAdd_Click()
{
    openEditor(-1);
    refresh(-1);
}

void ConfigListDialog::cmdEdit_Click()
{
    const std::optional<qint32> id = selectedId();
    if (!id) {
        MsgBox(editSelectionMessage(), vbCritical);
        return;
    }
    openEditor(*id);
    refresh(*id);
}

void ConfigListDialog::lstItems_DblClick()
{
    cmdEdit_Click();
}

void ConfigListDialog::cmdRemove_Click()
{
    const std::optional<qint32> id = selectedId();
    if (!id) {
        MsgBox(removeSelectionMessage(), vbCritical);
        return;
    }
    const QString refusal = inUseRefusal(*id);
    if (!refusal.isEmpty()) {
        MsgBox(refusal, vbCritical);
        return;
    }
    const QString question = deleteQuestion();
    if (!question.isEmpty() && MsgBox(question, vbYesNoCancel | vbQuestion) != vbYes)
        return;
    deleteRow(*id);
    refresh(-1);
}

void ConfigListDialog::cmdCancel_Click()
{
    accept();
}

// ---- Add/edit dialog --------------------------------------------------------

namespace {

// Fits its dialog's height to the contents as the dialog is first shown.
class FitOnFirstShow : public QObject {
public:
    explicit FitOnFirstShow(QDialog* d) : QObject(d), m_dialog(d) { d->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_dialog || event->type() != QEvent::Show)
            return false;
        m_dialog->removeEventFilter(this);
        deleteLater();
        QLayout* layout = m_dialog->layout();
        if (!layout)
            return false;
        layout->activate();
        const int height = layout->hasHeightForWidth() ? layout->totalHeightForWidth(m_dialog->width())
                                                       : layout->totalSizeHint().height();
        m_dialog->resize(m_dialog->width(), std::max(height, layout->totalMinimumSize().height()));
        return false;
    }

private:
    QDialog* m_dialog;
};

}  // namespace

void FitHeightToContents(QDialog* d)
{
    new FitOnFirstShow(d);
}

ConfigEditDialog::ConfigEditDialog(qint32 id, QWidget* parent) : QDialog(parent), m_id(id)
{
    FitHeightToContents(this);
}

void ConfigEditDialog::wire(QLineEdit* name, QPushButton* ok, QPushButton* cancel)
{
    m_name = name;
    connect(ok, &QPushButton::clicked, this, guarded(this, &ConfigEditDialog::cmdOK_Click));
    connect(cancel, &QPushButton::clicked, this, guarded(this, &ConfigEditDialog::cmdCancel_Click));
    ok->setDefault(true);
    cancel->setAutoDefault(false);
}

QString ConfigEditDialog::notFoundMessage() const
{
    return QStringLiteral("Record not found.");
}

void ConfigEditDialog::Form_Load()
{
    if (isNew()) {
        setDefaults();
        return;
    }
    if (!loadRow()) {
        const QString message = notFoundMessage();
        if (!message.isEmpty())
            MsgBox(message, vbOKOnly);
    }
}

void ConfigEditDialog::cmdOK_Click()
{
    if (m_name->text().isEmpty()) {
        MsgBox(nameMessage(), vbCritical);
        m_name->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!correctNumbers())
        return;
    saveRow();
    accept();
}

void ConfigEditDialog::cmdCancel_Click()
{
    reject();
}

namespace {

// A box the user cannot reach (disabled, or on a hidden panel) is not
// refused: it is saved again with the number it was filled with.
bool InReach(const QLineEdit* box)
{
    return box->isEnabled() && box->isVisibleTo(box->window());
}

bool Refuse(QLineEdit* box, const QString& message)
{
    MsgBox(message, vbCritical | vbOKOnly);
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

// An empty box is 0; a number is taken; anything else is refused with the
// box's message, so that a typed value is never replaced by 0 unseen.
bool TakeOrRefuse(QLineEdit* box, Typed typed, const QString& refusal)
{
    return typed == Typed::Number || Refuse(box, refusal);
}

void EmptyIsZero(QLineEdit* box)
{
    if (box->text().trimmed().isEmpty())
        box->setText(QStringLiteral("0"));
}

}  // namespace

bool PercentageOrZero(QLineEdit* box, const QString& caption, double* out)
{
    EmptyIsZero(box);
    const Typed typed = ReadPercentage(box->text(), out);
    if (typed == Typed::OutOfRange && !InReach(box) && ReadTypedNumber(box->text(), out))
        return true;
    return TakeOrRefuse(box, typed, PercentageRefusal(caption));
}

bool AmountOrZero(QLineEdit* box, const QString& caption, Money* out, Sign sign)
{
    EmptyIsZero(box);
    const Typed typed = ReadAmountBox(box, out, sign);
    return TakeOrRefuse(box, typed, AmountRefusal(caption, typed));
}
