#pragma once
// The Web Booking Configuration wizard: the booking e-mail address and the
// form service of the booking-form page, kept in the database's web settings.
class QWidget;

enum class WebBookingsAnswer {
    Cancelled,    // nothing was saved
    Saved,        // the settings were saved
    CreatePage,   // saved, and the user wants the booking-form page written now
};

WebBookingsAnswer RunWebBookingsWizard(QWidget* parent);
