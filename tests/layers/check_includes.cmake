# Checks that every include of our own code points down the layers:
#   cmake -DSOURCE_DIR=<the source tree> -P check_includes.cmake
# A folder may include the folders listed for it and nothing else of the tree; the platform's
# back ends are for the executable's entry and for tests alone.

# Lists are written with commas here, as the table's lines are themselves a list.
set(platform_interfaces "game/platform/platform.h,game/platform/virtual_keys.h")
set(below_presentation "common/,${platform_interfaces},game/resources/")
set(below_shell "${below_presentation},game/rules/,game/presentation/")

# folder (or file) | the includes it may use
set(layers
  "common/|common/"
  "game/rules/|common/,game/rules/"
  "game/resources/|game/resources/"
  "game/platform/test/|${platform_interfaces},game/platform/test/"
  "game/platform/|game/platform/"
  "game/presentation/|${below_presentation},game/presentation/"
  "game/shell/|${below_shell},game/shell/"
  "game/scenes/|${below_shell},game/shell/,game/scenes/"
  "game/main.cpp|${below_shell},game/shell/,game/scenes/,game/platform/sdl_platform.h"
  "solver/|common/,game/rules/,solver/"
  "editor/core/|common/,game/rules/,solver/,editor/core/"
)

set(faults "")
set(checked 0)
foreach(layer IN LISTS layers)
  string(REPLACE "|" ";" parts "${layer}")
  list(GET parts 0 folder)
  list(GET parts 1 allowed)
  string(REPLACE "," ";" allowed "${allowed}")
  if(folder MATCHES "/$")
    file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}*.h ${SOURCE_DIR}/${folder}*.cpp)
  else()
    set(files ${SOURCE_DIR}/${folder})
  endif()
  foreach(file IN LISTS files)
    file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
    # A file of game/platform/test/ is checked by its own line, not by game/platform/'s.
    if(folder STREQUAL "game/platform/" AND name MATCHES "^game/platform/test/")
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" included "${line}")
      set(ok FALSE)
      foreach(prefix IN LISTS allowed)
        string(FIND "${included}" "${prefix}" at)
        if(at EQUAL 0)
          set(ok TRUE)
        endif()
      endforeach()
      if(NOT ok)
        string(APPEND faults "  ${name} includes ${included}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "includes that point up or sideways:\n${faults}")
endif()
message(STATUS "${checked} files include only their own layer and the layers below")
