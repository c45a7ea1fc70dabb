#pragma once
// The customer picker of the booking wizard: finds customers by first or last
// name and answers with the chosen one.
#include <QDialog>
#include <optional>

class PagedModel;
namespace Ui { class frmResCustSearch; }

class frmResCustSearch : public QDialog {
    Q_OBJECT
public:
    explicit frmResCustSearch(QWidget* parent = nullptr);
    ~frmResCustSearch() override;

    // Searches for the names given (as typed on the customer page) and waits
    // for the user's choice; nothing when the picker was closed without one.
    static std::optional<qint32> ask(const QString& firstName, const QString& lastName, QWidget* parent);
    std::optional<qint32> chosen() const { return m_chosen; }

    // Runs the search for the two boxes and refills gcust. Row SelectRow
    // (1 = the first match), or the row of SelectCustomerID when listed, is
    // selected; returns the row actually selected (0 when there is none).
    int RefreshCustomerScreen(int SelectRow = 1, qint64 SelectCustomerID = 0);

    void cmdOk_Click();
    void cmdSelect_Click();
    void cmdCancel_Click();

private:
    void Form_Load();

    Ui::frmResCustSearch* ui;
    std::optional<qint32> m_chosen;
    PagedModel* m_matches;   // the customers found, loaded as they are scrolled
};
