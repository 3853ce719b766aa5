// Text from the author's files, the command line and the compiled records
// put into an HTML page as text only: nothing of it can open an element or
// leave an attribute's quotes.
#ifndef TOOL_COMMON_HTML_TEXT_H_
#define TOOL_COMMON_HTML_TEXT_H_

#include <string>
#include <string_view>

namespace compattatore::tool {

/// `text` (UTF-8) with & < > " ' as character references, fit for element
/// content and for a quoted attribute value.
std::string html_escape(std::string_view text);

/// Bytes that are Latin-1 by the format (station names, board
/// inscriptions, the texts' lines), escaped as UTF-8 text.
std::string html_latin1(std::string_view bytes);

/// Bytes that are UTF-8 where they can be (paths, messages), each byte
/// that is not part of valid UTF-8 taken as Latin-1: valid UTF-8.
std::string as_utf8(std::string_view bytes);

/// `as_utf8(bytes)`, escaped.
std::string html_bytes(std::string_view bytes);

}  // namespace compattatore::tool

#endif  // TOOL_COMMON_HTML_TEXT_H_
