#include "ui/dpi.h"

#include "ui/system_functions.h"

namespace tallyvane {
namespace {

// The DPI of the primary screen, the only one Windows 7 and 8 scale for.
int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
  if (const auto forWindow = system::GetDpiForWindow()) return static_cast<int>(forWindow(window));
  if (const auto forMonitor = system::GetDpiForMonitor()) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), MDT_EFFECTIVE_DPI,
                             &x, &y)))
      return static_cast<int>(x);
  }
  return SystemDpi();
}

UniqueFont MessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (const auto forDpi = system::SystemParametersInfoForDpi()) {
    if (!forDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0, static_cast<UINT>(dpi)))
      return UniqueFont();
  } else {
    // The system's metrics are for the system DPI; a window on another monitor scales them.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      return UniqueFont();
    LONG& height = metrics.lfMessageFont.lfHeight;
    height = MulDiv(height, dpi, SystemDpi());
  }
  return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

SIZE OuterSize(SIZE client, DWORD style, int dpi) {
  RECT rect{0, 0, client.cx, client.cy};
  if (const auto forDpi = system::AdjustWindowRectExForDpi())
    forDpi(&rect, style, TRUE, 0, static_cast<UINT>(dpi));
  else  // frames are drawn at the system DPI there
    AdjustWindowRectEx(&rect, style, TRUE, 0);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace tallyvane
