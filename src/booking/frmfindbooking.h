#pragma once
// Finds bookings by their arrival and departure days and answers with the
// chosen one.
#include "core/bookingstore.h"

#include <QDialog>
#include <QTimer>
#include <memory>
#include <optional>

class PagedModel;
namespace Ui { class frmFindBooking; }

class frmFindBooking : public QDialog {
    Q_OBJECT
public:
    explicit frmFindBooking(QWidget* parent = nullptr);
    ~frmFindBooking() override;

    // The booking the user chose to view or edit; nothing when cancelled.
    static std::optional<qint32> ask(QWidget* parent);
    std::optional<qint32> chosen() const { return m_chosen; }

    // Lays out the result grid's columns to its width.
    void DoResize();

    void cmdOK_Click();
    void cmdEditCustomer_Click();
    void cmdCancel_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    // What the grid leaves the names beside the dates, in twips.
    int namesWidth() const;

    // Counts a slice of the matches; shows the count after the last.
    void CountMatches();

    Ui::frmFindBooking* ui;
    std::optional<qint32> m_chosen;
    PagedModel* m_results;   // the bookings found, loaded as they are scrolled
    std::shared_ptr<BookingSearch> m_counting;   // the search whose matches are being counted
    qint64 m_counted = 0;
    QTimer m_countTimer;
};
