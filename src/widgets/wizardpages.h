#pragma once
// The page protocol every wizard of the program follows (the configuration,
// mailing-list and web-bookings wizards).
//
// A wizard is a run of modal pages, numbered from 1 (the welcome page), shown
// one at a time by a driver. The driver and its pages share two variables: the
// page number to show next and a cancel flag (a wizard names its own pair:
// WizConfig_Screen / WizConfig_Cancel, or WizOConfig_Screen / WizOConfig_Cancel
// for the two wizards that never run at once). The pages read and write the
// wizard's working copies; only the driver applies them, after the last page.
//
// Driver (RunWizard):
//   - clears the cancel flag; the page number becomes 1, or 2 when the
//     wizard's show-welcome flag is false;
//   - while the flag is clear and the number is not pageCount + 1, makes the
//     page the number names and shows it modally;
//   - answers Finished when the number went past the last page, Cancelled
//     when a page set the flag. A cancelled wizard applies nothing.
//
// A page moves the wizard only through its buttons:
//   Next    Validate() checks the page's input; on a failure it has told the
//           user why and the page stays open. Otherwise Store() writes the
//           page's fields into the copies, the page number goes up by 1 and
//           the page closes. On the last page Next reads "&Finish".
//   Back    the page number goes down by 1 and the page closes; the fields
//           are not stored.
//   Cancel  sets the cancel flag and closes the page.
// Esc and the title bar's close box leave the page open as it is, with what
// was typed on it: only Cancel ends a wizard. Each page is made afresh when it
// is shown and fills its fields from the copies in its constructor, so Back
// and Next again show what Next last stored.
//
// Writing a page: one class with one Designer form whose push buttons are
// named cmdBack, cmdNext and cmdCancel. Its constructor runs ui->setupUi(this),
// then AttachButtons(), then fills the fields from the copies; it overrides
// Validate() and Store() where the page has input:
//
//   class frmWizFoo_Name : public WizPage {
//   public:
//       frmWizFoo_Name(WizardRun& run, FooCopies& copies, QWidget* parent)
//           : WizPage(run, parent), ui(new Ui::frmWizFoo_Name), m_copies(copies)
//       {
//           ui->setupUi(this);
//           AttachButtons();
//           ui->txtName->setText(m_copies.Name);
//       }
//   protected:
//       bool Validate() override;   // MsgBox(...) and focus, false on a failure
//       void Store() override { m_copies.Name = ui->txtName->text(); }
//   };
//
// The welcome and closing pages are the same in every wizard (WizWelcomePage,
// WizCompletePage below). A driver:
//
//   WizardRun run{WizOConfig_Screen, WizOConfig_Cancel, 4};
//   const WizardResult r = RunWizard(run, WizOConfig_ShowWelcome, [&](int page) -> std::unique_ptr<WizPage> {
//       switch (page) {
//       case 1: return std::make_unique<WizWelcomePage>(run, kFooWelcome, WizOConfig_ShowWelcome, parent);
//       case 2: return std::make_unique<frmWizFoo_Name>(run, copies, parent);
//       ...
//       default: return std::make_unique<WizCompletePage>(run, QStringLiteral("frmWizFoo_Complete"), parent);
//       }
//   });
//   if (r == WizardResult::Finished) { apply the copies }
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

class QCloseEvent;
class QKeyEvent;
namespace Ui {
class WizWelcomePage;
class WizCompletePage;
}

// The two variables a wizard's driver and pages share, and the number of
// pages (pageCount + 1 means finished).
struct WizardRun {
    int& screen;
    bool& cancel;
    int pageCount;
};

enum class WizardResult { Finished, Cancelled };

class WizPage : public QDialog {
    Q_OBJECT
public:
    WizPage(WizardRun& run, QWidget* parent);

    // The page's buttons.
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click();

protected:
    // Connects cmdBack, cmdNext and cmdCancel of the page's form (call after
    // setupUi) and captions Next "&Finish" on the last page.
    void AttachButtons();
    // Whether the page's input may be stored; false after telling the user why.
    virtual bool Validate() { return true; }
    // Writes the page's fields into the wizard's copies.
    virtual void Store() {}
    // Back's work; the welcome page overrides it with nothing.
    virtual void GoBack();
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    WizardRun& m_run;
};

// Shows the pages of a wizard until it is finished or cancelled (see above).
// makePage returns the page for a number from 1 to run.pageCount.
WizardResult RunWizard(WizardRun& run, bool showWelcome,
                       const std::function<std::unique_ptr<WizPage>(int page)>& makePage);

// The texts of a wizard's welcome page.
struct WelcomeTexts {
    QString objectName;   // the page's window name, "frmWizConfig_Welcome"
    QString title;        // window title, "Configuration Wizard"
    QString heading;      // "Welcome to the Configuration Wizard"
    QString message;      // lblWelcomeMessage
};

// Page 1 of every wizard: a greeting and the box chkDisplayNext "Display this
// welcome screen at startup.", ticked when it opens. Next clears showWelcome
// when the box is unticked (a ticked box leaves it as it is); Back does nothing.
class WizWelcomePage : public WizPage {
    Q_OBJECT
public:
    WizWelcomePage(WizardRun& run, const WelcomeTexts& texts, bool& showWelcome, QWidget* parent);
    ~WizWelcomePage() override;

protected:
    void Store() override;
    void GoBack() override {}

private:
    Ui::WizWelcomePage* ui;
    bool& m_showWelcome;
};

// The last page of every wizard: "Finished", "Click Finish to complete your
// configuration." and the Finish button.
class WizCompletePage : public WizPage {
    Q_OBJECT
public:
    WizCompletePage(WizardRun& run, const QString& objectName, QWidget* parent);
    ~WizCompletePage() override;

private:
    Ui::WizCompletePage* ui;
};
