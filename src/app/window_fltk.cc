#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <cstdlib>

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
    Fl_Window box(300, 100, titolo);
    Fl_Box label(10, 10, 280, 45);
    label.copy_label(text.c_str());
    label.align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    Fl_Return_Button ok(210, 65, 80, 25, "OK");
    ok.callback([](Fl_Widget* w, void*) { w->window()->hide(); });
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

std::unique_ptr<window> open_window() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return nullptr;
  // Open the display ourselves: FLTK would end the process when it fails.
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return nullptr;
  fl_open_display(d);
  return std::make_unique<fltk_window>();
}

}  // namespace compattatore
