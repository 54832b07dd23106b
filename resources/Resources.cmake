# Compiles the intro pictures into the library: each resources/*.JPG becomes a
# byte array of a generated source, looked up by name through LibraryResources.h.
set(KORVATH_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB KORVATH_RESOURCE_FILES CONFIGURE_DEPENDS ${KORVATH_RESOURCE_DIR}/*.JPG)
list(SORT KORVATH_RESOURCE_FILES)

set(arrays "")
set(entries "")
set(index 0)
foreach(resource ${KORVATH_RESOURCE_FILES})
  get_filename_component(resource_name ${resource} NAME)
  file(READ ${resource} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "const uint8_t kResource${index}[] = {\n${bytes}};\n")
  string(APPEND entries "    {\"${resource_name}\", kResource${index}, sizeof kResource${index}},\n")
  math(EXPR index "${index} + 1")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${resource})
endforeach()

set(KORVATH_RESOURCE_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/generated/LibraryResourceData.cpp)
set(content "// Generated from resources/*.JPG by resources/Resources.cmake; do not edit.\n#include \"LibraryResources.h\"\n\nnamespace korvath {\n\nnamespace {\n${arrays}}  // namespace\n\nconst LibraryResourceEntry kLibraryResources[] = {\n${entries}};\nconst size_t kLibraryResourceCount = ${index};\n\n}  // namespace korvath\n")
# Rewritten only when it changes, so a reconfigure does not rebuild the library.
file(CONFIGURE OUTPUT ${KORVATH_RESOURCE_SOURCE} CONTENT "${content}" @ONLY)

target_sources(korvath PRIVATE ${KORVATH_RESOURCE_DIR}/LibraryResources.cpp ${KORVATH_RESOURCE_SOURCE})
target_include_directories(korvath PRIVATE ${KORVATH_RESOURCE_DIR})
