#pragma once
// Reads that show what they could read of a damaged file (the lists), kept
// apart from the connection so that a window may ask whether its rows are
// all there are. Implemented with the connection (core/db.cpp).
#include "core/apperror.h"

// While one lives, a read of a Query that fails because the database file is
// damaged or cannot be read ends its rows there instead of raising: the rows
// read so far stand for the whole, and the first such failure is kept here
// for the one who shows them. For the lists, which show what they could read
// and tell the user once; a pass that works out figures (RowScan), a count
// and a step that writes always raise, so that nothing is worked out or
// written from part of the rows.
class PartialReads {
public:
    PartialReads();
    ~PartialReads();
    PartialReads(const PartialReads&) = delete;
    PartialReads& operator=(const PartialReads&) = delete;
    bool failed() const { return m_failed; }
    const AppError& failure() const { return m_failure; }
    // Keeps e in the innermost one living; false when there is none.
    static bool keep(const AppError& e);
    // Whether the innermost one living has kept a failure: the rows read
    // are not all there are.
    static bool failedSoFar();

private:
    PartialReads* m_outer;
    bool m_failed = false;
    AppError m_failure;
};
