# Resources: the string table, form definitions and other files embedded into
# programs at build time by tools/resembed.

# Generated headers live here: rtl/resstrings.h (the string-table ids).
set(TAVRION_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
# The program's string table; its ids become rtl/resstrings.h.
set(TAVRION_STRING_TABLE ${PROJECT_SOURCE_DIR}/resources/strings.txt)

# The program's own cursors, drawn by tools/drawcursors into this folder as
# <number>.cur (resources/CMakeLists.txt, target tavrion_cursors).
set(TAVRION_CURSOR_DIR ${TAVRION_GENERATED_DIR}/resources/cursors)
set(TAVRION_CURSOR_NUMBERS 32761 32762 32763 32764 32765 32766 32767)
# The program's icon, drawn by tools/pulseicon (target tavrion_icon).
set(TAVRION_ICON_FILE ${TAVRION_GENERATED_DIR}/resources/tavrion.ico)

# tavrion_embed_resources(<target>
#   [STRINGS <strings.txt>]              a string table, read by LoadStringA
#   [CURSORS]                            the program's own cursors, read by LoadCursorA
#   [MAINICON]                           the program's icon as MAINICON, read by LoadIconA
#   [FORMS <ClassName>...]               form definitions compiled in resources/
#   [RCDATA <name> <file>]...            any file as an RCDATA resource
#   [RESOURCE <type> <name> <file>]...)  any file; a type or name of digits is a number
#
# Generates <target>_resources.cpp, which registers the bytes while the
# program starts, and compiles it into the target itself so the linker keeps it.
# On Windows it generates <target>_resources.rc with the same bytes, for the
# system's resource compiler.
function(tavrion_embed_resources target)
  if(WIN32)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
    set(args --rc ${out})
  else()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
    set(args --source ${out})
  endif()
  set(depends resembed)
  set(mode "")
  set(pending "")
  foreach(arg IN LISTS ARGN)
    if(arg STREQUAL "CURSORS")
      foreach(number IN LISTS TAVRION_CURSOR_NUMBERS)
        list(APPEND args --cursor ${number} ${TAVRION_CURSOR_DIR}/${number}.cur)
        list(APPEND depends ${TAVRION_CURSOR_DIR}/${number}.cur)
      endforeach()
      add_dependencies(${target} tavrion_cursors)
      continue()
    endif()
    if(arg STREQUAL "MAINICON")
      list(APPEND args --icon MAINICON ${TAVRION_ICON_FILE})
      list(APPEND depends ${TAVRION_ICON_FILE})
      add_dependencies(${target} tavrion_icon)
      continue()
    endif()
    if(arg STREQUAL "STRINGS" OR arg STREQUAL "FORMS" OR arg STREQUAL "RCDATA"
       OR arg STREQUAL "RESOURCE")
      if(pending)
        message(FATAL_ERROR "tavrion_embed_resources: ${mode} needs more arguments")
      endif()
      set(mode ${arg})
      continue()
    endif()
    if(mode STREQUAL "STRINGS")
      list(APPEND args --strings ${arg})
      list(APPEND depends ${arg})
    elseif(mode STREQUAL "FORMS")
      string(TOUPPER ${arg} name)
      set(file ${TAVRION_GENERATED_DIR}/forms/${name}.bin)
      list(APPEND args --resource 10 ${name} ${file})
      list(APPEND depends ${file})
      add_dependencies(${target} tavrion_forms)
    elseif(mode STREQUAL "RCDATA" OR mode STREQUAL "RESOURCE")
      list(APPEND pending ${arg})
      list(LENGTH pending count)
      if(mode STREQUAL "RCDATA" AND count EQUAL 2)
        list(GET pending 1 file)
        list(APPEND args --resource 10 ${pending})
        list(APPEND depends ${file})
        set(pending "")
      elseif(mode STREQUAL "RESOURCE" AND count EQUAL 3)
        list(GET pending 2 file)
        list(APPEND args --resource ${pending})
        list(APPEND depends ${file})
        set(pending "")
      endif()
    else()
      message(FATAL_ERROR "tavrion_embed_resources: unexpected '${arg}'")
    endif()
  endforeach()
  if(pending)
    message(FATAL_ERROR "tavrion_embed_resources: ${mode} needs more arguments")
  endif()

  add_custom_command(
    OUTPUT ${out}
    COMMAND resembed ${args}
    DEPENDS ${depends}
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
  set_source_files_properties(${out} PROPERTIES INCLUDE_DIRECTORIES
                              ${PROJECT_SOURCE_DIR}/platform/kernel)
  target_link_libraries(${target} PRIVATE platform)
endfunction()

# tavrion_compile_form(<ClassName> <text source> [DEPENDS <file>...])
# Compiles a readable form definition with formconv into
# ${TAVRION_GENERATED_DIR}/forms/<CLASSNAME>.bin, built by the target
# tavrion_forms. Files that the source includes are looked up next to it and
# in ${TAVRION_GENERATED_DIR}/resources.
function(tavrion_compile_form class source)
  cmake_parse_arguments(PARSE_ARGV 2 FORM "" "" "DEPENDS")
  string(TOUPPER ${class} name)
  set(out ${TAVRION_GENERATED_DIR}/forms/${name}.bin)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVRION_GENERATED_DIR}/forms
    COMMAND formconv --to-binary ${source} ${out} -I ${TAVRION_GENERATED_DIR}/resources
    DEPENDS formconv ${source} ${FORM_DEPENDS}
    COMMENT "Compiling the form definition ${class}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TAVRION_FORM_FILES ${out})
endfunction()
