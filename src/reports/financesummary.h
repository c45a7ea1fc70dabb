#pragma once
// The lines of the finance summary: the money of the whole database by kind.
#include <QStringList>

// Appends the summary's lines to *lines in their order; a database failure
// leaves the lines made before it and passes the error on.
void FinanceSummaryLines(QStringList* lines);
