#pragma once
// What the windows below the main window may ask of it. The main window
// implements this; a panel, page or dialog that must move the main window's
// view, or start something only the main window knows, calls mainView().
#include <QtGlobal>

class MainView {
public:
    virtual ~MainView() = default;

    // The Add Reservation command: starts the booking wizard, or resumes the
    // booking in progress at its step.
    virtual void AddReservation() = 0;
    // Opens a stored booking in the wizard.
    virtual void DoEditBooking(qint32 iEditBookingID) = 0;
    // Fills the arrivals list and brings it to the front.
    virtual void ShowArrivals() = 0;
    // Shows a step of the booking wizard.
    virtual void ShowBookingStep(int step) = 0;
    // Refills the customers list, selecting a row or a customer.
    virtual void RefreshCustomerScreen(int SelectRow = 1, qint32 SelectCustomerID = 0) = 0;
    // Lays out the panels again after a control of one was moved.
    virtual void Form_Resize() = 0;
};

// The main window, loaded on first use. The top of the program registers
// how to reach it before any window needs it.
using MainViewProvider = MainView& (*)();
void SetMainViewProvider(MainViewProvider provider);
MainView& mainView();

// Shorthand for mainView().ShowArrivals().
void ShowArrivals();
