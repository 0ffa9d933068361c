#pragma once
// The desktop's settings changing: when Qt reports that the application
// font, the palette or the locale changed, every top-level window of the
// user-interface thread gets WM_SETTINGCHANGE, as the window system sends
// it (fonts and colours: wParam SPI_SETNONCLIENTMETRICS; the locale:
// lParam the text "intl"). Nothing outside platform/ui includes this
// header.

namespace platform::ui {

// Starts watching; the presentation does it when it starts.
void WatchSettingChanges();

}  // namespace platform::ui
