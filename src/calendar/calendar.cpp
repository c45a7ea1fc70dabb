#include "calendar/calendar.h"

#include "widgets/guard.h"
#include "core/calendarstore.h"
#include "core/format.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/twips.h"
#include "widgets/plaintext.h"
#include "ui_calendar.h"

#include <QAbstractItemDelegate>
#include <QAbstractTableModel>
#include <QApplication>
#include <QDateEdit>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <algorithm>
#include <cmath>

namespace {

// Designed widths of the date column and of each unit column, in twips.
constexpr int kDateColWidth = 1500;
constexpr int kUnitColWidth = 1200;

int px(int twips) { return Twips::toPx(twips); }
int tw(int pixels) { return Twips::fromPx(pixels); }

// Halves go to the even neighbour.
int RoundEven(double v) { return int(std::nearbyint(v)); }

QColor FromColourValue(unsigned v)
{
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// Days read beyond each end of the page for a scroll or a resize, so that
// the next steps are painted from what was read.
constexpr int kSpareDays = 7;

// Paints a cell as its back colour and its text, and no more: the style's
// full item painting takes about twice as long on a page of a thousand
// cells.
class CellDelegate : public QAbstractItemDelegate {
public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QVariant back = index.data(Qt::BackgroundRole);
        if (back.isValid())
            painter->fillRect(option.rect, back.value<QBrush>());
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.isEmpty()) {
            const QVariant fore = index.data(Qt::ForegroundRole);
            painter->setPen(fore.isValid() ? fore.value<QBrush>().color() : option.palette.color(QPalette::Text));
            const QRect area = option.rect.adjusted(3, 0, -3, 0);
            const Qt::Alignment alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
            painter->drawText(area, int(alignment) | Qt::TextSingleLine, elided(option.fontMetrics, text, area.width()));
        }
        if (option.state & QStyle::State_HasFocus) {
            QPen pen(option.palette.color(QPalette::Highlight));
            pen.setWidth(2);
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return option.fontMetrics.size(Qt::TextSingleLine, index.data(Qt::DisplayRole).toString()) + QSize(6, 2);
    }

private:
    // A stay shows its name in every cell of its column, so each name is
    // measured once for a width (and again after a change of font).
    QString elided(const QFontMetrics& metrics, const QString& text, int width) const
    {
        if (metrics.height() != m_fontHeight || m_elided.size() > 4096) {
            m_elided.clear();
            m_fontHeight = metrics.height();
        }
        const QString key = QString::number(width) + u'|' + text;
        auto found = m_elided.constFind(key);
        if (found == m_elided.constEnd())
            found = m_elided.insert(key, metrics.elidedText(text, Qt::ElideRight, width));
        return *found;
    }

    mutable QHash<QString, QString> m_elided;
    mutable int m_fontHeight = -1;
};

// The unit names over the columns: a name wider than its column shows its
// beginning and "..." (the hover tip shows it whole), never its middle.
class UnitHeader : public QHeaderView {
public:
    explicit UnitHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        if (!rect.isValid())
            return;
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = rect;
        opt.section = logicalIndex;
        opt.textAlignment = Qt::Alignment(model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole).toInt());
        const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, &opt, this);
        opt.text = opt.fontMetrics.elidedText(model()->headerData(logicalIndex, orientation()).toString(),
                                              Qt::ElideRight, rect.width() - margin);
        style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    }
};

}  // namespace

