#include "ui/win32/fonts.h"

#include <cstddef>

#include "ui/control.h"

namespace ui::win32 {

namespace {

LOGFONTA MessageFont() {
  NONCLIENTMETRICSA metrics{};
  // Windows before Vista rejects the structure with the padded-border field at its end, so the
  // call is retried with the older, shorter size.
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
      LOGFONTA fallback{};
      GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
      return fallback;
    }
  }
  return metrics.lfMessageFont;
}

}  // namespace

FontCache::FontCache(int dpiY) : dpiY_(dpiY), base_(MessageFont()) {}

HFONT FontCache::Get(bool bold, bool italic, bool underline, int points) {
  if (points < 0) points = 0;
  auto key = std::make_tuple(bold, italic, underline, points);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second.Get();
  LOGFONTA font = base_;
  if (bold) font.lfWeight = FW_BOLD;
  if (italic) font.lfItalic = TRUE;
  if (underline) font.lfUnderline = TRUE;
  if (points > 0) font.lfHeight = -MulDiv(points, dpiY_, 72);
  FontHandle handle(CreateFontIndirectA(&font));
  HFONT result = handle.Get();
  if (result == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.emplace(key, std::move(handle));
  return result;
}

HFONT FontCache::For(const Control& control) {
  return Get(control.Bold(), control.Italic(), control.Underline(), control.FontSize());
}

}  // namespace ui::win32
