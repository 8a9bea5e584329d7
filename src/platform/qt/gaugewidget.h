#pragma once

#include "model/gaugemodel.h"
#include "platform/qt/modelbinding.h"

#include <QColor>
#include <QWidget>

namespace orvane {

// The progress gauge: a bar filled from the left in proportion to the value of a gauge model
// of the logic between its bounds.
class GaugeWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr QColor kFill{0, 128, 128};
    static constexpr QColor kBackground{255, 255, 128};

    explicit GaugeWidget(QWidget* parent = nullptr);

    // Shows `model` from now on; null shows an empty bar.
    void bind(GaugeModel* model) { m_model.bind(model); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ModelBinding<GaugeModel> m_model;
};

} // namespace orvane