// The grid's cells. Row 0 of the grid is the view's header and column 0 the
// dates, so grid row r is model row r - 1.
class CalendarModel : public QAbstractTableModel {
public:
    explicit CalendarModel(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : std::max(0, m_rows - 1);
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_cols;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return QVariant();
        const int cell = (index.row() + 1) * m_cols + index.column();
        switch (role) {
        case Qt::DisplayRole:
            return m_text.at(cell);
        case Qt::TextAlignmentRole:
            return index.column() == 0 ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (index.column() == 0)
                return QApplication::palette().button();
            if (m_back.at(cell) != 0)
                return FromColourValue(m_back.at(cell));
            return QVariant();
        case Qt::ForegroundRole:
            if (index.column() == 0)
                return QApplication::palette().buttonText();
            if (m_back.at(cell) != 0)
                return QColor(Qt::black);
            return QVariant();
        default:
            return QVariant();
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
            return QVariant();
        switch (role) {
        case Qt::DisplayRole:
            return m_header.at(section);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignHCenter | Qt::AlignTop);
        case Qt::UserRole:
            return m_colData.at(section);
        default:
            return QVariant();
        }
    }

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }

    // Rows and columns of the grid, header row and date column included. The
    // cells that remain keep their contents.
    void setSize(int rows, int cols)
    {
        rows = std::max(0, rows);
        cols = std::max(0, cols);
        auto modelRows = [](int gridRows) { return std::max(0, gridRows - 1); };
        if (cols < m_cols) {
            beginRemoveColumns(QModelIndex(), cols, m_cols - 1);
            reshape(m_rows, cols);
            endRemoveColumns();
        }
        if (modelRows(rows) < modelRows(m_rows)) {
            beginRemoveRows(QModelIndex(), modelRows(rows), modelRows(m_rows) - 1);
            reshape(rows, m_cols);
            endRemoveRows();
        }
        if (cols > m_cols) {
            beginInsertColumns(QModelIndex(), m_cols, cols - 1);
            reshape(m_rows, cols);
            endInsertColumns();
        }
        if (modelRows(rows) > modelRows(m_rows)) {
            beginInsertRows(QModelIndex(), modelRows(m_rows), modelRows(rows) - 1);
            reshape(rows, m_cols);
            endInsertRows();
        }
        reshape(rows, cols);   // the header row alone comes and goes unseen
    }

    QString text(int r, int c) const { return r == 0 ? m_header.at(c) : m_text.at(r * m_cols + c); }
    void setText(int r, int c, const QString& s) { (r == 0 ? m_header[c] : m_text[r * m_cols + c]) = s; }
    void setBack(int r, int c, unsigned colour) { m_back[r * m_cols + c] = colour; }
    qint64 colData(int c) const { return m_colData.at(c); }
    void setColData(int c, qint64 v) { m_colData[c] = v; }

    // Every day cell free and empty.
    void clearCells()
    {
        for (int r = 1; r < m_rows; ++r)
            for (int c = 1; c < m_cols; ++c) {
                m_text[r * m_cols + c].clear();
                m_back[r * m_cols + c] = 0;
            }
    }

    // Tells the view that everything may have changed.
    void changedAll()
    {
        if (m_cols > 0)
            emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
        if (m_rows > 1 && m_cols > 0)
            emit dataChanged(index(0, 0), index(m_rows - 2, m_cols - 1));
    }

private:
    void reshape(int rows, int cols)
    {
        if (rows == m_rows && cols == m_cols)
            return;
        QVector<QString> text(rows * cols);
        QVector<unsigned> back(rows * cols, 0);
        for (int r = 0; r < std::min(rows, m_rows); ++r)
            for (int c = 0; c < std::min(cols, m_cols); ++c) {
                text[r * cols + c] = m_text.at(r * m_cols + c);
                back[r * cols + c] = m_back.at(r * m_cols + c);
            }
        m_text = text;
        m_back = back;
        m_header.resize(cols);
        m_colData.resize(cols);
        m_rows = rows;
        m_cols = cols;
    }

    int m_rows = 0;
    int m_cols = 0;
    QVector<QString> m_header;     // row 0
    QVector<QString> m_text;       // by grid row and column; row 0 unused
    QVector<unsigned> m_back;      // back colour value; 0 = the grid's default
    QVector<qint64> m_colData;     // unit id of each column
};

