# The same commit builds the same bytes, in any folder, at any time: no build
# path gets into a binary, and the shipped binaries carry the commit's time.
#
# TAMGA_SOURCE_DATE_EPOCH is SOURCE_DATE_EPOCH when set, else the time of the
# checked-out commit, else 0 (a tree without its history). It is read when
# configuring, and the build configures again once HEAD has moved.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TAMGA_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git log -1 --format=%ct
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE TAMGA_SOURCE_DATE_EPOCH
                  RESULT_VARIABLE git_failed
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(git_failed OR TAMGA_SOURCE_DATE_EPOCH STREQUAL "")
    set(TAMGA_SOURCE_DATE_EPOCH 0)
  else()
    # HEAD's log grows with every commit, checkout and reset.
    execute_process(COMMAND git rev-parse --path-format=absolute --git-path logs/HEAD
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE head_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(EXISTS "${head_log}")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${head_log}")
    endif()
  endif()
endif()
if(NOT TAMGA_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be whole seconds since 1970, not \"${TAMGA_SOURCE_DATE_EPOCH}\"")
endif()

if(MINGW)
  # __FILE__ (assertions, test messages) names files relative to the tree.
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=;-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
endif()

# The linker stamps PE headers and export tables with SOURCE_DATE_EPOCH when
# it is set, and with the current time otherwise. Only the shipped binaries
# get it, so a new commit relinks those two and not every test program.
function(tamga_stamp_with_commit_time)
  if(MINGW)
    set_property(TARGET ${ARGN} PROPERTY CXX_LINKER_LAUNCHER
                 ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TAMGA_SOURCE_DATE_EPOCH})
  endif()
endfunction()
