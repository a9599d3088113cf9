#include "survey/waterfall_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "scanlog/scan_log.h"

using namespace survey_ui;

namespace {

const QColor kPlotBack(24, 26, 32);
const QColor kGrid(70, 74, 84);
const QColor kText(210, 214, 220);
const QColor kLatest(240, 240, 240);
const QColor kPeak(255, 140, 40);
const QColor kMinimum(80, 200, 255);
const QColor kBand(90, 60, 130, 150);
const QColor kStation(255, 220, 90);

// A tick spacing of 1, 2 or 5 times a power of ten giving about `count` ticks over `span`.
std::int64_t NiceStep(std::int64_t span, int count) {
  const double raw = std::max<double>(1.0, static_cast<double>(span) / count);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= raw) return static_cast<std::int64_t>(m * power);
  return static_cast<std::int64_t>(10 * power);
}

QString MhzText(std::int64_t hz, std::int64_t tick) {
  int decimals = 0;
  for (std::int64_t unit = 1'000'000; unit > tick && decimals < 6 && unit > 1; unit /= 10)
    ++decimals;
  return QString::number(static_cast<double>(hz) / 1e6, 'f', decimals);
}

}  // namespace

SurveyColumns::SurveyColumns(QWidget* parent, const BandSurvey& survey, SurveyPointer& pointer)
    : QWidget(parent), survey_(survey), pointer_(pointer) {
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
}

int SurveyColumns::PlotWidth() const { return std::max(1, width() - kLeftMargin - kRightMargin); }

int SurveyColumns::PointAt(int x) const {
  const int n = survey_.Range.Points();
  if (n < 1 || x < kLeftMargin || x >= kLeftMargin + PlotWidth()) return -1;
  return std::clamp(static_cast<int>(static_cast<std::int64_t>(x - kLeftMargin) * n / PlotWidth()),
                    0, n - 1);
}

double SurveyColumns::XOf(double point) const {
  const int n = std::max(1, survey_.Range.Points());
  return kLeftMargin + (point + 0.5) * PlotWidth() / n;
}

double SurveyColumns::XOfFrequency(std::int32_t frequency) const {
  const SurveyRange& r = survey_.Range;
  return XOf(r.step > 0 ? static_cast<double>(frequency - r.start) / r.step : 0.0);
}

void SurveyColumns::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int point = PointAt(p.x());
  if (point < 0) {
    if (pointer_.leave) pointer_.leave();
    return;
  }
  if (pointer_.hover) pointer_.hover(survey_.Range.At(point), LevelAt(point, p.y()));
}

void SurveyColumns::mousePressEvent(QMouseEvent* event) {
  const int point = PointAt(event->position().toPoint().x());
  if (event->button() == Qt::LeftButton && point >= 0 && pointer_.click)
    pointer_.click(survey_.Range.At(point));
}

void SurveyColumns::leaveEvent(QEvent*) {
  if (pointer_.leave) pointer_.leave();
}

// ---- the latest sweep ----

void SurveySpectrumWidget::SetMarks(std::vector<SurveyMark> marks) {
  marks_ = std::move(marks);
  update();
}

int SurveySpectrumWidget::LevelAt(int point, int) const {
  const auto& latest = survey_.Latest();
  return point >= 0 && static_cast<std::size_t>(point) < latest.size()
             ? latest[static_cast<std::size_t>(point)]
             : -1;
}

void SurveySpectrumWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics fm(font());
  const int lineH = fm.height();
  const int top = lineH + 4;                // the marks' names
  const int bottom = height() - lineH - 6;  // the frequency labels under it
  const int plotW = PlotWidth();
  const QRect plot(kLeftMargin, top, plotW, std::max(1, bottom - top));
  p.fillRect(rect(), palette().window());
  p.fillRect(plot, kPlotBack);

  const SurveyRange& r = survey_.Range;
  const int n = r.Points();
  auto yOf = [&](double level) { return plot.bottom() - level * (plot.height() - 1) / 255.0; };

  // Level scale and grid.
  p.setPen(kText);
  for (int level = 0; level <= 255; level += 64) {
    const int y = static_cast<int>(yOf(level));
    p.setPen(kGrid);
    p.drawLine(plot.left(), y, plot.right(), y);
    p.setPen(palette().windowText().color());
    p.drawText(QRect(0, y - lineH / 2, kLeftMargin - 4, lineH), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(level));
  }
  if (n < 1) return;

  // Frequency axis.
  const std::int64_t span = static_cast<std::int64_t>(r.end) - r.start;
  const std::int64_t tick =
      NiceStep(std::max<std::int64_t>(span, r.step), std::max(2, plotW / 110));
  for (std::int64_t f = (r.start + tick - 1) / tick * tick; f <= r.end; f += tick) {
    const int x = static_cast<int>(XOfFrequency(static_cast<std::int32_t>(f)));
    p.setPen(kGrid);
    p.drawLine(x, plot.top(), x, plot.bottom());
    p.setPen(palette().windowText().color());
    p.drawLine(x, plot.bottom(), x, plot.bottom() + 3);
    const QString label = MhzText(f, tick);
    const int w = fm.horizontalAdvance(label);
    p.drawText(std::clamp(x - w / 2, 0, width() - w), bottom + 4 + fm.ascent(), label);
  }

  // Bands of the list as strips under the top edge, stations as ticks, each with its name
  // where it does not cover the one before.
  int freeX = 0;
  for (const SurveyMark& m : marks_) {
    const int x0 = std::max(plot.left(), static_cast<int>(XOfFrequency(m.from)));
    const int x1 = std::min(plot.right(), static_cast<int>(XOfFrequency(m.to)));
    if (m.band) {
      p.fillRect(QRect(x0, plot.top(), std::max(1, x1 - x0), 4), kBand.lighter(160));
      p.fillRect(QRect(x0, plot.top(), std::max(1, x1 - x0), plot.height()),
                 QColor(90, 60, 130, 40));
    } else {
      p.setPen(QPen(kStation, 1, Qt::DotLine));
      p.drawLine(x0, plot.top(), x0, plot.bottom());
    }
    const QString name = QString::fromStdString(m.name).trimmed();
    if (name.isEmpty()) continue;
    const int w = fm.horizontalAdvance(name);
    const int x = std::clamp(m.band ? (x0 + x1 - w) / 2 : x0 - w / 2, 0, width() - w);
    if (x < freeX) continue;
    p.setPen(palette().windowText().color());
    p.drawText(x, 2 + fm.ascent(), name);
    freeX = x + w + 6;
  }

  // Per screen column: the strongest reading of the points under it (the weakest for the
  // minimum hold), so a narrow carrier never falls between columns.
  p.setClipRect(plot);
  const auto& latest = survey_.Latest();
  auto envelope = [&](auto level, bool useMin) {
    QPolygonF line;
    const int columns = std::min(n, plotW);
    line.reserve(columns);
    for (int c = 0; c < columns; ++c) {
      const int a = static_cast<int>(static_cast<std::int64_t>(c) * n / columns);
      const int b =
          std::max(a + 1, static_cast<int>(static_cast<std::int64_t>(c + 1) * n / columns));
      int v = useMin ? 256 : -1;
      for (int i = a; i < b; ++i) {
        const int l = level(static_cast<std::size_t>(i));
        if (l < 0) continue;
        v = useMin ? std::min(v, l) : std::max(v, l);
      }
      if (v < 0 || v > 255) continue;
      line << QPointF(XOf((a + b - 1) / 2.0), yOf(v));
    }
    return line;
  };
  const QPolygonF now = envelope([&](std::size_t i) { return latest[i]; }, false);
  if (survey_.Bars) {
    const double w = std::max(1.0, static_cast<double>(plotW) / std::min(n, plotW) - 1);
    for (const QPointF& pt : now)
      p.fillRect(QRectF(pt.x() - w / 2, pt.y(), w, plot.bottom() - pt.y() + 1), kLatest);
  } else {
    p.setPen(QPen(kLatest, 1));
    p.drawPolyline(now);
  }
  if (survey_.HoldsValid()) {
    if (survey_.PeakHold) {
      p.setPen(QPen(kPeak, 1));
      p.drawPolyline(envelope([&](std::size_t i) { return int{survey_.Peak()[i]}; }, false));
    }
    if (survey_.MinHold) {
      p.setPen(QPen(kMinimum, 1));
      p.drawPolyline(envelope([&](std::size_t i) { return int{survey_.Minimum()[i]}; }, true));
    }
  }
}

// ---- the waterfall ----

int WaterfallWidget::VisibleRows() const { return std::max(1, height() / kRowHeight); }