Calendar::Calendar(QWidget* parent) : QWidget(parent), ui(new Ui::Calendar), m_model(new CalendarModel(this))
{
    ui->setupUi(this);
    // Names, notes and other stored texts show as typed.
    ShowLabelsAsPlainText(this);
    ui->picTooltip->hide();
    ui->picTooltip->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui->picTooltip->setBackgroundRole(QPalette::ToolTipBase);
    ui->lblTooltip->setForegroundRole(QPalette::ToolTipText);
    ui->picTooltip->raise();

    m_model->setSize(2, 2);
    QTableView* g = ui->g;
    g->setHorizontalHeader(new UnitHeader(g));
    g->horizontalHeader()->setHighlightSections(false);
    g->setModel(m_model);
    g->setItemDelegate(new CellDelegate(g));
    g->setWordWrap(false);
    g->setCornerButtonEnabled(false);
    QHeaderView* header = g->horizontalHeader();
    header->setDefaultSectionSize(px(kUnitColWidth));
    header->setMinimumSectionSize(px(150));
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->resizeSection(0, px(kDateColWidth));
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->verticalHeader()->setMinimumSectionSize(1);

    // The tip follows the mouse over the grid and goes away elsewhere.
    setMouseTracking(true);
    QList<QWidget*> watched = {ui->picBack, ui->Label1_0, ui->Label1_1, ui->Label1_2, g->viewport(),
                               header->viewport()};
    for (QWidget* w : watched) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    connect(ui->ScrollDate, &QScrollBar::valueChanged, this, guarded(this, &Calendar::ScrollDate_Change));
    connect(ui->DTPicker1, &QDateEdit::dateChanged, this, guarded(this, &Calendar::DTPicker1_Change));
    // Dragging the bar changes its value as it goes, so this covers both.
    connect(ui->HScroll, &QScrollBar::valueChanged, this, guarded(this, &Calendar::HScroll_Change));
    connect(ui->Command1, &QPushButton::clicked, this, guarded(this, &Calendar::Command1_Click));
    connect(g, &QTableView::doubleClicked, this,
            guarded([this](const QModelIndex& index) { g_DblClick(index.row() + 1, index.column()); }));
}

Calendar::~Calendar()
{
    delete ui;
}

void Calendar::Setup()
{
    dtDate = QDate::currentDate();
    {
        // Setting the start value is no step of the user's.
        const QSignalBlocker block(ui->ScrollDate);
        ui->ScrollDate->setRange(0, 32767);
        ui->ScrollDate->setValue(RoundEven(ui->ScrollDate->maximum() / 2.0));
    }
    iLastScrollPos = ui->ScrollDate->value();
    iMaxCols = 10;
    {
        const QSignalBlocker block(ui->HScroll);
        ui->HScroll->setMinimum(0);
        ui->HScroll->setValue(0);
    }
    bIncludeEndDate = false;
    RowHeight = 250;
}

void Calendar::SetCaptions()
{
    {
        const QSignalBlocker block(ui->DTPicker1);
        ui->DTPicker1->setDate(dtDate);
    }
    SetPlainText(ui->Label1_0, CommodityName);
    QString text = QStringLiteral("Instructions - you are currently viewing the availability of your ") + CommodityName
                   + QStringLiteral(" over a date range. To change the date range click the up/down arrow buttons. ");
    if (bIncludeEndDate)
        text += QStringLiteral("Note the departure dates are currently being shown. To hide the departure dates "
                               "select Configure and then Settings from the main menu.");
    else
        text += QStringLiteral("Note the departure dates will not currently be shown. To show the departure dates "
                               "select Configure and then Settings from the main menu.");
    SetPlainText(ui->Label2, text);
}

int Calendar::ReadUnits()
{
    const int n = CalendarStore::unitCount();
    {
        // The range is no step of the user's; the value it keeps is read below.
        const QSignalBlocker block(ui->HScroll);
        ui->HScroll->setRange(0, n - iMaxCols);
    }
    m_units.first = ui->HScroll->value();
    m_units.columns = iMaxCols;
    m_units.count = n;
    m_units.ids.clear();
    m_units.names.clear();
    for (const CalendarUnit& unit : CalendarStore::units(m_units.first, iMaxCols)) {
        m_units.ids << unit.id;
        m_units.names << unit.name;
    }
    m_units.valid = true;
    return n;
}

