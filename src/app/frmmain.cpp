#include "app/frmmain.h"

#include "booking/bookingwizard.h"
#include "booking/confirmpage.h"
#include "booking/paymentpage.h"
#include "calendar/arrivalspanel.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "widgets/guard.h"
#include "core/apperror.h"
#include "core/configrecords.h"
#include "widgets/controlarray.h"
#include "widgets/database.h"
#include "app/frmabout.h"
#include "app/frmsplash.h"
#include "app/frmtip.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "core/reserved.h"
#include "widgets/panellayout.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/settingkeys.h"
#include "widgets/startmove.h"
#include "widgets/twips.h"
#include "app/windowprint.h"
#include "customers/customerspanel.h"
#include "invoicing/documents.h"
#include "reports/exportprogress.h"
#include "reports/reportchart.h"
#include "reports/reportspanel.h"
#include "ui_frmmain.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
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

namespace {
MainView& loadedMainView()
{
    return MainForm();
}
}  // namespace

void RegisterMainView()
{
    SetMainViewProvider(loadedMainView);
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

    // The layout follows the inner area, which also changes without the window
    // changing size (a menu bar that wraps).
    ui->centralwidget->installEventFilter(this);
    // Presses on the background and on the labels, for moving the window.
    ui->picBack->installEventFilter(this);
    for (QLabel* label : Label1)
        label->installEventFilter(this);
    // Toolbar buttons show only the tips of their own.
    for (QAction* button : ui->Toolbar->actions())
        if (QWidget* w = ui->Toolbar->widgetForAction(button))
            w->installEventFilter(this);
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

namespace {

// The progress of a repair of the stored rates, in the exports' dialog. The
// repair runs in one transaction, so it cannot be cancelled.
class RepairShownProgress : public RepairProgress {
public:
    explicit RepairShownProgress(QWidget* owner)
        : m_dialog(owner, QStringLiteral("Checking the percentages..."), ExportProgress::Cancel::NotOffered)
    {
    }
    void step(qint64 done, qint64 total) override
    {
        m_dialog.setTotal(total);
        m_dialog.step(done);
    }

private:
    ExportProgress m_dialog;
};

}  // namespace

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
    {
        frmSplash* splash = frmSplash::current();
        CheckDatabaseVersion(splash ? splash->Timer1 : nullptr, splash);
    }

    InitCustomerHeader();
    arrivals()->InitArrivalsHeader();
    booking()->payment()->InitInvoiceHeader();
    // The list is filled once, at the end of the load, not on this choice.
    arrivals()->SetSortOrder(0);

    // The calendar view is not the first one shown: it reads its page when
    // it comes to the front.
    ui->picCalendar->hide();
    Calendar* cal = calendar()->MainCalendar();
    cal->ConnectDatabase();
    cal->Setup();
    cal->InitHeaders();
    cal->Refresh();
    ShowIncludeEndDate(Config::IncludeEndDate.read(), false);
    ShowCommission(Config::EnableCommission.read());

    WizConfig_ShowWelcome = true;
    WizOConfig_ShowWelcome = true;
    WizMailList_ShowWelcome = true;

    reports()->Form_Load(QDate::currentDate());

    arrivals()->SetDay(QDate::currentDate());

    ui->picCalendar->hide();
    ui->picBooking->hide();
    ui->picArrivals->hide();
    ui->picCustomers->hide();
    // The arrivals panel in front; its list is filled once, by the unit
    // words' update at the end of the load.
    ShowView(ui->picArrivals);

    for (QWidget* panel : {static_cast<QWidget*>(ui->picCalendar), static_cast<QWidget*>(ui->picBooking),
                           static_cast<QWidget*>(ui->picArrivals), static_cast<QWidget*>(ui->picReports),
                           static_cast<QWidget*>(ui->picCustomers)})
        panel->setGeometry(0, 0, ui->picBack->width(), ui->picBack->height());

    // A booking left in progress by the last run (closed or ended) is taken
    // up again: Add Reservation resumes it at its step.
    RestoreBookingInProgress();
    for (QPushButton* b : booking()->cmdBack)
        b->setEnabled(false);

    ForgetSalesTaxPercentages();

    booking()->payment()->FillPaymentMethods();

    ShowSalesTaxNames();
    ShowPostCode(Config::PostCode.read());
    ShowSecondTax(Config::EnabledSalesTax2.read());

    customers()->SetView(0);

    gsCommoditySingular = Config::CommoditySingular.read();
    gsCommodityPlural = Config::CommodityPlural.read();
    UpdateCommodityNameInGUI();
    // A long repair shows how far it has come, before the main window shows.
    RepairShownProgress progress(frmSplash::current());
    RepairStoredRates(&progress);
}

