# Writes BUILD/clangcheck/Makefile, which has CLANG check every source the
# build compiles (the sources of the repository, not the generated ones) with
# the build's own flags, syntax only. Each check leaves a stamp with the
# headers it read, so a second run checks only what changed since; a change
# of flags rewrites the makefile and so checks everything again.
#
#   cmake -DBUILD=<build folder> -DCLANG=clang++-14 -P cmake/clangcheck.cmake
#   make -f <build folder>/clangcheck/Makefile -j
cmake_minimum_required(VERSION 3.22)
if(NOT BUILD OR NOT CLANG)
  message(FATAL_ERROR "usage: cmake -DBUILD=<build folder> -DCLANG=<clang++> -P clangcheck.cmake")
endif()
get_filename_component(BUILD "${BUILD}" ABSOLUTE)
set(commands "${BUILD}/compile_commands.json")
if(NOT EXISTS "${commands}")
  message(FATAL_ERROR "${commands} is missing: configure with CMAKE_EXPORT_COMPILE_COMMANDS on")
endif()
file(READ "${commands}" json)
string(JSON count LENGTH "${json}")
set(dir "${BUILD}/clangcheck")
file(MAKE_DIRECTORY "${dir}")

set(rules "")
set(stamps "")
set(names "")
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  string(JSON source GET "${json}" ${i} file)
  string(JSON workdir GET "${json}" ${i} directory)
  string(JSON command GET "${json}" ${i} command)
  string(FIND "${source}" "${BUILD}/" generated)
  if(generated EQUAL 0)
    continue()
  endif()
  # The compiler (the first word) becomes clang; the object file goes.
  string(REGEX REPLACE "^[^ ]+" "${CLANG}" command "${command}")
  string(REGEX REPLACE " -o [^ ]+" "" command "${command}")
  string(REPLACE "$" "$$" command "${command}")
  # A source compiled twice (for two targets) is checked with each's flags.
  string(MAKE_C_IDENTIFIER "${source}" name)
  while("${name}" IN_LIST names)
    string(APPEND name "_")
  endwhile()
  list(APPEND names "${name}")
  set(stamp "${dir}/${name}.stamp")
  list(APPEND stamps "${stamp}")
  string(APPEND rules
    "${stamp}: ${source} ${dir}/Makefile\n"
    "\t@cd ${workdir} && ${command} -fsyntax-only -MD -MP -MF ${stamp}.d -MT ${stamp} && touch ${stamp}\n"
    "-include ${stamp}.d\n\n")
endforeach()
list(JOIN stamps " \\\n  " all)
file(WRITE "${dir}/Makefile.new" "# Made by cmake/clangcheck.cmake.\nall: ${all}\n\n${rules}")
file(COPY_FILE "${dir}/Makefile.new" "${dir}/Makefile" ONLY_IF_DIFFERENT)
file(REMOVE "${dir}/Makefile.new")
