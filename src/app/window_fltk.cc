#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/window.h"

namespace compattatore {
namespace {

// Client area 4200 x 2688 twips and the label at 960, 960, 2652 x 792
// twips, at 15 twips per pixel; 24 point at 96 dpi is 32 pixels.
constexpr int larghezza = 280;
constexpr int altezza = 179;
constexpr int label_x = 64;
constexpr int label_y = 64;
constexpr int label_w = 177;
constexpr int label_h = 53;
constexpr int label_size = 32;
constexpr const char* titolo = "compattatore";

// The message box: its text at most this wide, in pixels, wrapped to it;
// the box is sized to the text.
constexpr int testo_massimo = 560;
constexpr int margine = 12;
constexpr int ok_w = 80;
constexpr int ok_h = 25;

// Where `line`, too wide, is cut so that its first part fits in `max_w`:
// after the last blank or '/' that fits (a path breaks between its parts),
// else after as many characters as fit, never inside one.
std::size_t cut(std::string_view line, int max_w) {
  std::size_t fits = 1;
  while (fits < line.size()) {
    std::size_t next = fits + 1;
    while (next < line.size() &&
           (static_cast<unsigned char>(line[next]) & 0xC0) == 0x80) {
      ++next;
    }
    if (fl_width(line.data(), static_cast<int>(next)) > max_w) break;
    fits = next;
  }
  if (fits >= line.size()) return line.size();
  const std::size_t at = line.substr(0, fits).find_last_of(" /");
  return at != std::string_view::npos && at > 0 ? at + 1 : fits;
}

// `text` with a line break wherever a line would be wider than `max_w` in
// the current font.
std::string wrapped(const std::string& text, int max_w) {
  std::string out;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end_of_line = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end_of_line);
    rest.remove_prefix(std::min(end_of_line + 1, rest.size()));
    for (;;) {
      const std::size_t n = cut(line, max_w);
      std::string_view part = line.substr(0, n);
      line.remove_prefix(n);
      if (!line.empty() && part.ends_with(' ')) part.remove_suffix(1);
      out.append(part);
      if (line.empty()) break;
      out += '\n';
    }
    if (!rest.empty()) out += '\n';
  }
  return out;
}

// A label shows "@" as the start of a symbol; "@@" is one "@".
std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '@') out += '@';
    out += c;
  }
  return out;
}

class fltk_window : public window {
 public:
  fltk_window() : form1_(larghezza, altezza, titolo) {
    label1_ = new Fl_Box(label_x, label_y, label_w, label_h, "Attendere");
    label1_->labelfont(FL_HELVETICA_BOLD);
    label1_->labelsize(label_size);
    label1_->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
    form1_.end();
  }

  void show_and_paint() override {
    form1_.show();
    form1_.wait_for_expose();
    Fl::flush();
  }

  void message(const std::string& text) override {
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    const std::string shown = escaped(wrapped(text, testo_massimo));
    int text_w = 0;
    int text_h = 0;
    fl_measure(shown.c_str(), text_w, text_h);
    const int w = std::max(text_w, ok_w) + 2 * margine;
    const int h = text_h + ok_h + 3 * margine;
    Fl_Window box(w, h, titolo);
    Fl_Box label(margine, margine, text_w, text_h);
    label.copy_label(shown.c_str());
    label.labelfont(FL_HELVETICA);
    label.labelsize(FL_NORMAL_SIZE);
    label.align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
    Fl_Return_Button ok(w - margine - ok_w, h - margine - ok_h, ok_w, ok_h,
                        "OK");
    ok.callback([](Fl_Widget* b, void*) { b->window()->hide(); });
    box.end();
    box.set_modal();
    box.show();
    while (box.shown()) Fl::wait();
  }

  void close() override {
    form1_.hide();
    Fl::flush();
  }

 private:
  Fl_Window form1_;
  Fl_Box* label1_;
};

}  // namespace

}  // namespace compattatore

// The module's one entry, looked up by name when the program loads it.
extern "C" __attribute__((visibility("default"))) compattatore::window*
compattatore_open_window() {
  // Open the display ourselves: FLTK would end the process when it fails.
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return nullptr;
  fl_open_display(d);
  return new compattatore::fltk_window();
}
