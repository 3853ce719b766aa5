# FLTK as the imported target fltk::fltk.
# Debian's own CMake files for FLTK name targets whose files come only with
# recommended or suggested packages (fluid, libXinerama, libSM, ...), so a
# machine with just libfltk1.3-dev cannot use them. The library and its
# headers are all the window needs: libfltk.so brings its X libraries itself.
find_path(FLTK_HEADER_DIR FL/Fl.H REQUIRED)
find_library(FLTK_SHARED_LIBRARY fltk REQUIRED)
if(NOT TARGET fltk::fltk)
  add_library(fltk::fltk UNKNOWN IMPORTED)
  set_target_properties(fltk::fltk PROPERTIES
    IMPORTED_LOCATION "${FLTK_SHARED_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${FLTK_HEADER_DIR}")
endif()