void WaterfallWidget::resizeEvent(QResizeEvent*) { Rebuild(); }

int WaterfallWidget::LevelAt(int point, int y) const {
  const auto row = static_cast<std::size_t>(std::max(0, y / kRowHeight));
  const auto& rows = survey_.Rows();
  if (row >= rows.size() || point < 0 || static_cast<std::size_t>(point) >= rows[row].levels.size())
    return -1;
  return rows[row].levels[static_cast<std::size_t>(point)];
}

void WaterfallWidget::Rebuild() {
  const qreal dpr = devicePixelRatioF();
  const QSize size(static_cast<int>(std::ceil(PlotWidth() * dpr)),
                   static_cast<int>(std::ceil(std::max(1, height()) * dpr)));
  if (image_.size() != size) {
    image_ = QImage(size, QImage::Format_RGB32);
    image_.setDevicePixelRatio(dpr);
  }
  if (lut_.empty())
    for (int level = 0; level < 256; ++level) lut_.push_back(0xFF000000u | SurveyColour(level));
  image_.fill(kPlotBack);
  const auto& rows = survey_.Rows();
  const std::size_t count =
      std::min<std::size_t>(rows.size(), static_cast<std::size_t>(VisibleRows()));
  for (std::size_t i = 0; i < count; ++i) DrawRow(static_cast<int>(i), rows[i].levels);
  update();
}

void WaterfallWidget::RowAdded() {
  const auto& rows = survey_.Rows();
  if (rows.empty()) return;
  if (image_.isNull() ||
      image_.width() != static_cast<int>(std::ceil(PlotWidth() * devicePixelRatioF()))) {
    Rebuild();
    return;
  }
  // Everything down a row; the newest on top.
  const int rowPx = static_cast<int>(std::lround(kRowHeight * image_.devicePixelRatio()));
  const int keep = image_.height() - rowPx;
  if (keep > 0)
    std::memmove(image_.scanLine(rowPx), image_.constScanLine(0),
                 static_cast<std::size_t>(keep) * static_cast<std::size_t>(image_.bytesPerLine()));
  DrawRow(0, rows.front().levels);
  update();
}

void WaterfallWidget::DrawRow(int row, const std::vector<std::uint8_t>& levels) {
  const int rowPx = static_cast<int>(std::lround(kRowHeight * image_.devicePixelRatio()));
  const int y0 = row * rowPx;
  if (y0 >= image_.height() || levels.empty()) return;
  const int w = image_.width();
  const auto n = static_cast<std::int64_t>(levels.size());
  auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y0));
  for (int c = 0; c < w; ++c) {
    // The strongest point under the column.
    const auto a = static_cast<std::size_t>(c * n / w);
    const auto b = std::max(a + 1, static_cast<std::size_t>((c + 1) * n / w));
    std::uint8_t v = 0;
    for (std::size_t i = a; i < b; ++i) v = std::max(v, levels[i]);
    line[c] = lut_[v];
  }
  for (int y = y0 + 1; y < std::min(y0 + rowPx, image_.height()); ++y)
    std::memcpy(image_.scanLine(y), line, static_cast<std::size_t>(w) * sizeof(QRgb));
}

void WaterfallWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(QRect(0, 0, kLeftMargin, height()), palette().window());
  p.fillRect(QRect(kLeftMargin + PlotWidth(), 0, kRightMargin, height()), palette().window());
  p.drawImage(QPoint(kLeftMargin, 0), image_);
  // The time of a row every few lines of text.
  const QFontMetrics fm(font());
  const auto& rows = survey_.Rows();
  const int every = std::max(1, (fm.height() * 3 / 2 + kRowHeight - 1) / kRowHeight);
  p.setPen(palette().windowText().color());
  for (std::size_t i = 0; i < rows.size() && static_cast<int>(i) < VisibleRows();
       i += static_cast<std::size_t>(every)) {
    const LocalTime& t = rows[i].time;
    const QString text = QString::asprintf("%02d:%02d:%02d", t.hour, t.minute, t.second);
    const int y = static_cast<int>(i) * kRowHeight;
    p.drawLine(kLeftMargin - 3, y, kLeftMargin - 1, y);
    p.drawText(QRect(0, y, kLeftMargin - 5, fm.height()), Qt::AlignRight | Qt::AlignTop, text);
  }
}
