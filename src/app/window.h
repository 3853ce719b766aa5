// The program's window and message box, when there is a display.
#ifndef APP_WINDOW_H_
#define APP_WINDOW_H_

#include <memory>
#include <string>

namespace compattatore {

class window {
 public:
  virtual ~window() = default;
  /// Shows the window and paints it once, before the long work.
  virtual void show_and_paint() = 0;
  /// A modal box with `text` and one OK button, no icon, sized to the text
  /// (wrapped to a readable width, a long path between its parts); returns
  /// when the user closes it.
  virtual void message(const std::string& text) = 0;
  /// Removes the window.
  virtual void close() = 0;
};

/// The window, or nullptr when no display can be opened (no DISPLAY, or
/// the server refuses): the run then goes on headless.
std::unique_ptr<window> open_window();

}  // namespace compattatore

#endif  // APP_WINDOW_H_
