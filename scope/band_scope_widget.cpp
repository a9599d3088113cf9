#include "scope/band_scope_widget.h"

#include <QPainter>
#include <QProxyStyle>
#include <QSlider>
#include <QStyleOptionSlider>

#include "scope/band_scope.h"
#include "ui/ui_style_qt.h"

namespace {

// The slider is drawn and hit-tested as if it were 5 pixels narrower on each side, with a
// 10 pixel thumb, so that the thumb's centre runs from 10 to width - 10.
class MarkerTrackStyle : public QProxyStyle {
 public:
  static constexpr int kInset = 5;
  static constexpr int kThumb = 10;

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_SliderLength) return kThumb;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    if (control == CC_Slider) {
      if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
        QStyleOptionSlider inset = *slider;
        inset.rect = Inset(slider->rect);
        QProxyStyle::drawComplexControl(control, &inset, painter, widget);
        return;
      }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
  }
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget) const override {
    if (control == CC_Slider) {
      if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
        QStyleOptionSlider inset = *slider;
        inset.rect = Inset(slider->rect);
        return QProxyStyle::subControlRect(control, &inset, sub, widget);
      }
    }
    return QProxyStyle::subControlRect(control, option, sub, widget);
  }
  SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   const QPoint& at, const QWidget* widget) const override {
    if (control == CC_Slider) {
      if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
        QStyleOptionSlider inset = *slider;
        inset.rect = Inset(slider->rect);
        return QProxyStyle::hitTestComplexControl(control, &inset, at, widget);
      }
    }
    return QProxyStyle::hitTestComplexControl(control, option, at, widget);
  }

 private:
  static QRect Inset(const QRect& r) { return r.adjusted(kInset, 0, -kInset, 0); }
};

}  // namespace

BandScopeWidget::BandScopeWidget(QWidget* parent, QRect geometry, qreal scale)
    : PictureWidget(parent, geometry, ui::kLight, scale) {}

void BandScopeWidget::Clear() {
  Image().fill(ui::kLight);
  ChangedAll();
}

void BandScopeWidget::DrawBar(int k, int level, int points, int trackWidth, bool sColor) {
  DrawBar(BandScopeBar(k, level, points, trackWidth, height(), x(), y(), sColor));
}

void BandScopeWidget::DrawBar(const ScopeBar& bar) {
  if (bar.width <= 0) return;
  const int coloured = bar.black + bar.red;
  QPainter p(&Image());
  p.fillRect(bar.x, bar.top, bar.width, bar.bottom - coloured - bar.top, ui::kLight);
  p.fillRect(bar.x, bar.bottom - coloured, bar.width, bar.red, ui::kRed);
  p.fillRect(bar.x, bar.bottom - bar.black, bar.width, bar.black, Qt::black);
  p.end();
  Changed(QRect(bar.x, bar.top, bar.width, bar.bottom - bar.top));
}

void BandScopeWidget::DrawDemoText() {
  QPainter p(&Image());
  // 14 points on the design's 96 dots an inch.
  p.setFont(ui::ProportionalFont(19));
  const QString text = "DEMO";
  const QRect cell(2, 2, p.fontMetrics().horizontalAdvance(text), p.fontMetrics().height());
  p.fillRect(cell, ui::kRed);
  p.setPen(Qt::black);
  p.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text);
  p.end();
  Changed(cell);
}

void LineUpWithBars(QSlider* slider) {
  auto* style = new MarkerTrackStyle;
  style->setParent(slider);
  slider->setStyle(style);
}
