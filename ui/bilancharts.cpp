#include "bilancharts.h"

#include "cells.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <functional>

namespace {

// The drawing's frame inside the widget, room left for the axes' texts.
QRectF plotArea(const QWidget& w) {
    const int text = w.fontMetrics().height();
    return QRectF(w.rect()).adjusted(3.5 * text, 1.5 * text, -text, -2.5 * text);
}

void axisTexts(QPainter& p, const QRectF& area, const QString& title, const QString& x,
               const QString& y) {
    const QFontMetrics m = p.fontMetrics();
    p.drawText(QRectF(area.left(), 0, area.width(), area.top()), Qt::AlignCenter, title);
    p.drawText(QRectF(area.left(), area.bottom() + m.height(), area.width(), m.height() * 1.5),
               Qt::AlignCenter, x);
    p.save();
    p.translate(m.height() * 0.2, area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-area.height() / 2, 0, area.height(), m.height()), Qt::AlignCenter, y);
    p.restore();
}

} // namespace

CalibrationChart::CalibrationChart(QWidget* parent) : QWidget(parent) {
    setObjectName(u"ChartCalibration"_qs);
    setAccessibleName(u"Calibration : chances annoncées et victoires constatées"_qs);
    setMinimumSize(240, 200);
}

void CalibrationChart::setBins(const std::array<scorecard::Bin, 5>& bins,
                               const std::optional<std::array<scorecard::Bin, 5>>& combined) {
    bins_ = bins;
    combined_ = combined;
    update();
}

void CalibrationChart::drawBins(QPainter& p, const std::array<scorecard::Bin, 5>& bins,
                                const QColor& colour,
                                const std::function<QPointF(double, double)>& at, bool labelLeft) {
    p.setPen(QPen(colour, 2));
    p.setBrush(colour);
    for (const scorecard::Bin& b : bins) {
        if (b.runners == 0)
            continue;
        const QPointF point = at(b.announced, 100.0 * b.wins / b.runners);
        p.drawEllipse(point, 4, 4);
        const QString n = u"n = %1"_qs.arg(b.runners);
        // A left label with no room before the axis goes above its point.
        const double width = p.fontMetrics().horizontalAdvance(n), left = at(0, 0).x();
        if (labelLeft && point.x() - 6 - width < left)
            p.drawText(
                QRectF(std::max(left + 2, point.x() - width / 2), point.y() - 24, width + 4, 16),
                Qt::AlignLeft | Qt::AlignVCenter, n);
        else if (labelLeft)
            p.drawText(QRectF(point.x() - 106, point.y() - 8, 100, 16),
                       Qt::AlignRight | Qt::AlignVCenter, n);
        else
            p.drawText(QRectF(point.x() + 6, point.y() - 8, 100, 16),
                       Qt::AlignLeft | Qt::AlignVCenter, n);
    }
}

void CalibrationChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF a = plotArea(*this);
    axisTexts(p, a, u"Calibration"_qs, u"chance annoncée (%)"_qs, u"gagné (%)"_qs);
    const auto at = [&](double x, double y) {
        return QPointF(a.left() + a.width() * x / 100, a.bottom() - a.height() * y / 100);
    };
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(a);
    for (const int tick : {0, 50, 100}) {
        p.drawText(QRectF(at(tick, 0).x() - 20, a.bottom(), 40, 16), Qt::AlignCenter,
                   QString::number(tick));
        p.drawText(QRectF(a.left() - 34, at(0, tick).y() - 8, 30, 16), Qt::AlignRight,
                   QString::number(tick));
    }
    p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    p.drawLine(at(0, 0), at(100, 100)); // where a sheet that says true would stand
    // The sheet's counts right of its points, the combined chance's left.
    drawBins(p, bins_, palette().color(QPalette::Highlight), at, false);
    if (!combined_)
        return;
    const QColor orange(210, 110, 0);
    drawBins(p, *combined_, orange, at, true);
    const int line = fontMetrics().height();
    p.setPen(palette().color(QPalette::Highlight));
    p.drawText(a.topLeft() + QPointF(6, line), u"● la feuille"_qs);
    p.setPen(orange);
    p.drawText(a.topLeft() + QPointF(6, 2 * line), u"● combinée"_qs);
}

ReturnChart::ReturnChart(QWidget* parent) : QWidget(parent) {
    setObjectName(u"ChartRetour"_qs);
    setAccessibleName(u"Gain cumulé course après course"_qs);
    setMinimumSize(320, 200);
}

void ReturnChart::setBets(const scorecard::Bet& first, const scorecard::Bet& value) {
    first_ = first.net;
    value_ = value.net;
    update();
}

void ReturnChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF a = plotArea(*this);
    // The legend stands where the axis' name would.
    axisTexts(p, a, u"Gain cumulé (1 € par pari, cote finale)"_qs, QString(), u"€"_qs);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(a);
    if (first_.empty()) {
        p.drawText(a, Qt::AlignCenter | Qt::TextWordWrap, u"Aucune course arrivée à mesurer."_qs);
        return;
    }
    double low = 0, high = 0;
    for (const auto* series : {&first_, &value_})
        for (const double v : *series)
            low = std::min(low, v), high = std::max(high, v);
    if (high - low < 1)
        high = low + 1;
    const auto n = double(std::max<size_t>(first_.size(), 2) - 1);
    const auto at = [&](size_t i, double v) {
        return QPointF(a.left() + a.width() * double(i) / n,
                       a.bottom() - a.height() * (v - low) / (high - low));
    };
    p.drawLine(at(0, 0), QPointF(a.right(), at(0, 0).y())); // even
    for (const double v : {low, 0.0, high})
        p.drawText(QRectF(a.left() - 60, at(0, v).y() - 8, 56, 16), Qt::AlignRight,
                   cells::fixed(v, 0));
    p.drawText(QRectF(a.right() - 100, a.bottom(), 100, 16), Qt::AlignRight,
               u"%1 courses"_qs.arg(first_.size()));
    drawSeries(p, a, at);
}

void ReturnChart::drawSeries(QPainter& p, const QRectF& a,
                             const std::function<QPointF(size_t, double)>& at) {
    const QFontMetrics m = p.fontMetrics();
    const std::tuple<const std::vector<double>*, QColor, QString, Qt::Alignment> lines[] = {
        {&first_, palette().color(QPalette::Highlight), u"— premier de la feuille"_qs,
         Qt::AlignLeft},
        {&value_, QColor(0, 140, 70), u"— valeurs ≥ 1,10"_qs, Qt::AlignRight}};
    for (const auto& [series, colour, legend, side] : lines) {
        QPainterPath path(at(0, series->front()));
        for (size_t i = 1; i < series->size(); ++i)
            path.lineTo(at(i, (*series)[i]));
        p.setPen(QPen(colour, 2));
        p.drawPath(path);
        // Below the drawing, each on its side of the axis' name.
        p.drawText(QRectF(a.left(), a.bottom() + m.height(), a.width(), m.height() * 1.5),
                   side | Qt::AlignVCenter, legend);
    }
}