// ---- Settings shown in the window ----------------------------------------------
// Used at start-up and again by the options dialog and the configuration wizard.

void frmMain::ShowSalesTaxNames()
{
    for (QLabel* l : ControlArray<QLabel>(this, QStringLiteral("lblSalesTaxName2")))
        SetPlainText(l, SalesTaxName(TaxRateId::Second));
    for (QLabel* l : ControlArray<QLabel>(this, QStringLiteral("lblSalesTaxName")))
        SetPlainText(l, SalesTaxName(TaxRateId::First));
}

void frmMain::ShowPostCode(const QString& deflt)
{
    for (QLabel* l : ControlArray<QLabel>(this, QStringLiteral("lblPostCode")))
        SetPlainText(l, Config::PostCode.read(deflt));
}

void frmMain::ShowSecondTax(bool on)
{
    QList<QWidget*> tax2Labels;
    for (QLabel* l : ControlArray<QLabel>(this, QStringLiteral("lblSalesTaxName2")))
        tax2Labels << l;
    for (const char* name : {"Label3", "lblSalesTaxPercentage2", "lblSalesTax2", "lblConfirm_10"})
        if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(name)))
            tax2Labels << w;
    for (QWidget* w : tax2Labels)
        w->setVisible(on);
}

void frmMain::ShowCommission(bool on)
{
    booking()->payment()->SetCommissionVisible(on);
    ui->mnuCommissions->menuAction()->setVisible(on);
}

void frmMain::ShowIncludeEndDate(bool on, bool repaint)
{
    Calendar* cal = calendar()->MainCalendar();
    cal->bIncludeEndDate = on;
    if (repaint)
        cal->Refresh();
}

void frmMain::Form_Unload()
{
    calendar()->MainCalendar()->SaveCalendarGridLayout();
    customers()->SaveLayout();
    arrivals()->SaveLayout();
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
        // The tutorial names the menus with the unit words; when the wizard
        // changes them, it is shown again with the new ones.
        const QString plural = gsCommodityPlural, singular = gsCommoditySingular;
        const bool shown = platform().help().showContext(this, 3);
        mnuConfigureWizard_Click();
        if (shown && (gsCommodityPlural != plural || gsCommoditySingular != singular))
            platform().help().showContext(this, 3);
        return;
    }
    if (MsgBox(QStringLiteral("Would you like to run the 'Configuration Wizard' now?"), vbYesNoCancel | vbQuestion)
        == vbYes)
        mnuConfigureWizard_Click();
}

void frmMain::SetupToolbar()
{
    // The picture list, picture 1 first, and the picture of each button by its
    // position (1 to 9; 0 for the separators, which have none).
    static const char* const imToolbar[] = {"web-bookings", "calendar", "reports", "customers",
                                            "find", "add-reservation", "advanced-calendar"};
    static const int imToolbarPictures[] = {6, 2, 7, 4, 3, 0, 5, 0, 1};
    const QList<QAction*> buttons = ui->Toolbar->actions();
    for (int i = 0; i < buttons.size() && i < 9; ++i) {
        if (imToolbarPictures[i] == 0)
            continue;
        buttons[i]->setIcon(QIcon(QStringLiteral(":/images/toolbar/%1.svg")
                                      .arg(QLatin1String(imToolbar[imToolbarPictures[i] - 1]))));
    }
}

void frmMain::ConvertDatabaseFrom_2_To_3()
{
    ::ConvertDatabaseFrom_2_To_3();
}

// ---- Panels --------------------------------------------------------------

void frmMain::ShowView(QWidget* panel)
{
    // The panels behind the one in front are hidden, not only covered: none
    // of their controls can take the focus or a key unseen.
    panel->setVisible(true);
    for (QWidget* w : {static_cast<QWidget*>(ui->picCalendar), static_cast<QWidget*>(ui->picBooking),
                       static_cast<QWidget*>(ui->picArrivals), static_cast<QWidget*>(ui->picReports),
                       static_cast<QWidget*>(ui->picCustomers)})
        if (w != panel)
            w->setVisible(false);
    panel->raise();
}

