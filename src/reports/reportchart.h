#pragma once
// The reports panel's chart: one series of labelled values, painted in one of
// eight styles (bar, line, area and step, each flat or with an oblique depth).
// It keeps what it was last given until it is given something else, and paints
// in paintEvent, so printing the main window prints it too.
#include <QColor>
#include <QList>
#include <QStringList>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <optional>

struct ChartPoint {
    QString label;
    double value = 0;
};

class ReportChart : public QWidget {
    Q_OBJECT
public:
    // The styles in the order of the style list; the number is the style.
    enum Style { Bar3D = 0, Bar2D, Line3D, Line2D, Area3D, Area2D, Step3D, Step2D };
    // What the values are: counts (whole ticks) or amounts of money (ticks
    // in the currency format).
    enum class Values { Counts, Money };

    explicit ReportChart(QWidget* parent = nullptr);

    // Draws these points in this style (0 to 7) from now on.
    void setChart(int style, const QList<ChartPoint>& points, Values values = Values::Counts);
    int chartType() const { return m_style; }
    const QList<ChartPoint>& points() const { return m_points; }

    // The values of the value axis's ticks, lowest first, and a tick's text.
    QList<double> ticks() const;
    QString tickText(double v) const;

    // The colours of the series: its front faces and lines, and the side and
    // top faces of the styles with depth.
    static QColor seriesColor() { return QColor(40, 80, 200); }
    static QColor sideColor() { return QColor(20, 40, 120); }
    static QColor topColor() { return QColor(120, 150, 230); }

    // Where a row and a value are drawn, in the widget's pixels: the plot area
    // (axes excluded), row r's slot across it, and the height of value v.
    QRect plotArea() const;
    QRectF rowSlot(int r) const;
    int yOf(double v) const;
    // The oblique depth of the 3D styles, in pixels (0 for the flat ones).
    int depth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Axis {
        double low = 0, high = 1, step = 1;
    };
    // Everything placed by measuring text, worked out once for the points,
    // size and font it was made for.
    struct Layout {
        Axis axis;
        QList<double> ticks;
        QStringList tickTexts;
        int widestLabel = 0;
        int depth = 0;
        QRect plot;
    };
    Axis axis() const;
    const Layout& layout() const;
    bool is3D() const { return m_style % 2 == 0; }

    int m_style = Bar3D;
    QList<ChartPoint> m_points;
    Values m_values = Values::Counts;
    mutable std::optional<Layout> m_layout;
};
