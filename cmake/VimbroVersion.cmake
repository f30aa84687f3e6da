# Every program and shared library carries a fixed version block (the layout of the Windows
# VS_FIXEDFILEINFO) behind a marker, so that CGandry::GetFileVersion can read the version of a
# file on disk the way the About box expects.
set(VIMBRO_VERSION_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version_block.cpp.in)

function(vimbro_version_block target kind)
  if(kind STREQUAL "program")
    set(VIMBRO_FILE_TYPE 1)
  else()
    set(VIMBRO_FILE_TYPE 2)
  endif()
  set(VIMBRO_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
  set(VIMBRO_VERSION_MINOR ${PROJECT_VERSION_MINOR})
  set(VIMBRO_VERSION_PATCH ${PROJECT_VERSION_PATCH})
  set(VIMBRO_VERSION_TWEAK 0)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_block.cpp)
  configure_file(${VIMBRO_VERSION_TEMPLATE} ${out} @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()
