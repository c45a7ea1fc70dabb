#include "core/frmmain.h"

#include "booking/bookingwizard.h"
#include "booking/paymentpage.h"
#include "calendar/arrivalspanel.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "core/controlarray.h"
#include "core/database.h"
#include "core/db.h"
#include "core/frmabout.h"
#include "core/frmsplash.h"
#include "core/frmtip.h"
#include "core/modmain.h"
#include "core/moddetectwindows.h"
#include "core/platform.h"
#include "core/settings.h"
#include "core/windowprint.h"
#include "customers/customerspanel.h"
#include "reports/reportspanel.h"
#include "ui_arrivalspanel.h"
#include "ui_bookingwizard.h"
#include "ui_customerspanel.h"
#include "ui_frmmain.h"
#include "ui_paymentpage.h"
#include "ui_reportspanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QToolButton>

namespace {
frmMain* g_main = nullptr;
}

frmMain& MainForm()
{
    if (!g_main) {
        g_main = new frmMain;
        g_main->Form_Load();
    }
    return *g_main;
}

bool MainFormLoaded()
{
    return g_main != nullptr;
}

void DestroyMainForm()
{
    delete g_main;
    g_main = nullptr;
}

frmMain::frmMain(QWidget* parent) : QMainWindow(parent), ui(new Ui::frmMain)
{
    ui->setupUi(this);
    Label1 = ControlArray<QLabel>(this, QStringLiteral("Label1"));
    Shape1 = ControlArray<QFrame>(this, QStringLiteral("Shape1"));
    // The panels lie on top of one another: the one in front hides the rest.
    for (QWidget* panel : ui->picBack->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        panel->setAutoFillBackground(true);
    connectMenus();
}

frmMain::~frmMain()
{
    if (g_main == this)
        g_main = nullptr;
    delete ui;
}

ArrivalsPanel* frmMain::arrivals() const { return ui->picArrivals; }
BookingWizard* frmMain::booking() const { return ui->picBooking; }
CalendarPanel* frmMain::calendar() const { return ui->picCalendar; }
ReportsPanel* frmMain::reports() const { return ui->picReports; }
CustomersPanel* frmMain::customers() const { return ui->picCustomers; }

// ---- Start-up and shut-down ----------------------------------------------

void frmMain::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;

    SetupToolbar();
    setWindowState(Qt::WindowMaximized);

    sDBPath = DatabaseFolder();
    if (!OpenDatabase())
        platform().endProgram(1);
    platform().help().setHelpFile(AppPath() + QStringLiteral("kshelp.hlp"));
    CheckDatabaseVersion(frmSplash::current());

    InitCustomerHeader();
    arrivals()->InitArrivalsHeader();
    booking()->payment()->InitInvoiceHeader();
    SetListIndex(arrivals()->ui->cboSimpleCalSort, 0);

    // Weekday headings, from the first day of the locale's week.
    const QLocale locale;
    const QMap<int, QLabel*> weekdays = ControlArray<QLabel>(reports(), QStringLiteral("lblLabels"));
    for (int i = 0; i < 7; ++i) {
        const int day = (int(locale.firstDayOfWeek()) - 1 + i) % 7 + 1;
        if (QLabel* label = weekdays.value(52 + i))
            label->setText(locale.dayName(day, QLocale::LongFormat));
    }

    Calendar* cal = calendar()->MainCalendar();
    cal->objConn = &objConn;
    cal->Setup();
    cal->InitHeaders();
    cal->Refresh();
    cal->bIncludeEndDate = ConfigFlag(QStringLiteral("IncludeEndDate"), false);

    const bool commission = ConfigFlag(QStringLiteral("EnableCommission"), false);
    booking()->payment()->ui->picBookingCommission->setVisible(commission);
    ui->mnuCommissions->menuAction()->setVisible(commission);

    WizConfig_ShowWelcome = true;
    WizOConfig_ShowWelcome = true;
    WizMailList_ShowWelcome = true;

    SetListIndex(reports()->ui->cboGraphStyle, 0);
    SetListIndex(reports()->ui->cboGraphType, 0);

    arrivals()->ui->dtCalendar->setSelectedDate(QDate::currentDate());

    ui->picCalendar->hide();
    ui->picBooking->hide();
    ui->picArrivals->hide();
    ui->picCustomers->hide();
    ShowArrivals();

    for (QWidget* panel : {static_cast<QWidget*>(ui->picCalendar), static_cast<QWidget*>(ui->picBooking),
                           static_cast<QWidget*>(ui->picArrivals), static_cast<QWidget*>(ui->picReports),
                           static_cast<QWidget*>(ui->picCustomers)})
        panel->setGeometry(0, 0, ui->picBack->width(), ui->picBack->height());

    iBookingStep = 0;
    for (QPushButton* b : booking()->cmdBack)
        b->setEnabled(false);
    iNoOfNights = 0;

    sCostPerNight = ConfigMoney(QStringLiteral("CostPerNight"), QStringLiteral("123"));
    dSalesTaxPercentage = ConfigLeadingNumber(QStringLiteral("SalesTaxPercentage"), QStringLiteral("10"));
    dSalesTaxPercentage2 = ConfigLeadingNumber(QStringLiteral("SalesTaxPercentage2"), QStringLiteral("10"));

    booking()->payment()->FillPaymentMethods();

    // Tax and post-code labels wherever they stand in the window.
    for (QLabel* l : ControlArray<QLabel>(this, QStringLiteral("lblSalesTaxName2")))
        l->setText(ConfigText(QStringLiteral("SalesTaxName2"), QStringLiteral("Sales Tax2")));
    for (QLabel* l : ControlArray<QLabel>(this, QStringLiteral("lblSalesTaxName")))
        l->setText(ConfigText(QStringLiteral("SalesTaxName"), QStringLiteral("Sales Tax")));
    for (QLabel* l : ControlArray<QLabel>(this, QStringLiteral("lblPostCode")))
        l->setText(ConfigText(QStringLiteral("PostCode"), QStringLiteral("Post Code")));

    const bool tax2 = ConfigFlag(QStringLiteral("EnabledSalesTax2"), false);
    QList<QWidget*> tax2Labels;
    for (QLabel* l : ControlArray<QLabel>(this, QStringLiteral("lblSalesTaxName2")))
        tax2Labels << l;
    for (const char* name : {"Label3", "lblSalesTaxPercentage2", "lblSalesTax2", "lblConfirm_10"})
        if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(name)))
            tax2Labels << w;
    for (QWidget* w : tax2Labels)
        w->setVisible(tax2);

    SetListIndex(customers()->ui->cboCustView, 0);

    gsCommoditySingular = ConfigText(QStringLiteral("CommoditySingular"), QStringLiteral("Room"));
    gsCommodityPlural = ConfigText(QStringLiteral("CommodityPlural"), QStringLiteral("Rooms"));
    UpdateCommodityNameInGUI();

    reports()->ui->dtReport->setDate(QDate::currentDate());
}

