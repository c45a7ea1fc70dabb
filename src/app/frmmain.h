#pragma once
// The main window: menu bar, toolbar and the five panels, one in front at a
// time (arrivals, calendar, booking wizard, reports, customers).
#include "widgets/mainview.h"

#include <QMainWindow>
#include <QMap>
#include <initializer_list>

class QLabel;
class QFrame;
class ArrivalsPanel;
class BookingWizard;
class CalendarPanel;
class CustomersPanel;
class ReportsPanel;
namespace Ui { class frmMain; }

class frmMain : public QMainWindow, public MainView {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Heading and caption labels, and the outline of each panel's working area.
    QMap<int, QLabel*> Label1;
    QMap<int, QFrame*> Shape1;

    ArrivalsPanel* arrivals() const;
    BookingWizard* booking() const;
    CalendarPanel* calendar() const;
    ReportsPanel* reports() const;
    CustomersPanel* customers() const;

    // Start-up and shut-down.
    void Form_Load();
    void Form_Unload();
    void FirstRun();
    void SetupToolbar();
    void ConvertDatabaseFrom_2_To_3();

    // Shows panel in front and hides every other panel.
    void ShowView(QWidget* panel);
    // The layout routine, run on every size change of the window's inner area.
    void Form_Resize() override;

    // A mouse button pressed on the window's own background, or on one of the
    // Label1 labels: the main headings move the window.
    void Form_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void Label1_MouseDown(int Index, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

    // Shared routines of the main window.
    void DoEditBooking(qint32 iEditBookingID) override;
    void InitCustomerHeader();
    void RefreshCustomerScreen(int SelectRow = 1, qint32 SelectCustomerID = 0) override;
    void AddReservation() override { mnuReservationAdd_Click(); }
    void ShowArrivals() override;
    void ShowBookingStep(int step) override;
    void UpdateCommodityNameInGUI();
    // Settings shown in the window: the tax-name labels (the names of the tax
    // rows charged); the post-code labels
    // (deflt when the setting is missing); the second-tax labels; the
    // commission panel and menu; the calendar's painting of departure days.
    void ShowSalesTaxNames();
    void ShowPostCode(const QString& deflt);
    void ShowSecondTax(bool on);
    void ShowCommission(bool on);
    void ShowIncludeEndDate(bool on, bool repaint);
    // Fills template text c for the booking in progress (invoicing/documents.h).
    void DoRTF_TemplateReplace(QByteArray& c);

    // Toolbar. A click is dispatched by the button's key (its caption), a
    // drop-down entry by the entry's key; a key that matches none does nothing.
    using Command = void (frmMain::*)();
    static Command ToolbarCommand(const QString& key);
    static Command ToolbarMenuCommand(const QString& key);
    void Toolbar_ButtonClick(const QString& key);
    void Toolbar_ButtonMenuClick(const QString& key);

    // Menu commands.
    void mnuFileExportCustomers_Click();
    void mnuFileExportResCSV_Click();
    void mnuFileExportThisMonth_Click();
    void mnuFileExportThisMonthView_Click();
    void mnuFileExportCommissionAccounts_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditClear_Click();
    void mnuEditSelectAll_Click();
    void mnuWebConfig_Click();
    void mnuWebCreatePage_Click();
    void mnuReservationAdd_Click();
    void mnuReservationFind_Click();
    void mnuReports_Click();
    void mnuBookingsFinanceSummary_Click();
    void mnuCalendar_Click();
    void mnuCalendarSimple_Click();
    void mnuReservationsArrivals_Click();
    void mnuBookingsRoomNotes_Click();
    void mnuReservationToday_Click();
    void mnuCustomersView_Click();
    void mnuCustomerFind_Click();
    void mnuCustMailingList_Click();
    void mnuViewAccounts_Click();
    void mnuCommissionPayments_Click();
    void mnuConfigureWizard_Click();
    void mnuConfigureTerminology_Click();
    void mnuConfigureRooms_Click();
    void mnuConfigHighLowSeason_Click();
    void mnuConfigChargeableItems_Click();
    void mnuConfigTax_Click();
    void mnuConfigCustomField_Click();
    void mnuConfigPaymentMethods_Click();
    void mnuHelpContents_Click();
    void mnuHelpTipOfTheDay_Click();
    void mnuHelpIndex_Click();
    void mnuHelpSearch_Click();
    void mnuHelpOnlineSupport_Click();
    void mnuHelpSendFeedback_Click();
    void mnuAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Ui::frmMain* ui;
    void connectMenus();
    void sendKeys(int key, Qt::KeyboardModifiers modifiers);
    bool m_loaded = false;
};

// The main window, loaded (its Form_Load run) on first use.
frmMain& MainForm();
// Lets the windows below reach the main window through mainView(); the
// program, its tests and its benchmarks call it once at start-up.
void RegisterMainView();
bool MainFormLoaded();
// Destroys the main window without its unload handler (tests start afresh).
void DestroyMainForm();
