# SPDX-License-Identifier: GPL-3.0-or-later
# Include roots. Headers are included by their path from the top of the
# source tree ("link/UnitLink.h"), but no target sees the whole tree: each
# library has a root in the build tree that holds a link to each folder it
# is made of, and sees its own root and those of the libraries it links.
# An include of any other folder does not compile, so a rule such as "the
# emulated unit never includes link/" is kept by the compiler.
function(zorvane_include_root target)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
  foreach(folder IN LISTS ARGN)
    cmake_path(GET folder PARENT_PATH parent)
    file(MAKE_DIRECTORY ${root}/${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