void Calendar::SetHeaderRow()
{
    // Columns without a unit of the window show none.
    for (int c = 1; c < m_model->cols(); ++c) {
        m_model->setText(0, c, QString());
        m_model->setColData(c, 0);
    }
    for (int k = 0; k < m_units.ids.size() && k + 1 < m_model->cols(); ++k) {
        m_model->setText(0, k + 1, m_units.names.at(k));
        m_model->setColData(k + 1, m_units.ids.at(k));
    }
}

void Calendar::InitHeaders()
{
    SetCaptions();
    QTableView* g = ui->g;
    g->setUpdatesEnabled(false);

    int n = 0;
    if (reads())
        n = CalendarStore::unitCount();

    // Unit columns that show, wholly or in part, in the grid's width: the
    // width the layout gives the grid for the control's size. A hidden
    // control and its grid get their resize events only when shown, so their
    // own widths may still be old ones here.
    const QHeaderView* header = g->horizontalHeader();
    const int visible = width() - g->x() - 2 * g->frameWidth();
    auto width = [&](int c) {
        return c < header->count() ? header->sectionSize(c) : header->defaultSectionSize();
    };
    int left = width(0);
    for (int col = 1; col <= n; ++col) {
        if (left >= visible)
            break;
        iMaxCols = col;
        left += width(col);
    }

    UserControl_Resize();

    m_model->setSize(iRows, iMaxCols + 1);
    if (m_model->rows() == 0) {
        g->setUpdatesEnabled(true);
        return;
    }
    ui->HScroll->setRange(0, n - iMaxCols);
    ui->HScroll->setPageStep(std::max(1, iMaxCols));
    if (reads() && !(m_units.valid && m_units.first == ui->HScroll->value()
                                          && m_units.columns == iMaxCols && m_units.count == n))
        ReadUnits();
    SetHeaderRow();
    m_model->changedAll();
    LoadGridLayout(g);
    g->setUpdatesEnabled(true);
}

bool Calendar::reads() const
{
    return m_connected && CalendarStore::isOpen();
}

void Calendar::Refresh()
{
    Redraw(true);
}

void Calendar::Redraw(bool reread)
{
    SetCaptions();
    if (!reads())
        return;
    // Behind another view of its window the control reads nothing until it
    // is shown.
    if (parentWidget() && !isVisibleTo(window())) {
        m_redrawPending = true;
        m_rereadPending = m_rereadPending || reread;
        return;
    }
    m_redrawPending = false;
    reread = reread || m_rereadPending;
    m_rereadPending = false;

    QTableView* g = ui->g;
    g->setUpdatesEnabled(false);
    // The units of the columns shown: read again on a refresh, or when the
    // window over them moved.
    if (reread || !m_units.valid || m_units.first != ui->HScroll->value() || m_units.columns != iMaxCols)
        ReadUnits();
    if (m_model->rows() == 0) {
        g->setUpdatesEnabled(true);
        return;
    }

    ui->HScroll->setRange(0, m_units.count - iMaxCols);
    SetHeaderRow();
    m_model->setText(0, 0, QString());

    if (iRows > m_model->rows())
        m_model->setSize(iRows, m_model->cols());
    const int rows = m_model->rows();
    const int cols = m_model->cols();

    // Every row shows its own day, also rows below the ones that fit.
    for (int r = 1; r < rows; ++r)
        m_model->setText(r, 0, Fmt::shortDate(dtDate.addDays(r - 1)));
    if (RowHeight > 0)
        g->verticalHeader()->setDefaultSectionSize(px(RowHeight));

    m_model->clearCells();
    aBookingID = QVector<QVector<qint32>>(rows + 1, QVector<qint32>(cols + 1, 0));
    m_guests.clear();

    QHash<qint64, int> columnOf;
    for (int c = cols - 1; c >= 1; --c)
        if (m_model->colData(c) != 0)
            columnOf.insert(m_model->colData(c), c);

    // The page's days and units, unless what was read last covers them;
    // read for a scroll or a resize, with some days to spare.
    const QDate after = dtDate.addDays(rows);
    if (reread)
        ReadStays(dtDate, after);
    else if (!m_stays.valid || dtDate < m_stays.first || after > m_stays.after || m_stays.units != m_units.ids)
        ReadStays(dtDate.addDays(-kSpareDays), after.addDays(kSpareDays));

    for (const Stay& stay : std::as_const(m_stays.list)) {
        const int c = columnOf.value(stay.unit, 0);
        if (c == 0)
            continue;
        // Grid row r shows day dtDate + r - 1: booked from the arrival day up
        // to the day before departure, or the departure day itself.
        const qint64 arrival = dtDate.daysTo(stay.from) + 1;
        const qint64 departure = dtDate.daysTo(stay.to) + (bIncludeEndDate ? 1 : 0);
        const int top = int(std::max<qint64>(1, arrival));
        const int bottom = int(std::min<qint64>(rows - 1, departure));
        if (top > bottom)
            continue;

        const QString lastName = stay.known ? stay.lastName : QString();
        for (int r = top; r <= bottom; ++r) {
            m_model->setBack(r, c, kBookedColour);
            m_model->setText(r, c, lastName);
            aBookingID[r][c] = stay.id;
        }
        Guest& guest = m_guests[stay.id];
        guest.known = stay.known;
        guest.firstName = stay.firstName;
        guest.lastName = lastName;
    }

    m_model->changedAll();
    g->setUpdatesEnabled(true);
}

