#pragma once
// The mailing list: the e-mail address of every customer who has one, in one
// line, joined by ", ", ready to paste into an e-mail program.
#include <QByteArray>
#include <QString>
#include <QStringList>

// Every stored address in list order (case-blind, then by customer), one per
// customer, as stored: an address shared by two customers comes twice.
QStringList MailingListAddresses();

// The file's bytes: the addresses joined by ", " in UTF-8, nothing before or
// after them; empty when there are none.
QByteArray MailingListText(const QStringList& addresses);

// Writes the list of the open database as the whole of file. A failure tells
// the user and leaves an existing file as it was; false then.
bool WriteMailingList(const QString& file);
