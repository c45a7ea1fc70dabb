#include "reports/reportchart.h"

#include "core/format.h"
#include "core/money.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

// A round step for about `ticks` intervals over span: 1, 2 or 5 times a power of ten.
double RoundStep(double span, int ticks)
{
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power)
            return m * power;
    return 10 * power;
}

}  // namespace

namespace {
// A screen reader hears the chart as a chart.
QAccessibleInterface* ChartInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("ReportChart") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}
}  // namespace

ReportChart::ReportChart(QWidget* parent) : QWidget(parent)
{
    static const bool told = [] {
        QAccessible::installFactory(ChartInterface);
        return true;
    }();
    Q_UNUSED(told);
    setAccessibleName(QStringLiteral("Chart"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReportChart::setChart(int style, const QList<ChartPoint>& points, Values values)
{
    m_style = (style >= Bar3D && style <= Step2D) ? style : Bar3D;
    m_points = points;
    m_values = values;
    m_layout.reset();
    update();
}

ReportChart::Axis ReportChart::axis() const
{
    double low = 0, high = 0;
    for (const ChartPoint& p : m_points) {
        if (std::isfinite(p.value)) {
            low = std::min(low, p.value);
            high = std::max(high, p.value);
        }
    }
    if (high - low <= 0)
        high = 1;   // an empty or all-zero series still gets a scale
    Axis a;
    a.step = RoundStep(high - low, 5);
    // A count has no fractions: its ticks are whole.
    if (m_values == Values::Counts)
        a.step = std::max(1.0, a.step);
    a.low = std::floor(low / a.step) * a.step;
    a.high = std::ceil(high / a.step) * a.step;
    return a;
}

QList<double> ReportChart::ticks() const
{
    return layout().ticks;
}

QString ReportChart::tickText(double v) const
{
    return m_values == Values::Money ? Fmt::currency(Money::fromDouble(v)) : Fmt::number(v);
}

int ReportChart::depth() const
{
    return layout().depth;
}

const ReportChart::Layout& ReportChart::layout() const
{
    if (m_layout)
        return *m_layout;
    Layout l;
    l.axis = axis();
    for (int i = 0;; ++i) {
        const double v = l.axis.low + i * l.axis.step;
        if (v > l.axis.high + l.axis.step / 2)
            break;
        l.ticks << (std::abs(v) < l.axis.step / 1e6 ? 0 : v);
    }
    const QFontMetrics fm(font());
    int widest = 0;
    for (double v : l.ticks) {
        l.tickTexts << tickText(v);
        widest = std::max(widest, fm.horizontalAdvance(l.tickTexts.last()));
    }
    const int n = std::max<int>(1, int(m_points.size()));
    l.depth = is3D() ? std::clamp(width() / (5 * n), 4, 18) : 0;
    const int d = l.depth;
    int left = widest + 14;
    const int top = 10 + d;
    int right = 12 + d;
    const int bottom = fm.height() + 12;
    // The first and last row labels, centred under their rows, stay inside
    // the chart: the sides make room for whatever they hang over.
    for (const ChartPoint& pt : m_points)
        l.widestLabel = std::max(l.widestLabel, fm.horizontalAdvance(pt.label));
    const double overhang = l.widestLabel / 2.0 + 5;
    for (int pass = 0; pass < 3; ++pass) {
        const double slot = double(std::max(1, width() - left - right)) / n;
        const int need = int(std::ceil(overhang - slot / 2));
        left = std::max(left, need);
        right = std::max(right, need);
    }
    l.plot = QRect(left, top, std::max(1, width() - left - right), std::max(1, height() - top - bottom));
    m_layout = std::move(l);
    return *m_layout;
}

QRect ReportChart::plotArea() const
{
    return layout().plot;
}

QRectF ReportChart::rowSlot(int r) const
{
    const QRect plot = layout().plot;
    const double w = double(plot.width()) / std::max<int>(1, int(m_points.size()));
    return QRectF(plot.left() + r * w, plot.top(), w, plot.height());
}

int ReportChart::yOf(double v) const
{
    const Layout& l = layout();
    const double f = (v - l.axis.low) / (l.axis.high - l.axis.low);
    return l.plot.bottom() - int(std::lround(f * l.plot.height()));
}

void ReportChart::resizeEvent(QResizeEvent* event)
{
    m_layout.reset();
    QWidget::resizeEvent(event);
}

void ReportChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_layout.reset();
    QWidget::changeEvent(event);
}

void ReportChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);

    const Layout& l = layout();
    const QRect plot = l.plot;
    const QFontMetrics fm(font());
    const int d = l.depth;
    const int n = int(m_points.size());
    const int y0 = yOf(0);

    // Value axis with its round ticks and grid lines, level with the fronts
    // of the bars, so that a value reads the same across the plot.
    p.setPen(QColor(220, 220, 220));
    for (double v : l.ticks)
        p.drawLine(plot.left(), yOf(v), plot.right(), yOf(v));
    p.setPen(Qt::black);
    for (int i = 0; i < l.ticks.size(); ++i) {
        const int y = yOf(l.ticks[i]);
        p.drawLine(plot.left() - 4, y, plot.left(), y);
        p.drawText(QRect(0, y - fm.height() / 2, plot.left() - 7, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                   l.tickTexts[i]);
    }
    p.drawLine(plot.left(), plot.top(), plot.left(), plot.bottom());
    p.drawLine(plot.left(), y0, plot.right(), y0);   // the zero line

    // Row labels, thinned so that none overlaps its neighbour.
    if (n > 0) {
        const int widest = l.widestLabel;
        const double slot = rowSlot(0).width();
        const int every = std::max(1, int(std::ceil((widest + 8) / std::max(1.0, slot))));
        for (int r = 0; r < n; r += every) {
            const QRectF s = rowSlot(r);
            QRectF box(s.center().x() - widest / 2.0 - 4, plot.bottom() + 4, widest + 8, fm.height());
            if (box.right() > width())
                box.moveRight(width());
            if (box.left() < 0)
                box.moveLeft(0);
            p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, m_points[r].label);
        }
    }

    p.setPen(Qt::NoPen);
    const QPointF off(d, -d / 2.0);
    auto xCentre = [&](int r) { return rowSlot(r).center().x(); };
    auto pointAt = [&](int r) { return QPointF(xCentre(r), yOf(m_points[r].value)); };
    // A ribbon of depth behind a polyline (line, area and step styles): its
    // faces in the light colour, with its back edge and the folds at each
    // point drawn, so that it reads as a band of even depth even where a
    // face is seen almost edge on.
    auto ribbon = [&](const QPolygonF& line) {
        for (int i = 0; i + 1 < line.size(); ++i) {
            const QPointF a1 = line[i], a2 = line[i + 1];
            QPolygonF face;
            face << a1 << a2 << a2 + off << a1 + off;
            p.setBrush(topColor());
            p.drawPolygon(face);
        }
        p.setPen(QPen(sideColor(), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line.translated(off));
        for (const QPointF& pt : line)
            p.drawLine(pt, pt + off);
        p.setPen(Qt::NoPen);
    };
    auto polyline = [&](const QPolygonF& line) {
        p.setPen(QPen(seriesColor(), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line);
        p.setPen(Qt::NoPen);
    };

    switch (m_style) {
    case Bar3D:
    case Bar2D:
        for (int r = 0; r < n; ++r) {
            const QRectF s = rowSlot(r);
            const int yv = yOf(m_points[r].value);
            const int left = int(std::lround(s.left() + s.width() * 0.2));
            const int right = int(std::lround(s.right() - s.width() * 0.2));
            const int top = std::min(yv, y0), bottom = std::max(yv, y0);
            // A bar of nothing has no faces to show.
            if (d > 0 && bottom > top) {
                QPolygonF side;
                side << QPointF(right, top) << QPointF(right, bottom) << QPointF(right, bottom) + off
                     << QPointF(right, top) + off;
                p.setBrush(sideColor());
                p.drawPolygon(side);
                QPolygonF cap;
                cap << QPointF(left, top) << QPointF(right, top) << QPointF(right, top) + off
                    << QPointF(left, top) + off;
                p.setBrush(topColor());
                p.drawPolygon(cap);
            }
            if (bottom > top)
                p.fillRect(QRect(left, top, right - left, bottom - top), seriesColor());
        }
        break;
    case Line3D:
    case Line2D: {
        QPolygonF line;
        for (int r = 0; r < n; ++r)
            line << pointAt(r);
        if (d > 0)
            ribbon(line);
        polyline(line);
        break;
    }
    case Area3D:
    case Area2D: {
        if (n == 0)
            break;
        QPolygonF top;
        for (int r = 0; r < n; ++r)
            top << pointAt(r);
        if (d > 0) {
            ribbon(top);
            QPolygonF side;
            side << top.last() << QPointF(top.last().x(), y0) << QPointF(top.last().x(), y0) + off
                 << top.last() + off;
            p.setBrush(sideColor());
            p.drawPolygon(side);
        }
        QPolygonF area = top;
        area << QPointF(top.last().x(), y0) << QPointF(top.first().x(), y0);
        p.setBrush(seriesColor());
        p.drawPolygon(area);
        break;
    }
    case Step3D:
    case Step2D: {
        QPolygonF line;
        for (int r = 0; r < n; ++r) {
            const QRectF s = rowSlot(r);
            const double y = yOf(m_points[r].value);
            line << QPointF(s.left(), y) << QPointF(s.right(), y);
        }
        if (d > 0)
            ribbon(line);
        polyline(line);
        break;
    }
    default:
        break;
    }
}
