// The keyboard way to a chart's enlarged dialog: the chart takes the focus (Tab reaches
// it) and Enter or Space on it does what a double click does.
#pragma once

#include <functional>

class QWidget;

namespace p528::ui {

void EnlargeOnKeys(QWidget& chart, std::function<void()> enlarge);

}  // namespace p528::ui
