#pragma once
// The list-and-edit pair that maintains a reference table: a list dialog with
// Add, Edit, Remove and Close, and an add/edit dialog with OK and Cancel for
// one row. The bases carry what every pair does; a member supplies its
// entries, its editor, its messages, its in-use refusals and its deletion.
#include "core/configrecords.h"
#include "core/numberinput.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
namespace Ui { class ConfigListDialog; }

// A number box of a configuration window. An empty box is "0"; text that is
// no number, or a number the box does not take (a percentage outside
// 0 to 100, an amount beyond the largest the program holds, a price below
// zero), is refused with the message of its kind of box naming it by its
// caption, and the box takes the focus. A percentage box the user cannot
// reach (disabled, or on a hidden panel) keeps the number it was filled
// with; an amount box keeps the amount it was filled with (see ShowAmount)
// while its text is unchanged. False when refused.
bool PercentageOrZero(QLineEdit* box, const QString& caption, double* out);
bool AmountOrZero(QLineEdit* box, const QString& caption, Money* out, Sign sign = Sign::Any);

// How an add/edit dialog was left.
enum class ConfigAnswer { Saved, Cancelled };

// Makes a dialog as high as its contents need at its width when it is first
// shown, so that no empty band stands above its buttons.
void FitHeightToContents(QDialog* d);

class ConfigListDialog : public QDialog {
    Q_OBJECT
public:
    ~ConfigListDialog() override;

    // Refills the list in the member's order and selects its first entry.
    virtual void Setup();

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdRemove_Click();
    // Closes the dialog.
    virtual void cmdCancel_Click();
    void lstItems_DblClick();

protected:
    explicit ConfigListDialog(QWidget* parent);

    // The shared design: caption, the title above the list and the
    // instruction. A member with a design of its own calls wire() instead; a
    // member that shows its rows in a grid passes no list, overrides Setup()
    // and selectedId() and connects its grid's double click to
    // lstItems_DblClick().
    void useStandardDesign(const QString& name, const QString& caption, const QString& title,
                           const QString& instruction);
    void wire(QListWidget* list, QPushButton* add, QPushButton* edit, QPushButton* remove, QPushButton* close);
    QListWidget* list() const { return m_list; }

    // The entries in the order shown: text and row id.
    virtual std::vector<NamedRow> entries() = 0;
    // Opens the member's add/edit dialog modally for a row, or -1 for a new one.
    virtual ConfigAnswer openEditor(qint32 id) = 0;
    virtual QString editSelectionMessage() const = 0;
    virtual QString removeSelectionMessage() const = 0;
    // The refusal of the first in-use check that finds the row used; empty
    // when nothing uses it.
    virtual QString inUseRefusal(qint32 id);
    // The deletion question; empty deletes without asking.
    virtual QString deleteQuestion() const = 0;
    virtual void deleteRow(qint32 id) = 0;
    // The row of the selected entry; empty when none is selected.
    virtual std::optional<qint32> selectedId() const;
    // Refreshes after an add (-1), an edit (the row edited) or a removal (-1).
    virtual void refresh(qint32 handledId);
    // Fills the list without choosing an entry.
    void fillList();

private:
    Ui::ConfigListDialog* ui = nullptr;
    QListWidget* m_list = nullptr;
};

class ConfigEditDialog : public QDialog {
    Q_OBJECT
public:
    void cmdOK_Click();
    void cmdCancel_Click();

    // Shows a member's dialog modally for a row (-1 adds one).
    template <class D>
    static ConfigAnswer run(qint32 id, QWidget* parent)
    {
        D d(id, parent);
        return d.exec() == QDialog::Accepted ? ConfigAnswer::Saved : ConfigAnswer::Cancelled;
    }

protected:
    ConfigEditDialog(qint32 id, QWidget* parent);

    void wire(QLineEdit* name, QPushButton* ok, QPushButton* cancel);
    // Fills the fields: the member's defaults for a new row, else the row.
    // Members call it at the end of their constructor.
    void Form_Load();

    qint32 rowId() const { return m_id; }
    bool isNew() const { return m_id == -1; }

    virtual void setDefaults() {}
    // Fills the fields from the row; false when it is missing.
    virtual bool loadRow() = 0;
    virtual QString notFoundMessage() const;
    virtual QString nameMessage() const = 0;
    // Reads the number boxes (see PercentageOrZero); false after a refusal,
    // and the dialog stays open with nothing saved.
    virtual bool correctNumbers() { return true; }
    virtual void saveRow() = 0;

private:
    qint32 m_id;
    QLineEdit* m_name = nullptr;
};
