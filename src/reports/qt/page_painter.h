// Replays a recorded page onto a QPainter: the one drawing path of the preview, the
// printer and PDF.
#pragma once

#include <QPainter>
#include <QRectF>

#include "reports/page_document.h"

namespace kavrina::reports {

// Drawing units: 0.1 mm, so that font sizes in points become pixel sizes of
// points x 254 / 72 and stay legible whatever the device's scale.
inline constexpr double kUnitsPerMm = 10;

// Font pixel size in drawing units for a size in points.
int fontPixelSize(double points);

// Draws `page` of `doc` so that the paper fills `target`, given in the painter's current
// coordinates. Leaves the painter's state as it found it.
void paintPage(QPainter& painter, const PageDocument& doc, const Page& page, const QRectF& target);

}  // namespace kavrina::reports
