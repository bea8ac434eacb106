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
