// Drawing of one series: markers (including leader markers), polylines, smooth curves and
// bands. The series must already carry the panel's PlotRect, view ranges and Surface.
#pragma once

#include "chart/series.h"

namespace p528 {

// Zone colours of bands.
inline constexpr COLORREF kBandDefault = 0xFFFFC2;  // light cyan
inline constexpr COLORREF kBandZone1 = 0xA2FFFF;    // light yellow
inline constexpr COLORREF kBandZone2 = 0xC5C5C5;    // grey
inline constexpr COLORREF kBandZone3 = 0xC5C5FF;    // light red
inline constexpr COLORREF kBandOverlap = 0xC5C5FF;  // overlap of two bands

// Markers of every point inside the plot (bands are drawn by DrawBands). A leader marker
// points at the same point of `linked` (none without it).
void DrawMarkers(CAutoSeries& s, const CAutoSeries* linked = nullptr);
// Straight segments through the points.
void DrawPolyline(CAutoSeries& s);
// Smooth curve through the points (at least 3): parabolas through the first three and the
// last three points, cubic pieces between. A function of X when X is strictly monotone,
// otherwise parametric.
void DrawSmoothCurve(CAutoSeries& s);
bool SmoothCurveIsParametric(const CAutoSeries& s);
// Vertical bands from each point's X to its Y, over the whole plot height, with overlaps.
void DrawBands(CAutoSeries& s);

}  // namespace p528