void frmMain::Form_Unload()
{
    calendar()->MainCalendar()->SaveCalendarGridLayout();
    SaveGridLayout(customers()->ui->gcust);
    SaveGridLayout(arrivals()->ui->gArrivals);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmMain::FirstRun()
{
    const int answer = MsgBox(
        QStringLiteral("We've noticed that this is the first time you have launched Tarlomy. You may find it useful "
                       "to follow the getting started tutorial. Would you like to view it now?"),
        vbYesNoCancel | vbQuestion);
    if (answer == vbYes) {
        platform().help().showContext(this, 3);
        mnuConfigureWizard_Click();
        return;
    }
    if (MsgBox(QStringLiteral("Would you like to run the 'Configuration Wizard' now?"), vbYesNoCancel | vbQuestion)
        == vbYes)
        mnuConfigureWizard_Click();
}

void frmMain::SetupToolbar()
{
    // Pictures by button position; the second set is for the other desktop.
    struct Button { QAction* action; const char* picture; const char* xpPicture; };
    const Button buttons[] = {
        {ui->tbAddReservation, "add-reservation", "add-reservation"},
        {ui->tbCalendar, "calendar", "calendar"},
        {ui->tbAdvancedCalendar, "advanced-calendar", "advanced-calendar"},
        {ui->tbViewCustomers, "customers", "customers"},
        {ui->tbReports, "reports", "reports"},
        {ui->tbFind, "find", "find"},
        {ui->tbWebBookings, "web-bookings", "web-bookings"},
    };
    const bool xp = IsWinXP();
    for (const Button& b : buttons)
        b.action->setIcon(QIcon(QStringLiteral(":/images/toolbar/%1.svg")
                                    .arg(QString::fromLatin1(xp ? b.xpPicture : b.picture))));
}

void frmMain::ConvertDatabaseFrom_2_To_3()
{
    ::ConvertDatabaseFrom_2_To_3();
}

// ---- Panels --------------------------------------------------------------

void frmMain::ShowView(QWidget* panel, std::initializer_list<QWidget*> hide)
{
    panel->setVisible(true);
    for (QWidget* w : hide)
        w->setVisible(false);
    panel->raise();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    const QRect area = ui->centralwidget->rect();
    ui->picBack->setGeometry(area);
    for (QWidget* panel : ui->picBack->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        panel->setGeometry(0, 0, area.width(), area.height());
}

// ---- Shared routines -----------------------------------------------------

void frmMain::DoEditBooking(qint32 iEditBookingID)
{
    iBookingID = iEditBookingID;
    iBookingStep = 0;
    mnuReservationAdd_Click();
}

void frmMain::InitCustomerHeader()
{
    customers()->InitCustomerHeader();
}

void frmMain::RefreshCustomerScreen(int SelectRow, qint32 SelectCustomerID)
{
    customers()->RefreshCustomerScreen(SelectRow, SelectCustomerID);
}

void frmMain::UpdateCommodityNameInGUI()
{
    const QMap<int, QLabel*> steps = ControlArray<QLabel>(booking(), QStringLiteral("lblStep"));
    if (QLabel* step = steps.value(1))
        step->setText(QStringLiteral("Step 2 - Select ") + gsCommodityPlural);
    if (QLabel* heading = Label1.value(3))
        heading->setText(QStringLiteral("Select the ") + gsCommodityPlural + QStringLiteral(" for this booking."));
    if (QLabel* caption = Label1.value(5))
        caption->setText(gsCommodityPlural + QStringLiteral(":"));
    ui->mnuConfigureRooms->setText(gsCommodityPlural + QStringLiteral("..."));
    ui->mnuBookingsRoomNotes->setText(gsCommoditySingular + QStringLiteral(" Notes..."));
    if (QTableWidgetItem* header = arrivals()->ui->gArrivals->horizontalHeaderItem(1))
        header->setText(gsCommoditySingular);
    QComboBox* sort = arrivals()->ui->cboSimpleCalSort;
    ComboClear(sort);
    ComboAdd(sort, QStringLiteral("Time"));
    ComboAdd(sort, QStringLiteral("Name"));
    ComboAdd(sort, gsCommoditySingular);
    SetListIndex(sort, 0);
    calendar()->MainCalendar()->CommodityName = gsCommodityPlural;
    ShowArrivals();
}

// ---- Toolbar -------------------------------------------------------------

void frmMain::Toolbar_ButtonClick(const QString& key)
{
    if (key == QLatin1String("Add Reservation"))
        mnuReservationAdd_Click();
    else if (key == QLatin1String("Calendar"))
        mnuCalendarSimple_Click();
    else if (key == QLatin1String("Advanced Calendar"))
        mnuCalendar_Click();
    else if (key == QLatin1String("View Customers"))
        mnuCustomersView_Click();
    else if (key == QLatin1String("Reports"))
        mnuReports_Click();
    else if (key == QLatin1String("Web Bookings"))
        mnuWebConfig_Click();
    else if (key == QLatin1String("Find"))
        mnuCustomerFind_Click();
}

void frmMain::Toolbar_ButtonMenuClick(const QString& key)
{
    if (key == QLatin1String("Customer"))
        mnuCustomerFind_Click();
    else if (key == QLatin1String("Reservation"))
        mnuReservationFind_Click();
}

// ---- Menus ---------------------------------------------------------------

void frmMain::connectMenus()
{
    struct Item { QAction* action; void (frmMain::*handler)(); };
    const Item items[] = {
        {ui->mnuFileExportCustomers, &frmMain::mnuFileExportCustomers_Click},
        {ui->mnuFileExportResCSV, &frmMain::mnuFileExportResCSV_Click},
        {ui->mnuFileExportThisMonth, &frmMain::mnuFileExportThisMonth_Click},
        {ui->mnuFileExportThisMonthView, &frmMain::mnuFileExportThisMonthView_Click},
        {ui->mnuFileExportCommissionAccounts, &frmMain::mnuFileExportCommissionAccounts_Click},
        {ui->mnuFilePageSetup, &frmMain::mnuFilePageSetup_Click},
        {ui->mnuFilePrint, &frmMain::mnuFilePrint_Click},
        {ui->mnuFileExit, &frmMain::mnuFileExit_Click},
        {ui->mnuEditUndo, &frmMain::mnuEditUndo_Click},
        {ui->mnuEditCut, &frmMain::mnuEditCut_Click},
        {ui->mnuEditCopy, &frmMain::mnuEditCopy_Click},
        {ui->mnuEditPaste, &frmMain::mnuEditPaste_Click},
        {ui->mnuEditClear, &frmMain::mnuEditClear_Click},
        {ui->mnuEditSelectAll, &frmMain::mnuEditSelectAll_Click},
        {ui->mnuWebConfig, &frmMain::mnuWebConfig_Click},
        {ui->mnuWebCreatePage, &frmMain::mnuWebCreatePage_Click},
        {ui->mnuReservationAdd, &frmMain::mnuReservationAdd_Click},
        {ui->mnuReservationFind, &frmMain::mnuReservationFind_Click},
        {ui->mnuReports, &frmMain::mnuReports_Click},
        {ui->mnuBookingsFinanceSummary, &frmMain::mnuBookingsFinanceSummary_Click},
        {ui->mnuCalendar, &frmMain::mnuCalendar_Click},
        {ui->mnuCalendarSimple, &frmMain::mnuCalendarSimple_Click},
        {ui->mnuBookingsRoomNotes, &frmMain::mnuBookingsRoomNotes_Click},
        {ui->mnuReservationToday, &frmMain::mnuReservationToday_Click},
        {ui->mnuCustomersView, &frmMain::mnuCustomersView_Click},
        {ui->mnuCustomerFind, &frmMain::mnuCustomerFind_Click},
        {ui->mnuCustMailingList, &frmMain::mnuCustMailingList_Click},
        {ui->mnuViewAccounts, &frmMain::mnuViewAccounts_Click},
        {ui->mnuCommissionPayments, &frmMain::mnuCommissionPayments_Click},
        {ui->mnuConfigureWizard, &frmMain::mnuConfigureWizard_Click},
        {ui->mnuConfigureTerminology, &frmMain::mnuConfigureTerminology_Click},
        {ui->mnuConfigureRooms, &frmMain::mnuConfigureRooms_Click},
        {ui->mnuConfigHighLowSeason, &frmMain::mnuConfigHighLowSeason_Click},
        {ui->mnuConfigChargeableItems, &frmMain::mnuConfigChargeableItems_Click},
        {ui->mnuConfigTax, &frmMain::mnuConfigTax_Click},
        {ui->mnuConfigCustomField, &frmMain::mnuConfigCustomField_Click},
        {ui->mnuConfigPaymentMethods, &frmMain::mnuConfigPaymentMethods_Click},
        {ui->mnuHelpContents, &frmMain::mnuHelpContents_Click},
        {ui->mnuHelpTipOfTheDay, &frmMain::mnuHelpTipOfTheDay_Click},
        {ui->mnuHelpIndex, &frmMain::mnuHelpIndex_Click},
        {ui->mnuHelpSearch, &frmMain::mnuHelpSearch_Click},
        {ui->mnuHelpOnlineSupport, &frmMain::mnuHelpOnlineSupport_Click},
        {ui->mnuHelpSendFeedback, &frmMain::mnuHelpSendFeedback_Click},
        {ui->mnuAbout, &frmMain::mnuAbout_Click},
    };
    for (const Item& item : items)
        connect(item.action, &QAction::triggered, this, item.handler);

    // Toolbar buttons are dispatched by their key, which is their caption.
    for (QAction* button : {ui->tbAddReservation, ui->tbCalendar, ui->tbAdvancedCalendar, ui->tbViewCustomers,
                            ui->tbReports, ui->tbFind, ui->tbWebBookings})
        connect(button, &QAction::triggered, this, [this, button] { Toolbar_ButtonClick(button->text()); });
    auto* findMenu = new QMenu(this);
    for (const auto& [text, key] : {std::pair{"Customer...", "Customer"}, std::pair{"Reservation...", "Reservation"}}) {
        QAction* entry = findMenu->addAction(QString::fromLatin1(text));
        const QString k = QString::fromLatin1(key);
        connect(entry, &QAction::triggered, this, [this, k] { Toolbar_ButtonMenuClick(k); });
    }
    ui->tbFind->setMenu(findMenu);
    if (auto* findButton = qobject_cast<QToolButton*>(ui->Toolbar->widgetForAction(ui->tbFind)))
        findButton->setPopupMode(QToolButton::MenuButtonPopup);
}

void frmMain::mnuFileExportCustomers_Click() {}
void frmMain::mnuFileExportResCSV_Click() {}
void frmMain::mnuFileExportThisMonth_Click() {}
void frmMain::mnuFileExportThisMonthView_Click() {}
void frmMain::mnuFileExportCommissionAccounts_Click() {}

void frmMain::mnuFilePageSetup_Click()
{
    DoPageSetup();
}

void frmMain::mnuFilePrint_Click()
{
    DoPrint();
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::sendKeys(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

void frmMain::mnuEditUndo_Click() { sendKeys(Qt::Key_Z, Qt::ControlModifier); }
void frmMain::mnuEditCut_Click() { sendKeys(Qt::Key_X, Qt::ControlModifier); }
void frmMain::mnuEditCopy_Click() { sendKeys(Qt::Key_C, Qt::ControlModifier); }
void frmMain::mnuEditPaste_Click() { sendKeys(Qt::Key_V, Qt::ControlModifier); }
void frmMain::mnuEditClear_Click() { sendKeys(Qt::Key_Delete, Qt::NoModifier); }
void frmMain::mnuEditSelectAll_Click() { sendKeys(Qt::Key_A, Qt::ControlModifier); }

void frmMain::mnuWebConfig_Click() {}
void frmMain::mnuWebCreatePage_Click() {}

void frmMain::mnuReservationAdd_Click()
{
    ShowView(ui->picBooking, {ui->picCalendar, ui->picCustomers, ui->picArrivals});
    booking()->StartOrResumeBooking();
}

void frmMain::mnuReservationFind_Click()
{
    booking()->FindBooking();
}

void frmMain::mnuReports_Click()
{
    ShowView(ui->picReports, {ui->picBooking, ui->picArrivals, ui->picCalendar, ui->picCustomers});
    reports()->ShowReports();
}

void frmMain::mnuBookingsFinanceSummary_Click() {}

void frmMain::mnuCalendar_Click()
{
    ShowView(ui->picCalendar, {ui->picBooking, ui->picArrivals, ui->picCustomers});
    calendar()->MainCalendar()->Refresh();
}

void frmMain::mnuCalendarSimple_Click()
{
    mnuReservationsArrivals_Click();
}

void frmMain::mnuReservationsArrivals_Click()
{
    ShowView(ui->picArrivals, {ui->picCustomers, ui->picCalendar, ui->picBooking});
    ui->picArrivals->setFocus();
}

void frmMain::mnuBookingsRoomNotes_Click() {}

void frmMain::mnuReservationToday_Click()
{
    arrivals()->ui->dtCalendar->setSelectedDate(QDate::currentDate());
    mnuReservationsArrivals_Click();
}

void frmMain::mnuCustomersView_Click()
{
    ShowView(ui->picCustomers, {ui->picCalendar, ui->picBooking, ui->picArrivals, ui->picReports});
    RefreshCustomerScreen(1, 0);
}

void frmMain::mnuCustomerFind_Click() {}
void frmMain::mnuCustMailingList_Click() {}
void frmMain::mnuViewAccounts_Click() {}
void frmMain::mnuCommissionPayments_Click() {}
void frmMain::mnuConfigureWizard_Click() {}
void frmMain::mnuConfigureTerminology_Click() {}
void frmMain::mnuConfigureRooms_Click() {}
void frmMain::mnuConfigHighLowSeason_Click() {}
void frmMain::mnuConfigChargeableItems_Click() {}
void frmMain::mnuConfigTax_Click() {}
void frmMain::mnuConfigCustomField_Click() {}
void frmMain::mnuConfigPaymentMethods_Click() {}

void frmMain::mnuHelpContents_Click()
{
    platform().help().showContext(this, 1);
}

void frmMain::mnuHelpTipOfTheDay_Click()
{
    frmTip tip(this);
    tip.exec();
}

void frmMain::mnuHelpIndex_Click()
{
    platform().help().showTab(this, -2);
}

void frmMain::mnuHelpSearch_Click()
{
    platform().help().showTab(this, -1);
}

void frmMain::mnuHelpOnlineSupport_Click()
{
    platform().shell().open(QStringLiteral("https://support.tarlomy.example/"));
}

void frmMain::mnuHelpSendFeedback_Click()
{
    platform().shell().open(QStringLiteral("mailto:care@tarlomy.example"));
}

void frmMain::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}
