#pragma once
// The bilan's two drawings: the chances announced against the wins seen (five
// bins, the diagonal for a perfect sheet), and what 1 € a bet had won or lost
// after each race.

#include "scorecard.h"

#include <QWidget>
#include <functional>

class CalibrationChart : public QWidget {
  public:
    explicit CalibrationChart(QWidget* parent = nullptr);
    // The sheet's bins, and the combined chance's once it is fitted.
    void setBins(const std::array<scorecard::Bin, 5>& bins,
                 const std::optional<std::array<scorecard::Bin, 5>>& combined);
    QSize sizeHint() const override { return {300, 260}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drawBins(QPainter& p, const std::array<scorecard::Bin, 5>& bins, const QColor& colour,
                  const std::function<QPointF(double, double)>& at, bool labelLeft);
    std::array<scorecard::Bin, 5> bins_{};
    std::optional<std::array<scorecard::Bin, 5>> combined_;
};

class ReturnChart : public QWidget {
  public:
    explicit ReturnChart(QWidget* parent = nullptr);
    void setBets(const scorecard::Bet& first, const scorecard::Bet& value);
    QSize sizeHint() const override { return {420, 260}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drawSeries(QPainter& p, const QRectF& area,
                    const std::function<QPointF(size_t, double)>& at);
    std::vector<double> first_, value_;
};
