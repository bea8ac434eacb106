# The project's libraries and the plug-in module.
#
#   ravensoot_core      params/, engine/, dsp/: no host, file or window knowledge
#   ravensoot_plugin    host/, editor/, gui/ (without the platform layer)
#   ravensoot_platform_<name>  gui/platform/<name>/, an object library, linked by the final targets
#   RavenSoot3          the shared module: the entry point plus the above

rs_sources(CORE_SOURCES DIRS params engine dsp)
add_library(ravensoot_core STATIC ${CORE_SOURCES} ${RS_EMPTY_SOURCE})
target_include_directories(ravensoot_core PUBLIC ${CMAKE_SOURCE_DIR})

rs_sources(PLUGIN_SOURCES DIRS host editor gui EXCLUDE "/gui/platform/" "/host/vst_entry\\.cpp$")
add_library(ravensoot_plugin STATIC ${PLUGIN_SOURCES} ${RS_EMPTY_SOURCE})
# The toolkit decodes skins and writes screenshots with libpng, and draws menu text with FreeType in the
# sans-serif face fontconfig finds.
find_package(PNG REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(ravensoot_plugin PUBLIC ravensoot_core ${CMAKE_DL_LIBS} Threads::Threads
  PNG::PNG PkgConfig::FREETYPE PkgConfig::FONTCONFIG)

foreach(platform headless x11)
  rs_sources(PLATFORM_SOURCES DIRS gui/platform/${platform})
  add_library(ravensoot_platform_${platform} OBJECT ${PLATFORM_SOURCES} ${RS_EMPTY_SOURCE})
  target_link_libraries(ravensoot_platform_${platform} PUBLIC ravensoot_plugin)
endforeach()
# The X11 layer talks to the server through Xlib, with shared-memory images (MIT-SHM) from libXext.
find_package(X11 REQUIRED)
target_link_libraries(ravensoot_platform_x11 PUBLIC X11::X11 X11::Xext)

# The module a host loads. Only the two entry points leave it (the version script hides everything else,
# the C++ runtime's inline symbols included), and it must link with nothing left undefined. A host loads it
# straight from the build folder, so the data folder is copied beside it.
set(RS_ENTRY_SOURCE ${CMAKE_SOURCE_DIR}/host/vst_entry.cpp)
set(RS_MODULE_DIR ${CMAKE_BINARY_DIR}/vst)
file(GLOB_RECURSE RS_DATA_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/data/RavenSootData
  ${CMAKE_SOURCE_DIR}/data/RavenSootData/*)
list(FILTER RS_DATA_FILES EXCLUDE REGEX "\\.fxb$")
set(RS_DATA_FOLDERS)
foreach(file ${RS_DATA_FILES})
  get_filename_component(folder ${file} DIRECTORY)
  if(folder)
    list(APPEND RS_DATA_FOLDERS ${folder})
  endif()
endforeach()
list(REMOVE_DUPLICATES RS_DATA_FOLDERS)

function(rs_add_module target platform dir)
  add_library(${target} MODULE ${RS_ENTRY_SOURCE})
  target_link_libraries(${target} PRIVATE ravensoot_platform_${platform} ravensoot_plugin ravensoot_core)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME RavenSoot3
    PREFIX ""
    SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${dir}
    LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/module_exports.map)
  target_link_options(${target} PRIVATE
    -Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/module_exports.map
    -Wl,--exclude-libs,ALL)
  # A sanitizer's run-time lives in the program that loads the module, so only a plain build can insist.
  if(NOT RAVENSOOT_SANITIZE)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  # Bank files are left out of the copy: the build makes them from their source text (tools/bank_builder),
  # which finds every module's folder through RS_MODULE_TARGETS.
  set(copy COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/RavenSootData)
  # One copy per folder, and only of files that changed.
  foreach(folder "" ${RS_DATA_FOLDERS})
    set(files ${RS_DATA_FILES})
    if(folder)
      list(FILTER files INCLUDE REGEX "^${folder}/[^/]*$")
    else()
      list(FILTER files EXCLUDE REGEX "/")
    endif()
    if(NOT files)
      continue()
    endif()
    list(TRANSFORM files PREPEND ${CMAKE_SOURCE_DIR}/data/RavenSootData/)
    list(APPEND copy
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/RavenSootData/${folder}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${files} ${dir}/RavenSootData/${folder})
  endforeach()
  add_custom_target(${target}_data ALL ${copy} COMMENT "Copying RavenSootData beside ${target}")
  add_dependencies(${target} ${target}_data)
  set_property(GLOBAL APPEND PROPERTY RS_MODULE_TARGETS ${target})
endfunction()

if(EXISTS ${RS_ENTRY_SOURCE})
  rs_add_module(RavenSoot3 ${RAVENSOOT_PLATFORM} ${RS_MODULE_DIR})
  # The tests drive the module through its entry point without a display: they load the same module built on
  # the headless layer. The shipped one is checked by the export tests and, on an X server, by x11_tests.
  if(RAVENSOOT_PLATFORM STREQUAL "headless")
    set(RS_TEST_MODULE RavenSoot3)
  else()
    rs_add_module(RavenSoot3_headless headless ${CMAKE_BINARY_DIR}/vst-headless)
    set(RS_TEST_MODULE RavenSoot3_headless)
  endif()

  install(TARGETS RavenSoot3 LIBRARY DESTINATION ${RAVENSOOT_VST_DIR})
  if(RS_DATA_FILES)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/RavenSootData DESTINATION ${RAVENSOOT_VST_DIR})
  else()
    install(DIRECTORY DESTINATION ${RAVENSOOT_VST_DIR}/RavenSootData)
  endif()
endif()