void frmMain::Form_Resize()
{
    using namespace PanelLayout;
    // W x H is the inner area under the menu bar with the toolbar at its top,
    // T the toolbar's height: the panels' constants are made for that. Qt keeps
    // the toolbar out of the central widget, so the central widget is W x (H - T)
    // and picBack fills it, directly under the toolbar (the place that the
    // toolbar's picture height plus 880 twips stands for).
    PanelArea area;
    area.T = ui->Toolbar->isHidden() ? 0 : Twips::fromPx(ui->Toolbar->height());
    area.W = Twips::fromPx(ui->centralwidget->width());
    area.H = Twips::fromPx(ui->centralwidget->height()) + area.T;
    const int W = area.W;
    const int H = area.H;
    const int T = area.T;

    // Frame and booking panel.
    QWidget* picBack = ui->picBack;
    picBack->move(0, 0);
    setWidth(picBack, W);
    setHeight(picBack, H - T);
    setWidth(ui->picBooking, W);
    setHeight(ui->picBooking, H - T);
    booking()->Form_Resize(area);

    // The other panels, each W - 250 twips from its left and 1000 twips above the bottom.
    for (QWidget* panel : {static_cast<QWidget*>(ui->picArrivals), static_cast<QWidget*>(ui->picCalendar),
                           static_cast<QWidget*>(ui->picReports), static_cast<QWidget*>(ui->picCustomers)}) {
        setWidth(panel, W - leftOf(panel) - 250);
        setHeight(panel, H - topOf(panel) - T - 1000);
    }
    arrivals()->Form_Resize();
    calendar()->Form_Resize();
    reports()->Form_Resize();
    customers()->Form_Resize();

    Calendar* MainCalendar = calendar()->MainCalendar();
    refreshStep("calendar headers", [MainCalendar] {
        MainCalendar->InitHeaders();
        MainCalendar->Refresh();
    });
}

// ---- Moving the window ---------------------------------------------------

void frmMain::Form_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    StartMove(this);
}

void frmMain::Label1_MouseDown(int Index, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    // The headings of the arrivals, booking and calendar panels.
    if (Index == 8 || Index == 14 || Index == 16)
        StartMove(this);
}

void frmMain::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!childAt(at)) {
        Form_MouseDown(event->button(), event->modifiers(), Twips::fromPx(at.x()), Twips::fromPx(at.y()));
        event->accept();
        return;
    }
    QMainWindow::mousePressEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == ui->centralwidget)
            RunGuarded([this] { Form_Resize(); });
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        const int x = Twips::fromPx(at.x());
        const int y = Twips::fromPx(at.y());
        if (watched == ui->picBack) {
            // Only where no panel lies: a press on a panel's background that
            // the panel passed on is not the window's background.
            if (!ui->picBack->childAt(at)) {
                Form_MouseDown(mouse->button(), mouse->modifiers(), x, y);
                return true;
            }
        } else if (auto* label = qobject_cast<QLabel*>(watched)) {
            const int index = Label1.key(label, -1);
            if (index >= 0)
                Label1_MouseDown(index, mouse->button(), mouse->modifiers(), x, y);
        }
        break;
    }
    case QEvent::ToolTip:
        // An action without a tip of its own would show its caption.
        if (auto* button = qobject_cast<QToolButton*>(watched))
            if (QAction* action = button->defaultAction())
                if (action->toolTip() == action->iconText())
                    return true;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Shared routines -----------------------------------------------------

void frmMain::DoRTF_TemplateReplace(QByteArray& c)
{
    FillDocumentTemplate(c, iBookingID);
}

void frmMain::DoEditBooking(qint32 iEditBookingID)
{
    iBookingID = iEditBookingID;
    iBookingStep = 0;
    mnuReservationAdd_Click();
}

void frmMain::ShowArrivals()
{
    arrivals()->FillArrivals();
    ShowView(ui->picArrivals);
}

void frmMain::ShowBookingStep(int step)
{
    booking()->ShowBookingStep(step);
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
    booking()->SetCommodityName(gsCommodityPlural);
    ui->mnuConfigureRooms->setText(NoAccessKey(gsCommodityPlural + QStringLiteral("...")));
    ui->mnuBookingsRoomNotes->setText(NoAccessKey(gsCommoditySingular + QStringLiteral(" Notes...")));
    arrivals()->SetCommodityName(gsCommoditySingular);
    calendar()->MainCalendar()->CommodityName = gsCommodityPlural;
    ShowArrivals();
}

