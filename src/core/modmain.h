#pragma once
// Shared state of the program and the small routines every window uses.
#include "core/money.h"

#include <QString>
#include <QVariant>

// ---- Shared state --------------------------------------------------------
// Ids of rows are held as 32-bit numbers throughout.

extern QString sDBPath;                    // folder of "db.mdb", ends in "/" or "\"

extern qint32 iBookingID;                  // booking in progress in the wizard; 0 = none
extern int iBookingStep;                   // current page of the wizard, 0 to 4
// The booking in progress and its step are kept in the settings ("Options",
// "BookingInProgress" and "BookingInProgressStep") each time they change, so
// that it outlives the program: start-up takes them back. False when the
// settings could not be written (widgets/lists.h tells the user).
bool SaveBookingInProgress();
void RestoreBookingInProgress();

extern QString WizMailList_Filename;       // the mailing list's file; offered again at the next run

extern QString gsCommoditySingular;        // the user's words for one unit and several
extern QString gsCommodityPlural;

extern bool WizConfig_ShowWelcome;         // welcome pages of the three wizards
extern bool WizOConfig_ShowWelcome;
extern bool WizMailList_ShowWelcome;
// Page number and cancel flag of the configuration wizard, and those the
// mailing-list and web-bookings wizards share (widgets/wizardpages.h).
extern int WizConfig_Screen;
extern bool WizConfig_Cancel;
extern int WizOConfig_Screen;
extern bool WizOConfig_Cancel;

// The program's folder, ending in "/": where the executable, "db.mdb" by
// default, the templates and the tips file are.
QString AppPath();
void SetAppPath(const QString& folder);   // tests run from their own folder

// ---- Dates and texts -----------------------------------------------------

// A value is a date when it holds one or is text that reads as one in the
// user's locale (or as stored, "YYYY-MM-DD HH:MM:SS").
bool IsDate(const QVariant& x);
QDateTime CDate(const QVariant& x);        // invalid when x is no date

QString MakeIntDate(const QVariant& x);    // 2024-3-5, or empty text
QString MakeUSDate(const QVariant& x);     // 3/5/2024, or empty text
QString Nz(const QVariant& s);             // Null gives empty text
QString GetS(const QVariant& sField, const QVariant& sSeperator);
// Replaces every occurrence of sSearch in c (case counts). Text that a
// replacement puts in is never searched again, so it always ends.
void FindAndReplace(QString& c, const QString& sSearch, const QString& sReplace);
// The leading number of a text ("3 adults" is 3), "." the point everywhere.
double Val(const QString& text);
// The leading number of v in the locale's general number format; "0" on failure.
QString FormatNumberText(const QVariant& v);
QString GetMonthName(int i);               // "Jan".."Dec"; other numbers empty
int GetDayOfWeekIndex(const QVariant& sDay);  // "Monday" 1 .. "Sunday" 7; else 0
