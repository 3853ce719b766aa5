// The fatal error report " Errore n. " of the seal guards, as an interface:
// the program shows it and ends, a test fake records it.
#ifndef MODEL_FATAL_REPORT_H_
#define MODEL_FATAL_REPORT_H_

#include <string>
#include <string_view>

namespace compattatore {

/// Text shown before the error number (leading blank, no full stop).
inline constexpr std::string_view prefisso_errore = " Errore n. ";

class fatal_report {
 public:
  virtual ~fatal_report() = default;
  /// Reports error number `a` (decimal text). The program's implementation
  /// does not return; callers return at once in case a test's does.
  virtual void errore(const std::string& a) = 0;
};

}  // namespace compattatore

#endif  // MODEL_FATAL_REPORT_H_