// ---- Toolbar -------------------------------------------------------------

frmMain::Command frmMain::ToolbarCommand(const QString& key)
{
    // Compared in this order, exactly (letter case counts).
    static const QList<QPair<QString, Command>> commands = {
        {QStringLiteral("Add Reservation"), &frmMain::mnuReservationAdd_Click},
        {QStringLiteral("Calendar"), &frmMain::mnuCalendarSimple_Click},
        {QStringLiteral("Advanced Calendar"), &frmMain::mnuCalendar_Click},
        {QStringLiteral("View Customers"), &frmMain::mnuCustomersView_Click},
        {QStringLiteral("Reports"), &frmMain::mnuReports_Click},
        {QStringLiteral("Web Bookings"), &frmMain::mnuWebConfig_Click},
        {QStringLiteral("Find"), &frmMain::mnuCustomerFind_Click},
    };
    for (const auto& [k, command] : commands)
        if (k == key)
            return command;
    return nullptr;
}

frmMain::Command frmMain::ToolbarMenuCommand(const QString& key)
{
    if (key == QLatin1String("Customer"))
        return &frmMain::mnuCustomerFind_Click;
    if (key == QLatin1String("Reservation"))
        return &frmMain::mnuReservationFind_Click;
    return nullptr;
}

void frmMain::Toolbar_ButtonClick(const QString& key)
{
    if (const Command command = ToolbarCommand(key))
        (this->*command)();
}

void frmMain::Toolbar_ButtonMenuClick(const QString& key)
{
    if (const Command command = ToolbarMenuCommand(key))
        (this->*command)();
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
        connect(item.action, &QAction::triggered, this, guarded(this, item.handler));

    // Toolbar buttons are dispatched by their key, which is their caption.
    for (QAction* button : {ui->tbAddReservation, ui->tbCalendar, ui->tbAdvancedCalendar, ui->tbViewCustomers,
                            ui->tbReports, ui->tbFind, ui->tbWebBookings})
        connect(button, &QAction::triggered, this, guarded([this, button] { Toolbar_ButtonClick(button->text()); }));
    auto* findMenu = new QMenu(this);
    for (const auto& [text, key] : {std::pair{"Customer...", "Customer"}, std::pair{"Reservation...", "Reservation"}}) {
        QAction* entry = findMenu->addAction(QString::fromLatin1(text));
        entry->setData(QString::fromLatin1(key));
        connect(entry, &QAction::triggered, this,
                guarded([this, entry] { Toolbar_ButtonMenuClick(entry->data().toString()); }));
    }
    ui->tbFind->setMenu(findMenu);
    if (auto* findButton = qobject_cast<QToolButton*>(ui->Toolbar->widgetForAction(ui->tbFind)))
        findButton->setPopupMode(QToolButton::MenuButtonPopup);
}

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

void frmMain::mnuReservationAdd_Click()
{
    ShowView(ui->picBooking);
    booking()->StartOrResumeBooking();
}

void frmMain::mnuReservationFind_Click()
{
    booking()->FindBooking();
}

void frmMain::mnuReports_Click()
{
    ShowView(ui->picReports);
    reports()->chart()->setFocus();
    reports()->ShowReports();
}

void frmMain::mnuCalendar_Click()
{
    ShowView(ui->picCalendar);
    calendar()->MainCalendar()->Refresh();
}

void frmMain::mnuCalendarSimple_Click()
{
    mnuReservationsArrivals_Click();
}

void frmMain::mnuReservationsArrivals_Click()
{
    ShowView(ui->picArrivals);
    ui->picArrivals->setFocus();
}

void frmMain::mnuReservationToday_Click()
{
    arrivals()->SetDay(QDate::currentDate());
    mnuReservationsArrivals_Click();
}

void frmMain::mnuCustomersView_Click()
{
    ShowView(ui->picCustomers);
    customers()->FocusList();
    RefreshCustomerScreen(1, 0);
}

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
    OpenOrTell(QStringLiteral("https://support.tarlomy.example/"), QStringLiteral("Unable to open the support page."));
}

void frmMain::mnuHelpSendFeedback_Click()
{
    OpenOrTell(QStringLiteral("mailto:care@tarlomy.example"), QStringLiteral("Unable to open the mail program."));
}

void frmMain::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}
