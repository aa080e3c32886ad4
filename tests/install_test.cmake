# Installs the build tree into a scratch prefix, as a user or a packager would, and checks
# that what lands there works from there. Arguments: -DBUILD_DIR -DPREFIX -DGUI -DSAMPLE_DEM.

# Fails with the command's output unless it exits 0 and, with QUIET, prints nothing.
function(run)
  cmake_parse_arguments(PARSE_ARGV 0 RUN "QUIET" "" "")
  execute_process(COMMAND ${RUN_UNPARSED_ARGUMENTS} RESULT_VARIABLE status
    OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0 OR (RUN_QUIET AND NOT out STREQUAL ""))
    message(FATAL_ERROR "${RUN_UNPARSED_ARGUMENTS}: ${status}\n${out}")
  endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
set(ENV{DESTDIR} "")  # a packager's DESTDIR would put the files elsewhere
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}")

set(files bin/karvo-report lib/karvo/libkarvo_gdal.so share/man/man1/karvo-report.1)
if(GUI)  # the entry's Exec and Icon name these
  list(APPEND files bin/karvo share/applications/karvo.desktop share/icons/hicolor/scalable/apps/karvo.svg)
  run(QUIET desktop-file-validate "${PREFIX}/share/applications/karvo.desktop")
  run("${PREFIX}/bin/karvo" --version)
endif()
foreach(file ${files})
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
run("${PREFIX}/bin/karvo-report" "${SAMPLE_DEM}")
run(QUIET groff -man -ww -z "${PREFIX}/share/man/man1/karvo-report.1")