void Calendar::ReadStays(const QDate& first, const QDate& after)
{
    m_stays.list.clear();
    m_stays.first = first;
    m_stays.after = after;
    m_stays.units = m_units.ids;
    m_stays.valid = true;
    if (m_units.ids.isEmpty())
        return;

    for (const CalendarStay& read : CalendarStore::stays(m_units.ids, first, after)) {
        if (!read.from.isValid() || !read.to.isValid())
            continue;
        Stay stay;
        stay.id = read.id;
        stay.from = read.from.date();
        stay.to = read.to.date();
        stay.unit = read.unit;
        stay.known = read.known;
        stay.firstName = read.firstName;
        stay.lastName = read.lastName;
        m_stays.list.append(stay);
    }
}

void Calendar::SaveCalendarGridLayout()
{
    SaveGridLayout(ui->g);
}

void Calendar::UserControl_Resize()
{
    // Each step stands alone: one whose size would come out negative is left
    // out and the next one runs.
    QWidget* key = ui->picKey;
    QWidget* back = ui->picBack;
    QTableView* g = ui->g;
    QScrollBar* days = ui->ScrollDate;
    QScrollBar* units = ui->HScroll;
    auto setWidth = [](QWidget* w, int twips) {
        if (twips >= 0)
            w->resize(px(twips), w->height());
    };
    auto setHeight = [](QWidget* w, int twips) {
        if (twips >= 0)
            w->resize(w->width(), px(twips));
    };
    const int sw = tw(width());
    const int sh = tw(height());

    key->move(px(sw - tw(key->width()) - 300), px(sh - tw(key->height())));
    setWidth(back, sw);
    setHeight(back, sh - tw(key->height()) - 320);
    setWidth(ui->Label2, sw);
    // The grid fills the width beside the day spinner.
    setWidth(g, tw(back->width()) - tw(g->x()));
    setHeight(g, tw(back->height()) - tw(g->y()) - tw(units->height()));
    if (RowHeight > 0) {
        iRows = RoundEven(double(tw(g->height())) / RowHeight);
        setHeight(g, iRows * (RowHeight - 8) - tw(g->horizontalHeader()->height()));
    }
    // The spinner runs down beside the grid and the bar under it.
    setHeight(days, tw(g->height()) - tw(days->y()) + tw(g->y()) + tw(units->height()));
    units->move(units->x(), px(tw(days->y()) + tw(days->height()) - tw(units->height()) + 20));
    setWidth(units, tw(g->x()) + tw(g->width()) - tw(units->x()));

    // Refreshed from what was read, as far as it covers the new size.
    Redraw(false);
}

