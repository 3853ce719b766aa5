# What the embedding scripts share: a text as a C++ raw string literal,
# byte for byte, with no escaping by hand.

# The one delimiter of every embedded literal: R"asset(...)asset".
set(COMPATTATORE_EMBED_CLOSE ")asset\"")

# Fails, naming SHOWN and the line, where TEXT (which starts at line FIRST
# of SHOWN) holds the closing delimiter, which would end the literal early.
function(compattatore_embed_check text shown first)
  string(FIND "${text}" "${COMPATTATORE_EMBED_CLOSE}" at)
  if(at EQUAL -1)
    return()
  endif()
  string(SUBSTRING "${text}" 0 ${at} before)
  string(REGEX MATCHALL "\n" ends "${before}")
  list(LENGTH ends line)
  math(EXPR line "${first} + ${line}")
  message(FATAL_ERROR "${shown}:${line}: holds ${COMPATTATORE_EMBED_CLOSE}, "
                      "which would end its embedding early; write it another "
                      "way")
endfunction()

# Sets OUT to TEXT as a raw string literal, after compattatore_embed_check.
function(compattatore_embed_literal text shown first out)
  compattatore_embed_check("${text}" "${shown}" ${first})
  set(${out} "R\"asset(${text}${COMPATTATORE_EMBED_CLOSE}" PARENT_SCOPE)
endfunction()
