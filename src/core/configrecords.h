#pragma once
// The reference tables that price and describe bookings: tax rates,
// commission accounts, units, chargeable items, payment methods, the choices
// of the custom booking field and the months' seasons. One record type per
// table; every statement on them is written here once, with bound values.
#include "core/money.h"

#include <QString>
#include <optional>
#include <vector>

// A row as a list shows it: its id and its name.
struct NamedRow {
    qint32 id = 0;
    QString name;
};

struct TaxRateRecord {
    qint32 id = -1;
    QString name;
    double percentage = 0;

    // Every rate but "no tax", by name.
    static std::vector<TaxRateRecord> listed();
    static std::optional<TaxRateRecord> find(qint32 id);
    // Adds the rate (id -1) or changes it.
    void save();
    static void remove(qint32 id);
    // Whether anything refers to the row (stops at the first reference).
    static bool usedByItems(qint32 id);
    static bool usedByUnits(qint32 id);
};

// The name a sales tax (TaxRateId::First or TaxRateId::Second) goes by
// wherever it is shown: the name of the row that is charged; a row that was
// removed goes by the name a new file gives it ("Sales Tax", "Sales Tax2").
QString SalesTaxName(qint32 id);

struct CommissionAccountRecord {
    qint32 id = -1;
    QString name;
    QString notes;

    // Every account but "No Commission", by name.
    static std::vector<NamedRow> listed();
    static std::optional<CommissionAccountRecord> find(qint32 id);
    void save();
    static void remove(qint32 id);
    static bool hasPayments(qint32 id);
    static bool usedByUnits(qint32 id);
};

struct UnitRecord {
    qint32 id = -1;
    QString name;
    QString notes;
    QString chargeForEach = QStringLiteral("Night");
    Money unitPrice;
    Money lowUnitPrice;
    Money highUnitPrice;
    Money lowWeekendPrice;
    Money highWeekendPrice;
    std::optional<qint32> taxRateId;      // empty when the row holds Null
    std::optional<qint32> commissionId;   // empty: earns no commission
    double commissionPercentage = 0;

    // The charge units a unit may be priced by, in the order they are offered.
    static const QStringList& chargeUnits();

    static std::vector<NamedRow> listed();          // by name
    static std::vector<NamedRow> inTableOrder();    // by id
    static std::optional<UnitRecord> find(qint32 id);
    void save();
    static void remove(qint32 id);
    static bool isBooked(qint32 id);
    // The notes alone: read and written by the notes dialog.
    static std::optional<QString> notesOf(qint32 id);
    static void saveNotes(qint32 id, const QString& notes);
};

struct ChargeableItemRecord {
    qint32 id = -1;
    QString name;
    Money saleAmount;
    qint32 taxRateId = 1;
    bool isDefault = false;

    // Every item but the stay's line and the free-text line, by name.
    static std::vector<NamedRow> listed();
    static std::optional<ChargeableItemRecord> find(qint32 id);
    void save();
    static void remove(qint32 id);
    static bool namedByInvoiceLines(qint32 id);

    // An item with the name and percentage of its tax rate, as an invoice
    // line copies them; nothing when the item or its tax rate row is missing.
    struct Priced {
        qint32 id = 0;
        QString name;
        Money saleAmount;
        qint32 taxRateId = 0;
        QString taxName;
        double taxPercentage = 0;
    };
    static std::optional<Priced> priced(qint32 id);
    // The items every new booking's invoice gets, by id (those without their
    // tax rate row left out).
    static std::vector<Priced> pricedDefaults();
};

struct PaymentMethodRecord {
    qint32 id = -1;
    QString method;

    // In table order, as the booking wizard offers them.
    static std::vector<NamedRow> listed();
    static std::optional<PaymentMethodRecord> find(qint32 id);
    void save();
    static void remove(qint32 id);
};

struct BookingChoiceRecord {
    qint32 id = -1;
    QString name;

    // Every choice but the default, by name.
    static std::vector<NamedRow> listed();
    // Every choice, the default first, in table order, as a booking offers them.
    static std::vector<NamedRow> all();
    static std::optional<BookingChoiceRecord> find(qint32 id);
    void save();
    static void remove(qint32 id);
    static bool usedByBookings(qint32 id);
};

struct SeasonRecord {
    int month = 0;
    bool high = false;   // only an exact "H" is high season

    // The stored months in calendar order; a month without a row is missing.
    static std::vector<SeasonRecord> months();
    static std::optional<SeasonRecord> find(int month);
    static void setHigh(int month, bool high);
};
