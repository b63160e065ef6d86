# The core of Printdeck: everything but main().
#
# printdeck_model is the non-GUI part (option model, constraint engine,
# settings store, cipher, process-wide state). printdeck_core adds the
# printing integration, the controls, the tabs, the dialogs and the
# compiled-in resources. The sanitizer build only has printdeck_model.

file(GLOB PRINTDECK_MODEL_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/model/*.cpp
  ${PROJECT_SOURCE_DIR}/profiles/SettingsStore.cpp)
add_library(printdeck_model STATIC ${PRINTDECK_MODEL_SOURCES})
target_include_directories(printdeck_model PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(printdeck_model PUBLIC Qt5::Core Cups::Cups OpenSSL::Crypto)

if(NOT PRINTDECK_SANITIZE)
  file(GLOB PRINTDECK_CORE_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/app/*.cpp
    ${PROJECT_SOURCE_DIR}/printing/*.cpp
    ${PROJECT_SOURCE_DIR}/ui/*.cpp
    ${PROJECT_SOURCE_DIR}/tabs/*.cpp
    ${PROJECT_SOURCE_DIR}/profiles/*.cpp)
  list(FILTER PRINTDECK_CORE_SOURCES EXCLUDE REGEX "/app/main\\.cpp$")
  list(FILTER PRINTDECK_CORE_SOURCES EXCLUDE REGEX "/profiles/SettingsStore\\.cpp$")
  file(GLOB PRINTDECK_CORE_HEADERS CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/app/*.h
    ${PROJECT_SOURCE_DIR}/printing/*.h
    ${PROJECT_SOURCE_DIR}/ui/*.h
    ${PROJECT_SOURCE_DIR}/tabs/*.h
    ${PROJECT_SOURCE_DIR}/profiles/*.h)
  add_library(printdeck_core STATIC ${PRINTDECK_CORE_SOURCES} ${PRINTDECK_CORE_HEADERS})
  target_link_libraries(printdeck_core PUBLIC printdeck_model Qt5::Widgets Qt5::Network)
  # Resource objects go straight into every executable that links the core,
  # so their static registration is never dropped by the linker.
  target_sources(printdeck_core INTERFACE $<TARGET_OBJECTS:printdeck_resources>)
  add_dependencies(printdeck_core printdeck_resources)
endif()
