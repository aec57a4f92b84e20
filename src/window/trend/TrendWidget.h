#pragma once

#include <QWidget>
#include <optional>

namespace levelconf
{
class ReadingStore;
} // namespace levelconf
class QPainter;

// The trend chart: the newest series of the store, its distance, amplitude and temperature
// each in a pane of its own scale over a chosen span of time, the newest reading at the
// right edge. Missed answers leave the line broken. The readings nearest the mouse pointer
// are shown above the chart; a setting marker tells its logged text as a tooltip.
class TrendWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kLeftMargin = 72; // for the value labels
    static constexpr int kRightMargin = 10;

    explicit TrendWidget(const levelconf::ReadingStore &store, QWidget *parent = nullptr);

    void setSpan(qint64 msecs);
    qint64 span() const { return m_span; }

    // The time and readings of the entry nearest in time to `x`; empty where the plot
    // shows nothing.
    QString readoutAt(int x) const;
    // The logged text of the setting marker at `x`; empty when none is within reach.
    QString markerAt(int x) const;

    QSize sizeHint() const override { return {720, 420}; }
    QSize minimumSizeHint() const override { return {320, 240}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    // The entries [first, end) of the series shown and the time [from, to] across the plot.
    struct View {
        int first = 0;
        int end = 0;
        qint64 from = 0;
        qint64 to = 0;
    };
    std::optional<View> view() const;
    QRect plotRect() const;
    QRect paneRect(int pane) const;
    int xOf(qint64 msecs, const View &v) const;
    std::optional<int> nearestEntry(int x, const View &v) const;

    void paintPanes(QPainter &p, const View &v) const;
    void paintMarkers(QPainter &p, const View &v) const;
    void paintHeading(QPainter &p, const View &v) const;

    const levelconf::ReadingStore &m_store;
    qint64 m_span;
    int m_hoverX = -1; // where the mouse pointer is over the chart; -1 when it is not
};
