#include "tool/compilation/warning_flags.h"

#include "model/warnings.h"

namespace compattatore::tool {

bool parse_warning_flag(const std::string& flag, std::string* name,
                        std::string* problem) {
  std::string known;
  for (const avviso::warning_entry& e : avviso::warning_table()) {
    if (!known.empty()) known += ", ";
    known += e.name;
  }
  if (!flag.starts_with("no-")) {
    *problem = "-W" + flag + ": write -Wno-NAME to silence the warning NAME";
    return false;
  }
  *name = flag.substr(3);
  if (avviso::find_warning(*name) == nullptr) {
    *problem = "-W" + flag + ": there is no warning " + *name +
               "; the warnings are " + known;
    return false;
  }
  return true;
}

bool silenced_warnings(const std::vector<std::string>& flags,
                       std::vector<std::string>* names, std::string* problem) {
  for (const std::string& flag : flags) {
    std::string name;
    if (!parse_warning_flag(flag, &name, problem)) return false;
    names->push_back(name);
  }
  return true;
}

}  // namespace compattatore::tool
