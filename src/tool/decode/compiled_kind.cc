#include "tool/decode/compiled_kind.h"

namespace compattatore::tool {

std::string_view kind_word(compiled_kind k) {
  switch (k) {
    case compiled_kind::track:
      return "track";
    case compiled_kind::stations:
      return "stations";
    case compiled_kind::cells:
      return "cells";
  }
  return {};
}

std::string_view kind_title(compiled_kind k) {
  switch (k) {
    case compiled_kind::track:
      return "track line";
    case compiled_kind::stations:
      return "station table";
    case compiled_kind::cells:
      return "cell row";
  }
  return {};
}

std::optional<compiled_kind> kind_from_word(std::string_view word) {
  for (compiled_kind k :
       {compiled_kind::track, compiled_kind::stations, compiled_kind::cells}) {
    if (word == kind_word(k)) return k;
  }
  return std::nullopt;
}

}  // namespace compattatore::tool
