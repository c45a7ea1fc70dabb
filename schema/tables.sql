-- Tables of db.mdb, format version 3.
--
-- Storage conventions, shared with src/core/db.h:
--   * keys are INTEGER PRIMARY KEY AUTOINCREMENT, so the id of a deleted row
--     is never handed out again (season is keyed by its month);
--   * dates are TEXT 'YYYY-MM-DD HH:MM:SS', which sorts and compares as time;
--   * money is an INTEGER count of ten-thousandths (12.50 is 125000);
--   * flags are INTEGER 0 or 1, percentages REAL, counts INTEGER;
--   * names that lists sort or compare on use COLLATE NOCASE, SQLite's own,
--     so that any SQLite program compares them alike; the program's queries
--     and the name indexes use FOLD, the collation every connection of the
--     program and of the tools registers, which folds all letters, not only
--     ASCII (src/core/sqliteext.h). A program without FOLD refuses to change
--     those indexes ("no such collation sequence") rather than damage them;
--   * text columns accept empty text, and NOT NULL stands only where every
--     writer always gives a value.
--
-- Nothing is declared as a foreign key: the program deletes related rows one
-- table at a time and keeps some on purpose (invoice lines outlive their
-- booking, custom field values outlive their customer), and a booking without
-- a customer carries customerid 0. The references are noted per column.
--
-- Unordered lists (payment methods, custom booking field choices, the units of
-- the calendar) show rows in table order, so those tables get no index that a
-- query could scan instead of the table; indexes on link tables are on one
-- column only, so rows of one booking still come back in insertion order.

CREATE TABLE booking (
    id               INTEGER PRIMARY KEY AUTOINCREMENT,
    customerid       INTEGER DEFAULT 0,          -- customer.ID; 0 = no customer yet
    fromdate         TEXT NOT NULL,              -- arrival
    todate           TEXT NOT NULL,              -- departure
    noadults         INTEGER DEFAULT 2,          -- what the customer step shows for a new booking
    nokids           INTEGER DEFAULT 0,
    bookedby         TEXT DEFAULT '',
    notes            TEXT DEFAULT '',
    PaymentMethod    TEXT DEFAULT '' COLLATE NOCASE,  -- PaymentMethod.method as text, not its id
    Tip              INTEGER DEFAULT 0,          -- money
    AmountPayed      INTEGER DEFAULT 0,          -- money
    CommissionID     INTEGER DEFAULT 1,          -- commission.id; 1 = no commission
    CommissionAmount INTEGER DEFAULT 0,          -- money
    CreditCardNo     TEXT DEFAULT '',
    CreditCardExpiry TEXT DEFAULT '',
    CreditCardType   TEXT DEFAULT '',
    BookingUDFID     INTEGER DEFAULT NULL,       -- BookingUDF.id; Null = no choice stored
    Discount         INTEGER DEFAULT 0           -- money; read with the payment fields, never used
);
CREATE INDEX booking_dates ON booking (fromdate, todate);
-- A day or a range is found from either end: stays that end on or after it.
CREATE INDEX booking_departures ON booking (todate, fromdate);
CREATE INDEX booking_customer ON booking (customerid);

CREATE TABLE bookingroom (
    id        INTEGER PRIMARY KEY AUTOINCREMENT,
    bookingid INTEGER NOT NULL,                  -- booking.id
    roomid    INTEGER NOT NULL                   -- room.id
);
CREATE INDEX bookingroom_booking ON bookingroom (bookingid);
CREATE INDEX bookingroom_room ON bookingroom (roomid);

-- Mobile and HomePhone come last, in this order: a version-2 file gains them
-- at the end when it is converted, so converted and new files have the same
-- layout.
CREATE TABLE customer (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    FirstName     TEXT COLLATE NOCASE,
    LastName      TEXT COLLATE NOCASE,
    BusinessName  TEXT COLLATE NOCASE,
    Address1      TEXT,
    Address2      TEXT,
    City          TEXT COLLATE NOCASE,
    State         TEXT COLLATE NOCASE,
    PostCode      TEXT,
    Country       TEXT COLLATE NOCASE,
    Phone         TEXT,                          -- work phone
    Fax           TEXT,
    Email         TEXT COLLATE NOCASE,
    SubmittedDate TEXT,                          -- date; never written by the program
    Mobile        TEXT,
    HomePhone     TEXT
);

-- Custom customer fields: definitions come with the database and are only read.
CREATE TABLE CustomerUDF (
    id   INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT COLLATE NOCASE,                    -- label
    type TEXT COLLATE NOCASE,                    -- 'checkbox', 'combobox', anything else = text box
    pos  INTEGER                                 -- display order
);

CREATE TABLE CustomerUDFOption (
    id                INTEGER PRIMARY KEY AUTOINCREMENT,
    option            TEXT COLLATE NOCASE,       -- one choice of a 'combobox' field
    itemCustomFieldID INTEGER                    -- CustomerUDF.id
);

