# One INTERFACE target carries the language level, warnings and sanitizer
# flags; every library, executable and test links it.
add_library(velmar_common INTERFACE)
target_compile_features(velmar_common INTERFACE cxx_std_20)
target_compile_options(velmar_common INTERFACE
  -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor)
if(VELMAR_WERROR)
  target_compile_options(velmar_common INTERFACE -Werror)
endif()
target_compile_definitions(velmar_common INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)

if(VELMAR_SANITIZE)
  set(_san -fsanitize=${VELMAR_SANITIZE} -fno-omit-frame-pointer)
  if(VELMAR_SANITIZE MATCHES "undefined")
    list(APPEND _san -fno-sanitize-recover=undefined)
  endif()
  target_compile_options(velmar_common INTERFACE ${_san})
  target_link_options(velmar_common INTERFACE ${_san})
endif()

# Adds a Qt-free library made of the given sources, linked to velmar_common.
function(velmar_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC velmar_common ${ARG_LIBS})
endfunction()
