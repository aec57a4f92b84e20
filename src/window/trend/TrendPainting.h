#pragma once

#include "core/trend/ColumnReduction.h"
#include "core/trend/ReadingStore.h"

#include <QColor>
#include <QLocale>
#include <QRect>
#include <QString>
#include <QVector>
#include <array>

class QPainter;

// The pieces of the trend chart: what each pane plots and how a pane, the time axis and
// the setting markers are drawn into a rectangle.

struct TrendQuantity {
    const char *title; // as the main window labels the reading, before translation
    QColor colour;
    double (*value)(const levelconf::TrendEntry &);

    QString caption() const;
};

// Distance, amplitude and temperature, top to bottom.
const std::array<TrendQuantity, 3> &trendQuantities();

// A pane's vertical range: the values shown with a little room above and below; a flat
// line gets a range around it.
struct ValueRange {
    double low = 0;
    double high = 1;
};
ValueRange valueRange(const QVector<levelconf::PixelColumn> &columns);

// Round values for the grid lines of [low, high]: steps of 1, 2 or 5 times a power of ten,
// at most `most` of them.
QVector<double> niceTicks(double low, double high, int most);

// The time between two labels of the time axis, for a chart spanning `spanMs`.
qint64 timeTickStep(qint64 spanMs);

// The plot of one quantity: grid, labels and the columns, each from its minimum to its
// maximum, joined to the column before where nothing was missed between them.
void drawPane(QPainter &p, const QRect &pane, const QVector<levelconf::PixelColumn> &columns,
              const TrendQuantity &quantity, const QLocale &locale);

// Time labels under `plot` for [from, to], in the local time `utcOffset` seconds ahead of
// UTC.
void drawTimeAxis(QPainter &p, const QRect &plot, qint64 from, qint64 to, qint32 utcOffset,
                  const QLocale &locale);

// A setting marker: a dashed line across the plot at `x`.
void drawMarker(QPainter &p, const QRect &plot, int x);