CREATE TABLE CustomerUDFData (
    id            INTEGER PRIMARY KEY AUTOINCREMENT,
    CustomerID    INTEGER NOT NULL,              -- customer.ID
    CustomerUDFID INTEGER NOT NULL,              -- CustomerUDF.id
    Data          TEXT DEFAULT ''
);
CREATE INDEX CustomerUDFData_customer_field ON CustomerUDFData (CustomerID, CustomerUDFID);

-- Choices of the custom booking field; row 1 is the default choice.
CREATE TABLE BookingUDF (
    id   INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT COLLATE NOCASE
);

-- The lettable units. No row is reserved.
CREATE TABLE room (
    id                   INTEGER PRIMARY KEY AUTOINCREMENT,
    Name                 TEXT COLLATE NOCASE,
    Notes                TEXT,
    ChargeForEach        TEXT DEFAULT 'Night',   -- 'Night', 'Night and Person', 'Hour', 'Week',
                                                 -- 'Week and Person', 'Month', 'Month and Person', 'Person'
    UnitPrice            INTEGER DEFAULT 0,      -- money, per week, month or person
    LowUnitPrice         INTEGER DEFAULT 0,      -- money, per night or hour, weekday, low season
    HighUnitPrice        INTEGER DEFAULT 0,      -- money, weekday, high season
    LowWeekendPrice      INTEGER DEFAULT 0,      -- money, Saturday and Sunday, low season
    HighWeekendPrice     INTEGER DEFAULT 0,      -- money, Saturday and Sunday, high season
    TaxRateID            INTEGER DEFAULT 1,      -- taxrate.id; 1 = no tax
    CommissionID         INTEGER DEFAULT NULL,   -- commission.id; Null = earns no commission
    CommissionPercentage REAL DEFAULT 0          -- percent of the total payable
);

-- Rows 1 (no tax), 2 (first sales tax) and 3 (second sales tax) are reserved.
CREATE TABLE taxrate (
    id         INTEGER PRIMARY KEY AUTOINCREMENT,
    name       TEXT COLLATE NOCASE,
    percentage REAL DEFAULT 0
);

-- Chargeable items; row 1 is the accommodation charge, row 2 the free-text line.
CREATE TABLE item (
    id         INTEGER PRIMARY KEY AUTOINCREMENT,
    name       TEXT COLLATE NOCASE,
    SaleAmount INTEGER DEFAULT 0,                -- money, before tax
    TaxRateID  INTEGER DEFAULT 1,                -- taxrate.id
    IsDefault  INTEGER DEFAULT 0                 -- flag: put on every new booking's invoice
);

-- A booking's charges; the tax name and percentage are copies made with the line.
CREATE TABLE invoiceline (
    id                INTEGER PRIMARY KEY AUTOINCREMENT,
    bookingid         INTEGER NOT NULL,          -- booking.id
    itemid            INTEGER NOT NULL,          -- item.id; 1 = accommodation, 2 = free text
    quantity          INTEGER DEFAULT 1,
    name              TEXT DEFAULT '',
    amount            INTEGER DEFAULT 0,         -- money, unit price before tax
    taxratename       TEXT DEFAULT '' COLLATE NOCASE,
    taxratepercentage REAL DEFAULT 0
);
CREATE INDEX invoiceline_booking ON invoiceline (bookingid);

-- One row per calendar month. highlow is compared exactly: 'H' is high
-- season, anything else (also 'h') low, so it keeps the binary collation.
CREATE TABLE season (
    month   INTEGER PRIMARY KEY CHECK (month BETWEEN 1 AND 12),
    highlow TEXT DEFAULT 'L'
);

-- Commission accounts; row 1 is "No Commission".
CREATE TABLE commission (
    id    INTEGER PRIMARY KEY AUTOINCREMENT,
    name  TEXT COLLATE NOCASE,
    notes TEXT
);

CREATE TABLE commissionPayment (
    id            INTEGER PRIMARY KEY AUTOINCREMENT,
    CommissionID  INTEGER NOT NULL,              -- commission.id
    Amount        INTEGER DEFAULT 0,             -- money
    SubmittedDate TEXT,                          -- when it was paid
    Notes         TEXT
);

-- Offered in table order; the fourth row is the card payment.
CREATE TABLE PaymentMethod (
    id     INTEGER PRIMARY KEY AUTOINCREMENT,
    method TEXT COLLATE NOCASE
);

-- Exactly one row: the web-booking settings.
CREATE TABLE settings (
    webbookingemail          TEXT DEFAULT '',
    webbookingproviderindex  INTEGER DEFAULT 0,  -- 0 = default form service, 1 = custom address
    webbookingprovidercustom TEXT DEFAULT ''
);

-- Exactly one row: the format version of the file.
CREATE TABLE DatabaseVersion (
    ver INTEGER
);

-- Words offered for the lettable unit; read only.
CREATE TABLE Commodity (
    id       INTEGER PRIMARY KEY AUTOINCREMENT,
    singular TEXT COLLATE NOCASE,
    plural   TEXT COLLATE NOCASE
);