void Calendar::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Once the events of the showing are handled: a host that shows the
    // control and refreshes it at once leaves nothing to do here.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_redrawPending)
                Redraw(false);
        },
        Qt::QueuedConnection);
}

void Calendar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

// ---- Handlers ------------------------------------------------------------

void Calendar::ScrollDate_Change(int value)
{
    // One day per change, whichever way and however far the bar moved.
    dtDate = dtDate.addDays(iLastScrollPos < value ? 1 : -1);
    // The day that came into view is most often among those read already.
    Redraw(false);
    iLastScrollPos = value;
}

void Calendar::DTPicker1_Change()
{
    dtDate = ui->DTPicker1->date();
    Refresh();
}

void Calendar::HScroll_Change()
{
    Refresh();
}

void Calendar::Command1_Click()
{
    Refresh();
}

void Calendar::mouseMoveEvent(QMouseEvent* event)
{
    ui->picTooltip->hide();
    QWidget::mouseMoveEvent(event);
}

bool Calendar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        QTableView* g = ui->g;
        if (watched == g->viewport()) {
            const QModelIndex index = g->indexAt(pos);
            if (index.isValid())
                g_MouseMove(g->viewport()->mapTo(g, pos), index.row() + 1, index.column());
            else
                ui->picTooltip->hide();
        } else if (watched == g->horizontalHeader()->viewport()) {
            const int col = g->horizontalHeader()->logicalIndexAt(pos.x());
            if (col >= 0)
                g_MouseMove(g->horizontalHeader()->viewport()->mapTo(g, pos), 0, col);
            else
                ui->picTooltip->hide();
        } else {
            ui->picTooltip->hide();
        }
    } else if (event->type() == QEvent::Leave && watched == ui->picBack) {
        ui->picTooltip->hide();
    }
    return QWidget::eventFilter(watched, event);
}

void Calendar::g_MouseMove(const QPoint& gridPos, int mouseRow, int mouseCol)
{
    const int x = tw(gridPos.x());
    const int y = tw(gridPos.y());
    const bool hasText = mouseRow >= m_model->rows() || mouseCol >= m_model->cols()
                         || !m_model->text(mouseRow, mouseCol).isEmpty();
    if (mouseRow == 0 && mouseCol != 0 && hasText) {
        ShowTooltip(m_model->text(0, mouseCol), x - 800, y + 500);
        return;
    }
    qint32 id = 0;
    if (mouseRow < aBookingID.size() && mouseCol < aBookingID.at(mouseRow).size())
        id = aBookingID.at(mouseRow).at(mouseCol);
    if (id == 0) {
        ui->picTooltip->hide();
        return;
    }
    const Guest guest = m_guests.value(id);
    ShowTooltip(guest.known ? QStringLiteral("Booking by: ") + guest.firstName + u' ' + guest.lastName
                                  + QStringLiteral(" (double click to view details)")
                            : QString(),
                x, RowHeight + y);
}

void Calendar::ShowTooltip(const QString& caption, int leftTwips, int topTwips)
{
    QLabel* label = ui->lblTooltip;
    QWidget* tip = ui->picTooltip;
    SetPlainText(label, caption);
    label->adjustSize();
    label->move(px(20), px(20));
    tip->resize(label->width() + px(50 + 20), label->height() + px(50 + 20));
    // Offsets are from the mouse in the grid; the tip stays inside the control.
    QPoint at = ui->g->mapTo(this, QPoint(px(leftTwips), px(topTwips)));
    at.setX(std::max(0, std::min(at.x(), width() - tip->width())));
    at.setY(std::max(0, std::min(at.y(), height() - tip->height())));
    tip->move(at);
    tip->raise();
    tip->show();
}

void Calendar::g_DblClick(int row, int col)
{
    if (row > 0 && col > 0 && row < aBookingID.size() && col < aBookingID.at(row).size())
        emit CalendarClick(aBookingID.at(row).at(col));
}
