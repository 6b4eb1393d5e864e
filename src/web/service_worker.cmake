# Writes the site's service worker, SITE/sw.js, from TEMPLATE: the site's files it keeps, each with
# its contents' SHA-256, and the build's name, a hash of them all, so that any changed byte makes a
# new worker with a cache of its own. Run at build time, after every other file of the site:
#   cmake -DSITE=<site folder> -DTEMPLATE=<sw.js.in> -P service_worker.cmake <file>...
# The files are named relative to SITE, in any order.
cmake_minimum_required(VERSION 3.25)

set(files)
set(after_script FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(after_script)
    list(APPEND files "${CMAKE_ARGV${i}}")
  elseif("${CMAKE_ARGV${i}}" STREQUAL "-P")
    # The argument after -P is this script; the files follow it.
    math(EXPR script_index "${i} + 1")
  elseif(DEFINED script_index AND i EQUAL script_index)
    set(after_script TRUE)
  endif()
endforeach()
if(NOT files OR NOT IS_DIRECTORY "${SITE}" OR NOT EXISTS "${TEMPLATE}")
  message(FATAL_ERROR "usage: cmake -DSITE=<folder> -DTEMPLATE=<sw.js.in> -P service_worker.cmake <file>...")
endif()
if("sw.js" IN_LIST files)
  message(FATAL_ERROR "service_worker.cmake: sw.js cannot hold a hash of itself")
endif()

# One line per file, its name and its contents' hash, in a fixed order: the same files give the
# same build name and the same worker, whatever order they were named in.
list(SORT files)
set(digest_lines "")
set(file_lines "")
foreach(file IN LISTS files)
  file(SHA256 "${SITE}/${file}" file_hash)
  string(APPEND digest_lines "${file} ${file_hash}\n")
  string(APPEND file_lines "  \"${file}\": \"${file_hash}\",\n")
endforeach()
string(SHA256 digest "${digest_lines}")
string(SUBSTRING "${digest}" 0 16 WOBBLUX_BUILD)
string(REGEX REPLACE ",\n$" "\n" file_lines "${file_lines}")
set(WOBBLUX_SITE_FILES "{\n${file_lines}}")

include(${CMAKE_CURRENT_LIST_DIR}/without_comments.cmake)
file(READ "${TEMPLATE}" template)
string(CONFIGURE "${template}" worker @ONLY)
wobblux_without_comments(worker "${worker}")
file(WRITE "${SITE}/sw.js" "${worker}")
