#pragma once
// The mailing list: the e-mail address of every customer who has one, in one
// line, joined by ", ", ready to paste into an e-mail program.
#include "core/rowscan.h"

#include <QString>

// Every stored address in list order (case-blind, then by customer), one per
// customer, as stored: an address shared by two customers comes twice.
RowScan MailingListRows();

// Writes the list of the open database as the whole of file: the addresses
// joined by ", " in UTF-8, nothing before or after them, as they are read.
// A failing write tells the user and leaves an existing file as it was;
// false then. A failing read raises, and leaves the file as it was too.
bool WriteMailingList(const QString& file);
